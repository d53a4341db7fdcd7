#include "valueaxis.h"

#include <QFontMetrics>

#include <algorithm>

// Which ticks carry a label, for both scales. Labels are chosen at preparation with the
// metrics of the font they will be drawn in, where they will stand: an end label moved inward
// to stay whole counts where it is moved to. No two texts on the axis (labels and the
// multiplier) come closer than the width of a "0". Where every tick cannot be labelled so,
// only the ticks on a larger round step are (1, 2 or 5 times a power of ten, and a whole
// number of tick steps), the smallest step that keeps the distance; where not even two labels
// fit, the one label nearest the start that fits.

namespace {

// The largest power of ten of a label interval in ticks. Tick numbers stay below 1e15 (the
// linear scale counts from its first tick beyond that, and there are no more than about 630
// decades), so an interval this long already leaves at most the tick numbered 0.
constexpr qint64 largestDecade = 100000000000000000; // 1e17

// The smallest m >= atLeast for which m tick steps are 1, 2 or 5 times a power of ten, for a
// tick step of `tickStep` (1, 2 or 5) times a power of ten; 0 when there is none in range.
qint64 roundInterval(qint64 atLeast, int tickStep)
{
    for (qint64 decade = 1; decade <= largestDecade; decade *= 10) {
        for (const qint64 digit : {1, 2, 5}) {
            const qint64 step = digit * decade;
            if (step % tickStep == 0 && step / tickStep >= atLeast)
                return step / tickStep;
        }
    }
    return 0;
}

} // namespace

void ValueAxis::clearLabelChoice()
{
    labelledTicks.clear();
    multiplierShown = false;
    minorTicksLabelled = false;
}

// A label of bounding rectangle `box` for the tick at `position`, where drawing puts it.
ValueAxis::LabelSpan ValueAxis::labelSpan(int tick, qint64 number, int position, const QRect &box,
                                          const QFontMetrics &metrics) const
{
    const QPoint centred = labelOrigin(metrics, vertical, position, 0, box);
    const QPoint kept = keptWithinLength(centred, box, vertical);
    LabelSpan span;
    span.tick = tick;
    span.number = number;
    span.first = vertical ? clampedSum(kept.y(), box.top()) : clampedSum(kept.x(), box.left());
    span.last = vertical ? clampedSum(kept.y(), box.bottom()) : clampedSum(kept.x(), box.right());
    span.moved = kept != centred;
    return span;
}

// Moves a label along the axis just far enough that its box lies within the axis length; a
// label longer than the axis keeps its left or top edge on it.
QPoint ValueAxis::keptWithinLength(QPoint origin, const QRect &box, bool verticalAxis) const
{
    const int last = clampedSum(length(), -1);
    if (verticalAxis)
        origin.setY(std::max(std::min(origin.y(), clampedSum(last, -box.bottom())), -box.top()));
    else
        origin.setX(std::max(std::min(origin.x(), clampedSum(last, -box.right())), -box.left()));
    return origin;
}

// The multiplier of a scaled linear axis, where drawing puts it; false when there is none. A
// logarithmic scale has none, whatever a linear preparation left in exponentText.
bool ValueAxis::multiplierSpan(const QFontMetrics &metrics, LabelSpan &span) const
{
    if (logarithmic || exponentText.isEmpty())
        return false;
    const QRect box = metrics.boundingRect(exponentText);
    const QPoint at = multiplierOrigin(box, vertical, 0);
    span.first = vertical ? clampedSum(at.y(), box.top()) : clampedSum(at.x(), box.left());
    span.last = vertical ? clampedSum(at.y(), box.bottom()) : clampedSum(at.x(), box.right());
    return true;
}

// Fewer than `gap` free pixels between the two spans, or overlapping ones.
bool ValueAxis::crowded(const LabelSpan &a, const LabelSpan &b, int gap)
{
    if (a.last < b.first)
        return static_cast<qint64>(b.first) - a.last - 1 < gap;
    if (b.last < a.first)
        return static_cast<qint64>(a.first) - b.last - 1 < gap;
    return true;
}

// Settles one choice of labels (ascending values): every label lies within the axis and every
// two neighbours centred on their ticks keep the distance; then labels give way where
// giveWay() says, and every two neighbours left keep the distance. False when the choice fails.
bool ValueAxis::settleLabels(LabelSpans &labels, const LabelSpan *multiplier, int gap,
                             bool zeroStays) const
{
    const int last = clampedSum(length(), -1);
    for (int i = 0; i < labels.size(); ++i) {
        const LabelSpan &s = labels.at(i);
        if (s.first < 0 || s.last > last)
            return false;
        if (i > 0 && !s.moved && !labels.at(i - 1).moved && crowded(labels.at(i - 1), s, gap))
            return false;
    }
    if (labels.isEmpty() || !giveWay(labels, multiplier, gap, zeroStays))
        return false;
    for (int i = 1; i < labels.size(); ++i)
        if (crowded(labels.at(i - 1), labels.at(i), gap))
            return false;
    return logarithmic || onTheirStep(labels);
}

