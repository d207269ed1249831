#include "plot/iPlotAxisDrawing.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>

namespace {

// A length scaled by a setting; any factor a file can hold keeps it a pixel offset.
int Scaled(int length, double factor) {
    return BoundPixelOffset(Round(length * factor));
}

// The pixel settings within 0..MaxPixelExtent whatever the caller holds, so that the sums
// of margins, ticks and labels stay in int.
TiPlotAxisDrawSettings Bounded(TiPlotAxisDrawSettings settings) {
    for (int* pixels : {&settings.InnerMargin, &settings.OuterMargin, &settings.MajorLength,
                        &settings.MinorLength})
        *pixels = BoundPixelSize(*pixels);
    return settings;
}

void UseFont(TCanvas& canvas, const TFont* font) {
    if (font) canvas.SetFont(font);
}

TiQuadSide SideOf(const TiPlotAxisDrawSettings& settings) {
    if (settings.Horizontal)
        return settings.ReverseSide && !settings.Cartesian ? iqsTop : iqsBottom;
    return settings.ReverseSide || settings.Cartesian ? iqsRight : iqsLeft;
}

int LabelsMarginPixels(TCanvas& canvas, const TiPlotAxisDrawSettings& settings) {
    UseFont(canvas, settings.LabelsFont);
    return Scaled(canvas.TextHeight(QStringLiteral("A")), settings.LabelsMargin);
}

int HalfMajor(const TiPlotAxisDrawSettings& settings) {
    return (settings.MajorLength + 1) / 2;
}

// Where a tick runs across the axis, counted from the draw rectangle's edge at the scale.
struct TickSpan {
    int From;
    int To;
};

TickSpan TickSpanOf(const TiPlotAxisDrawSettings& settings, int length) {
    if (settings.Cartesian) return {-(length + 1) / 2, (length + 1) / 2 + 1};
    return {settings.InnerMargin, settings.InnerMargin + length};
}

int LabelOffset(TCanvas& canvas, const TiPlotAxisDrawSettings& settings) {
    const int margin = LabelsMarginPixels(canvas, settings);
    if (settings.Cartesian) return margin + HalfMajor(settings);
    return margin + settings.InnerMargin + (settings.ScaleLinesShow ? settings.MajorLength : 0);
}

// A point at Across pixels from the scale's edge of the draw rectangle, at Along on the axis.
TPoint AcrossPoint(TiQuadSide side, const TRect& d, int along, int across) {
    switch (side) {
    case iqsLeft:
        return {d.Right - across, along};
    case iqsRight:
        return {d.Left + across, along};
    case iqsTop:
        return {along, d.Bottom - across};
    case iqsBottom:
        break;
    }
    return {along, d.Top + across};
}

// The pixels of a straight line from a to b, one pixel across, as a rectangle whose right and
// bottom edges are exclusive like the line's end.
TRect LineRect(const TPoint& a, const TPoint& b) {
    if (a.X == b.X) return {a.X, std::min(a.Y, b.Y), a.X + 1, std::max(a.Y, b.Y)};
    return {std::min(a.X, b.X), a.Y, std::max(a.X, b.X), a.Y + 1};
}

struct Segment {
    TPoint From;
    TPoint To;
};

Segment ScaleLineOf(const TiPlotAxisDrawSettings& settings, TiQuadSide side, const TRect& s) {
    const int m = settings.Cartesian ? 0 : settings.InnerMargin;
    switch (side) {
    case iqsLeft:
        return {{s.Right - m, s.Top}, {s.Right - m, s.Bottom + 1}};
    case iqsRight:
        return {{s.Left + m, s.Top}, {s.Left + m, s.Bottom + 1}};
    case iqsTop:
        return {{s.Left, s.Bottom - m}, {s.Right, s.Bottom - m}};
    case iqsBottom:
        break;
    }
    return {{s.Left, s.Top + m}, {s.Right + 1, s.Top + m}};
}

void DrawTicks(TCanvas& canvas, const TiPlotAxisDrawSettings& settings, TiQuadSide side,
               const TRect& d, const std::vector<TiPlotTick>& ticks,
               const TiPlotAxisCollisions& collisions) {
    for (const TiPlotTick& tick : ticks) {
        if (!tick.Visible) continue;
        const bool major = tick.Style == PlotTickMajor;
        const TickSpan span =
            TickSpanOf(settings, major ? settings.MajorLength : settings.MinorLength);
        const TPoint from = AcrossPoint(side, d, tick.Pixel, span.From);
        const TPoint to = AcrossPoint(side, d, tick.Pixel, span.To);
        canvas.MoveTo(from.X, from.Y);
        canvas.LineTo(to.X, to.Y);
        if (settings.Cartesian && collisions.Add) collisions.Add(LineRect(from, to));
    }
}

// The box of a label w by h whose inner edge lies Offset from the scale's edge of d.
TRect LabelBox(TiQuadSide side, const TRect& d, int pixel, int offset, TSize size) {
    switch (side) {
    case iqsLeft:
        return {d.Right - offset - size.cx, pixel - size.cy / 2, d.Right - offset,
                pixel - size.cy / 2 + size.cy};
    case iqsRight:
        return {d.Left + offset, pixel - size.cy / 2, d.Left + offset + size.cx,
                pixel - size.cy / 2 + size.cy};
    case iqsTop:
        return {pixel - size.cx / 2, d.Bottom - offset - size.cy, pixel - size.cx / 2 + size.cx,
                d.Bottom - offset};
    case iqsBottom:
        break;
    }
    return {pixel - size.cx / 2, d.Top + offset, pixel - size.cx / 2 + size.cx,
            d.Top + offset + size.cy};
}

TiTextFlags LabelFlags(TiQuadSide side) {
    switch (side) {
    case iqsLeft:
        return {itfHLeft, itfVCenter, itfNoClip};
    case iqsRight:
        return {itfHRight, itfVCenter, itfNoClip};
    default:
        return {itfHCenter, itfVCenter, itfNoClip};
    }
}

void DrawLabels(TCanvas& canvas, const TiPlotAxisDrawSettings& settings, TiQuadSide side,
                const TRect& d, const std::vector<TiPlotTick>& ticks,
                const TiPlotAxisCollisions& collisions) {
    const int offset = LabelOffset(canvas, settings);
    canvas.Brush()->SetStyle(bsClear);
    for (const TiPlotTick& tick : ticks) {
        if (!tick.Visible || tick.Style != PlotTickMajor) continue;
        TRect box = LabelBox(side, d, tick.Pixel, offset, canvas.TextExtent(tick.Label));
        if (settings.Cartesian && collisions.AcceptLabel && !collisions.AcceptLabel(box)) continue;
        iDrawText(&canvas, tick.Label, box, LabelFlags(side));
    }
}

void DrawTitle(TCanvas& canvas, const TiPlotAxisDrawSettings& settings, TiQuadSide side,
               const TRect& s, int labelsZone) {
    const QString title = settings.Title.trimmed();
    if (!settings.TitleShow || title.isEmpty()) return;
    UseFont(canvas, settings.TitleFont);
    canvas.Brush()->SetStyle(bsClear);
    const int height = canvas.TextHeight(settings.Title);
    switch (side) {
    case iqsTop:
    case iqsBottom: {
        const int top = side == iqsTop ? s.Top + settings.OuterMargin
                                       : s.Bottom - settings.OuterMargin - height;
        TRect box{s.Left, top, s.Right, top + height};
        iDrawText(&canvas, settings.Title, box, {itfHCenter, itfVCenter, itfNoClip});
        return;
    }
    case iqsLeft:
        iDrawRotatedText(&canvas, settings.Title,
                         {s.Right - labelsZone - height, s.Top, s.Right - labelsZone, s.Bottom},
                         ira090);
        return;
    case iqsRight:
        iDrawRotatedText(&canvas, settings.Title,
                         {s.Left + labelsZone, s.Top, s.Left + labelsZone + height, s.Bottom},
                         ira090);
        return;
    }
}

// A cartesian axis is grabbed across its scale line: from half a major tick and 5 pixels
// before the draw rectangle's edge, as wide as the axis requires.
TRect CartesianHitRect(TRect hit, const TRect& d, const TiPlotAxisDrawSettings& settings,
                       int requiredWidth) {
    const int reach = HalfMajor(settings) + 5;
    if (settings.Horizontal) {
        hit.Top = d.Top - reach;
        hit.Bottom = hit.Top + requiredWidth;
    } else {
        hit.Left = d.Left - reach;
        hit.Right = hit.Left + requiredWidth;
    }
    return hit;
}

TPenStyle PenStyleOf(TiPlotGridLineStyle style) {
    switch (style) {
    case ipglsDash:
        return psDash;
    case ipglsDot:
        return psDot;
    case ipglsSolid:
        break;
    }
    return psSolid;
}

} // namespace

