#include "axislayoutbuilder.h"

#include "axisnumbers.h"

#include <QFontMetrics>
#include <QRect>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <utility>

using AxisNumbers::clampedSum;
using AxisNumbers::clampToInt;

namespace {
// A horizontal bar keeps at least this many pixel rows (a vertical bar this many columns)
// beside the labels; below it the labels are left out and the bar takes the whole widget.
constexpr int minimumBarWithLabels = 5;
} // namespace

int AxisLayout::baseLine(int across, bool labelsOn, bool &labelsFit) const
{
    labelsFit = false;
    if (!labelsOn)
        return across - 1;
    const int candidate = (across - 1) - thickness;
    if (candidate < minimumBarWithLabels)
        return across - 1;
    labelsFit = true;
    return candidate;
}

AxisLayoutBuilder::AxisLayoutBuilder(const Settings &settings, const QFontMetrics &metrics,
                                     AxisTexts &texts)
    : settings(settings), metrics(metrics), texts(texts)
{ }

void AxisLayoutBuilder::build(double min, double max)
{
    if (settings.logarithmic)
        buildLogarithmic(min, max);
    else
        buildLinear(min, max);
    layOutTicks();
}

ScaleMap AxisLayoutBuilder::map() const
{
    return ScaleMap(scale, settings.length, settings.vertical, settings.logarithmic);
}

// The room a text of bounding rectangle `box` takes across the axis beyond the ticks' reach,
// where its base line starts. Below a horizontal axis its height. Right of a vertical one its
// ink ends at box.right(): past its width where a face sets the first glyph in from the origin
// by more than a pixel (a "1" in many faces from about 14 pt on), whose last column the
// widget's edge would cut if only the width were kept free. Never less than the width, which
// is the room every text had before and still takes in the faces whose ink starts at most one
// pixel in (the multiplier, which starts a pixel beyond the ticks' reach, needs no more).
int AxisLayoutBuilder::across(const QRect &box) const
{
    return settings.vertical ? std::max(box.width(), box.right()) : box.height();
}

// The multiplier text of a scaled axis stands beyond the ticks like a label, so the thickness
// is the larger of the two extents plus the tick size.
void AxisLayoutBuilder::setThickness(int labelExtent)
{
    const int multiplier = multiplierText.isEmpty() ? 0 : across(multiplierBox);
    result.thickness = clampedSum(std::max(labelExtent, multiplier), settings.tickSize);
}

// Every major tick is a candidate; the room across the axis is that of the largest label,
// labelled or not.
void AxisLayoutBuilder::buildLinear(double min, double max)
{
    scale = ScaleDivision::linear(min, max);
    if (!settings.labels)
        return;
    multiplierText = AxisTexts::multiplier(scale);
    if (!multiplierText.isEmpty())
        multiplierBox = metrics.boundingRect(multiplierText);
    result.labelInterval = 1;
    const Candidates candidates = majorTickCandidates();
    setThickness(candidates.largestAcross);
    choose(candidates, nullptr, 1);
}

// The major ticks (linear ticks or decades) as candidates, numbered by their value in tick
// steps or by the decade, so that every m-th tick counts from 0.
AxisLayoutBuilder::Candidates AxisLayoutBuilder::majorTickCandidates()
{
    const ScaleDivision::Ticks &ticks = scale.ticks();
    int lastMajor = -1;
    for (int i = 0; i < ticks.size(); ++i)
        lastMajor = ticks.at(i).major ? i : lastMajor;
    const bool zeroOnGrid = !settings.logarithmic && scale.numberedOnGrid();
    const ScaleMap onScreen = map();
    Candidates candidates;
    for (int i = 0; i < ticks.size(); ++i) {
        const ScaleDivision::Tick &tick = ticks.at(i);
        if (!tick.major)
            continue;
        int position = 0;
        onScreen.tickPosition(tick, position);
        addCandidate(candidates, i, tick.number, i == 0 || i == lastMajor,
                     zeroOnGrid && tick.number == 0, position,
                     texts.tickLabel(settings.logarithmic, tick));
    }
    return candidates;
}

