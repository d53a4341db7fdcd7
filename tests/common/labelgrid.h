#ifndef LABELGRID_H
#define LABELGRID_H

#include <QString>

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

#endif // LABELGRID_H
