// The one place the file selection and file closing dialogs are run from
// (the application's open and close commands, the main frame's group close).
#pragma once

#include <QString>

class COrveloApp;
class QWidget;

// mode 0 log files, 1 course-map files. The dialog sets the application's
// number of files chosen and its read-error flag. Result QDialog::Accepted or Rejected.
int RunFileSelectionDialog(COrveloApp& app, QWidget* parent, int mode);

// groupKind 0 none, 1 by file, 2 by folder; groupText the group's full path or
// folder. Result QDialog::Accepted or Rejected.
int RunFileClosingDialog(COrveloApp& app, QWidget* parent, int groupKind, const QString& groupText, int mode);
