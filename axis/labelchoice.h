#ifndef LABELCHOICE_H
#define LABELCHOICE_H

#include <QVector>
#include <QtGlobal>

// Which ticks of an axis carry a label, decided on plain numbers: where each label would be
// drawn, where the multiplier stands and the distance texts must keep. It knows no fonts,
// painters or axes; the axis measures its labels, asks, and draws what it is told.
//
// The rules, in the order they are applied to one choice of labels:
// - every m-th tick: the labels are those whose numbers on the labelling grid are multiples of
//   m, for the finest m of 1, 2, 5, 10, 20, 50 ... that settles (below); the grid numbers
//   count from 0, so the tick of 0 is labelled wherever there is one;
// - neighbours must keep the distance, or m is too fine, except where one of them is an end
//   label moved inward (below);
// - the multiplier: labels that come closer to it than the distance give way to it, except the
//   first (smallest) label; when that one comes too close, the choice fails;
// - the ends win: the label of the first or last tick, moved inward, wins over its neighbour
//   when the two crowd each other, unless the neighbour is the label of 0: then the end gives
//   way; of two labels alone neither wins over the other;
// - after that every two neighbours keep the distance;
// - the labels read as one step: with fewer than two labels between the first and the last,
//   the distances between them are equal ("0.5 0.6 0.65" does not read so), and two
//   neighbours of an every-m-th choice stand m ticks apart (over the ticks 5 to 9, "5 7 9"
//   is not every tick, "6 8" is every second).
// Where no m settles two labels or more, one label is chosen: that of 0 when it settles, else
// the first that settles; where none does, none.
//
// The decade labels of a logarithmic scale are first thinned by their summed extent alone
// (thinDecades): every n-th decade for n = 1, 2, 3 ... until the extents of the labels it
// keeps add up to less than the room along the axis. The interval found is what the choice
// above then prefers.
class LabelChoice
{
public:
    // One label as it would be drawn: `number` places its tick on the labelling grid, `first`
    // and `last` are the first and last pixel of its ink along the axis, `moved` tells that it
    // was moved inward off its tick to stay whole, `end` that its tick is the first or last of
    // the scale, and `zero` that it is the label of 0. Candidates come in ascending order of
    // value.
    struct Candidate
    {
        qint64 number = 0;
        int first = 0;
        int last = 0;
        bool moved = false;
        bool end = false;
        bool zero = false;
    };
    using Candidates = QVector<Candidate>;

    // The labelled candidates (indexes, ascending); the interval m of the every-m-th choice,
    // 0 when the preferred labels were kept, the number of candidates for a single label and
    // -1 for none; whether the multiplier is shown (only beside a label).
    struct Result
    {
        QVector<int> labelled;
        qint64 interval = -1;
        bool multiplierShown = false;
    };

    // The outcome of the decade thinning: whether it fits, the interval of the labels to
    // prefer, and which decades (indexes) the fitting pass measured. The interval is one more
    // than the one that fits, except where only two labels fit: then it is the number of
    // decades (the first decade alone), or 1 when there are just two.
    struct Thinning
    {
        bool fits = false;
        int interval = 1;
        QVector<int> measured;
    };
    // `extents`: the decade labels' extents along the axis, one per decade in order
    static Thinning thinDecades(const QVector<int> &extents, int avail);

    LabelChoice(Candidates candidates, int distance);
    // the multiplier's ink along the axis; without this call there is none
    void setMultiplier(int first, int last);

    // every m-th tick from m = fromInterval on, then a single label
    Result choose(qint64 fromInterval = 1) const;
    // `preferred` (indexes, ascending) when it settles, else as choose(fromInterval)
    Result choose(const QVector<int> &preferred, qint64 fromInterval) const;

private:
    bool crowded(const Candidate &a, const Candidate &b) const;
    bool crowded(int a, int b) const;
    bool crowdsMultiplier(int label) const;
    bool winsAsEnd(int label) const;
    bool settle(QVector<int> &labels, qint64 interval) const;
    bool apartUnlessEnds(const QVector<int> &labels) const;
    bool giveWayToMultiplier(QVector<int> &labels) const;
    void endsWin(QVector<int> &labels) const;
    bool allApart(const QVector<int> &labels) const;
    bool readAsOneStep(const QVector<int> &labels, qint64 interval) const;
    QVector<int> everyMth(qint64 m) const;
    Result single() const;
    Result result(const QVector<int> &labels, qint64 interval) const;

    Candidates candidates;
    int distance = 0;
    bool hasMultiplier = false;
    Candidate multiplier;
};

#endif // LABELCHOICE_H
