#ifndef AXISDRAWING_H
#define AXISDRAWING_H

#include "axislayout.h"

#include <QColor>

QT_FORWARD_DECLARE_CLASS(QPainter)
QT_FORWARD_DECLARE_CLASS(QPoint)
class DirectPainter;
class LabelTexts;

// Draws a laid-out axis: one loop over its ticks, the same for every scale, each tick and
// the label it carries, then the multiplier. It adds to the layout only the base line of the
// ticks and their reach, and turns offsets along and across into points of the orientation.
class AxisDrawing
{
public:
    struct Style
    {
        QColor tickColour;
        QColor labelColour;
        int tickSize = 0;
    };

    AxisDrawing(QPainter &painter, DirectPainter &direct, LabelTexts &texts, const Style &style,
                bool vertical, int baseLine);

    // the labels only when `labels`; the painter's pen ends as the ticks' pen, and stays as it
    // was when there is no tick
    void draw(const AxisLayout &layout, bool labels);

private:
    QPoint point(int along, int across) const;
    void drawTick(const AxisLayout::Mark &mark);
    void drawText(const AxisLayout::Text &text, int slot, const QColor &colour);

    QPainter &painter;
    DirectPainter &direct;
    LabelTexts &texts;
    Style style;
    bool vertical;
    int beyondTicks;
    int baseLine;
};

#endif // AXISDRAWING_H
