#include "valueaxis.h"

#include "axisnumbers.h"

#include <QFontMetrics>
#include <QIODevice>

#include <algorithm>

// Linear scale: the division's ticks, with labels on as many major ticks as keep their
// distance.

void ValueAxis::prepareLinScale(const QFontMetrics &metrics)
{
    double lo = 0;
    double hi = 0;
    getLimits(lo, hi);
    division = ScaleDivision::linear(lo, hi);
    if (axisShowLabels) {
        if (vertical)
            calculateLinLabelsVertical(metrics);
        else
            calculateLinLabelsHorizontal(metrics);
        chooseLinLabels(metrics);
        return;
    }
    labelInterval = -1;
    clearThickness();
}

// The value of major tick k of the division (scaled units); false beyond the last.
bool ValueAxis::linTick(int k, double &value) const
{
    for (const ScaleDivision::Tick &tick : division.ticks())
        if (tick.major && k-- == 0) {
            value = tick.value;
            return true;
        }
    return false;
}

void ValueAxis::makeLinLabel(double value, QString &text)
{
    text.clear();
    labelStream.setString(&text, QIODevice::ReadWrite);
    labelStream << value;
    labelStream.flush();
    labelStream.setString(nullptr); // the stream must not keep pointing at the caller's text
}

int ValueAxis::largestLinLabelExtent(bool width, const QFontMetrics &metrics)
{
    labelInterval = 1;
    QString text;
    int largest = 0;
    for (const ScaleDivision::Tick &tick : division.ticks()) {
        if (!tick.major)
            continue;
        makeLinLabel(tick.value, text);
        const QRect r = metrics.boundingRect(text);
        largest = std::max(largest, width ? r.width() : r.height());
    }
    return largest;
}

bool ValueAxis::calculateLinLabelsVertical(const QFontMetrics &metrics)
{
    calculateMinWidth(largestLinLabelExtent(true, metrics), metrics);
    return true;
}

bool ValueAxis::calculateLinLabelsHorizontal(const QFontMetrics &metrics)
{
    calculateMinHeight(largestLinLabelExtent(false, metrics), metrics);
    return true;
}

// Every major tick is a candidate, numbered by its value in tick steps so that every m-th tick
// counts from 0; the room across the axis stays that of the largest label, labelled or not.
void ValueAxis::chooseLinLabels(const QFontMetrics &metrics)
{
    const ScaleDivision::Ticks &ticks = division.ticks();
    int lastMajor = -1;
    for (int i = 0; i < ticks.size(); ++i)
        lastMajor = ticks.at(i).major ? i : lastMajor;
    LabelCandidates candidates;
    QString text;
    for (int i = 0; i < ticks.size(); ++i) {
        const ScaleDivision::Tick &tick = ticks.at(i);
        if (!tick.major)
            continue;
        int position = 0;
        valueToScreen(tick.value * division.factor(), position);
        makeLinLabel(tick.value, text);
        addLabelCandidate(candidates, i, tick.number, i == 0 || i == lastMajor,
                          division.numberedOnGrid() && tick.number == 0, position, text, metrics);
    }
    chooseLabels(candidates, nullptr, 1, metrics);
}

// The multiplier stands at the end of the largest values: right-aligned at the end of a
// horizontal axis on the labels' base line, at the top of a vertical axis just beyond the
// ticks' reach. Gives the start of its base line for its bounding rectangle `box`.
QPoint ValueAxis::multiplierOrigin(const QRect &box, bool verticalAxis, int baseLine) const
{
    const int beyondTick = AxisNumbers::clampedSum(baseLine, axisTickSize);
    if (verticalAxis)
        return {AxisNumbers::clampedSum(beyondTick, 1 - box.left()), -box.top()};
    return {AxisNumbers::clampedSum(AxisNumbers::clampedSum(length(), -1), -box.right()),
            AxisNumbers::clampedSum(beyondTick, box.height())};
}
