// The document of a work area: it holds no data and is never saved; only
// its number (slot + 1) and the title made from it.
#pragma once

#include <QString>

class COrveloDoc {
public:
    // number: the slot being created + 1.
    void OnNewDocument(int number);
    void OnIdle() { m_justCreated = false; }

    int Number() const { return m_number; }
    const QString& Title() const { return m_title; }
    bool JustCreated() const { return m_justCreated; }

private:
    int m_number = 0;
    bool m_justCreated = false;
    QString m_title;
};
