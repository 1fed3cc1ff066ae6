#include "app/QtMessages.h"

#include "language/InterfaceTexts.h"

#include <QApplication>
#include <QMessageBox>

namespace vc {

MessageAnswer QtMessages::show(MessageKind kind, const QString& text, MessageButtons buttons) {
    QMessageBox::Icon icon = QMessageBox::Information;
    QString title = tx(TextProgramName);
    switch (kind) {
    case MessageKind::Error:
        icon = QMessageBox::Critical;
        title = tx(TextError);
        break;
    case MessageKind::Warning:
        icon = QMessageBox::Warning;
        break;
    case MessageKind::Confirmation:
        icon = QMessageBox::Question;
        break;
    case MessageKind::Information:
        break;
    }
    QMessageBox::StandardButtons set = QMessageBox::Ok;
    if (buttons == MessageButtons::OkCancel)
        set = QMessageBox::Ok | QMessageBox::Cancel;
    else if (buttons == MessageButtons::YesNo)
        set = QMessageBox::Yes | QMessageBox::No;
    QMessageBox box(icon, title, text, set, m_parent);
    // A yes-or-no question replaces a file or visits an address: Enter
    // alone answers No.
    if (buttons == MessageButtons::YesNo)
        box.setDefaultButton(QMessageBox::No);
    // A box shown while a load runs must not inherit the hourglass.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (busy)
        QApplication::restoreOverrideCursor();
    switch (answer) {
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return buttons == MessageButtons::OkCancel && answer != QMessageBox::Ok
                   ? MessageAnswer::Cancel
                   : MessageAnswer::Ok;
    }
}

} // namespace vc
