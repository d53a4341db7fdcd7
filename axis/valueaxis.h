#ifndef VALUEAXIS_H
#define VALUEAXIS_H

#include "labelchoice.h"
#include "scaledivision.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QVector>

QT_FORWARD_DECLARE_CLASS(QFontMetrics)
QT_FORWARD_DECLARE_CLASS(QPainter)
class DirectPainter;

// The numeric scale beside the colour bar. The rectangle holds the length along the axis
// (set by the owner) and the thickness across it (set by preparation); left and top stay 0.
// Scale computation is deferred: changes of limits, length, mode or labels only mark the
// axis, and prepare() does the work. Mapping and drawing read what was prepared last and
// never prepare. Offset 0 is the left end of a horizontal axis (smallest values) and the top
// of a vertical one (largest values).
//
// Which ticks carry a label is settled at preparation, so that no two texts on the axis come
// closer than the width of a "0" and none is cut by the axis's ends; drawing follows that
// choice. The axis measures the labels; LabelChoice decides.
//
// The class spans four sources: valueaxis.cpp (model, limits, mapping, thickness, drawing
// shared by both scales), valueaxis_lin.cpp (linear scale), valueaxis_log.cpp (logarithmic
// scale) and valueaxis_labels.cpp (the labels measured for the choice, where labels stand).
class ValueAxis final : public QRect
{
public:
    ValueAxis();

    // length and thickness; mark the axis when the length along its direction changes
    virtual void setWidth(int width);
    virtual void setHeight(int height);

    // settings
    void setLogarithmic(bool on);
    bool isLogarithmic() const { return logarithmic; }
    void setAxisShowLabels(bool show);
    bool isAxisShowLabels() const { return axisShowLabels; }
    void setVertical(bool on);
    bool isVertical() const { return vertical; }
    void setAxisTickSize(int size);
    int getAxisTickSize() const { return axisTickSize; }
    void setAxisColor(const QColor &color) { axisColor = color; }
    const QColor &getAxisColor() const { return axisColor; }
    void setAxisLabelColor(const QColor &color);
    const QColor &getAxisLabelColor() const { return axisLabelColor; }
    void setAbsMinForLogScale(double value);
    double getAbsMinForLogScale() const { return absMinForLogScale; }

    // limits
    void setLimits(double min, double max);
    void getLimits(double &min, double &max) const;
    double getMinLimit() const { return minLimit; }
    double getMaxLimit() const { return maxLimit; }

    // preparation
    bool prepare(const QFontMetrics &metrics);
    bool isPreparationNeeded() const { return needsPreparation; }
    // for changes the axis cannot see, such as a new font of the owner
    void requestPreparation() { needsPreparation = true; }

    // prepared scale, read-only for the owner
    const ScaleDivision &scaleDivision() const { return division; }
    double getScaleMin() const { return division.start(); }
    double getScaleMax() const { return division.end(); }
    double getLogScaleMin() const { return division.logStart(); }
    double getLogScaleMax() const { return division.logEnd(); }
    double getScaleFactor() const { return division.factor(); }
    double getExponent() const { return division.exponent(); }
    int getLabelInterval() const { return labelInterval; }
    const QString &getExponentText() const { return exponentText; }

    // mapping
    bool valueToScreen(double value, int &position) const;
    double screenToValue(int position) const;

    // drawing
    void drawScaleHorizontal(QPainter &painter, int baseLine, bool labels);
    void drawScaleVertical(QPainter &painter, int baseLine, bool labels);

    // label texts: a linear tick value in scaled units, a decade of the logarithmic scale
    void makeLinLabel(double value, QString &text);
    static void makeLogLabel(int decade, QString &text);
    // the value of major tick k of a prepared linear scale (scaled units); false beyond it
    bool linTick(int k, double &value) const;

    // Drawing keeps the labels' texts, boxes and layouts (see LabelLayout); false lays every
    // label out anew and draws it with QPainter::drawText, for comparison.
    void setLabelLayoutsKept(bool keep);

private:
    // the counts of one thinning pass over the decade labels
    struct LogLabelPass
    {
        int count = 0;
        int decades = 0;
        double sum = 0;
        int across = 0;
    };

    // Every label that could be drawn, as the label choice takes it, with the tick each one
    // belongs to (in drawing order) and its text.
    struct LabelCandidates
    {
        LabelChoice::Candidates spans;
        QVector<int> ticks;
        QStringList texts;
    };

    // One tick as drawing puts it: its offset along the axis, whether it is major, whether
    // it carries a label and the value or decade that label names.
    struct TickMark
    {
        int position = 0;
        bool major = true;
        bool labelled = false;
        bool decade = false;
        double labelValue = 0;
    };

    // A label's text, its bounding rectangle and its layout, kept from one drawing to the
    // next: formatting, measuring and shaping eleven labels cost more than all the rest of a
    // repaint. They hold for one preparation, font and resolution: preparation, a new label
    // colour and drawing with another font or resolution drop them.
    struct LabelLayout
    {
        double value = 0; // the tick value or decade it was made for
        QString text;
        QRect box;
        QStaticText layout;
    };

