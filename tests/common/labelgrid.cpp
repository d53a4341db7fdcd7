#include "labelgrid.h"

#include "axistexts.h"
#include "textrecorder.h"
#include "valuecolorconverterwidget.h"

#include <QFont>
#include <QFontMetrics>
#include <QSize>
#include <QStringList>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// The free pixels between two ink boxes along the axis; negative where they overlap.
qreal distanceAlong(const QRectF &a, const QRectF &b, bool vertical)
{
    if (vertical)
        return std::max(a.top(), b.top()) - std::min(a.bottom(), b.bottom());
    return std::max(a.left(), b.left()) - std::min(a.right(), b.right());
}

// A tick that could carry a label: its number on the labelling grid (a linear tick's value in
// tick steps, a decade), its text and its position along the axis.
struct GridTick
{
    qint64 number;
    QString text;
    int position;
};

// The major ticks of a prepared axis: a linear scale's as the axis lists them; the decades at
// their tick positions (both ends of a vertical scale on its first and last pixel, the end of a
// horizontal one beyond its last).
QVector<GridTick> gridTicks(const ValueAxis &axis)
{
    QVector<GridTick> ticks;
    QString text;
    const int length = axis.isVertical() ? axis.height() : axis.width();
    if (axis.isLogarithmic()) {
        const double from = axis.scaleDivision().logStart();
        const double span = axis.scaleDivision().logEnd() - from;
        for (int e = static_cast<int>(std::ceil(from)); e <= axis.scaleDivision().logEnd(); ++e) {
            text = AxisTexts::decade(e);
            const int position = axis.isVertical()
                    ? (length - 1) - static_cast<int>(std::rint((length - 1) * (e - from) / span))
                    : static_cast<int>(std::rint(length * (e - from) / span));
            ticks.append({e, text, position});
        }
        return ticks;
    }
    AxisTexts formatter;
    const ScaleDivision &division = axis.scaleDivision();
    for (const ScaleDivision::Tick &tick : division.ticks()) {
        if (!tick.major)
            continue;
        int position = 0;
        axis.valueToScreen(tick.value * division.factor(), position);
        ticks.append({static_cast<qint64>(std::rint(tick.value / division.step())),
                      formatter.value(tick.value), position});
    }
    return ticks;
}

// Where drawing would put the ink of a label on the tick at `position`: centred on the tick,
// moved inward just far enough for its box to lie within the axis length.
QRectF inkOnTick(const TextRecorder &recorder, const QFont &font, const QString &text, int position,
                 bool vertical, int length)
{
    const QFontMetrics metrics(font);
    const QRect box = metrics.boundingRect(text);
    int along = vertical ? position + (box.height() >> 1) - metrics.descent()
                         : position - (box.width() >> 1);
    const int last = (length - 1) - (vertical ? box.bottom() : box.right());
    along = std::max(std::min(along, last), vertical ? -box.top() : -box.left());
    return recorder.inkBox({text, vertical ? QPointF(0, along) : QPointF(along, 0), font});
}

// the smallest distance between two of the labels' ascending numbers
qint64 smallestStep(const QVector<qint64> &numbers)
{
    qint64 step = LLONG_MAX;
    for (int i = 1; i < numbers.size(); ++i)
        step = std::min(step, numbers.at(i) - numbers.at(i - 1));
    return step;
}

// Empty when the labels' numbers lie on one step: each a whole number of the smallest distance
// between two of them away from the first (`fromFirst`, decades), or else away from 0, where
// that distance is 1, 2, 5, 10, 20 ... ticks.
QString offStep(const QVector<qint64> &numbers, bool fromFirst)
{
    if (numbers.size() < 2)
        return {};
    const qint64 step = smallestStep(numbers);
    qint64 decade = 1;
    while (step > 5 * decade)
        decade *= 10;
    if (!fromFirst && step != decade && step != 2 * decade && step != 5 * decade)
        return QStringLiteral("a step of %1 ticks").arg(step);
    for (const qint64 n : numbers)
        if ((n - (fromFirst ? numbers.first() : 0)) % step != 0)
            return QStringLiteral("%1 is off the step %2").arg(n).arg(step);
    return {};
}

// Empty when the labels between the first and the last stand on one even step; with fewer
// than two between them, the three labels.
QString unevenRun(const QVector<qint64> &numbers)
{
    const int n = numbers.size();
    const int first = n == 3 ? 0 : 1;
    const int last = n == 3 ? 2 : n - 2;
    for (int i = first + 2; i <= last; ++i)
        if (numbers.at(i) - numbers.at(i - 1) != numbers.at(first + 1) - numbers.at(first))
            return QStringLiteral("uneven run at %1").arg(numbers.at(i));
    return {};
}

// The texts a widget draws, with the values of those that are numbers.
struct Drawn
{
    QVector<DrawnText> texts;
    QStringList all;
    QVector<double> values;
    QStringList valueTexts;
};

Drawn drawnTexts(const TextRecorder &recorder)
{
    Drawn drawn;
    drawn.texts = recorder.texts();
    for (const DrawnText &t : drawn.texts) {
        drawn.all << t.text;
        bool number = false;
        const double v = t.text.toDouble(&number);
        if (number) { // else the multiplier
            drawn.values << v;
            drawn.valueTexts << t.text;
        }
    }
    return drawn;
}

