#include "valueaxis.h"

#include "directpainter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPair>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <utility>

// Logarithmic scale: major ticks at the decades, minor ticks at 2 to 9 times each decade,
// labels naming the decades. With labels the scale is stretched by half a label at both ends
// and the labels are thinned out until they fit along the axis; then the drawn labels are
// made to keep their distance like linear ones. A scale that this leaves without a label
// labels the decades it shows anyway, or, showing none, the minor ticks of its one decade.

void ValueAxis::prepareLogScale(const QFontMetrics &metrics)
{
    double lo = 0;
    double hi = 0;
    getLimits(lo, hi);
    lo = raisedForLogScale(lo);
    hi = raisedForLogScale(hi);
    if (lo > hi)
        std::swap(lo, hi);
    if (lo == hi) {
        lo = lo / 10;
        hi = hi * 10;
    }
    // the spreading may leave the double range; keep both ends positive and finite
    lo = std::max(lo, std::numeric_limits<double>::denorm_min());
    hi = std::min(hi, DBL_MAX);
    if (!axisShowLabels) {
        prepareLogScaleWithoutLabels(lo, hi);
        return;
    }
    const bool thinned = vertical ? prepareLogScaleVerticalWithLabels(lo, hi, metrics)
                                  : prepareLogScaleHorizontalWithLabels(lo, hi, metrics);
    if (!thinned)
        prepareLogScaleWithoutLabels(lo, hi);
    chooseLogLabels(metrics, thinned);
}

// After the thinning passes (`thinned`) the labels they chose are kept where they keep their
// distance; otherwise labels go to the decades on a round interval of at least the thinning's,
// counted from decade 0. The room across the axis grows where a chosen label needs more than
// the thinning measured. labelInterval becomes the interval of the labels in ticks.
void ValueAxis::chooseLogLabels(const QFontMetrics &metrics, bool thinned)
{
    minorTicksLabelled = clampToInt(std::ceil(logScaleMin)) > clampToInt(std::floor(logScaleMax));
    const LabelCandidates candidates =
            minorTicksLabelled ? minorTickCandidates(metrics) : decadeCandidates(metrics);
    const bool preferThinned = thinned && labelInterval > 1;
    QVector<int> preferred;
    for (int i = 0; preferThinned && i < candidates.ticks.size(); ++i)
        if (candidates.ticks.at(i) % labelInterval == 0)
            preferred.append(i);
    const LabelChoice::Result chosen =
            chooseLabels(candidates, preferThinned ? &preferred : nullptr,
                         preferThinned ? labelInterval : 1, metrics);
    if (chosen.interval < 0) {
        minorTicksLabelled = false;
        labelInterval = -1;
        clearThickness();
        return;
    }
    if (chosen.interval > 0 || !thinned)
        labelInterval =
                static_cast<int>(std::min<qint64>(std::max<qint64>(chosen.interval, 1), INT_MAX));
    int across = largestLabelledExtent(candidates, chosen, vertical, metrics);
    if (thinned)
        across = std::max(across, clampedSum(vertical ? width() : height(), -axisTickSize));
    if (vertical)
        calculateMinWidth(across, metrics);
    else
        calculateMinHeight(across, metrics);
}

// The decades the scale shows, numbered by the decade; tick i is the i-th of them.
ValueAxis::LabelCandidates ValueAxis::decadeCandidates(const QFontMetrics &metrics) const
{
    const int first = clampToInt(std::ceil(logScaleMin));
    const int last = clampToInt(std::floor(logScaleMax));
    LabelCandidates candidates;
    QString text;
    for (qint64 e = first; e <= last; ++e) {
        int position = 0;
        logTickPosition(vertical, static_cast<double>(e), position);
        makeLogLabel(static_cast<int>(e), text);
        addLabelCandidate(candidates, static_cast<int>(e - first), e, e == first || e == last,
                          false, position, text, metrics);
    }
    return candidates;
}

// The minor ticks on a scale that shows no decade: 2 to 9 times the decade below it, those
// that lie on the scale, numbered and counted by that factor and written as plain numbers.
ValueAxis::LabelCandidates ValueAxis::minorTickCandidates(const QFontMetrics &metrics)
{
    const double power = powerOfTen(decadeBelowScale());
    QVector<QPair<int, int>> onScale; // factor, position
    for (int k = 2; k <= 9; ++k) {
        int position = 0;
        if (logTickPosition(vertical, std::log10(k * power), position))
            onScale.append({k, position});
    }
    LabelCandidates candidates;
    QString text;
    for (const QPair<int, int> &tick : onScale) {
        const int k = tick.first;
        makeLinLabel(k * power, text);
        addLabelCandidate(candidates, k, k, k == onScale.first().first || k == onScale.last().first,
                          false, tick.second, text, metrics);
    }
    return candidates;
}

