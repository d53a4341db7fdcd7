#include "barlinefiller.h"

void BarLineFiller::fill(const QRect &line, const QColor &color, QRgb pixel)
{
    if (!writer.writesDirectly() || color.alpha() != 255) {
        painter.fillRect(line, color);
        return;
    }
    writer.fill(line, pixel);
}
