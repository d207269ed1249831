#include "platform/Geometry.h"

#include <QImage>
#include <algorithm>
#include <cmath>

TRect NormalizedRect(const TRect& r) {
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::max(r.Top, r.Bottom)};
}

TRect OffsetRect(const TRect& r, int dx, int dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

TRect InflateRect(const TRect& r, int dx, int dy) {
    return {r.Left - dx, r.Top - dy, r.Right + dx, r.Bottom + dy};
}

TRect IntersectRect(const TRect& a, const TRect& b) {
    const TRect result{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                       std::min(a.Bottom, b.Bottom)};
    return result.IsEmpty() ? TRect{} : result;
}

QPoint ToQPoint(const TPoint& p) {
    return QPoint(p.X, p.Y);
}

TPoint FromQPoint(const QPoint& p) {
    return {p.x(), p.y()};
}

QSize ToQSize(const TSize& s) {
    return QSize(s.cx, s.cy);
}

QRect ToQRect(const TRect& r) {
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

TRect FromQRect(const QRect& r) {
    return Bounds(r.x(), r.y(), r.width(), r.height());
}

TSize LogicalSize(const QImage& image) {
    const QSizeF size = image.deviceIndependentSize();
    return {int(std::lround(size.width())), int(std::lround(size.height()))};
}
