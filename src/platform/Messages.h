#pragma once

#include "platform/Reporter.h"

#include <QString>

namespace vc {

enum class MessageKind { Error, Warning, Information, Confirmation };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Modal message boxes. The window installs a service that shows real boxes;
// headless runs print to stderr; tests install a recorder.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MessageAnswer show(MessageKind kind, const QString& text, MessageButtons buttons) = 0;
};

// The process-wide service (stderr printing until one is installed).
MessageService& messages();
// Installs a service; nullptr goes back to stderr printing. Returns the previous one.
MessageService* setMessageService(MessageService* service);

// Shortcut for the most common box: an error with one OK button.
void showError(const QString& text);

// Prints every message to stderr. Questions are answered with the safe
// choice (No / Cancel), so nothing is overwritten or deleted unattended.
class StderrMessages : public MessageService {
public:
    MessageAnswer show(MessageKind kind, const QString& text, MessageButtons buttons) override;
};

// Shows the reports of the loaders through the message service in use: an
// error box for each error, a warning box for each warning, as they come.
class MessageReporter : public Reporter {
public:
    void error(const QString& text) override;
    void warning(const QString& text) override;
};

} // namespace vc
