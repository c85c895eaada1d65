#include "shell/COrveloDoc.h"

void COrveloDoc::OnNewDocument(int number) {
    m_number = number;
    m_justCreated = true;
    m_title = QStringLiteral("Work Area") + QStringLiteral(" %1").arg(number);
}
