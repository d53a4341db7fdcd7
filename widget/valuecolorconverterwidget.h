#ifndef VALUECOLORCONVERTERWIDGET_H
#define VALUECOLORCONVERTERWIDGET_H

#include "ruleset.h"
#include "valueaxis.h"

#include <QColor>
#include <QWidget>

class DirectPainter;

// The colour scale on screen: a bar filled one pixel line at a time with the colour the rule
// set gives the axis value of that line, the axis's ticks and labels beside it, and a border
// around the bar. It owns one rule set and one axis by value, keeps the axis limits equal to
// the span of the rules, and reports left and right presses and double clicks as signals
// carrying the button code and the global position.
class ValueColorConverterWidget : public QWidget
{
    Q_OBJECT
    // The property table is read and written by name by the host: its order is an interface.
    Q_PROPERTY(ControlOrientation orientation READ orientation WRITE setOrientation)
    Q_PROPERTY(bool logarithmic READ logarithmic WRITE setLogarithmic)
    Q_PROPERTY(bool axisShowLabels READ axisShowLabels WRITE setAxisShowLabels)
    Q_PROPERTY(int axisTickSize READ axisTickSize WRITE setAxisTickSize)
    Q_PROPERTY(QColor axisColor READ axisColor WRITE setAxisColor)
    Q_PROPERTY(QColor axisLabelColor READ axisLabelColor WRITE setAxisLabelColor)
    Q_PROPERTY(double absMinForLogScale READ absMinForLogScale WRITE setAbsMinForLogScale)
    Q_PROPERTY(QColor imageBorderColor READ imageBorderColor WRITE setImageBorderColor)
    Q_PROPERTY(bool imageBorder READ imageBorder WRITE setImageBorder)

public:
    // A fixed underlying type: the host may write any integer, and every value other than
    // Vertical means horizontal.
    enum ControlOrientation : int { Horizontal = 0, Vertical = 1 };
    Q_ENUM(ControlOrientation)

    explicit ValueColorConverterWidget(QWidget *parent = nullptr,
                                       Qt::WindowFlags flags = Qt::WindowFlags());
    ~ValueColorConverterWidget() override;

    // properties
    ControlOrientation orientation() const;
    void setOrientation(ControlOrientation orientation);
    bool logarithmic() const;
    void setLogarithmic(bool on);
    bool axisShowLabels() const;
    void setAxisShowLabels(bool show);
    int axisTickSize() const;
    void setAxisTickSize(int size);
    QColor axisColor() const;
    void setAxisColor(const QColor &color);
    QColor axisLabelColor() const;
    void setAxisLabelColor(const QColor &color);
    double absMinForLogScale() const;
    void setAbsMinForLogScale(double value);
    QColor imageBorderColor() const;
    void setImageBorderColor(const QColor &color);
    bool imageBorder() const;
    void setImageBorder(bool on);

    // rule editing; true only when a rule was created or removed
    bool addRule(double value, const QColor &color);
    bool removeRule(double value);
    void updateLimits();

    // read-only view of the axis, for tests and tools
    const ValueAxis &valueAxis() const { return axis; }

    // the rules; used directly by the script interface to convert, list and clear
    RuleSet ruleSet;

Q_SIGNALS:
    void mouseDown(int button, int x, int y);
    void mouseDoubleClick(int button, int x, int y);

protected:
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    Q_DISABLE_COPY(ValueColorConverterWidget)

    void prepareAxis();
    void followBackgroundOpacity();
    int barBaseLine(bool &labelsFit) const;
    QRect alongAcross(int along, int across, int length, int thickness) const;
    int barLength() const;
    void drawBar(DirectPainter &direct, int baseLine);
    void drawBorder(QPainter &painter, DirectPainter &direct, int baseLine);
    int buttonCode(const QMouseEvent *event) const;

    ValueAxis axis;
    QColor imageBorderColorValue = Qt::gray;
    bool imageBorderValue = true;
};

#endif // VALUECOLORCONVERTERWIDGET_H