void AxisLayoutBuilder::buildLogarithmic(double min, double max)
{
    double lo = raisedForLogScale(min);
    double hi = raisedForLogScale(max);
    if (lo > hi)
        std::swap(lo, hi);
    if (lo == hi) {
        lo = lo / 10;
        hi = hi * 10;
    }
    // the spreading may leave the double range; keep both ends positive and finite
    lo = std::max(lo, std::numeric_limits<double>::denorm_min());
    hi = std::min(hi, DBL_MAX);
    const bool thinned = settings.labels &&
            (settings.vertical ? stretchVertically(lo, hi) : stretchHorizontally(lo, hi));
    if (!thinned) {
        scale = ScaleDivision::logarithmic(lo, hi);
        result.labelInterval = -1;
        result.thickness = 0;
    }
    if (settings.labels)
        chooseLogarithmicLabels(thinned);
}

// Limits below absMinForLogScale (among them 0, negative values and NaN) are raised to it;
// an infinite limit becomes the largest double, so that every logarithm stays finite. A NaN
// absMinForLogScale is kept as the owner wrote it, but raises limits to the floor that a
// non-positive value would have been stored as.
double AxisLayoutBuilder::raisedForLogScale(double limit) const
{
    const double floor = settings.absMinForLogScale > 0 ? settings.absMinForLogScale : 1e-13;
    if (!(limit >= floor))
        limit = floor;
    return std::min(limit, DBL_MAX);
}

// A vertical scale is stretched by half the height of a long decade label at both ends.
bool AxisLayoutBuilder::stretchVertically(double lo, double hi)
{
    const int half = metrics.boundingRect(QStringLiteral("1E-6789")).height() / 2;
    const int avail = settings.length - 2 * half;
    if (avail < 2 * half || avail <= 0)
        return false;
    const double logLo = std::log10(lo);
    const double logHi = std::log10(hi);
    const double d = (logHi - logLo) / avail;
    const double m = half * d;
    scale = ScaleDivision::logarithmicFromLogs(logLo - m, logHi + m);
    return thinDecades(clampToInt(std::rint(logLo)), clampToInt(std::rint(logHi)), avail);
}

// A horizontal scale is stretched by half the width of its first and last decade label.
bool AxisLayoutBuilder::stretchHorizontally(double lo, double hi)
{
    const double logLo = std::log10(lo);
    const double logHi = std::log10(hi);
    const int first = clampToInt(std::rint(logLo));
    const int last = clampToInt(std::rint(logHi));
    const int w1 = metrics.boundingRect(AxisTexts::decade(first)).width();
    const int w2 = metrics.boundingRect(AxisTexts::decade(last)).width();
    const int len = settings.length;
    if (w1 + w2 > len - 1)
        return false;
    const int halfFirst = w1 / 2;
    const int halfLast = w2 / 2;
    const int avail = len - halfFirst - halfLast;
    const double d = (logHi - logLo) / avail;
    scale = ScaleDivision::logarithmicFromLogs(logLo - halfFirst * d, logHi + halfLast * d);
    return thinDecades(first, last, avail);
}

// The decade labels first..last measured once, thinned by LabelChoice; the room across is
// that of the labels the thinning kept.
bool AxisLayoutBuilder::thinDecades(int first, int last, int avail)
{
    QVector<int> along;
    QVector<int> acrossExtents;
    for (qint64 e = first; e <= last; ++e) {
        const QRect box = metrics.boundingRect(AxisTexts::decade(static_cast<int>(e)));
        along.append(settings.vertical ? box.height() : box.width());
        acrossExtents.append(across(box));
    }
    const LabelChoice::Thinning thinning = LabelChoice::thinDecades(along, avail);
    if (!thinning.fits)
        return false;
    result.labelInterval = thinning.interval;
    int widest = 0;
    for (const int i : thinning.measured)
        widest = std::max(widest, acrossExtents.at(i));
    setThickness(widest);
    return true;
}

