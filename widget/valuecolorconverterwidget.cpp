#include "valuecolorconverterwidget.h"

#include "barlinefiller.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

namespace {
// A horizontal bar keeps at least this many pixel rows (a vertical bar this many columns)
// beside the labels; below it the labels are left out and the bar takes the whole widget.
constexpr int minimumBarWithLabels = 5;
} // namespace

ValueColorConverterWidget::ValueColorConverterWidget(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
    setMinimumSize(10, 10);
    // The axis spans the default rules from the start, not the -1..1 of unset limits.
    updateLimits();
}

ValueColorConverterWidget::~ValueColorConverterWidget() = default;

ValueColorConverterWidget::ControlOrientation ValueColorConverterWidget::orientation() const
{
    return axis.isVertical() ? Vertical : Horizontal;
}

// Runs in full on every call, also when the orientation stays: the axis gets the length
// along its (new) direction and is prepared.
void ValueColorConverterWidget::setOrientation(ControlOrientation orientation)
{
    const bool vertical = orientation == Vertical;
    axis.setVertical(vertical);
    if (vertical)
        axis.setHeight(height());
    else
        axis.setWidth(width());
    prepareAxis();
    update();
}

bool ValueColorConverterWidget::logarithmic() const
{
    return ruleSet.isLogarithmic();
}

// Switching on may purge the first rules: the axis is fitted to the rules that remain. An
// empty set keeps the limits it had, as clearing does, so the scale does not jump.
void ValueColorConverterWidget::setLogarithmic(bool on)
{
    ruleSet.setLogarithmic(on);
    axis.setLogarithmic(on);
    if (!ruleSet.ruleList().isEmpty())
        updateLimits();
    prepareAxis();
    update();
}

bool ValueColorConverterWidget::axisShowLabels() const
{
    return axis.isAxisShowLabels();
}

void ValueColorConverterWidget::setAxisShowLabels(bool show)
{
    axis.setAxisShowLabels(show);
    prepareAxis();
    update();
}

int ValueColorConverterWidget::axisTickSize() const
{
    return axis.getAxisTickSize();
}

// Stored only: the tick length changes at the next repaint, the thickness at the next
// preparation.
void ValueColorConverterWidget::setAxisTickSize(int size)
{
    axis.setAxisTickSize(size);
}

QColor ValueColorConverterWidget::axisColor() const
{
    return axis.getAxisColor();
}

void ValueColorConverterWidget::setAxisColor(const QColor &color)
{
    axis.setAxisColor(color);
    update();
}

QColor ValueColorConverterWidget::axisLabelColor() const
{
    return axis.getAxisLabelColor();
}

void ValueColorConverterWidget::setAxisLabelColor(const QColor &color)
{
    axis.setAxisLabelColor(color);
    update();
}

double ValueColorConverterWidget::absMinForLogScale() const
{
    return axis.getAbsMinForLogScale();
}

// Stored only; takes effect at the next preparation.
void ValueColorConverterWidget::setAbsMinForLogScale(double value)
{
    axis.setAbsMinForLogScale(value);
}

QColor ValueColorConverterWidget::imageBorderColor() const
{
    return imageBorderColorValue;
}

void ValueColorConverterWidget::setImageBorderColor(const QColor &color)
{
    imageBorderColorValue = color;
    update();
}

bool ValueColorConverterWidget::imageBorder() const
{
    return imageBorderValue;
}

void ValueColorConverterWidget::setImageBorder(bool on)
{
    imageBorderValue = on;
    update();
}

// A replaced colour (false) changes no limits but is shown at once.
bool ValueColorConverterWidget::addRule(double value, const QColor &color)
{
    const bool added = ruleSet.addRule(value, color);
    if (added)
        updateLimits();
    else
        update();
    return added;
}

bool ValueColorConverterWidget::removeRule(double value)
{
    const bool removed = ruleSet.removeRule(value);
    if (removed)
        updateLimits();
    return removed;
}