// Linear labels read as one step: every labelled tick number is a multiple of the smallest
// distance between two of them. Ends that win over their neighbours can leave every second
// tick labelled off that step ("5 7 9"); a larger round step then labels "6 8" instead.
bool ValueAxis::onTheirStep(const LabelSpans &labels)
{
    qint64 step = 0;
    for (int i = 1; i < labels.size(); ++i) {
        const qint64 distance = labels.at(i).number - labels.at(i - 1).number;
        step = step == 0 ? distance : std::min(step, distance);
    }
    return step <= 1 || std::all_of(labels.cbegin(), labels.cend(), [step](const LabelSpan &s) {
               return s.number % step == 0;
           });
}

// Labels near the multiplier give way to it, except the first; an end label moved inward wins
// over its neighbour when they crowd each other. False when the first label crowds the
// multiplier, or when the label of 0 would have to give way and `zeroStays`.
bool ValueAxis::giveWay(LabelSpans &labels, const LabelSpan *multiplier, int gap, bool zeroStays)
{
    if (multiplier) {
        if (crowded(labels.first(), *multiplier, gap))
            return false;
        const auto nearMultiplier = [&](const LabelSpan &s) {
            return crowded(s, *multiplier, gap);
        };
        labels.erase(std::remove_if(labels.begin() + 1, labels.end(), nearMultiplier),
                     labels.end());
    }
    for (const bool atStart : {true, false}) {
        const int n = labels.size();
        const int end = atStart ? 0 : n - 1;
        const int neighbour = atStart ? 1 : n - 2;
        if (n < 3 || !labels.at(end).moved || !crowded(labels.at(end), labels.at(neighbour), gap))
            continue;
        if (zeroStays && labels.at(neighbour).number == 0)
            return false;
        labels.remove(neighbour);
    }
    return true;
}

// Chooses the labelled ticks among `all` (every tick that could carry a label, ascending
// values, each with its number on the labelling grid): `preferred` when it settles, else the
// ticks whose numbers are multiples of the smallest round interval from `fromInterval` on that
// settles, else the single label nearest the start that settles. Returns the interval in ticks
// (the number of ticks for a single label), or -1 when not even one label fits.
qint64 ValueAxis::chooseLabels(const LabelSpans &all, LabelSpans preferred, int tickStep,
                               qint64 fromInterval, const QFontMetrics &metrics)
{
    const int gap = metrics.horizontalAdvance(QLatin1Char('0'));
    LabelSpan multiplierAt;
    const LabelSpan *multiplier = multiplierSpan(metrics, multiplierAt) ? &multiplierAt : nullptr;
    const bool zeroStays = !logarithmic;
    const bool withMultiplier = multiplier != nullptr;
    if (settleLabels(preferred, multiplier, gap, zeroStays)) {
        adoptLabels(preferred, withMultiplier);
        return 0;
    }
    qint64 largest = 0;
    for (const LabelSpan &s : all)
        largest = std::max(largest, s.number < 0 ? -s.number : s.number);
    for (qint64 m = roundInterval(fromInterval, tickStep); m > 0;
         m = m > largest ? 0 : roundInterval(m + 1, tickStep)) {
        LabelSpans labels;
        for (const LabelSpan &s : all)
            if (s.number % m == 0)
                labels.append(s);
        if (settleLabels(labels, multiplier, gap, zeroStays)) {
            adoptLabels(labels, withMultiplier);
            return m;
        }
    }
    for (const LabelSpan &s : all) {
        LabelSpans one{s};
        if (settleLabels(one, multiplier, gap, zeroStays)) {
            adoptLabels(one, withMultiplier);
            return all.size();
        }
    }
    adoptLabels({}, false);
    return -1;
}

void ValueAxis::adoptLabels(const LabelSpans &labels, bool withMultiplier)
{
    labelledTicks.clear();
    for (const LabelSpan &s : labels)
        labelledTicks.append(s.tick);
    multiplierShown = withMultiplier && !labels.isEmpty();
}

// The widest (or tallest) of the chosen labels; `texts` holds the text of each of `all`.
int ValueAxis::largestLabelledExtent(const LabelSpans &all, const QStringList &texts, bool width,
                                     const QFontMetrics &metrics) const
{
    int largest = 0;
    int next = 0;
    for (int i = 0; i < all.size(); ++i) {
        if (!isLabelledTick(all.at(i).tick, next))
            continue;
        const QRect r = metrics.boundingRect(texts.at(i));
        largest = std::max(largest, width ? r.width() : r.height());
    }
    return largest;
}

// Tells whether the tick numbered `tick` (in drawing order) carries a label; `next` walks
// through the chosen ticks and starts at 0 for each drawing.
bool ValueAxis::isLabelledTick(int tick, int &next) const
{
    if (next >= labelledTicks.size() || labelledTicks.at(next) != tick)
        return false;
    ++next;
    return true;
}
