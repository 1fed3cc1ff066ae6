#include "platform/Messages.h"

#include <cstdio>

namespace vc {

namespace {
StderrMessages g_stderrMessages;
MessageService* g_service = nullptr;
} // namespace

MessageService& messages() {
    return g_service ? *g_service : g_stderrMessages;
}

MessageService* setMessageService(MessageService* service) {
    MessageService* previous = g_service;
    g_service = service;
    return previous;
}

void showError(const QString& text) {
    messages().show(MessageKind::Error, text, MessageButtons::Ok);
}

void MessageReporter::error(const QString& text) {
    messages().show(MessageKind::Error, text, MessageButtons::Ok);
}

void MessageReporter::warning(const QString& text) {
    messages().show(MessageKind::Warning, text, MessageButtons::Ok);
}

MessageAnswer StderrMessages::show(MessageKind kind, const QString& text, MessageButtons buttons) {
    const char* prefix = kind == MessageKind::Error     ? "error"
                         : kind == MessageKind::Warning ? "warning"
                                                        : "note";
    QByteArray line = text.toLocal8Bit();
    line.replace('\n', ' ');
    std::fprintf(stderr, "vellacord: %s: %s\n", prefix, line.constData());
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::OkCancel:
        return MessageAnswer::Cancel;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    }
    return MessageAnswer::Ok;
}

} // namespace vc