TiPlotAxisScaleRects CalcPlotAxisScaleRects(TCanvas& Canvas, const TiPlotAxisDrawSettings& Settings,
                                            const TRect& DrawRect, bool StartStacked,
                                            bool StopStacked, int LabelLength) {
    UseFont(Canvas, Settings.LabelsFont);
    TiPlotAxisScaleRects rects{SideOf(Settings), DrawRect, DrawRect};
    TRect& s = rects.ScaleRect;
    TRect& h = rects.HitRect;
    const TRect& d = DrawRect;
    if (!Settings.Horizontal) {
        h.Left = d.Left + 2;
        h.Right = d.Right - 2;
        const int zero = Canvas.TextHeight(QStringLiteral("0"));
        const int pull =
            Settings.Cartesian ? 0 : (zero + Scaled(zero, Settings.StackingEndsMargin)) / 2;
        if (StartStacked) s.Bottom = d.Bottom - pull;
        if (StopStacked) s.Top = d.Top + pull;
        h.Bottom = s.Bottom + pull;
        h.Top = s.Top - pull;
        return rects;
    }
    h.Top = d.Top + 2;
    h.Bottom = d.Bottom - 2;
    const int zero = Canvas.TextWidth(QStringLiteral("0"));
    const int length = Settings.LabelsVisible ? LabelLength : 0;
    const int pull =
        Settings.Cartesian ? 0 : Scaled(length, 0.5) + Scaled(zero, Settings.StackingEndsMargin);
    if (StartStacked) s.Left = d.Left + pull;
    if (StopStacked) s.Right = d.Right - pull;
    h.Left = s.Left - pull;
    h.Right = s.Right + pull;
    return rects;
}

