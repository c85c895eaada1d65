// The save-file chooser. Filters are given in the "name|pattern|...||" form
// the windows use; tests install a SaveFileScript to answer without a display.
#pragma once

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>
#include <vector>

class QWidget;

namespace platform {

struct SaveFileRequest {
    QString title;
    QString defaultSuffix;  // without the dot
    QString filter;         // "Map File (*.dat)|*.dat|All files (*.*)|*.*||"
    QString initialPath;    // folder and proposed name
    bool overwritePrompt = true;
};

// The chosen path, or nothing when the user cancelled.
std::optional<QString> ChooseSaveFile(QWidget* parent, const SaveFileRequest& request);

// "name|pattern|...||" to Qt's name filters; "*.*" matches every file.
QStringList NameFiltersFromPairs(const QString& filter);

// While one exists, choosers are answered from its queue (an empty entry or an
// empty queue cancels) and every request is kept.
class SaveFileScript {
public:
    SaveFileScript();
    ~SaveFileScript();
    SaveFileScript(const SaveFileScript&) = delete;
    SaveFileScript& operator=(const SaveFileScript&) = delete;

    void QueuePath(const QString& path) { m_answers.push_back(path); }
    void QueueCancel() { m_answers.push_back(QString()); }
    const std::vector<SaveFileRequest>& Requests() const { return m_requests; }

    static SaveFileScript* Active();
    std::optional<QString> Answer(const SaveFileRequest& request);

private:
    SaveFileScript* m_previous = nullptr;
    std::deque<QString> m_answers;
    std::vector<SaveFileRequest> m_requests;
};

}  // namespace platform
