// The drawing surface of controls, bitmaps, metafiles and printers, with the pixel rules the
// instruments rely on: line and polyline end points are not drawn; rectangles, fills and
// ellipses exclude their right and bottom edges; text out places the top-left of the text
// cell and fills its background with the brush unless the brush is clear.
#pragma once

#include "platform/Brush.h"
#include "platform/Font.h"
#include "platform/Geometry.h"
#include "platform/Pen.h"

#include <QImage>
#include <QString>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class TBitmap;
class TMetafile;

// Options of the formatted text output; left and top alignment are the defaults.
enum TTextFormatFlag : unsigned {
    tfLeft = 0x0,
    tfTop = 0x0,
    tfCenter = 0x1,
    tfRight = 0x2,
    tfVerticalCenter = 0x4,
    tfBottom = 0x8,
    tfWordBreak = 0x10,
    tfSingleLine = 0x20,
    tfExpandTabs = 0x40,
    tfNoClip = 0x100,
    tfCalcRect = 0x400,
    tfNoPrefix = 0x800,
    tfPathEllipsis = 0x4000,
    tfEndEllipsis = 0x8000,
    tfModifyString = 0x10000,
    tfWordEllipsis = 0x40000
};
using TTextFormat = unsigned;

// The 3-D edges: an outer and an inner ring on all four sides.
enum class TEdgeStyle { Raised, Sunken };

// One line of formatted text as laid out: where its cell starts and which character the
// "&" prefix underlines (-1: none).
struct TTextLine {
    QString Text;
    TPoint Position;
    int Width = 0;
    int UnderlineIndex = -1;
};

class TCanvas {
public:
    TCanvas();
    virtual ~TCanvas();
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    TPen* Pen() { return &pen_; }
    const TPen* Pen() const { return &pen_; }
    void SetPen(const TPen* value);
    TBrush* Brush() { return &brush_; }
    const TBrush* Brush() const { return &brush_; }
    void SetBrush(const TBrush* value);
    TFont* Font() { return &font_; }
    const TFont* Font() const { return &font_; }
    void SetFont(const TFont* value);

    TPoint PenPos() const { return penPos_; }
    // Back to the state of a new canvas (default pen, brush and font, no clip, origin and pen
    // position 0), without allocating: a surface kept between paints starts each one afresh.
    void ResetState();
    void SetPenPos(const TPoint& value) { penPos_ = value; }

    void MoveTo(int x, int y);
    // From the pen position to (x, y), which is not drawn and becomes the pen position.
    void LineTo(int x, int y);
    // Through the points; the last one is not drawn. The pen position does not move.
    void Polyline(std::span<const TPoint> points);
    // Each pair of points is one line drawn as a two-point Polyline; a trailing odd point is
    // ignored. Many separate lines in one call, as a trace draws them.
    void Lines(std::span<const TPoint> ends);
    // Filled with the brush, outlined with the pen, closed.
    void Polygon(std::span<const TPoint> points);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& r);
    // The brush only, no outline.
    void FillRect(const TRect& r);
    // A one-pixel frame in the brush colour.
    void FrameRect(const TRect& r);
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& r);
    // Ellipses of one pen and brush, each as Ellipse draws it; many in one call, as a plot's
    // markers are.
    void Ellipses(std::span<const TRect> rects);
    // The part of the ellipse inscribed in (x1, y1, x2, y2) from the ray through (x3, y3)
    // counter-clockwise to the ray through (x4, y4); the same two rays give the whole ellipse.
    void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);

    // clNone outside the surface or the clip.
    TColor Pixels(int x, int y) const;
    void SetPixels(int x, int y, TColor color);

    // The pen position moves to the end of the text, as the toolkit does.
    void TextOut(int x, int y, const QString& text);
    TSize TextExtent(const QString& text) const;
    int TextWidth(const QString& text) const;
    int TextHeight(const QString& text) const;
    // Formatted text in r; answers the height of the text. With tfCalcRect nothing is drawn
    // and r is set to the measured size from its top-left corner. The text is only changed
    // with tfModifyString together with an ellipsis, to the text shown.
    int DrawText(QString& text, TRect& r, TTextFormat format);
    int DrawText(const QString& text, TRect& r, TTextFormat format);

    void DrawEdge(const TRect& r, TEdgeStyle style);
    // Dotted, by inverting: drawing the same rectangle twice restores the pixels.
    void DrawFocusRect(const TRect& r);
    void InvertRect(const TRect& r);

    void Draw(int x, int y, const TBitmap& bitmap);
    // The pixels of the transparent colour (an image list's mask colour) are left out.
    void DrawTransparent(int x, int y, const TBitmap& bitmap, TColor transparentColor);
    // The bitmap's picture as DrawTransparent draws it, for a picture drawn at every paint: made
    // once and drawn with DrawImage, it skips the conversion each time.
    static QImage TransparentImage(const TBitmap& bitmap, TColor transparentColor);
    void DrawImage(int x, int y, const QImage& image);
    void StretchDraw(const TRect& r, const TBitmap& bitmap);
    void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);
    // Plays the picture at its own size, or stretched over r.
    void Draw(int x, int y, const TMetafile& metafile);
    void StretchDraw(const TRect& r, const TMetafile& metafile);

    // In logical coordinates at the time of the call; the clip stays where it is on the
    // device when the window origin moves afterwards.
    void IntersectClipRect(const TRect& r);
    // The clip in logical coordinates (the whole surface when nothing clips).
    TRect ClipRect() const;
    // Logical point `value` is drawn at device point (0, 0): a window origin of (-X, -Y)
    // paints a control at (X, Y) of another surface.
    TPoint WindowOrigin() const { return windowOrigin_; }
    void SetWindowOrigin(const TPoint& value);
    // Pen, brush, font, clip and window origin; a restore without a save does nothing.
    void SaveState();
    void RestoreState();
    // Inside the clip and the surface.
    bool PtVisible(int x, int y) const;

    // In logical (96-dpi) pixels.
    virtual TSize SurfaceSize() const = 0;
    virtual bool IsMetafile() const { return false; }
    // The pixels of the logical rectangle r (outside the surface they are black); a null
    // image where the surface cannot be read back (a widget, a metafile or a printer).
    virtual QImage CopyImage(const TRect& r) const;

