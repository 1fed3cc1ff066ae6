#include "app/PanelLabel.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace vc {

namespace {

// Room the label asks for at least: a few characters, so a short count
// never disappears while a long text gives way.
constexpr int kLeastCharacters = 6;

} // namespace

PanelLabel::PanelLabel(const QString& name, Qt::TextElideMode elide, QWidget* parent)
    : QLabel(parent), m_elide(elide) {
    setObjectName(name);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

QSize PanelLabel::minimumSizeHint() const {
    QSize size = QLabel::minimumSizeHint();
    const int least = fontMetrics().averageCharWidth() * kLeastCharacters +
                      contentsMargins().left() + contentsMargins().right();
    size.setWidth(std::min(size.width(), least));
    return size;
}

QString PanelLabel::shownText() const {
    const int room = contentsRect().width() - 2 * margin();
    QStringList lines = text().split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = fontMetrics().elidedText(line, m_elide, std::max(0, room));
    return lines.join(QLatin1Char('\n'));
}

bool PanelLabel::isElided() const {
    return shownText() != text();
}

void PanelLabel::paintEvent(QPaintEvent* event) {
    if (!isElided()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    const QRect room = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, room,
                          int(QStyle::visualAlignment(layoutDirection(), alignment())), palette(),
                          isEnabled(), shownText(), foregroundRole());
}

bool PanelLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty() && isElided()) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
        return true;
    }
    return QLabel::event(event);
}

} // namespace vc
