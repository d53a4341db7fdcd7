#include "axisdrawing.h"

#include "axisnumbers.h"
#include "directpainter.h"
#include "labeltexts.h"

#include <QPainter>

using AxisNumbers::clampedSum;

AxisDrawing::AxisDrawing(QPainter &painter, DirectPainter &direct, LabelTexts &texts,
                         const Style &style, bool vertical, int baseLine)
    : painter(painter)
    , direct(direct)
    , texts(texts)
    , style(style)
    , vertical(vertical)
    , beyondTicks(clampedSum(baseLine, style.tickSize))
    , baseLine(baseLine)
{ }

// A label sets its own pen and then the ticks' pen again.
void AxisDrawing::draw(const AxisLayout &layout, bool labels)
{
    texts.begin(painter);
    if (!layout.marks.isEmpty())
        painter.setPen(style.tickColour);
    int slot = 0;
    for (const AxisLayout::Mark &mark : layout.marks) {
        drawTick(mark);
        if (labels && mark.label >= 0)
            drawText(layout.labels.at(mark.label), slot++, style.labelColour);
    }
    if (labels && layout.multiplierShown)
        drawText(layout.multiplier, slot, style.labelColour);
}

QPoint AxisDrawing::point(int along, int across) const
{
    return vertical ? QPoint(across, along) : QPoint(along, across);
}

// A major tick reaches the tick size to both sides of the base line, a minor one half of it.
void AxisDrawing::drawTick(const AxisLayout::Mark &mark)
{
    const int reach = mark.major ? style.tickSize : style.tickSize >> 1;
    direct.drawLine(point(mark.position, clampedSum(baseLine, -reach)),
                    point(mark.position, clampedSum(baseLine, reach)));
}

void AxisDrawing::drawText(const AxisLayout::Text &text, int slot, const QColor &colour)
{
    painter.setPen(colour);
    texts.draw(painter, point(text.along, clampedSum(beyondTicks, text.beyond)), slot, text.text);
    painter.setPen(style.tickColour);
}
