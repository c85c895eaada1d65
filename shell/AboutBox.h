// The About box: the program's name and "Version" with its version text.
#pragma once

#include <QDialog>

class AboutBox : public QDialog {
public:
    AboutBox(const QString& version, QWidget* parent);
    int Run();
    QString VersionText() const;

private:
    class QLabel* m_version;
};
