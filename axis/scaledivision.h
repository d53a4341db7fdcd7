#ifndef SCALEDIVISION_H
#define SCALEDIVISION_H

#include <QVector>
#include <QtGlobal>

// The ticks of a scale, worked out from its limits alone: a plain value without fonts,
// painters or pixels. A linear division scales values of three or more decimal digits by a
// power of ten, takes a major step of 2, 5 or 10 units of a power of ten, rounds the scale
// outward to whole units and puts major ticks on the multiples of the step, each followed by
// four minor ticks. A logarithmic division has a major tick per decade, each followed by
// minor ticks at 2 to 9 times the decade; a scale that holds no decade has the minor ticks of
// the decade below it instead.
//
// The ticks come in drawing order, each with the coordinate the value mapping takes (`at`:
// scaled units on a linear scale, log10 of the value on a logarithmic one), the value its
// label shows (scaled units; the decade on a logarithmic major tick) and its number: a linear
// major tick's place on the grid of multiples of the step, a decade's exponent, a minor
// tick's factor (1 to 4 on a linear scale, 2 to 9 on a logarithmic one).
class ScaleDivision
{
public:
    struct Tick
    {
        double at = 0;
        double value = 0;
        qint64 number = 0;
        bool major = true;
    };
    using Ticks = QVector<Tick>;

    // the unit scale 0..1 without ticks
    ScaleDivision() = default;
    // from ordered limits (min < max, or equal and 0); limits that give no meaningful scale
    // (not finite, or merged once scaled) give the unit scale without ticks
    static ScaleDivision linear(double min, double max);
    // from positive, finite, ordered limits
    static ScaleDivision logarithmic(double min, double max);
    // from the logarithms of the ends, as a stretched scale has them
    static ScaleDivision logarithmicFromLogs(double logMin, double logMax);

    // the ends: in scaled units (linear) or as values (logarithmic)
    double start() const { return scaleMin; }
    double end() const { return scaleMax; }
    // log10 of the ends of a logarithmic division
    double logStart() const { return logMin; }
    double logEnd() const { return logMax; }
    // linear: the exponent of the scaling and its power of ten; the major step and first
    // major tick (scaled units), and whether the ticks are numbered on the grid of multiples
    // of the step (false far from 0, where they are counted from the first)
    double exponent() const { return scaleExponent; }
    double factor() const { return scaleFactor; }
    double step() const { return majorStep; }
    double firstMajor() const { return firstMajorTick; }
    bool numberedOnGrid() const { return onGrid; }

    const Ticks &ticks() const { return tickList; }
    // whether the majors are decades; on a logarithmic scale without a decade, false
    bool hasDecades() const { return decades; }

private:
    void roundLinearOutward(double min, double max);
    void addLinearTicks();
    bool linearTick(int k, double firstNumber, double &value) const;
    bool onLinearScale(double &value) const;
    void addLogarithmicTicks();
    void addMinorDecadeTicks(int decade);

    double scaleMin = 0;
    double scaleMax = 1;
    double logMin = 0;
    double logMax = 1;
    double scaleExponent = 0;
    double scaleFactor = 1.0;
    double majorStep = 1;
    double firstMajorTick = 2;
    bool onGrid = true;
    bool decades = false;
    Ticks tickList;
};

#endif // SCALEDIVISION_H
