#include "shell/COrveloDoc.h"

#include "shell/COrveloApp.h"
#include "shell/CommandIds.h"

void COrveloDoc::OnNewDocument(int number) {
    m_number = number;
    m_justCreated = true;
    m_title = QStringLiteral("Work Area") + QStringLiteral(" %1").arg(number);
}

bool COrveloDoc::OnCommand(int id) {
    if (id != command::kFileClose)
        return false;
    m_app.OnCloseLogFile();
    return true;
}
