#include "labelchoice.h"

#include <algorithm>
#include <utility>

namespace {

// The largest power of ten of an interval. An axis numbers its ticks below 1e15 (a linear
// scale beyond that counts from its first tick, and there are no more than about 630
// decades), so an interval this long already leaves at most the tick numbered 0.
constexpr qint64 largestDecade = 100000000000000000; // 1e17

// The smallest of 1, 2, 5, 10, 20, 50 ... that is at least `atLeast`; 0 beyond 5e17.
qint64 roundInterval(qint64 atLeast)
{
    for (qint64 decade = 1; decade <= largestDecade; decade *= 10)
        for (const qint64 digit : {1, 2, 5})
            if (digit * decade >= atLeast)
                return digit * decade;
    return 0;
}

quint64 magnitude(qint64 number)
{
    return number < 0 ? 0 - static_cast<quint64>(number) : static_cast<quint64>(number);
}

} // namespace

// Each pass keeps every interval-th decade, counted so that the interval-th is the first kept,
// and so fewer labels than the one before: at most extents.size() + 1 passes.
LabelChoice::Thinning LabelChoice::thinDecades(const QVector<int> &extents, int avail)
{
    Thinning thinning;
    for (int interval = 1;; ++interval) {
        QVector<int> kept;
        double sum = 0;
        for (int i = interval - 1; i < extents.size(); i += interval) {
            kept.append(i);
            sum += extents.at(i);
        }
        if (kept.size() <= 1)
            return thinning;
        if (sum < avail) {
            thinning.fits = true;
            thinning.interval = interval + 1;
            if (kept.size() == 2)
                thinning.interval = extents.size() > 2 ? static_cast<int>(extents.size()) : 1;
            thinning.measured = kept;
            return thinning;
        }
    }
}

LabelChoice::LabelChoice(Candidates candidates, int distance)
    : candidates(std::move(candidates)), distance(distance)
{ }

void LabelChoice::setMultiplier(int first, int last)
{
    hasMultiplier = true;
    multiplier.first = first;
    multiplier.last = last;
}

LabelChoice::Result LabelChoice::choose(qint64 fromInterval) const
{
    quint64 largest = 0;
    for (const Candidate &c : candidates)
        largest = std::max(largest, magnitude(c.number));
    for (qint64 m = roundInterval(fromInterval); m > 0;
         m = static_cast<quint64>(m) > largest ? 0 : roundInterval(m + 1)) {
        QVector<int> labels = everyMth(m);
        if (settle(labels, m) && labels.size() > 1)
            return result(labels, m);
    }
    return single();
}

// Where no two labels settle, a step says nothing: the one label shown is 0 where there is a
// label of 0, else the first (nearest the start of the scale) that settles, not whichever
// tick happens to be a multiple of a coarse step.
LabelChoice::Result LabelChoice::single() const
{
    QVector<int> order;
    for (int i = 0; i < candidates.size(); ++i)
        order.insert(candidates.at(i).zero ? 0 : order.size(), i);
    for (const int i : order) {
        QVector<int> one{i};
        if (settle(one, 0))
            return result(one, candidates.size());
    }
    return result({}, -1);
}

LabelChoice::Result LabelChoice::choose(const QVector<int> &preferred, qint64 fromInterval) const
{
    QVector<int> labels = preferred;
    if (settle(labels, 0))
        return result(labels, 0);
    return choose(fromInterval);
}

// Fewer than `distance` free pixels between the two, or overlapping ones.
bool LabelChoice::crowded(const Candidate &a, const Candidate &b) const
{
    if (a.last < b.first)
        return static_cast<qint64>(b.first) - a.last - 1 < distance;
    if (b.last < a.first)
        return static_cast<qint64>(a.first) - b.last - 1 < distance;
    return true;
}

bool LabelChoice::crowded(int a, int b) const
{
    return crowded(candidates.at(a), candidates.at(b));
}

bool LabelChoice::crowdsMultiplier(int label) const
{
    return crowded(candidates.at(label), multiplier);
}

// Applies the rules to one choice of labels; false when it fails. `interval`: the labels were
// chosen as every interval-th tick (0: they were not).
bool LabelChoice::settle(QVector<int> &labels, qint64 interval) const
{
    if (labels.isEmpty() || !apartUnlessEnds(labels) || !giveWayToMultiplier(labels))
        return false;
    endsWin(labels);
    return allApart(labels) && readAsOneStep(labels, interval);
}

bool LabelChoice::winsAsEnd(int label) const
{
    return candidates.at(label).end && candidates.at(label).moved;
}

bool LabelChoice::apartUnlessEnds(const QVector<int> &labels) const
{
    for (int i = 1; i < labels.size(); ++i) {
        const int a = labels.at(i - 1);
        const int b = labels.at(i);
        if (!winsAsEnd(a) && !winsAsEnd(b) && crowded(a, b))
            return false;
    }
    return true;
}

bool LabelChoice::giveWayToMultiplier(QVector<int> &labels) const
{
    if (!hasMultiplier)
        return true;
    if (crowdsMultiplier(labels.first()))
        return false;
    labels.erase(std::remove_if(labels.begin() + 1, labels.end(),
                                [this](int label) { return crowdsMultiplier(label); }),
                 labels.end());
    return true;
}

void LabelChoice::endsWin(QVector<int> &labels) const
{
    for (const bool atStart : {true, false}) {
        const int n = labels.size();
        if (n < 2)
            continue;
        const int endAt = atStart ? 0 : n - 1;
        const int neighbourAt = atStart ? 1 : n - 2;
        const int end = labels.at(endAt);
        const int neighbour = labels.at(neighbourAt);
        if (!winsAsEnd(end) || !crowded(end, neighbour))
            continue;
        if (candidates.at(neighbour).zero)
            labels.remove(endAt);
        else if (n > 2)
            labels.remove(neighbourAt);
    }
}

bool LabelChoice::allApart(const QVector<int> &labels) const
{
    for (int i = 1; i < labels.size(); ++i)
        if (crowded(labels.at(i - 1), labels.at(i)))
            return false;
    return true;
}

// Three labels stand at equal distances; every m-th labels keep two neighbours m apart, so that
// ends winning over both their neighbours do not leave a step of 2m ("0 0.8" over ticks
// 0, 0.2 ... 1 with m = 2, or "5 7 9" off the multiples of 2 with m = 1).
bool LabelChoice::readAsOneStep(const QVector<int> &labels, qint64 interval) const
{
    const auto distance = [this, &labels](int i) {
        return candidates.at(labels.at(i)).number - candidates.at(labels.at(i - 1)).number;
    };
    if (labels.size() == 3 && distance(1) != distance(2))
        return false;
    if (interval == 0 || labels.size() < 2)
        return true;
    for (int i = 1; i < labels.size(); ++i)
        if (distance(i) == interval)
            return true;
    return false;
}

QVector<int> LabelChoice::everyMth(qint64 m) const
{
    QVector<int> labels;
    for (int i = 0; i < candidates.size(); ++i)
        if (candidates.at(i).number % m == 0)
            labels.append(i);
    return labels;
}

LabelChoice::Result LabelChoice::result(const QVector<int> &labels, qint64 interval) const
{
    Result r;
    r.labelled = labels;
    r.interval = interval;
    r.multiplierShown = hasMultiplier && !labels.isEmpty();
    return r;
}
