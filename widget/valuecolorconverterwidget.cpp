#include "valuecolorconverterwidget.h"

#include "directpainter.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>

#include <algorithm>
#include <array>

namespace {
// The bar's pixel lines are worked out and put on screen this many at a time, in buffers on
// the stack: a bar of up to this length in one go.
constexpr int barLinesAtOnce = 4096;
} // namespace

ValueColorConverterWidget::ValueColorConverterWidget(QWidget *parent, Qt::WindowFlags flags)
    : QWidget(parent, flags)
{
    setMinimumSize(10, 10);
    followBackgroundOpacity();
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
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        followBackgroundOpacity();
    QWidget::changeEvent(event);
}

// paintEvent erases the whole widget with its background brush. Where that brush is opaque,
// what Qt paints beneath the widget first (its own background, a parent's) is all painted
// over, so Qt is told to skip it: a repaint then costs about half. A translucent brush lets
// what lies beneath show through, which Qt must paint first. The brush comes from the
// palette's current colour group, which follows the enabled state (the parent's too), the
// window's activation and the visibility without any palette change; so Qt skips what lies
// beneath only when the brush is opaque in every group. Palettes, style sheets and a new
// background role (setBackgroundRole sends one too) arrive as PaletteChange.
void ValueColorConverterWidget::followBackgroundOpacity()
{
    const QPalette &colours = palette();
    const QPalette::ColorRole role = backgroundRole();
    const std::array<QPalette::ColorGroup, 3> groups{QPalette::Active, QPalette::Inactive,
                                                     QPalette::Disabled};
    setAttribute(Qt::WA_OpaquePaintEvent,
                 std::all_of(groups.cbegin(), groups.cend(), [&](QPalette::ColorGroup group) {
                     return colours.brush(group, role).isOpaque();
                 }));
}

void ValueColorConverterWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    DirectPainter direct(painter);
    bool labelsFit = false;
    const int baseLine = barBaseLine(labelsFit);
    // An opaque bar covers its own pixels, which need no erasing where it is written directly.
    const QRect bar = alongAcross(0, 0, barLength(), baseLine + 1);
    direct.eraseRect(rect(), ruleSet.isOpaque() ? bar : QRect());
    drawBar(direct, baseLine);
    axis.drawScale(painter, direct, baseLine, labelsFit);
    if (imageBorderValue)
        drawBorder(painter, direct, baseLine);
}

// Both orientations are one layout turned by a quarter: along the bar runs its length (the
// width of a horizontal widget, the height of a vertical one), across it the bar and then the
// axis band. The bar runs across from 0 to the base line, on which the ticks are centred; the
// axis's layout tells where that is and whether its labels fit beyond it.
int ValueColorConverterWidget::barBaseLine(bool &labelsFit) const
{
    const int across = axis.isVertical() ? width() : height();
    return axis.layout().baseLine(across, axis.isAxisShowLabels(), labelsFit);
}

// The rectangle that starts `along` pixels along the bar and `across` pixels across it and is
// `length` long and `thickness` thick.
QRect ValueColorConverterWidget::alongAcross(int along, int across, int length, int thickness) const
{
    return axis.isVertical() ? QRect(across, along, thickness, length)
                             : QRect(along, across, length, thickness);
}

// The widget's extent along the bar: its width when horizontal, its height when vertical.
int ValueColorConverterWidget::barLength() const
{
    return axis.isVertical() ? height() : width();
}

// Every pixel line in its own colour, worked out anew at every repaint: the axis values of a
// run of lines, their colours in one pass (the processor overlaps the divisions of
// neighbouring lines), then the run on screen in one call. Runs go from the first line drawn:
// columns from the left, rows from the bottom up, since values grow upward.
void ValueColorConverterWidget::drawBar(DirectPainter &direct, int baseLine)
{
    const bool vertical = axis.isVertical();
    const int length = barLength();
    std::array<double, barLinesAtOnce> values;
    std::array<QRgba64, barLinesAtOnce> colours;
    int count = 0;
    for (int done = 0; done < length; done += count) {
        count = std::min(barLinesAtOnce, length - done);
        const int first = vertical ? length - done - count : done;
        for (int i = 0; i < count; ++i)
            values[static_cast<size_t>(i)] = axis.screenToValue(first + i);
        ruleSet.convertToRgba64(values.data(), colours.data(), count);
        direct.fillLines(alongAcross(first, 0, count, baseLine + 1),
                         vertical ? Qt::Vertical : Qt::Horizontal, colours.data());
    }
}

// With the one-pixel pen the outline covers the bar exactly: the whole length, and across
// from 0 to the base line.
void ValueColorConverterWidget::drawBorder(QPainter &painter, DirectPainter &direct, int baseLine)
{
    painter.setPen(imageBorderColorValue);
    direct.drawRect(alongAcross(0, 0, barLength() - 1, baseLine));
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
