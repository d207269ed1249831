// A canvas that draws nothing and logs every primitive with its coordinates and the pen,
// brush and font in effect. Its font metrics are fixed (every character CharWidth wide, every
// line CharHeight high), so tests assert exact coordinates whatever fonts are installed.
#pragma once

#include "platform/Canvas.h"

#include <QString>
#include <map>
#include <utility>
#include <vector>

enum class TCanvasOperation {
    LineTo,
    Polyline,
    Polygon,
    Rectangle,
    FillRect,
    FrameRect,
    Ellipse,
    Arc,
    SetPixel,
    TextOut,
    DrawText,
    DrawEdge,
    DrawFocusRect,
    InvertRect,
    Draw,
    StretchDraw,
    CopyRect,
    PlayMetafile
};

QString OperationName(TCanvasOperation operation);

struct TCanvasRecord {
    TCanvasOperation Operation = TCanvasOperation::LineTo;
    // LineTo: from, to; Polyline, Polygon: the points; Arc: start and end ray points;
    // SetPixel, TextOut, Draw: the point; DrawText: the top-left of each line.
    std::vector<TPoint> Points;
    // The rectangle of rectangles, fills, ellipses, arcs, edges, DrawText, StretchDraw,
    // PlayMetafile and the destination of CopyRect.
    TRect Rect;
    TRect SourceRect;
    // TextOut: the text; DrawText: the lines as laid out.
    QString Text;
    std::vector<QString> Lines;
    TTextFormat Format = 0;
    TEdgeStyle EdgeStyle = TEdgeStyle::Raised;
    TColor PixelColor = clNone;
    TSize ImageSize;

    TColor PenColor = clBlack;
    int PenWidth = 1;
    TPenStyle PenStyle = psSolid;
    TPenMode PenMode = pmCopy;
    TColor BrushColor = clWhite;
    TBrushStyle BrushStyle = bsSolid;
    TColor FontColor = clBlack;
    QString FontName;
    int FontHeight = 0;
    TFontStyles FontStyle;
    int FontOrientation = 0;
    TPoint WindowOrigin;
};

class TRecordingCanvas : public TCanvas {
public:
    static constexpr int DefaultCharWidth = 7;
    static constexpr int DefaultCharHeight = 13;

    explicit TRecordingCanvas(TSize surface = {1000, 1000});

    int CharWidth() const { return charWidth_; }
    int CharHeight() const { return charHeight_; }
    void SetFontMetrics(int charWidth, int charHeight);
    void SetSurfaceSize(const TSize& value) { surface_ = value; }
    void SetMetafile(bool value) { metafile_ = value; }

    const std::vector<TCanvasRecord>& Records() const { return records_; }
    std::vector<TCanvasRecord> RecordsOf(TCanvasOperation operation) const;
    int Count(TCanvasOperation operation) const;
    void Clear();

    TSize SurfaceSize() const override { return surface_; }
    bool IsMetafile() const override { return metafile_; }

protected:
    void DoLine(const TPoint& from, const TPoint& to) override;
    void DoPolyline(std::span<const TPoint> points) override;
    void DoPolygon(std::span<const TPoint> points) override;
    void DoRectangle(const TRect& r) override;
    void DoFillRect(const TRect& r) override;
    void DoFrameRect(const TRect& r) override;
    void DoEllipse(const TRect& r) override;
    void DoArc(const TRect& r, const TPoint& start, const TPoint& end) override;
    // The colour last set at the point, or clNone.
    TColor DoGetPixel(int x, int y) const override;
    void DoSetPixel(int x, int y, TColor color) override;
    void DoTextOut(int x, int y, const QString& text) override;
    TSize DoTextExtent(const QString& text) const override;
    void DoDrawText(const TRect& r, TTextFormat format,
                    const std::vector<TTextLine>& lines) override;
    void DoDrawEdge(const TRect& r, TEdgeStyle style) override;
    void DoDrawFocusRect(const TRect& r) override;
    void DoInvertRect(const TRect& r) override;
    void DoDraw(int x, int y, const QImage& image) override;
    void DoStretchDraw(const TRect& r, const QImage& image) override;
    void DoCopyRect(const TRect& dest, const QImage& image, const TRect& sourceRect) override;
    void DoPlayMetafile(const TRect& r, const TMetafile& metafile) override;

private:
    TCanvasRecord& Record(TCanvasOperation operation);
    TCanvasRecord& RecordRect(TCanvasOperation operation, const TRect& r);

    TSize surface_;
    int charWidth_ = DefaultCharWidth;
    int charHeight_ = DefaultCharHeight;
    bool metafile_ = false;
    std::vector<TCanvasRecord> records_;
    std::map<std::pair<int, int>, TColor> pixels_;
};