double PlotAxisTypicalLabelValue(double Min, double Span) {
    // A span of 0, or one so small against Min that the quotient overflows, has no multiple
    // to round to; Max is then as typical as any.
    if (Span == 0) return Min;
    const double value = Span + std::trunc(Min / Span) * Span;
    return std::isfinite(value) ? value : Min + Span;
}

int PlotAxisRequiredLabelLength(TCanvas& Canvas, const TiPlotAxisDrawSettings& Settings,
                                const QString& TypicalLabel, double LabelsMinLength,
                                const std::vector<TiPlotTick>& Ticks) {
    UseFont(Canvas, Settings.LabelsFont);
    int length = std::max(PlotAxisTextMinLength(Canvas, nullptr, LabelsMinLength),
                          Canvas.TextWidth(TypicalLabel));
    for (const TiPlotTick& tick : Ticks)
        if (!tick.Label.isEmpty()) length = std::max(length, Canvas.TextWidth(tick.Label));
    return length;
}

double AdjustedLabelsMinLength(double LabelsMinLength, bool AutoAdjust,
                               const QString& TypicalLabel) {
    if (AutoAdjust && TypicalLabel.size() > LabelsMinLength) return TypicalLabel.size();
    return LabelsMinLength;
}

int PlotAxisMaxLabelLengthPixels(TCanvas& Canvas, const TiPlotAxisDrawSettings& Settings,
                                 int LabelLength) {
    UseFont(Canvas, Settings.LabelsFont);
    const double gap = Settings.LabelSeparation + 1;
    if (Settings.Horizontal)
        return BoundPixelOffset(Round(LabelLength + Canvas.TextWidth(QStringLiteral("0")) * gap));
    return Scaled(Canvas.TextHeight(QStringLiteral("0")), gap);
}

int PlotAxisTextMinLength(TCanvas& Canvas, const TFont* Font, double MinLength) {
    UseFont(Canvas, Font);
    return Scaled(Canvas.TextWidth(QStringLiteral("0")), MinLength);
}

