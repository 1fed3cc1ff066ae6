#include "tables/ui/DialogControls.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace vc {

HistoryComboBox::HistoryComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
}

void HistoryComboBox::remember(const QString& text) {
    if (findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0)
        return;
    const QString shown = currentText();
    insertItem(0, text);
    // Inserting may change the edit text; the window goes on with what was typed.
    setEditText(shown);
}

QStringList HistoryComboBox::history() const {
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items.append(itemText(i));
    return items;
}

QHBoxLayout* makeOkCancelRow(QDialog* dialog, QPushButton*& ok, QPushButton*& cancel) {
    ok = new QPushButton(dialog);
    ok->setDefault(true);
    cancel = new QPushButton(dialog);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

} // namespace vc
