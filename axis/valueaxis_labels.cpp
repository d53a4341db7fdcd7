#include "valueaxis.h"

#include "axisnumbers.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

using AxisNumbers::clampedSum;
using AxisNumbers::clampToInt;

// Which ticks carry a label, for both scales: the axis measures every label where drawing
// would put it (an end label moved inward to stay whole counts where it is moved to), hands
// the spans of their ink to a LabelChoice, and adopts the ticks it chooses.

void ValueAxis::clearLabelChoice()
{
    labelledTicks.clear();
    multiplierShown = false;
    minorTicksLabelled = false;
}

// The label `text` of the tick at `position` as a candidate, with the ink it would show along
// the axis; left out when it cannot stand whole within the axis length. `end`: the tick is the
// first or last of the scale.
void ValueAxis::addLabelCandidate(LabelCandidates &candidates, int tick, qint64 number, bool end,
                                  bool zero, int position, const QString &text,
                                  const QFontMetrics &metrics) const
{
    const QRect box = metrics.boundingRect(text);
    const QPoint centred = labelOrigin(metrics, vertical, position, 0, box);
    const QPoint kept = keptWithinLength(centred, box, vertical);
    const int first = vertical ? clampedSum(kept.y(), box.top()) : clampedSum(kept.x(), box.left());
    const int last =
            vertical ? clampedSum(kept.y(), box.bottom()) : clampedSum(kept.x(), box.right());
    if (first < 0 || last > clampedSum(length(), -1))
        return;
    LabelChoice::Candidate candidate = inkAlong(text, kept, metrics);
    candidate.number = number;
    candidate.moved = kept != centred;
    candidate.end = end;
    candidate.zero = zero;
    candidates.spans.append(candidate);
    candidates.ticks.append(tick);
    candidates.texts.append(text);
}

// The first and last pixel along the axis that the ink of `text` covers when its base line
// starts at `origin`: the digits a reader sees, without the room above and below them that
// the line box of the font adds.
LabelChoice::Candidate ValueAxis::inkAlong(const QString &text, const QPoint &origin,
                                           const QFontMetrics &metrics) const
{
    const QRectF ink = QFontMetricsF(metrics).tightBoundingRect(text);
    const double from = vertical ? origin.y() + ink.top() : origin.x() + ink.left();
    const double to = vertical ? origin.y() + ink.bottom() : origin.x() + ink.right();
    LabelChoice::Candidate span;
    span.first = clampToInt(std::floor(from));
    span.last = std::max(span.first, clampToInt(std::ceil(to) - 1));
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

// Asks the choice among `candidates` (ascending values): the `preferred` ones (indexes) when
// given and they settle, else every m-th tick from m = fromInterval on, else a single label;
// and adopts it. The texts keep at least the advance of a "0" between their ink, the
// multiplier of a scaled linear axis included; a logarithmic scale has no multiplier, whatever
// a linear preparation left in exponentText.
LabelChoice::Result ValueAxis::chooseLabels(const LabelCandidates &candidates,
                                            const QVector<int> *preferred, qint64 fromInterval,
                                            const QFontMetrics &metrics)
{
    LabelChoice choice(candidates.spans, metrics.horizontalAdvance(QLatin1Char('0')));
    if (!logarithmic && !exponentText.isEmpty()) {
        const QRect box = metrics.boundingRect(exponentText);
        const LabelChoice::Candidate ink =
                inkAlong(exponentText, multiplierOrigin(box, vertical, 0), metrics);
        choice.setMultiplier(ink.first, ink.last);
    }
    const LabelChoice::Result chosen =
            preferred ? choice.choose(*preferred, fromInterval) : choice.choose(fromInterval);
    labelledTicks.clear();
    for (const int i : chosen.labelled)
        labelledTicks.append(candidates.ticks.at(i));
    multiplierShown = chosen.multiplierShown;
    return chosen;
}

// The widest (or tallest) of the chosen labels.
int ValueAxis::largestLabelledExtent(const LabelCandidates &candidates,
                                     const LabelChoice::Result &chosen, bool width,
                                     const QFontMetrics &metrics)
{
    int largest = 0;
    for (const int i : chosen.labelled) {
        const QRect r = metrics.boundingRect(candidates.texts.at(i));
        largest = std::max(largest, width ? r.width() : r.height());
    }
    return largest;
}
