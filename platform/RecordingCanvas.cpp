#include "platform/RecordingCanvas.h"

#include "platform/Metafile.h"

#include <algorithm>

QString OperationName(TCanvasOperation operation) {
    static const char* const names[] = {
        "LineTo",        "Polyline",   "Polygon",  "Rectangle",   "FillRect", "FrameRect",
        "Ellipse",       "Arc",        "SetPixel", "TextOut",     "DrawText", "DrawEdge",
        "DrawFocusRect", "InvertRect", "Draw",     "StretchDraw", "CopyRect", "PlayMetafile"};
    const auto index = size_t(operation);
    return index < std::size(names) ? QString::fromLatin1(names[index]) : QString();
}

TRecordingCanvas::TRecordingCanvas(TSize surface) : surface_(surface) {}

void TRecordingCanvas::SetFontMetrics(int charWidth, int charHeight) {
    charWidth_ = std::max(charWidth, 0);
    charHeight_ = std::max(charHeight, 0);
}

std::vector<TCanvasRecord> TRecordingCanvas::RecordsOf(TCanvasOperation operation) const {
    std::vector<TCanvasRecord> result;
    std::copy_if(records_.begin(), records_.end(), std::back_inserter(result),
                 [operation](const TCanvasRecord& r) { return r.Operation == operation; });
    return result;
}

int TRecordingCanvas::Count(TCanvasOperation operation) const {
    return int(std::count_if(records_.begin(), records_.end(), [operation](const TCanvasRecord& r) {
        return r.Operation == operation;
    }));
}

void TRecordingCanvas::Clear() {
    records_.clear();
    pixels_.clear();
}

TCanvasRecord& TRecordingCanvas::Record(TCanvasOperation operation) {
    TCanvasRecord& r = records_.emplace_back();
    r.Operation = operation;
    r.PenColor = Pen()->Color();
    r.PenWidth = Pen()->Width();
    r.PenStyle = Pen()->Style();
    r.PenMode = Pen()->Mode();
    r.BrushColor = Brush()->Color();
    r.BrushStyle = Brush()->Style();
    r.FontColor = Font()->Color();
    r.FontName = Font()->Name();
    r.FontHeight = Font()->Height();
    r.FontStyle = Font()->Style();
    r.FontOrientation = Font()->Orientation();
    r.WindowOrigin = WindowOrigin();
    return r;
}

TCanvasRecord& TRecordingCanvas::RecordRect(TCanvasOperation operation, const TRect& rect) {
    TCanvasRecord& r = Record(operation);
    r.Rect = rect;
    return r;
}

void TRecordingCanvas::DoLine(const TPoint& from, const TPoint& to) {
    Record(TCanvasOperation::LineTo).Points = {from, to};
}

void TRecordingCanvas::DoPolyline(std::span<const TPoint> points) {
    Record(TCanvasOperation::Polyline).Points.assign(points.begin(), points.end());
}

void TRecordingCanvas::DoPolygon(std::span<const TPoint> points) {
    Record(TCanvasOperation::Polygon).Points.assign(points.begin(), points.end());
}

void TRecordingCanvas::DoRectangle(const TRect& r) {
    RecordRect(TCanvasOperation::Rectangle, r);
}

void TRecordingCanvas::DoFillRect(const TRect& r) {
    RecordRect(TCanvasOperation::FillRect, r);
}

void TRecordingCanvas::DoFrameRect(const TRect& r) {
    RecordRect(TCanvasOperation::FrameRect, r);
}

void TRecordingCanvas::DoEllipse(const TRect& r) {
    RecordRect(TCanvasOperation::Ellipse, r);
}

void TRecordingCanvas::DoArc(const TRect& r, const TPoint& start, const TPoint& end) {
    RecordRect(TCanvasOperation::Arc, r).Points = {start, end};
}

TColor TRecordingCanvas::DoGetPixel(int x, int y) const {
    const auto found = pixels_.find({x, y});
    return found == pixels_.end() ? clNone : found->second;
}

void TRecordingCanvas::DoSetPixel(int x, int y, TColor color) {
    TCanvasRecord& r = Record(TCanvasOperation::SetPixel);
    r.Points = {{x, y}};
    r.PixelColor = color;
    pixels_[{x, y}] = color;
}

void TRecordingCanvas::DoTextOut(int x, int y, const QString& text) {
    TCanvasRecord& r = Record(TCanvasOperation::TextOut);
    r.Points = {{x, y}};
    r.Text = text;
}

TSize TRecordingCanvas::DoTextExtent(const QString& text) const {
    return {int(text.size()) * charWidth_, charHeight_};
}

void TRecordingCanvas::DoDrawText(const TRect& rect, TTextFormat format,
                                  const std::vector<TTextLine>& lines) {
    TCanvasRecord& r = RecordRect(TCanvasOperation::DrawText, rect);
    r.Format = format;
    for (const TTextLine& line : lines) {
        r.Points.push_back(line.Position);
        r.Lines.push_back(line.Text);
    }
}

void TRecordingCanvas::DoDrawEdge(const TRect& r, TEdgeStyle style) {
    RecordRect(TCanvasOperation::DrawEdge, r).EdgeStyle = style;
}

void TRecordingCanvas::DoDrawFocusRect(const TRect& r) {
    RecordRect(TCanvasOperation::DrawFocusRect, r);
}

void TRecordingCanvas::DoInvertRect(const TRect& r) {
    RecordRect(TCanvasOperation::InvertRect, r);
}

void TRecordingCanvas::DoDraw(int x, int y, const QImage& image) {
    TCanvasRecord& r = Record(TCanvasOperation::Draw);
    r.Points = {{x, y}};
    r.ImageSize = LogicalSize(image);
}

void TRecordingCanvas::DoStretchDraw(const TRect& rect, const QImage& image) {
    RecordRect(TCanvasOperation::StretchDraw, rect).ImageSize = LogicalSize(image);
}

void TRecordingCanvas::DoCopyRect(const TRect& dest, const QImage& image, const TRect& sourceRect) {
    TCanvasRecord& r = RecordRect(TCanvasOperation::CopyRect, dest);
    r.SourceRect = sourceRect;
    r.ImageSize = LogicalSize(image);
}

void TRecordingCanvas::DoPlayMetafile(const TRect& rect, const TMetafile& metafile) {
    RecordRect(TCanvasOperation::PlayMetafile, rect).ImageSize = {metafile.Width(),
                                                                  metafile.Height()};
}
