#ifndef AXISTEXTS_H
#define AXISTEXTS_H

#include "scaledivision.h"

#include <QString>
#include <QTextStream>

// The texts an axis shows, formatted in one place: a tick value in the default number
// format of a text stream (six significant digits, "1e+06" beyond), a decade as "1", "10",
// "100" or "1E3", and the multiplier of a scaled linear axis as "E+3" or "E-6".
class AxisTexts
{
public:
    AxisTexts() = default;
    // the stream keeps no state between texts; a copy starts with one of its own
    AxisTexts(const AxisTexts &) { }
    AxisTexts &operator=(const AxisTexts &) { return *this; }

    QString value(double value);
    static QString decade(int decade);
    // empty for a division that is not scaled
    static QString multiplier(const ScaleDivision &division);
    // the label of a tick: its decade when it is a major tick of a logarithmic division
    QString tickLabel(bool logarithmic, const ScaleDivision::Tick &tick);

private:
    QTextStream stream;
};

#endif // AXISTEXTS_H