// After the thinning (`thinned`) the labels it chose are kept where they keep their distance;
// otherwise labels go to the decades on a round interval of at least the thinning's, counted
// from decade 0. The room across the axis grows where a chosen label needs more than the
// thinning measured. labelInterval becomes the interval of the labels in ticks.
void AxisLayoutBuilder::chooseLogarithmicLabels(bool thinned)
{
    minorTicksLabelled = !scale.hasDecades();
    const Candidates candidates =
            minorTicksLabelled ? minorTickCandidates() : majorTickCandidates();
    const bool preferThinned = thinned && result.labelInterval > 1;
    // the thinning counts decades from the first on the scale, minor ticks by their factor
    const qint64 counted = minorTicksLabelled ? 0 : clampToInt(std::ceil(scale.logStart()));
    QVector<int> preferred;
    for (int i = 0; preferThinned && i < candidates.spans.size(); ++i)
        if ((candidates.spans.at(i).number - counted) % result.labelInterval == 0)
            preferred.append(i);
    const LabelChoice::Result chosen = choose(candidates, preferThinned ? &preferred : nullptr,
                                              preferThinned ? result.labelInterval : 1);
    if (chosen.interval < 0) {
        minorTicksLabelled = false;
        result.labelInterval = -1;
        result.thickness = 0;
        return;
    }
    if (chosen.interval > 0 || !thinned)
        result.labelInterval =
                static_cast<int>(std::min<qint64>(std::max<qint64>(chosen.interval, 1), INT_MAX));
    int extent = largestLabelledExtent(candidates, chosen);
    if (thinned)
        extent = std::max(extent, clampedSum(result.thickness, -settings.tickSize));
    setThickness(extent);
}

// The minor ticks on a scale that shows no decade: 2 to 9 times the decade below it, those
// that lie on the scale, numbered and counted by that factor and written as plain numbers.
AxisLayoutBuilder::Candidates AxisLayoutBuilder::minorTickCandidates()
{
    const ScaleDivision::Ticks &ticks = scale.ticks();
    const ScaleMap onScreen = map();
    Candidates candidates;
    for (int i = 0; i < ticks.size(); ++i) {
        int position = 0;
        onScreen.tickPosition(ticks.at(i), position);
        addCandidate(candidates, i, ticks.at(i).number, i == 0 || i == ticks.size() - 1, false,
                     position, texts.value(ticks.at(i).value));
    }
    return candidates;
}

// A label beyond the end of its tick: centred under it on a horizontal axis, right of it and
// vertically centred on a vertical one. Gives the start of the text's base line for a text
// whose bounding rectangle is `box`, with the base line of the ticks at 0, before it is kept
// within the axis length.
QPoint AxisLayoutBuilder::labelOrigin(int position, const QRect &box) const
{
    const int beyondTick = clampedSum(0, settings.tickSize);
    if (settings.vertical)
        return {beyondTick, clampedSum(position, (box.height() >> 1) - metrics.descent())};
    return {position - (box.width() >> 1), clampedSum(beyondTick, box.height())};
}

// Moves a label along the axis just far enough that its box lies within the axis length; a
// label longer than the axis keeps its left or top edge on it.
QPoint AxisLayoutBuilder::keptWithinLength(QPoint origin, const QRect &box) const
{
    const int last = clampedSum(settings.length, -1);
    if (settings.vertical)
        origin.setY(std::max(std::min(origin.y(), clampedSum(last, -box.bottom())), -box.top()));
    else
        origin.setX(std::max(std::min(origin.x(), clampedSum(last, -box.right())), -box.left()));
    return origin;
}

// The first and last pixel along the axis that the ink of `text` covers when its base line
// starts at `origin`: the digits a reader sees, without the room above and below them that
// the line box of the font adds.
LabelChoice::Candidate AxisLayoutBuilder::inkAlong(const QString &text, const QPoint &origin) const
{
    const QRectF ink = QFontMetricsF(metrics).tightBoundingRect(text);
    const double from = settings.vertical ? origin.y() + ink.top() : origin.x() + ink.left();
    const double to = settings.vertical ? origin.y() + ink.bottom() : origin.x() + ink.right();
    LabelChoice::Candidate span;
    span.first = clampToInt(std::floor(from));
    span.last = std::max(span.first, clampToInt(std::ceil(to) - 1));
    return span;
}

// The label `text` of the tick at `position` as a candidate, with the ink it would show along
// the axis; left out when it cannot stand whole within the axis length. `end`: the tick is the
// first or last of the scale.
void AxisLayoutBuilder::addCandidate(Candidates &candidates, int tick, qint64 number, bool end,
                                     bool zero, int position, const QString &text) const
{
    const QRect box = metrics.boundingRect(text);
    candidates.largestAcross = std::max(candidates.largestAcross, across(box));
    const QPoint centred = labelOrigin(position, box);
    const QPoint kept = keptWithinLength(centred, box);
    const bool vertical = settings.vertical;
    const int first = vertical ? clampedSum(kept.y(), box.top()) : clampedSum(kept.x(), box.left());
    const int last =
            vertical ? clampedSum(kept.y(), box.bottom()) : clampedSum(kept.x(), box.right());
    if (first < 0 || last > clampedSum(settings.length, -1))
        return;
    LabelChoice::Candidate candidate = inkAlong(text, kept);
    candidate.number = number;
    candidate.moved = kept != centred;
    candidate.end = end;
    candidate.zero = zero;
    candidates.spans.append(candidate);
    candidates.ticks.append(tick);
    candidates.texts.append(placed(text, kept, box));
    candidates.across.append(across(box));
}

