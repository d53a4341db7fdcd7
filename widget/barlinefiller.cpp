#include "barlinefiller.h"

void BarLineFiller::fill(const QRect &line, const QColor &color)
{
    if (!writer.writesDirectly() || color.alpha() != 255) {
        painter.fillRect(line, color);
        return;
    }
    writer.fill(line, color.rgba());
}
