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
    painter.drawText(area, flags | Qt::AlignLeft, left);
    painter.drawText(area, flags | Qt::AlignHCenter, centre);
    painter.drawText(area, flags | Qt::AlignRight, right);
}