// A label with its base line starting at `origin` (the ticks' base line at 0), as drawing
// takes it: along the axis, and across beyond the reach of the ticks.
AxisLayout::Text AxisLayoutBuilder::placed(const QString &text, const QPoint &origin,
                                           const QRect &box) const
{
    return {text, settings.vertical ? origin.y() : origin.x(),
            settings.vertical ? 0 : box.height()};
}

// Asks the choice among `candidates` (ascending values): the `preferred` ones (indexes) when
// given and they settle, else every m-th tick from m = fromInterval on, else a single label;
// and adopts it. The texts keep at least the advance of a "0" between their ink, the
// multiplier of a scaled linear axis included.
LabelChoice::Result AxisLayoutBuilder::choose(const Candidates &candidates,
                                              const QVector<int> *preferred, qint64 fromInterval)
{
    LabelChoice choice(candidates.spans, metrics.horizontalAdvance(QLatin1Char('0')));
    if (!multiplierText.isEmpty()) {
        const LabelChoice::Candidate ink =
                inkAlong(multiplierText, multiplierOrigin(multiplierBox));
        choice.setMultiplier(ink.first, ink.last);
    }
    const LabelChoice::Result chosen =
            preferred ? choice.choose(*preferred, fromInterval) : choice.choose(fromInterval);
    labelledTicks.clear();
    labelledTexts.clear();
    for (const int i : chosen.labelled) {
        labelledTicks.append(candidates.ticks.at(i));
        labelledTexts.append(candidates.texts.at(i));
    }
    result.multiplierShown = chosen.multiplierShown;
    return chosen;
}

// The widest (or tallest) of the chosen labels.
int AxisLayoutBuilder::largestLabelledExtent(const Candidates &candidates,
                                             const LabelChoice::Result &chosen)
{
    int largest = 0;
    for (const int i : chosen.labelled)
        largest = std::max(largest, candidates.across.at(i));
    return largest;
}

// The multiplier stands at the end of the largest values: right-aligned at the end of a
// horizontal axis on the labels' base line, at the top of a vertical axis just beyond the
// ticks' reach. Gives the start of its base line for its bounding rectangle `box`, with the
// base line of the ticks at 0.
QPoint AxisLayoutBuilder::multiplierOrigin(const QRect &box) const
{
    const int beyondTick = clampedSum(0, settings.tickSize);
    if (settings.vertical)
        return {clampedSum(beyondTick, 1 - box.left()), -box.top()};
    return {clampedSum(clampedSum(settings.length, -1), -box.right()),
            clampedSum(beyondTick, box.height())};
}

// The ticks of the division where drawing puts them, the chosen labels and the multiplier
// where they stand: the ticks of a logarithmic scale without a decade only when they carry the
// labels.
void AxisLayoutBuilder::layOutTicks()
{
    const bool shown = !settings.logarithmic || scale.hasDecades() || minorTicksLabelled;
    const ScaleDivision::Ticks ticks = shown ? scale.ticks() : ScaleDivision::Ticks();
    const ScaleMap onScreen = map();
    result.marks.reserve(ticks.size());
    int next = 0;
    for (int i = 0; i < ticks.size(); ++i) {
        AxisLayout::Mark mark;
        onScreen.tickPosition(ticks.at(i), mark.position);
        mark.major = ticks.at(i).major;
        if (next < labelledTicks.size() && labelledTicks.at(next) == i) {
            mark.label = result.labels.size();
            result.labels.append(labelledTexts.at(next++));
        }
        result.marks.append(mark);
    }
    if (multiplierText.isEmpty())
        return;
    const QPoint at = multiplierOrigin(multiplierBox);
    result.multiplier = {multiplierText, settings.vertical ? at.y() : at.x(),
                         settings.vertical ? 1 - multiplierBox.left() : multiplierBox.height()};
}
