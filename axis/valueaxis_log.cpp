#include "valueaxis.h"

#include "axisnumbers.h"

#include <QFontMetrics>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <utility>

using AxisNumbers::clampedSum;
using AxisNumbers::clampToInt;

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
    minorTicksLabelled = !division.hasDecades();
    const LabelCandidates candidates =
            minorTicksLabelled ? minorTickCandidates(metrics) : decadeCandidates(metrics);
    const bool preferThinned = thinned && labelInterval > 1;
    // the thinning counts decades from the first on the scale, minor ticks by their factor
    const qint64 counted = minorTicksLabelled ? 0 : clampToInt(std::ceil(division.logStart()));
    QVector<int> preferred;
    for (int i = 0; preferThinned && i < candidates.spans.size(); ++i)
        if ((candidates.spans.at(i).number - counted) % labelInterval == 0)
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

// The decades the scale shows, numbered by the decade.
ValueAxis::LabelCandidates ValueAxis::decadeCandidates(const QFontMetrics &metrics) const
{
    const int first = AxisNumbers::clampToInt(std::ceil(division.logStart()));
    const int last = AxisNumbers::clampToInt(std::floor(division.logEnd()));
    const ScaleDivision::Ticks &ticks = division.ticks();
    LabelCandidates candidates;
    QString text;
    for (int i = 0; i < ticks.size(); ++i) {
        const ScaleDivision::Tick &tick = ticks.at(i);
        if (!tick.major)
            continue;
        int position = 0;
        logTickPosition(vertical, tick.at, position);
        makeLogLabel(static_cast<int>(tick.number), text);
        addLabelCandidate(candidates, i, tick.number, tick.number == first || tick.number == last,
                          false, position, text, metrics);
    }
    return candidates;
}

// The minor ticks on a scale that shows no decade: 2 to 9 times the decade below it, those
// that lie on the scale, numbered and counted by that factor and written as plain numbers.
ValueAxis::LabelCandidates ValueAxis::minorTickCandidates(const QFontMetrics &metrics)
{
    const ScaleDivision::Ticks &ticks = division.ticks();
    LabelCandidates candidates;
    QString text;
    for (int i = 0; i < ticks.size(); ++i) {
        const ScaleDivision::Tick &tick = ticks.at(i);
        int position = 0;
        logTickPosition(vertical, tick.at, position);
        makeLinLabel(tick.value, text);
        addLabelCandidate(candidates, i, tick.number, i == 0 || i == ticks.size() - 1, false,
                          position, text, metrics);
    }
    return candidates;
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
    division = ScaleDivision::logarithmic(lo, hi);
    labelInterval = -1;
    clearThickness();
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
    division = ScaleDivision::logarithmicFromLogs(logLo - m, logHi + m);
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
    division = ScaleDivision::logarithmicFromLogs(logLo - halfFirst * d, logHi + halfLast * d);
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
    const double logScaleMin = division.logStart();
    const double logScaleMax = division.logEnd();
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
    const double logScaleMin = division.logStart();
    const double logScaleMax = division.logEnd();
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
