#pragma once

#include "app/WindowLayer.h"

#include <QLabel>

namespace vc {

// A one-line label above a table or in the status bar that never widens the
// window: however long its text (a path, the recall conditions, warnings), it
// asks for no more width than a few characters, and where its text does not
// fit it draws it shortened with "…" (in the middle for paths, so the file
// name stays visible). text() stays whole, and so does the tool tip: a label
// without a tool tip of its own shows its whole text there while shortened.
class PanelLabel : public QLabel {
    Q_OBJECT

public:
    PanelLabel(const QString& name, Qt::TextElideMode elide, QWidget* parent);

    QSize minimumSizeHint() const override;
    // Whether the text is drawn shortened at the label's present width.
    bool isElided() const;
    // The text as drawn at the label's present width.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    Qt::TextElideMode m_elide;
};

} // namespace vc
