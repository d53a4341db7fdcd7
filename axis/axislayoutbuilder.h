#ifndef AXISLAYOUTBUILDER_H
#define AXISLAYOUTBUILDER_H

#include "axislayout.h"
#include "axistexts.h"
#include "labelchoice.h"
#include "scaledivision.h"
#include "scalemap.h"

#include <QRect>

QT_FORWARD_DECLARE_CLASS(QFontMetrics)
QT_FORWARD_DECLARE_CLASS(QPoint)

// Prepares an axis: divides its scale, measures the candidate labels in the owner's font
// (their boxes for the room across, their ink for the distances along), lets LabelChoice
// decide which ticks carry one, and gives back the division and the layout.
//
// A logarithmic scale with labels is stretched by half a label at both ends and its decade
// labels thinned until their summed extent fits along the axis (LabelChoice::thinDecades);
// the labels of that thinning are preferred where they keep their distance. A scale that is
// left without a label labels the decades it shows anyway, or, showing none, the minor ticks
// of its one decade.
class AxisLayoutBuilder
{
public:
    // what the axis is set to, with its defaults
    struct Settings
    {
        bool vertical = false;
        bool logarithmic = false;
        bool labels = false;
        int length = 0;
        int tickSize = 5;
        double absMinForLogScale = 1e-10;
    };

    // `texts` formats the labels; it keeps nothing from one text to the next
    AxisLayoutBuilder(const Settings &settings, const QFontMetrics &metrics, AxisTexts &texts);

    // for the effective (ordered, widened) limits
    void build(double min, double max);
    const ScaleDivision &division() const { return scale; }
    const AxisLayout &layout() const { return result; }

private:
    // Every label that could be drawn, as the label choice takes it, with the tick of the
    // division each one belongs to, its text where it stands and its extent across the axis;
    // and the largest extent across of all labels measured, those left out included.
    struct Candidates
    {
        LabelChoice::Candidates spans;
        QVector<int> ticks;
        QVector<AxisLayout::Text> texts;
        QVector<int> across;
        int largestAcross = 0;
    };

    ScaleMap map() const;
    void setThickness(int labelExtent);
    int across(const QRect &box) const;
    // linear scale
    void buildLinear(double min, double max);
    Candidates majorTickCandidates();
    // logarithmic scale
    void buildLogarithmic(double min, double max);
    double raisedForLogScale(double limit) const;
    bool stretchVertically(double lo, double hi);
    bool stretchHorizontally(double lo, double hi);
    bool thinDecades(int first, int last, int avail);
    void chooseLogarithmicLabels(bool thinned);
    Candidates minorTickCandidates();
    // labels
    QPoint labelOrigin(int position, const QRect &box) const;
    QPoint keptWithinLength(QPoint origin, const QRect &box) const;
    LabelChoice::Candidate inkAlong(const QString &text, const QPoint &origin) const;
    void addCandidate(Candidates &candidates, int tick, qint64 number, bool end, bool zero,
                      int position, const QString &text) const;
    AxisLayout::Text placed(const QString &text, const QPoint &origin, const QRect &box) const;
    LabelChoice::Result choose(const Candidates &candidates, const QVector<int> *preferred,
                               qint64 fromInterval);
    static int largestLabelledExtent(const Candidates &candidates,
                                     const LabelChoice::Result &chosen);
    QPoint multiplierOrigin(const QRect &box) const;
    void layOutTicks();

    Settings settings;
    const QFontMetrics &metrics;
    AxisTexts &texts;
    ScaleDivision scale;
    AxisLayout result;
    QString multiplierText;
    QRect multiplierBox;
    QVector<int> labelledTicks; // of the division, ascending
    QVector<AxisLayout::Text> labelledTexts; // theirs
    bool minorTicksLabelled = false; // a logarithmic scale without a decade labels 2..9 of one
};

#endif // AXISLAYOUTBUILDER_H