int ValueAxis::decadeBelowScale() const
{
    return clampToInt(std::floor(logScaleMin));
}

// Limits below absMinForLogScale (among them 0, negative values and NaN) are raised to it;
// an infinite limit becomes the largest double, so that every logarithm stays finite. A NaN
// absMinForLogScale is kept as the owner wrote it, but raises limits to the floor that a
// non-positive value would have been stored as.
double ValueAxis::raisedForLogScale(double limit) const
{
    const double floor = absMinForLogScale > 0 ? absMinForLogScale : 1e-13;
    if (!(limit >= floor))
        limit = floor;
    return std::min(limit, DBL_MAX);
}

void ValueAxis::prepareLogScaleWithoutLabels(double lo, double hi)
{
    scaleMin = lo;
    scaleMax = hi;
    logScaleMin = std::log10(lo);
    logScaleMax = std::log10(hi);
    labelInterval = -1;
    clearThickness();
}

// Stretched ends whose power of ten leaves the double range keep their finite logarithms, which
// is all that mapping and drawing use.
void ValueAxis::setLogScaleEnds(double logLo, double logHi)
{
    scaleMin = std::pow(10.0, logLo);
    scaleMax = std::pow(10.0, logHi);
    logScaleMin = scaleMin > 0 && std::isfinite(scaleMin) ? std::log10(scaleMin) : logLo;
    logScaleMax = scaleMax > 0 && std::isfinite(scaleMax) ? std::log10(scaleMax) : logHi;
}

bool ValueAxis::prepareLogScaleVerticalWithLabels(double lo, double hi, const QFontMetrics &metrics)
{
    const int half = metrics.boundingRect(QStringLiteral("1E-6789")).height() / 2;
    const int avail = length() - 2 * half;
    if (avail < 2 * half || avail <= 0)
        return false;
    const double logLo = std::log10(lo);
    const double logHi = std::log10(hi);
    const double d = (logHi - logLo) / avail;
    const double m = half * d;
    setLogScaleEnds(logLo - m, logHi + m);
    labelInterval = 1;
    int widest = 0;
    if (!thinLogLabels(clampToInt(std::rint(logLo)), clampToInt(std::rint(logHi)), avail, true,
                       metrics, widest))
        return false;
    calculateMinWidth(widest, metrics);
    return true;
}

bool ValueAxis::prepareLogScaleHorizontalWithLabels(double lo, double hi,
                                                    const QFontMetrics &metrics)
{
    const double logLo = std::log10(lo);
    const double logHi = std::log10(hi);
    const int first = clampToInt(std::rint(logLo));
    const int last = clampToInt(std::rint(logHi));
    QString text;
    makeLogLabel(first, text);
    const int w1 = metrics.boundingRect(text).width();
    makeLogLabel(last, text);
    const int w2 = metrics.boundingRect(text).width();
    const int len = length();
    if (w1 + w2 > len - 1)
        return false;
    const int halfFirst = w1 / 2;
    const int halfLast = w2 / 2;
    const int avail = len - halfFirst - halfLast;
    const double d = (logHi - logLo) / avail;
    setLogScaleEnds(logLo - halfFirst * d, logHi + halfLast * d);
    labelInterval = 1;
    int tallest = 0;
    if (!thinLogLabels(first, last, avail, false, metrics, tallest))
        return false;
    calculateMinHeight(tallest, metrics);
    return true;
}

// Passes over the decades first..last with n = labelInterval, labelling every n-th decade,
// until the labels' summed extent fits into avail. The stored interval is one more than the
// one found to fit, except when only two labels fit: then the first drawn decade alone is
// labelled (interval = all decades), or both when there are just two decades. Each pass
// measures fewer labels, so at most last - first + 2 passes are made.
bool ValueAxis::thinLogLabels(int first, int last, int avail, bool alongIsHeight,
                              const QFontMetrics &metrics, int &across)
{
    for (;;) {
        const LogLabelPass pass =
                measureLogLabels(first, last, labelInterval, alongIsHeight, metrics);
        if (pass.count <= 1)
            return false;
        labelInterval = labelInterval + 1;
        if (pass.sum < avail) {
            if (pass.count == 2)
                labelInterval = pass.decades > 2 ? pass.decades : 1;
            across = pass.across;
            return true;
        }
    }
}

ValueAxis::LogLabelPass ValueAxis::measureLogLabels(int first, int last, int interval,
                                                    bool alongIsHeight, const QFontMetrics &metrics)
{
    LogLabelPass pass;
    QString text;
    int skip = 0;
    for (qint64 e = first; e <= last; ++e) {
        ++pass.decades;
        if (interval > 1 && ++skip < interval)
            continue;
        skip = 0;
        makeLogLabel(static_cast<int>(e), text);
        const QRect r = metrics.boundingRect(text);
        pass.sum += alongIsHeight ? r.height() : r.width();
        pass.across = std::max(pass.across, alongIsHeight ? r.width() : r.height());
        ++pass.count;
    }
    return pass;
}