protected:
    // Device pixel (x, y) after the window origin.
    TPoint ToDevice(int x, int y) const;
    std::optional<TRect> DeviceClip() const { return clip_; }

    // The lines of formatted text laid out in r with this canvas's font.
    std::vector<TTextLine> LayoutText(QString& text, TRect& r, TTextFormat format,
                                      int& height) const;

    virtual void DoLine(const TPoint& from, const TPoint& to) = 0;
    virtual void DoPolyline(std::span<const TPoint> points) = 0;
    // Pairs of points; by default a DoPolyline each.
    virtual void DoLines(std::span<const TPoint> ends);
    virtual void DoPolygon(std::span<const TPoint> points) = 0;
    virtual void DoRectangle(const TRect& r) = 0;
    virtual void DoFillRect(const TRect& r) = 0;
    virtual void DoFrameRect(const TRect& r) = 0;
    virtual void DoEllipse(const TRect& r) = 0;
    // Normalized, none empty; by default a DoEllipse each.
    virtual void DoEllipses(std::span<const TRect> rects);
    virtual void DoArc(const TRect& r, const TPoint& start, const TPoint& end) = 0;
    virtual TColor DoGetPixel(int x, int y) const = 0;
    virtual void DoSetPixel(int x, int y, TColor color) = 0;
    virtual void DoTextOut(int x, int y, const QString& text) = 0;
    virtual TSize DoTextExtent(const QString& text) const = 0;
    virtual void DoDrawText(const TRect& r, TTextFormat format,
                            const std::vector<TTextLine>& lines) = 0;
    virtual void DoDrawEdge(const TRect& r, TEdgeStyle style) = 0;
    virtual void DoDrawFocusRect(const TRect& r) = 0;
    virtual void DoInvertRect(const TRect& r) = 0;
    virtual void DoDraw(int x, int y, const QImage& image) = 0;
    virtual void DoStretchDraw(const TRect& r, const QImage& image) = 0;
    virtual void DoCopyRect(const TRect& dest, const QImage& image, const TRect& sourceRect) = 0;
    virtual void DoPlayMetafile(const TRect& r, const TMetafile& metafile) = 0;
    // The clip or the origin changed.
    virtual void DoStateChanged() {}

private:
    struct TState {
        std::unique_ptr<TPen> Pen;
        std::unique_ptr<TBrush> Brush;
        std::unique_ptr<TFont> Font;
        std::optional<TRect> Clip;
        TPoint WindowOrigin;
    };

    TPen pen_;
    TBrush brush_;
    TFont font_;
    TPoint penPos_;
    TPoint windowOrigin_;
    std::optional<TRect> clip_;
    std::vector<TState> saved_;
};
