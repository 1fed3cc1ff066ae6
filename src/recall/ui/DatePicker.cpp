#include "recall/ui/DatePicker.h"

#include "platform/CodePage.h"
#include "recall/RecallConditions.h"

#include <QCalendarWidget>
#include <QContextMenuEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>

namespace vc {

DatePicker::DatePicker(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(name + QStringLiteral("_Edit"));
    // Right clicks reach the picker, which opens its own menu (if any).
    m_edit->setContextMenuPolicy(Qt::NoContextMenu);
    m_edit->installEventFilter(this);
    setFocusProxy(m_edit);
    m_button = new QToolButton(this);
    m_button->setObjectName(name + QStringLiteral("_DropDown"));
    m_button->setArrowType(Qt::DownArrow);
    m_button->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);

    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setObjectName(name + QStringLiteral("_Calendar"));
    m_popup->setFrameShape(QFrame::Box);
    m_calendar = new QCalendarWidget(m_popup);
    (new QVBoxLayout(m_popup))->addWidget(m_calendar);
    m_popup->layout()->setContentsMargins(0, 0, 0, 0);
    m_popup->installEventFilter(this);

    connect(m_edit, &QLineEdit::textEdited, this, &DatePicker::typed);
    connect(m_edit, &QLineEdit::editingFinished, this, &DatePicker::endTyping);
    connect(m_button, &QToolButton::clicked, this, &DatePicker::dropDown);
    connect(m_calendar, &QCalendarWidget::clicked, this, [this](const QDate& date) {
        setDate(date);
        closeUp();
    });
    connect(m_calendar, &QCalendarWidget::activated, this, [this](const QDate& date) {
        setDate(date);
        closeUp();
    });
    refresh();
}

void DatePicker::setDate(const QDate& date) {
    if (!date.isValid())
        return;
    m_date = date;
    refresh();
}

void DatePicker::setShowsDate(bool shows) {
    m_showsDate = shows;
    refresh();
}

QString DatePicker::displayText() const {
    return m_edit->text();
}

void DatePicker::refresh() {
    if (m_typing)
        return;
    m_edit->setText(m_showsDate ? decodeEvidence(shortDateText(m_date)) : QString());
}

void DatePicker::typed(const QString& text) {
    m_typing = true;
    if (text.trimmed().isEmpty()) {
        Q_EMIT typedEmpty();
        return;
    }
    const QDate date = readShortDateText(text);
    if (!date.isValid())
        return;
    m_date = date;
    m_showsDate = true;
    Q_EMIT dateTyped();
}

void DatePicker::endTyping() {
    if (!m_typing)
        return;
    m_typing = false;
    // The date taken (or the one before, when the text did not read as a
    // date) in the field's pattern.
    refresh();
}

void DatePicker::dropDown() {
    if (isDroppedDown())
        return;
    endTyping();
    m_calendar->setSelectedDate(m_date);
    m_popup->adjustSize();
    m_popup->move(mapToGlobal(QPoint(0, height())));
    m_popup->show();
    m_calendar->setFocus();
}

void DatePicker::closeUp() {
    // Hiding the popup reports the close (see eventFilter).
    if (isDroppedDown())
        m_popup->hide();
}

bool DatePicker::isDroppedDown() const {
    return m_popup->isVisible();
}

void DatePicker::keyPressEvent(QKeyEvent* event) {
    Q_EMIT keyPressed(event->key());
    if (event->key() == Qt::Key_F4 ||
        (event->key() == Qt::Key_Down && event->modifiers().testFlag(Qt::AltModifier))) {
        dropDown();
        return;
    }
    // Every other key goes on to the window: Escape closes it, Enter is OK.
    event->ignore();
}

void DatePicker::contextMenuEvent(QContextMenuEvent* event) {
    if (!m_menu)
        return;
    Q_EMIT menuOpening();
    m_menu->popup(event->globalPos());
}

bool DatePicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_popup && event->type() == QEvent::Hide) {
        Q_EMIT calendarClosed();
    } else if (watched == m_edit && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // The typed date is taken before the dialog's OK sees the key.
            endTyping();
            break;
        case Qt::Key_Escape:
            m_typing = false;
            refresh();
            break;
        case Qt::Key_Delete:
            m_typing = false;
            break;
        default:
            break;
        }
        keyPressEvent(key);
        // Delete (which empties the field) and the keys that open the
        // calendar stop here; the others type, move the focus or reach the
        // dialog (OK, Cancel) as usual.
        const bool calendarKey =
            key->key() == Qt::Key_F4 ||
            (key->key() == Qt::Key_Down && key->modifiers().testFlag(Qt::AltModifier));
        return key->key() == Qt::Key_Delete || calendarKey;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace vc