void ValueAxis::makeLogLabel(int decade, QString &text)
{
    if (decade == 0)
        text = QStringLiteral("1");
    else if (decade == 1)
        text = QStringLiteral("10");
    else if (decade == 2)
        text = QStringLiteral("100");
    else
        text = QStringLiteral("1E%1").arg(decade);
}

// Tick mapping on a vertical axis: both ends of the scale fall on the first and last pixel.
bool ValueAxis::logValueToScreenVertical(double logValue, int &position) const
{
    const int last = length() - 1;
    position = 0;
    if (!logarithmic)
        return false;
    if (!(logValue >= logScaleMin)) {
        position = last;
        return false;
    }
    if (logValue > logScaleMax)
        return false;
    // multiplied before dividing: the quotient first can round a tick to the neighbouring pixel
    position = clampToInt(last -
                          std::rint(last * (logValue - logScaleMin) / (logScaleMax - logScaleMin)));
    return true;
}

// Tick mapping on a horizontal axis: the end of the scale falls one beyond the last pixel.
bool ValueAxis::logValueToScreenHorizontal(double logValue, int &position) const
{
    const int len = length();
    position = 0;
    if (!logarithmic || !(logValue >= logScaleMin))
        return false;
    if (logValue > logScaleMax) {
        position = len - 1;
        return false;
    }
    position = clampToInt(std::rint(len * (logValue - logScaleMin) / (logScaleMax - logScaleMin)));
    return true;
}

bool ValueAxis::logTickPosition(bool verticalAxis, double logValue, int &position) const
{
    return verticalAxis ? logValueToScreenVertical(logValue, position)
                        : logValueToScreenHorizontal(logValue, position);
}

// The decades drawn are those inside the scale; their count is bounded by the double range
// (about 630), since the prepared logarithms are always finite.
void ValueAxis::drawScaleLog(QPainter &painter, bool verticalAxis, int baseLine, bool labels)
{
    const QFontMetrics metrics = painter.fontMetrics();
    keepLabelLayoutsFor(painter);
    const int first = clampToInt(std::ceil(logScaleMin));
    const int last = clampToInt(std::floor(logScaleMax));
    int next = 0;
    int labelIndex = 0;
    DirectPainter direct(painter);
    // the ticks' pen is set at the first decade and after each label: a scale without a
    // decade leaves the painter untouched, unless it labels its minor ticks
    for (qint64 e = first; e <= last; ++e) {
        const int decade = static_cast<int>(e);
        int position = 0;
        logTickPosition(verticalAxis, decade, position);
        if (e == first)
            painter.setPen(axisColor);
        drawTick(direct, verticalAxis, position, baseLine, axisTickSize);
        if (labels && isLabelledTick(static_cast<int>(e - first), next)) {
            drawLabel(painter, metrics, verticalAxis, position, baseLine,
                      labelLayout(labelIndex++, decade, true, metrics));
            painter.setPen(axisColor);
        }
        drawLogMinorTicks(direct, verticalAxis, decade, baseLine);
    }
    if (minorTicksLabelled)
        drawLabelledMinorTicks(painter, direct, metrics, verticalAxis, baseLine, labels);
}

// A scale without a decade whose minor ticks carry the labels: those ticks of the decade
// below the scale that lie on it, with their labels as chosen at preparation.
void ValueAxis::drawLabelledMinorTicks(QPainter &painter, DirectPainter &direct,
                                       const QFontMetrics &metrics, bool verticalAxis, int baseLine,
                                       bool labels)
{
    const double power = powerOfTen(decadeBelowScale());
    int next = 0;
    int labelIndex = 0;
    painter.setPen(axisColor);
    for (int k = 2; k <= 9; ++k) {
        int position = 0;
        if (!logTickPosition(verticalAxis, std::log10(k * power), position))
            continue;
        drawTick(direct, verticalAxis, position, baseLine, axisTickSize >> 1);
        if (labels && isLabelledTick(k, next)) {
            drawLabel(painter, metrics, verticalAxis, position, baseLine,
                      labelLayout(labelIndex++, k * power, false, metrics));
            painter.setPen(axisColor);
        }
    }
}

// Minor ticks at 2 to 9 times the decade, only where they lie on the scale, in the pen the
// caller set to the axis colour.
void ValueAxis::drawLogMinorTicks(DirectPainter &direct, bool verticalAxis, int decade,
                                  int baseLine) const
{
    const double power = powerOfTen(decade);
    for (int k = 2; k <= 9; ++k) {
        int position = 0;
        if (logTickPosition(verticalAxis, std::log10(k * power), position))
            drawTick(direct, verticalAxis, position, baseLine, axisTickSize >> 1);
    }
}
