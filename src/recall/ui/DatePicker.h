#pragma once

#include "app/WindowLayer.h"

#include <QDate>
#include <QPointer>
#include <QWidget>

class QCalendarWidget;
class QFrame;
class QLineEdit;
class QMenu;
class QToolButton;

namespace vc {

// A date field with a drop-down calendar that can also show no date at all:
// while it shows none its text is empty, although it keeps a date (the one
// the calendar opens on). The window that owns it keeps the date flag in
// Tag and decides when the date becomes visible.
//
// A date can also be typed, in the pattern the field shows ("23 May 2011"):
// as soon as the text reads as a date the picker takes it (dateTyped); when
// the typing ends (Enter, leaving the field) the field shows the date taken
// in its pattern again, or nothing when the text was emptied (typedEmpty).
// Delete empties the field at once, as it always has.
class DatePicker : public QWidget {
    Q_OBJECT

public:
    explicit DatePicker(const QString& name, QWidget* parent = nullptr);

    QDate date() const { return m_date; }
    void setDate(const QDate& date);
    // Shows the date in the short date pattern, or nothing.
    void setShowsDate(bool shows);
    bool showsDate() const { return m_showsDate; }
    // What the field shows now.
    QString displayText() const;

    // The menu the right mouse button opens; nullptr for none.
    void setPopupMenu(QMenu* menu) { m_menu = menu; }
    QMenu* popupMenu() const { return m_menu; }

    // Opens and closes the drop-down calendar (the arrow button does this).
    void dropDown();
    void closeUp();
    bool isDroppedDown() const;
    QCalendarWidget* calendar() const { return m_calendar; }

    // The date flag: 0 = no date shown, 1 = a date was picked.
    int Tag = 0;

Q_SIGNALS:
    // The calendar closed, whether or not a date was clicked.
    void calendarClosed();
    void keyPressed(int key);
    // The popup menu is about to open on this picker.
    void menuOpening();
    // The typed text reads as a date, now date().
    void dateTyped();
    // The typed text was emptied.
    void typedEmpty();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void typed(const QString& text);
    void endTyping();

    QLineEdit* m_edit = nullptr;
    QToolButton* m_button = nullptr;
    QFrame* m_popup = nullptr;
    QCalendarWidget* m_calendar = nullptr;
    QPointer<QMenu> m_menu;
    QDate m_date = QDate::currentDate();
    bool m_showsDate = true;
    bool m_typing = false; // the text is the user's until the typing ends
};

} // namespace vc