// Every text whole inside the widget and apart from every other.
QString cutOrCrowded(const TextRecorder &recorder, const Drawn &drawn, const QRectF &widget,
                     int zero, bool vertical)
{
    const QVector<DrawnText> &texts = drawn.texts;
    for (int i = 0; i < texts.size(); ++i) {
        const QRectF ink = recorder.inkBox(texts.at(i));
        if (!widget.contains(ink))
            return texts.at(i).text + QStringLiteral(" cut");
        for (int j = i + 1; j < texts.size(); ++j)
            if (distanceAlong(ink, recorder.inkBox(texts.at(j)), vertical) < zero)
                return texts.at(i).text + QStringLiteral(" crowds ") + texts.at(j).text;
    }
    return {};
}

// The labels' numbers on the labelling grid; a logarithmic scale without a decade labels its
// minor ticks, numbered by their factor. `onTicks`: every label stands on a major tick.
QVector<qint64> gridNumbers(const Drawn &drawn, const QVector<GridTick> &ticks, bool &onTicks)
{
    QVector<qint64> numbers;
    onTicks = true;
    for (int i = 0; i < drawn.values.size(); ++i) {
        const auto tick = std::find_if(ticks.cbegin(), ticks.cend(), [&](const GridTick &t) {
            return t.text == drawn.valueTexts.at(i);
        });
        onTicks = onTicks && tick != ticks.cend();
        const double v = drawn.values.at(i);
        numbers << (tick != ticks.cend() ? tick->number
                                         : static_cast<qint64>(std::rint(
                                                   v / std::pow(10.0, std::floor(std::log10(v))))));
    }
    return numbers;
}

// A tick on the labels' step left without its label where that label would stand whole and
// keep its distance from every text drawn.
QString leftOut(const TextRecorder &recorder, const ValueColorConverterWidget &widget,
                const Drawn &drawn, const QVector<GridTick> &ticks,
                const QVector<qint64> &numbers, bool fromFirst)
{
    const bool vertical = widget.valueAxis().isVertical();
    const int length = vertical ? widget.height() : widget.width();
    const int zero = QFontMetrics(widget.font()).horizontalAdvance(QLatin1Char('0'));
    const auto keepsDistance = [&](const QRectF &ink) {
        return std::all_of(drawn.texts.cbegin(), drawn.texts.cend(), [&](const DrawnText &t) {
            return distanceAlong(ink, recorder.inkBox(t), vertical) >= zero;
        });
    };
    const qint64 step = smallestStep(numbers);
    for (const GridTick &t : ticks) {
        if ((t.number - (fromFirst ? numbers.first() : 0)) % step != 0 ||
            numbers.contains(t.number))
            continue;
        const QRectF ink =
                inkOnTick(recorder, widget.font(), t.text, t.position, vertical, length);
        const bool whole = vertical ? ink.top() >= 0 && ink.bottom() <= length
                                    : ink.left() >= 0 && ink.right() <= length;
        if (whole && keepsDistance(ink))
            return t.text + QStringLiteral(" fits");
    }
    return {};
}

QString brokenRule(const TextRecorder &recorder, const ValueColorConverterWidget &widget,
                   const Drawn &drawn)
{
    const ValueAxis &axis = widget.valueAxis();
    // a scaled axis shows no number at all where the first would crowd its multiplier
    if (axis.layout().multiplier.text.isEmpty() && drawn.values.isEmpty())
        return QStringLiteral("no number");
    const int zero = QFontMetrics(widget.font()).horizontalAdvance(QLatin1Char('0'));
    QString fault =
            cutOrCrowded(recorder, drawn, QRectF(widget.rect()), zero, axis.isVertical());
    if (!fault.isEmpty())
        return fault;
    const bool spansZero = axis.getMinLimit() <= 0 && axis.getMaxLimit() >= 0;
    if (!axis.isLogarithmic() && spansZero && !drawn.values.isEmpty() &&
        !drawn.all.contains(QStringLiteral("0")))
        return QStringLiteral("0 not labelled");
    const QVector<GridTick> ticks = gridTicks(axis);
    bool onTicks = true;
    const QVector<qint64> numbers = gridNumbers(drawn, ticks, onTicks);
    if (!onTicks && !axis.isLogarithmic())
        return QStringLiteral("off the ticks");
    const bool fromFirst = axis.isLogarithmic() && onTicks; // decades count from the first
    fault = offStep(numbers, fromFirst);
    if (fault.isEmpty())
        fault = unevenRun(numbers);
    if (fault.isEmpty() && onTicks && numbers.size() > 1)
        fault = leftOut(recorder, widget, drawn, ticks, numbers, fromFirst);
    return fault;
}

} // namespace

LabelReading readLabels(ValueColorConverterWidget &widget)
{
    TextRecorder recorder(widget.size());
    widget.render(&recorder, QPoint(), QRegion(), QWidget::DrawChildren);
    const Drawn drawn = drawnTexts(recorder);
    LabelReading reading;
    reading.seen = drawn.all.join(QLatin1Char(' '));
    reading.numbers = drawn.values.size();
    reading.fault = brokenRule(recorder, widget, drawn);
    if (!reading.fault.isEmpty())
        reading.fault += QStringLiteral(" in \"") + reading.seen + QLatin1Char('"');
    return reading;
}

void setUpScale(ValueColorConverterWidget &widget, const QFont &font, const QSize &size,
                bool vertical, double lo, double hi, bool logarithmic)
{
    widget.setFont(font);
    widget.resize(size);
    widget.setOrientation(vertical ? ValueColorConverterWidget::Vertical
                                   : ValueColorConverterWidget::Horizontal);
    widget.setAxisShowLabels(true);
    widget.ruleSet.clear();
    widget.addRule(lo, Qt::blue);
    widget.addRule(hi, Qt::red);
    widget.setLogarithmic(logarithmic);
}