TiPlotAxisWidths PlotAxisRequiredWidth(TCanvas& Canvas, const TiPlotAxisDrawSettings& Given,
                                       int LabelLength, const QString& MinLabel) {
    const TiPlotAxisDrawSettings Settings = Bounded(Given);
    const int ticks =
        Settings.ScaleLinesShow ? std::max(Settings.MajorLength, Settings.MinorLength) : 0;
    int labels = 0;
    int margin = 0;
    if (Settings.LabelsVisible) {
        margin = LabelsMarginPixels(Canvas, Settings);
        labels = Settings.Horizontal ? Canvas.TextHeight(MinLabel) : BoundPixelSize(LabelLength);
    }
    int title = 0;
    if (Settings.TitleShow && !Settings.Cartesian) {
        UseFont(Canvas, Settings.TitleFont);
        title = Scaled(Canvas.TextHeight(Settings.Title), Settings.TitleMargin + 1);
    }
    const int zone = ticks + Settings.InnerMargin + margin + labels;
    return {Settings.InnerMargin + Settings.OuterMargin + ticks + margin + labels + title, zone};
}

int PlotAxisRequiredLengthGuard(TCanvas& Canvas, const TiPlotAxisDrawSettings& Settings,
                                int LabelLength) {
    if (!Settings.LabelsVisible) return 0;
    if (Settings.Horizontal) return LabelLength / 2;
    UseFont(Canvas, Settings.LabelsFont);
    return Canvas.TextHeight(QStringLiteral("XYZ")) / 2;
}

TRect PlotAxisScaleLineRect(const TiPlotAxisDrawSettings& Given,
                            const TiPlotAxisScaleRects& Rects) {
    const TiPlotAxisDrawSettings Settings = Bounded(Given);
    const Segment line = ScaleLineOf(Settings, Rects.Side, Rects.ScaleRect);
    return LineRect(line.From, line.To);
}

TRect PlotAxisHitRect(const TiPlotAxisDrawSettings& Given, const TiPlotAxisScaleRects& Rects,
                      const TRect& DrawRect, const TiPlotAxisWidths& Widths) {
    const TiPlotAxisDrawSettings Settings = Bounded(Given);
    if (!Settings.Cartesian) return Rects.HitRect;
    return CartesianHitRect(Rects.HitRect, DrawRect, Settings, Widths.RequiredWidth);
}

void DrawPlotAxis(TCanvas& Canvas, const TiPlotAxisDrawSettings& Given,
                  const TiPlotAxisScaleRects& Rects, const TRect& DrawRect,
                  const TiPlotAxisWidths& Widths, const std::vector<TiPlotTick>& Ticks,
                  const TiPlotAxisCollisions& Collisions, bool Selected) {
    const TiPlotAxisDrawSettings Settings = Bounded(Given);
    if (Settings.LabelsVisible)
        DrawLabels(Canvas, Settings, Rects.Side, DrawRect, Ticks, Collisions);
    if (Settings.ScaleLinesShow) {
        TPen* pen = Canvas.Pen();
        pen->SetStyle(psSolid);
        pen->SetWidth(1);
        pen->SetColor(Settings.ScaleLinesColor);
        const Segment line = ScaleLineOf(Settings, Rects.Side, Rects.ScaleRect);
        Canvas.MoveTo(line.From.X, line.From.Y);
        Canvas.LineTo(line.To.X, line.To.Y);
        DrawTicks(Canvas, Settings, Rects.Side, DrawRect, Ticks, Collisions);
    }
    if (!Settings.Cartesian)
        DrawTitle(Canvas, Settings, Rects.Side, Rects.ScaleRect, Widths.LabelsZone);
    if (!Selected) return;
    const TRect hit = PlotAxisHitRect(Settings, Rects, DrawRect, Widths);
    iDrawFocusRect2(&Canvas, {hit.Left, hit.Top, hit.Right + 1, hit.Bottom + 1});
}

void DrawPlotAxisGridLines(TCanvas& Canvas, const TRect& Rect, bool Horizontal,
                           const std::vector<TiPlotTick>& Ticks, const TiPlotGridLinePen& Major,
                           const TiPlotGridLinePen& Minor) {
    for (const TiPlotTick& tick : Ticks) {
        const TiPlotGridLinePen& line = tick.Style == PlotTickMajor ? Major : Minor;
        if (!tick.Visible || !line.Show) continue;
        TPen* pen = Canvas.Pen();
        pen->SetStyle(PenStyleOf(line.Style));
        pen->SetWidth(line.Width);
        pen->SetColor(line.Color);
        if (Horizontal) {
            Canvas.MoveTo(tick.Pixel, Rect.Top);
            Canvas.LineTo(tick.Pixel, Rect.Bottom);
        } else {
            Canvas.MoveTo(Rect.Left, tick.Pixel);
            Canvas.LineTo(Rect.Right, tick.Pixel);
        }
    }
}
