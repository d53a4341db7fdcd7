#ifndef LABELGRID_H
#define LABELGRID_H

#include <QString>

QT_FORWARD_DECLARE_CLASS(QFont)
QT_FORWARD_DECLARE_CLASS(QSize)

class ValueColorConverterWidget;

// The reading rules of a widget's axis labels, checked on what reaches the painter (a
// TextRecorder, in the widget's own font): every text whole inside the widget, no two texts'
// ink closer than the width of a "0", some number shown (unscaled axes), 0 labelled wherever a
// linear scale spans it, the labels on one step of the ticks, those between the ends on one
// even step, and no tick of that step left without a label that would fit.
struct LabelReading
{
    QString seen; // the texts in drawing order, joined by spaces
    QString fault; // the first rule broken; empty when every rule holds
    int numbers = 0; // how many of the texts are numbers (the others: the multiplier)
};

LabelReading readLabels(ValueColorConverterWidget &widget);

// A scale from `lo` to `hi` as a panel sets it up: font, size, orientation, labels, the rules,
// then the mode (after the rules' linear scale).
void setUpScale(ValueColorConverterWidget &widget, const QFont &font, const QSize &size,
                bool vertical, double lo, double hi, bool logarithmic);

#endif // LABELGRID_H
