// Integer points, sizes and rectangles of the drawing layer. A rectangle's Right and Bottom
// are exclusive: (0, 0, 10, 10) covers the pixels 0 to 9 in both directions.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>
#include <cstdint>

class QImage;

struct TPoint {
    int X = 0;
    int Y = 0;

    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;

    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    // True when the rectangle covers no pixel (also when it is inverted).
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(const TPoint& p) const {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    TPoint TopLeft() const { return {Left, Top}; }
    TPoint BottomRight() const { return {Right, Bottom}; }

    friend bool operator==(const TRect&, const TRect&) = default;
};

// Bound of the pixel-valued settings of the controls: their drawing arithmetic adds and
// multiplies a few of them in plain int, which overflowed for values near the integer limit.
inline constexpr int MaxPixelExtent = 32000;
// A size or margin setting, 0..MaxPixelExtent.
constexpr int BoundPixelSize(int value) {
    return std::clamp(value, 0, MaxPixelExtent);
}
// A setting where negative pixels are meaningful (a coordinate, a shift), within
// -MaxPixelExtent..MaxPixelExtent.
constexpr int BoundPixelOffset(int value) {
    return std::clamp(value, -MaxPixelExtent, MaxPixelExtent);
}

// A size a control computes for itself (auto-size), counted in 64 bits: 0..MaxPixelExtent a
// side, so that no setting can ask for a control larger than that.
constexpr int BoundAutoSize(int64_t extent) {
    return int(std::clamp<int64_t>(extent, 0, MaxPixelExtent));
}

inline TPoint Point(int x, int y) {
    return {x, y};
}
inline TRect Rect(int left, int top, int right, int bottom) {
    return {left, top, right, bottom};
}
inline TRect Bounds(int left, int top, int width, int height) {
    return {left, top, left + width, top + height};
}

// The same rectangle with Left <= Right and Top <= Bottom.
TRect NormalizedRect(const TRect& r);
TRect OffsetRect(const TRect& r, int dx, int dy);
// Grows (negative: shrinks) every side by dx and dy.
TRect InflateRect(const TRect& r, int dx, int dy);
// The common part; an empty rectangle (0, 0, 0, 0) when there is none.
TRect IntersectRect(const TRect& a, const TRect& b);

QPoint ToQPoint(const TPoint& p);
TPoint FromQPoint(const QPoint& p);
QSize ToQSize(const TSize& s);
// QRect keeps an inclusive right edge; the conversions keep the covered pixels the same.
QRect ToQRect(const TRect& r);
TRect FromQRect(const QRect& r);

// An image's size in logical pixels (its device pixels over its pixel ratio).
TSize LogicalSize(const QImage& image);
