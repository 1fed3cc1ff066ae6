#pragma once

#include "app/WindowLayer.h"

#include <QComboBox>
#include <QStringList>

class QDialog;
class QHBoxLayout;
class QPushButton;

namespace vc {

// An editable box that keeps the texts entered before, newest first and
// without repeats. Typing alone never adds to the list: the window's action
// calls remember() once the text has been used.
class HistoryComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit HistoryComboBox(QWidget* parent = nullptr);

    // Puts a text at the top of the list unless it is there already (same
    // letter case). The edit text stays what was typed.
    void remember(const QString& text);
    QStringList history() const;
};

// The OK and Cancel buttons of a small modal window, right-aligned in a row
// for the caller's layout. OK is the default button and accepts; Cancel
// rejects. Their captions are left to the window's interface texts.
QHBoxLayout* makeOkCancelRow(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel);

} // namespace vc
