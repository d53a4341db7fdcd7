#ifndef AXISLAYOUT_H
#define AXISLAYOUT_H

#include <QString>
#include <QVector>

// Where everything an axis draws stands, worked out once per preparation: each tick's offset
// along the axis and reach, the labels with their texts and places, the multiplier's, and the
// room the axis needs across. Drawing reads it and adds only the base line and the tick size
// the owner gives at drawing time. Made by AxisLayoutBuilder.
struct AxisLayout
{
    // A tick: its offset along the axis, full (major) or half reach, and the index of its
    // label in `labels`, -1 without one.
    struct Mark
    {
        int position = 0;
        bool major = true;
        int label = -1;
    };
    // A text: the offset of the start of its base line along the axis, and across, beyond the
    // reach of the ticks.
    struct Text
    {
        QString text;
        int along = 0;
        int beyond = 0;
    };

    // The base line of the ticks across a widget `across` pixels thick, the bar lying between
    // 0 and the base line, and whether the labels fit beyond it: only where they are on and
    // at least a few pixel lines stay for the bar.
    int baseLine(int across, bool labelsOn, bool &labelsFit) const;

    QVector<Mark> marks;
    QVector<Text> labels;
    // the multiplier of a scaled linear axis with labels, drawn only where it is shown
    Text multiplier;
    bool multiplierShown = false;
    // the room the labels and the multiplier need across the axis, with the ticks; 0 without
    // labels
    int thickness = 0;
    // the interval of the labels in ticks; -1 when the axis shows no label
    int labelInterval = -1;
};

#endif // AXISLAYOUT_H
