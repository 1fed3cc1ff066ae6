#pragma once

#include "app/WindowLayer.h"

#include "platform/Messages.h"

class QWidget;

namespace vc {

// Real modal message boxes, owned by the main window.
class QtMessages : public MessageService {
public:
    explicit QtMessages(QWidget* parent) : m_parent(parent) {}
    MessageAnswer show(MessageKind kind, const QString& text, MessageButtons buttons) override;

private:
    QWidget* m_parent;
};

} // namespace vc
