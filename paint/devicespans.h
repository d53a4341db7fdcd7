#ifndef DEVICESPANS_H
#define DEVICESPANS_H

#include <QtGlobal>

#include <algorithm>

// Where the device pixels of a drawing fall along one axis of a painter's device transform
// (a scale above 0 and a translation), as Qt's raster engine puts them, and the crisp-line
// policy for one-pixel lines. Plain arithmetic, apart from the pixel writes of DirectPainter,
// whose class comment states the rules.
namespace DeviceSpans {

// device pixels from first to last, both included
struct Span
{
    qint64 first;
    qint64 last;
};

// floor(value), inline: it runs per bar line and per tick at a scale; for values well within
// 64-bit integers, as the mapping's bounds keep them
inline qint64 floorOf(qreal value)
{
    const qint64 truncated = static_cast<qint64>(value);
    return truncated - (value < static_cast<qreal>(truncated) ? 1 : 0);
}

inline bool isWhole(qreal value)
{
    return value == static_cast<qreal>(floorOf(value));
}

// round(value), halves up, as the raster engine rounds the edges of a filled rectangle
inline qint64 roundedEdge(qreal value)
{
    return floorOf(value + 0.5);
}

// A filled rectangle from `from` over `length` logical pixels: from the rounded device
// position of one edge up to, not including, that of the other.
inline Span fill(qint64 from, qint64 length, qreal scale, qreal shift)
{
    return {roundedEdge(scale * from + shift), roundedEdge(scale * (from + length) + shift) - 1};
}

// The crisp-line policy: a one-pixel line is round(scale) device pixels wide, at least one.
inline qint64 lineWidth(qreal scale)
{
    return std::max<qint64>(1, roundedEdge(scale));
}

// The device pixels across a one-pixel line whose logical pixel line covers the device pixels
// `logical`: lineWidth(scale) of them, from the first of those pixels, or, when `fromEnd` is
// set or the line is the last within the bounds, up to the last (on the bounds' last pixel at
// most), so that a line on the last pixel line of a widget stays whole where it is wider than
// its logical line. A line wholly outside the bounds keeps to its own pixels, so that it
// never reaches into them.
inline Span acrossLine(const Span &logical, qreal scale, const Span &bounds, bool fromEnd)
{
    if (logical.last < bounds.first || logical.first > bounds.last)
        return logical;
    const qint64 width = lineWidth(scale);
    if (fromEnd || logical.last >= bounds.last) {
        const qint64 last = std::min(logical.last, bounds.last);
        return {last - width + 1, last};
    }
    return {logical.first, logical.first + width - 1};
}

} // namespace DeviceSpans

#endif // DEVICESPANS_H