// Compares with the axis's effective (ordered, widened) limits, so a single rule always
// reaches setLimits; the axis itself then decides whether anything changed.
void ValueColorConverterWidget::updateLimits()
{
    double lower = 0;
    double upper = 0;
    axis.getLimits(lower, upper);
    const double min = ruleSet.getMin();
    const double max = ruleSet.getMax();
    if (!(min == lower) || !(max == upper)) {
        axis.setLimits(min, max);
        prepareAxis();
    }
    update();
}

void ValueColorConverterWidget::prepareAxis()
{
    axis.prepare(QFontMetrics(font()));
}

// The axis's thickness and label room depend on the font's metrics.
void ValueColorConverterWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        axis.requestPreparation();
        prepareAxis();
        update();
    }
    QWidget::changeEvent(event);
}

void ValueColorConverterWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.eraseRect(QRectF(0, 0, width(), height()));
    if (axis.isVertical())
        drawVertical(painter);
    else
        drawHorizontal(painter);
}

// The bar runs from row 0 to the base line; ticks are centred on the base line and labels
// go below it when there is room for them.
void ValueColorConverterWidget::drawHorizontal(QPainter &painter)
{
    const int w = width();
    int baseLine = height() - 1;
    bool labelsFit = false;
    if (axis.isAxisShowLabels()) {
        const int candidate = (height() - 1) - axis.height();
        if (candidate >= minimumBarWithLabels) {
            baseLine = candidate;
            labelsFit = true;
        }
    }
    // One pixel column at a time in its own colour: the pixels of a one-pixel line.
    BarLineFiller filler(painter);
    for (int x = 0; x < w; ++x)
        filler.fill(QRect(x, 0, 1, baseLine + 1), ruleSet.convert(axis.screenToValue(x)));
    axis.drawScaleHorizontal(painter, baseLine, labelsFit);
    if (imageBorderValue) {
        painter.setPen(imageBorderColorValue);
        painter.drawRect(0, 0, w - 1, baseLine);
    }
}

// The same turned by a quarter: rows from the bottom up, since values grow upward.
void ValueColorConverterWidget::drawVertical(QPainter &painter)
{
    const int h = height();
    int baseLine = width() - 1;
    bool labelsFit = false;
    if (axis.isAxisShowLabels()) {
        const int candidate = (width() - 1) - axis.width();
        if (candidate >= minimumBarWithLabels) {
            baseLine = candidate;
            labelsFit = true;
        }
    }
    BarLineFiller filler(painter);
    for (int y = h - 1; y >= 0; --y)
        filler.fill(QRect(0, y, baseLine + 1, 1), ruleSet.convert(axis.screenToValue(y)));
    axis.drawScaleVertical(painter, baseLine, labelsFit);
    if (imageBorderValue) {
        painter.setPen(imageBorderColorValue);
        painter.drawRect(0, 0, baseLine, h - 1);
    }
}

// Only the length along the bar reaches the axis; the other dimension is read at paint time.
void ValueColorConverterWidget::resizeEvent(QResizeEvent *event)
{
    if (axis.isVertical()) {
        if (event->oldSize().height() == height())
            return;
        axis.setHeight(height());
    } else {
        if (event->oldSize().width() == width())
            return;
        axis.setWidth(width());
    }
    prepareAxis();
    update();
}

// 1 for the left, 2 for the right button, 0 for any other.
int ValueColorConverterWidget::buttonCode(const QMouseEvent *event) const
{
    switch (event->button()) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    default:
        return 0;
    }
}

void ValueColorConverterWidget::mousePressEvent(QMouseEvent *event)
{
    const int button = buttonCode(event);
    if (button == 0)
        return;
    const QPoint global = mapToGlobal(event->pos());
    emit mouseDown(button, global.x(), global.y());
}

void ValueColorConverterWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int button = buttonCode(event);
    if (button == 0)
        return;
    const QPoint global = mapToGlobal(event->pos());
    emit mouseDoubleClick(button, global.x(), global.y());
}
