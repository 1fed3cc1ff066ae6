#pragma once

#include <QString>
#include <QStringList>

namespace vc {

// Where a reader or loader reports what went wrong, worded for the user: an
// interface text, often followed by ":", a line break and the path concerned.
// The window shows each report in a message box as it comes; the command line
// prints it to standard error; tests collect it. Readers never open a window
// themselves, so the same reader serves all three.
class Reporter {
public:
    virtual ~Reporter() = default;
    // A failure: something could not be read or written.
    virtual void error(const QString& text) = 0;
    // Something the user should know that did not stop the load (a file that
    // is not what it claims to be, a guessed folder).
    virtual void warning(const QString& text) = 0;
};

// Prints every report to standard error as "vellacord: error: text" or
// "vellacord: warning: text", line breaks turned into spaces.
class StderrReporter : public Reporter {
public:
    void error(const QString& text) override;
    void warning(const QString& text) override;
};

// Passes errors on as they come and keeps the warnings, for a caller that
// shows them beside what it loaded (a table's count label) instead of one by
// one. With passWarnings the warnings are passed on as well.
class KeepingWarnings : public Reporter {
public:
    explicit KeepingWarnings(Reporter* next, bool passWarnings = false)
        : m_next(next), m_passWarnings(passWarnings) {}
    void error(const QString& text) override {
        if (m_next)
            m_next->error(text);
    }
    void warning(const QString& text) override {
        warnings << text;
        if (m_passWarnings && m_next)
            m_next->warning(text);
    }
    QStringList warnings;

private:
    Reporter* m_next;
    bool m_passWarnings;
};

// Keeps every report, in order; for tests and for callers that show the
// reports later.
class CollectingReporter : public Reporter {
public:
    void error(const QString& text) override { errors << text; }
    void warning(const QString& text) override { warnings << text; }
    QStringList errors;
    QStringList warnings;
};

} // namespace vc