    // model, mapping and thickness
    int length() const;
    int offsetBelowScale() const;
    int offsetAboveScale() const;
    bool valueToScreenLin(double value, int &position) const;
    bool valueToScreenLog(double value, int &position) const;
    int offsetOnScale(double t) const;
    void calculateMinWidth(int labelWidth, const QFontMetrics &metrics);
    void calculateMinHeight(int labelHeight, const QFontMetrics &metrics);
    int exponentTextExtent(bool width, const QFontMetrics &metrics);
    void clearThickness();

    // drawing helpers shared by both scales
    void drawScale(QPainter &painter, bool verticalAxis, int baseLine, bool labels);
    static void drawTick(DirectPainter &direct, bool verticalAxis, int position, int baseLine,
                         int reach);
    QPoint labelOrigin(const QFontMetrics &metrics, bool verticalAxis, int position, int baseLine,
                       const QRect &box) const;
    void drawLabel(QPainter &painter, const QFontMetrics &metrics, bool verticalAxis, int position,
                   int baseLine, const LabelLayout &label) const;

    // which ticks carry a label
    void clearLabelChoice();
    void addLabelCandidate(LabelCandidates &candidates, int tick, qint64 number, bool end,
                           bool zero, int position, const QString &text,
                           const QFontMetrics &metrics) const;
    LabelChoice::Candidate inkAlong(const QString &text, const QPoint &origin,
                                    const QFontMetrics &metrics) const;
    QPoint keptWithinLength(QPoint origin, const QRect &box, bool verticalAxis) const;
    LabelChoice::Result chooseLabels(const LabelCandidates &candidates,
                                     const QVector<int> *preferred, qint64 fromInterval,
                                     const QFontMetrics &metrics);
    static int largestLabelledExtent(const LabelCandidates &candidates,
                                     const LabelChoice::Result &chosen, bool width,
                                     const QFontMetrics &metrics);

    // kept label layouts
    void dropLabelLayouts();
    void keepLabelLayoutsFor(const QPainter &painter);
    LabelLayout laidOut(double value, const QString &text, const QFontMetrics &metrics) const;
    const LabelLayout &labelLayout(int index, double value, bool decade,
                                   const QFontMetrics &metrics);
    const LabelLayout &multiplierLayout(const QFontMetrics &metrics);
    void drawLabelText(QPainter &painter, const QPoint &at, const LabelLayout &label) const;

    // linear scale
    void prepareLinScale(const QFontMetrics &metrics);
    int largestLinLabelExtent(bool width, const QFontMetrics &metrics);
    bool calculateLinLabelsVertical(const QFontMetrics &metrics);
    bool calculateLinLabelsHorizontal(const QFontMetrics &metrics);
    void chooseLinLabels(const QFontMetrics &metrics);
    QPoint multiplierOrigin(const QRect &box, bool verticalAxis, int baseLine) const;

    // logarithmic scale
    void prepareLogScale(const QFontMetrics &metrics);
    double raisedForLogScale(double limit) const;
    void prepareLogScaleWithoutLabels(double lo, double hi);
    bool prepareLogScaleVerticalWithLabels(double lo, double hi, const QFontMetrics &metrics);
    bool prepareLogScaleHorizontalWithLabels(double lo, double hi, const QFontMetrics &metrics);
    bool thinLogLabels(int first, int last, int avail, bool alongIsHeight,
                       const QFontMetrics &metrics, int &across);
    static LogLabelPass measureLogLabels(int first, int last, int interval, bool alongIsHeight,
                                         const QFontMetrics &metrics);
    bool logValueToScreenVertical(double logValue, int &position) const;
    bool logValueToScreenHorizontal(double logValue, int &position) const;
    bool logTickPosition(bool verticalAxis, double logValue, int &position) const;
    void chooseLogLabels(const QFontMetrics &metrics, bool thinned);
    LabelCandidates decadeCandidates(const QFontMetrics &metrics) const;
    LabelCandidates minorTickCandidates(const QFontMetrics &metrics);
    void layOutTicks();

    QColor axisColor = Qt::black;
    QColor axisLabelColor = Qt::black;
    int axisTickSize = 5;
    bool logarithmic = false;
    bool axisShowLabels = false;
    bool vertical = false;
    QString exponentText;
    double minLimit = 0;
    double maxLimit = 0;
    int labelInterval = 1;
    double absMinForLogScale = 1e-10;
    QTextStream labelStream;
    bool needsPreparation = true;
    ScaleDivision division;
    QVector<int> labelledTicks; // the ticks of the division that carry a label, ascending
    QVector<TickMark> tickMarks; // the ticks as drawn, from the last preparation
    bool multiplierShown = false;
    bool minorTicksLabelled = false; // a logarithmic scale without a decade labels 2..9 of one
    bool labelLayoutsKept = true;
    QVector<LabelLayout> labelLayouts;
    LabelLayout multiplierLabel;
    QFont labelFont;
    int labelDpiX = 0;
    int labelDpiY = 0;
    qreal labelRatio = 0;
    Qt::LayoutDirection labelDirection = Qt::LayoutDirectionAuto;
    qreal labelAscent = 0;
    bool labelsAsStaticText = false;
};

#endif // VALUEAXIS_H
