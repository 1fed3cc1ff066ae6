#pragma once

#include "platform/Messages.h"

#include <QList>
#include <QString>

#include <deque>

// Records every message box and answers from a queue (OK / Yes when empty
// unless told otherwise). Installs itself for its lifetime.
class RecordingMessages : public vc::MessageService {
public:
    struct Shown {
        vc::MessageKind kind;
        QString text;
        vc::MessageButtons buttons;
    };

    RecordingMessages() { m_previous = vc::setMessageService(this); }
    ~RecordingMessages() override { vc::setMessageService(m_previous); }

    vc::MessageAnswer show(vc::MessageKind kind, const QString& text,
                           vc::MessageButtons buttons) override {
        shown.append({kind, text, buttons});
        if (!answers.empty()) {
            const vc::MessageAnswer a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == vc::MessageButtons::YesNo ? vc::MessageAnswer::Yes
                                                    : vc::MessageAnswer::Ok;
    }

    QList<Shown> shown;
    std::deque<vc::MessageAnswer> answers;

private:
    vc::MessageService* m_previous = nullptr;
};
