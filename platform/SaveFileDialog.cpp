#include "platform/SaveFileDialog.h"

#include "platform/MessageBox.h"
#include "platform/ModalDialog.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QRegularExpression>

namespace platform {

namespace {
SaveFileScript* g_activeScript = nullptr;

// Qt's own chooser reads a typed name with double quotes as a list of quoted names and would
// save under the first of them; such a name is refused while the chooser stays open.
class SaveFileChooser : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (edit && edit->text().contains(QLatin1Char('"'))) {
            ShowMessageBox(this, QStringLiteral("ERROR , a file name cannot contain double quotes (\").\n") + edit->text(),
                           QStringLiteral("ERROR"), kMbIconError);
            return;
        }
        QFileDialog::accept();
    }
};
}  // namespace

SaveFileScript::SaveFileScript() : m_previous(g_activeScript) { g_activeScript = this; }

SaveFileScript::~SaveFileScript() { g_activeScript = m_previous; }

SaveFileScript* SaveFileScript::Active() { return g_activeScript; }

std::optional<QString> SaveFileScript::Answer(const SaveFileRequest& request) {
    m_requests.push_back(request);
    if (m_answers.empty())
        return std::nullopt;
    const QString answer = m_answers.front();
    m_answers.pop_front();
    if (answer.isEmpty())
        return std::nullopt;
    return answer;
}

QStringList NameFiltersFromPairs(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            if (pattern == QLatin1String("*.*"))
                pattern = QStringLiteral("*");
        }
        QString name = parts[i];
        name.remove(QRegularExpression(QStringLiteral("\\s*\\([^()]*\\)\\s*$")));
        result.push_back(QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' '))));
    }
    return result;
}

std::optional<QString> ChooseSaveFile(QWidget* parent, const SaveFileRequest& request) {
    if (SaveFileScript* script = SaveFileScript::Active())
        return script->Answer(request);
    SaveFileChooser dialog(parent, request.title, request.initialPath);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setNameFilters(NameFiltersFromPairs(request.filter));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (RunModalDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

}  // namespace platform
