#include "tables/ui/GotoLineWindow.h"

#include "language/InterfaceTexts.h"
#include "tables/ui/DialogControls.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace vc {

namespace {
// What a window frame takes beside its caption: the icon, the close button
// and the margins.
constexpr int kCaptionRoom = 120;
} // namespace

TGotoLine1::TGotoLine1(QWidget* parent) : ModalWindow(parent) {
    setObjectName(QStringLiteral("GotoLine1"));
    setModal(true);
    // Only a close button in the frame.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    beep = [] { QApplication::beep(); };

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    GotoComboBox = new HistoryComboBox(this);
    GotoComboBox->setObjectName(QStringLiteral("GotoComboBox"));
    // Pasted text must hold digits only, like typed text.
    GotoComboBox->lineEdit()->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]*")), GotoComboBox));
    GotoComboBox->lineEdit()->installEventFilter(this);
    Label1->setBuddy(GotoComboBox);

    QHBoxLayout* buttons = makeOkCancelRow(this, BitBtn1, BitBtn2);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(GotoComboBox);
    layout->addLayout(buttons);

    applyInterfaceTexts();
}

void TGotoLine1::applyInterfaceTexts() {
    setWindowTitle(tx(TextGoToLineCaption));
    Label1->setText(tx(TextNewLineNumber));
    BitBtn1->setText(tx(TextOk));
    BitBtn2->setText(tx(TextCancel));
    // The window is small: wide enough that the frame shows its whole
    // caption beside the close button, in any language.
    setMinimumWidth(std::max(layout()->minimumSize().width(),
                             kCaptionRoom + fontMetrics().horizontalAdvance(windowTitle())));
}

void TGotoLine1::prepareForInput() {
    // Centred on the desktop.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    GotoComboBox->setFocus();
}

bool TGotoLine1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == GotoComboBox->lineEdit() && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Keys without a character (arrows, Home, Delete) and the keys the
        // window itself answers (Enter, Escape, Tab) pass.
        const bool passes =
            text.isEmpty() ||
            (text.size() == 1 &&
             ((text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9')) || text[0] == QChar(8) ||
              text[0] == QLatin1Char('\r') || text[0] == QLatin1Char('\n') ||
              text[0] == QChar(27) || text[0] == QLatin1Char('\t')));
        if (!passes) {
            if (beep)
                beep();
            return true;
        }
    }
    return ModalWindow::eventFilter(watched, event);
}

} // namespace vc
