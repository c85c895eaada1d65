// The document of a work area: it holds no data and is never saved; only
// its number (slot + 1) and the title made from it. Its one command, closing
// log files, goes to the application.
#pragma once

#include <QString>

class COrveloApp;

class COrveloDoc {
public:
    explicit COrveloDoc(COrveloApp& app) : m_app(app) {}

    // number: the slot being created + 1.
    void OnNewDocument(int number);
    void OnIdle() { m_justCreated = false; }
    // A command routed to the document; false when it is not the document's.
    bool OnCommand(int id);

    int Number() const { return m_number; }
    const QString& Title() const { return m_title; }
    bool JustCreated() const { return m_justCreated; }

private:
    COrveloApp& m_app;
    int m_number = 0;
    bool m_justCreated = false;
    QString m_title;
};
