#ifndef VALUEAXIS_H
#define VALUEAXIS_H

#include "axislayout.h"
#include "axislayoutbuilder.h"
#include "labeltexts.h"
#include "scaledivision.h"
#include "scalemap.h"

#include <QColor>
#include <QRect>
#include <QString>

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
// The axis owns its settings and the pieces that do the work: preparation divides the scale
// (ScaleDivision) and lays it out in the owner's font (AxisLayoutBuilder, which asks
// LabelChoice which ticks carry a label) into an AxisLayout; mapping is a ScaleMap of the
// division; drawing (AxisDrawing) walks the layout and keeps the label texts' layouts
// (LabelTexts) from one repaint to the next.
class ValueAxis final : public QRect
{
public:
    ValueAxis();

    // length and thickness; mark the axis when the length along its direction changes
    virtual void setWidth(int width);
    virtual void setHeight(int height);

    // settings
    void setLogarithmic(bool on);
    bool isLogarithmic() const { return settings.logarithmic; }
    void setAxisShowLabels(bool show);
    bool isAxisShowLabels() const { return settings.labels; }
    void setVertical(bool on);
    bool isVertical() const { return settings.vertical; }
    void setAxisTickSize(int size);
    int getAxisTickSize() const { return settings.tickSize; }
    void setAxisColor(const QColor &color) { axisColor = color; }
    const QColor &getAxisColor() const { return axisColor; }
    void setAxisLabelColor(const QColor &color);
    const QColor &getAxisLabelColor() const { return axisLabelColor; }
    void setAbsMinForLogScale(double value);
    double getAbsMinForLogScale() const { return settings.absMinForLogScale; }

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
    const AxisLayout &layout() const { return laidOut; }

    // mapping
    bool valueToScreen(double value, int &position) const;
    double screenToValue(int position) const;

    // drawing, with the painter's pen and font; labels only where the owner allows them
    // (`labels`) and preparation chose some
    void drawScaleHorizontal(QPainter &painter, int baseLine, bool labels);
    void drawScaleVertical(QPainter &painter, int baseLine, bool labels);
    // the same in the axis's own orientation, through the repaint's direct painter
    void drawScale(QPainter &painter, DirectPainter &direct, int baseLine, bool labels);

    // Drawing keeps the labels' layouts (see LabelTexts); false lays every label out anew and
    // draws it with QPainter::drawText, for comparison.
    void setLabelLayoutsKept(bool keep) { labelTexts.setKept(keep); }

private:
    int length() const;
    ScaleMap map() const;
    void draw(QPainter &painter, DirectPainter &direct, bool verticalAxis, int baseLine,
              bool labels);

    QColor axisColor = Qt::black;
    QColor axisLabelColor = Qt::black;
    // all but the length, which the rectangle holds
    AxisLayoutBuilder::Settings settings;
    double minLimit = 0;
    double maxLimit = 0;
    bool needsPreparation = true;
    ScaleDivision division;
    AxisLayout laidOut;
    AxisTexts texts;
    LabelTexts labelTexts;
};

#endif // VALUEAXIS_H
