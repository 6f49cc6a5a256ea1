#include "app/messagepane.h"

#include <QPainter>

MessagePane::MessagePane(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void MessagePane::setText(const QString& text)
{
    m_text = text;
    update();
}

QSize MessagePane::sizeHint() const
{
    return {200, fontMetrics().height() + 4};
}

QSize MessagePane::minimumSizeHint() const
{
    return {0, fontMetrics().height() + 4};
}

void MessagePane::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect().adjusted(2, 0, -2, 0);
    const QStringList parts = m_text.split(QLatin1Char('\t'));
    // Anything after a third part stays in the right-aligned part, tabs shown as blanks.
    const QString left = parts.value(0);
    const QString centre = parts.value(1);
    const QString right = parts.mid(2).join(QLatin1Char(' '));
    const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    // In a pane too narrow for its parts, each part starts after the one before it instead of
    // over it; where they fit, they stand as aligned.
    const QFontMetrics metrics = fontMetrics();
    const int gap = 2 * metrics.averageCharWidth();
    int end = area.left();
    const auto draw = [&](const QString& part, Qt::Alignment alignment) {
        if (part.isEmpty()) {
            return;
        }
        const int width = metrics.horizontalAdvance(part);
        int x = alignment == Qt::AlignHCenter ? area.left() + (area.width() - width) / 2
                : alignment == Qt::AlignRight ? area.right() + 1 - width
                                              : area.left();
        QRect at = area;
        if (end > area.left() && x < end + gap) {
            x = end + gap;
            at.setLeft(x);
            alignment = Qt::AlignLeft;
        }
        painter.drawText(at, flags | alignment, part);
        end = x + width;
    };
    draw(left, Qt::AlignLeft);
    draw(centre, Qt::AlignHCenter);
    draw(right, Qt::AlignRight);
}
