#include "plot/iPlotToolBarImages.h"

#include "platform/Bitmap.h"
#include "platform/Rounding.h"

#include <array>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

// Every picture is laid out on a 16-unit grid and scaled to its size, so the large and the
// small set show the same drawing; outlines stay one pixel wide at both sizes.
class TPicture {
public:
    TPicture(TCanvas& Canvas, int Size) : canvas_(Canvas), size_(Size) {}

    int At(double Unit) const { return Round(Unit * size_ / 16.0); }

    void Box(TColor Fill, double Left, double Top, double Right, double Bottom) {
        Pixels(Fill, {At(Left), At(Top), At(Right), At(Bottom)});
    }

    void Pixels(TColor Fill, const TRect& Rect) {
        canvas_.Brush()->SetStyle(bsSolid);
        canvas_.Brush()->SetColor(Fill);
        canvas_.FillRect(Rect);
    }

    void Frame(TColor Fill, double Left, double Top, double Right, double Bottom) {
        Box(clBlack, Left, Top, Right, Bottom);
        canvas_.Brush()->SetColor(Fill);
        canvas_.FillRect({At(Left) + 1, At(Top) + 1, At(Right) - 1, At(Bottom) - 1});
    }

    void Shape(TColor Fill, std::initializer_list<std::pair<double, double>> Corners) {
        std::vector<TPoint> points;
        for (const auto& [x, y] : Corners)
            points.push_back({At(x), At(y)});
        canvas_.Pen()->SetColor(clBlack);
        canvas_.Brush()->SetStyle(bsSolid);
        canvas_.Brush()->SetColor(Fill);
        canvas_.Polygon(points);
    }

    // An outlined disc whose ring is one pixel wide on the small picture, two on the large.
    void Lens(TColor Fill, double Left, double Top, double Right, double Bottom) {
        const int ring = size_ > ToolBarSmallImageSize ? 2 : 1;
        canvas_.Pen()->SetColor(clBlack);
        canvas_.Brush()->SetStyle(bsSolid);
        canvas_.Brush()->SetColor(clBlack);
        const TRect outer{At(Left), At(Top), At(Right), At(Bottom)};
        canvas_.Ellipse(outer);
        canvas_.Pen()->SetColor(Fill);
        canvas_.Brush()->SetColor(Fill);
        canvas_.Ellipse(
            {outer.Left + ring, outer.Top + ring, outer.Right - ring, outer.Bottom - ring});
    }

    // Text lines on a sheet, every two units.
    void Lines(double Left, double Right, double Top, double Bottom) {
        for (double y = Top; y < Bottom; y += 2)
            Box(clGray, Left, y, Right, y + 1);
    }

    void Dot(int X, int Y, int Extent) {
        canvas_.Brush()->SetColor(clBlack);
        canvas_.FillRect({X, Y, X + Extent, Y + Extent});
    }

    int Size() const { return size_; }

private:
    TCanvas& canvas_;
    int size_;
};

void DrawAuto(TPicture& p) {
    p.Shape(clLime, {{4, 2}, {13, 8}, {4, 14}});
}

void DrawPause(TPicture& p) {
    p.Box(clBlack, 3, 2, 7, 14);
    p.Box(clBlack, 9, 2, 13, 14);
}

void DrawScroll(TPicture& p) {
    p.Box(clBlack, 3, 7, 13, 9);
    p.Box(clBlack, 7, 3, 9, 13);
    p.Shape(clBlack, {{0.5, 8}, {3.5, 5}, {3.5, 11}});
    p.Shape(clBlack, {{15.5, 8}, {12.5, 5}, {12.5, 11}});
    p.Shape(clBlack, {{8, 0.5}, {5, 3.5}, {11, 3.5}});
    p.Shape(clBlack, {{8, 15.5}, {5, 12.5}, {11, 12.5}});
}

// The glass of the zoom pictures, its lens filling (Left, Top) to (Right, Bottom) and its
// handle running down to the right.
void DrawGlass(TPicture& p, double Left, double Top, double Right, double Bottom) {
    const double w = (Right - Left) * 0.15;
    p.Shape(clBlack, {{Right - w * 2, Bottom - w * 3},
                      {Right - w * 3, Bottom - w * 2},
                      {Right + w * 2.5, Bottom + w * 3.5},
                      {Right + w * 3.5, Bottom + w * 2.5}});
    p.Lens(clWhite, Left, Top, Right, Bottom);
}

void DrawZoom(TPicture& p) {
    DrawGlass(p, 4, 4, 11, 11);
    p.Shape(clBlack, {{7.5, 0}, {5.5, 2}, {9.5, 2}});
    p.Shape(clBlack, {{7.5, 15.5}, {5.5, 13.5}, {9.5, 13.5}});
    p.Shape(clBlack, {{0, 7.5}, {2, 5.5}, {2, 9.5}});
    p.Shape(clBlack, {{15.5, 7.5}, {13.5, 5.5}, {13.5, 9.5}});
}

// A glass with a blue minus or plus in its lens. The sign is placed in whole pixels about the
// lens centre, since scaled units would round its strokes unevenly at the small size.
void DrawSignGlass(TPicture& p, bool Plus) {
    DrawGlass(p, 1, 1, 11, 11);
    const bool large = p.Size() > ToolBarSmallImageSize;
    const int centre = (p.At(1) + p.At(11)) / 2;
    const int half = large ? 3 : 2;
    const int stroke = large ? 2 : 1;
    const int near = centre - stroke / 2;
    p.Pixels(clBlue, {centre - half, near, centre + half + 1, near + stroke});
    if (Plus) p.Pixels(clBlue, {near, centre - half, near + stroke, centre + half + 1});
}

void DrawZoomOut(TPicture& p) {
    DrawSignGlass(p, false);
}

void DrawZoomIn(TPicture& p) {
    DrawSignGlass(p, true);
}

void DrawSelect(TPicture& p) {
    p.Shape(clWhite, {{4, 1}, {4, 13}, {7, 10}, {9, 15}, {11, 14}, {9, 9.5}, {13, 9.5}});
}

void DrawScrollBox(TPicture& p) {
    const int dot = p.Size() > ToolBarSmallImageSize ? 2 : 1;
    const int left = p.At(1.5), top = p.At(3), right = p.At(14.5) - dot, bottom = p.At(13) - dot;
    for (int x = left; x <= right; x += dot * 2) {
        p.Dot(x, top, dot);
        p.Dot(x, bottom, dot);
    }
    for (int y = top; y <= bottom; y += dot * 2) {
        p.Dot(left, y, dot);
        p.Dot(right, y, dot);
    }
}

void DrawCursor(TPicture& p) {
    p.Box(clBlack, 7.5, 1, 8.5, 15);
    p.Shape(clBlack, {{1.5, 4.5}, {6, 8}, {1.5, 11.5}});
    p.Shape(clBlack, {{14.5, 4.5}, {10, 8}, {14.5, 11.5}});
}

void DrawProperties(TPicture& p) {
    p.Frame(clWhite, 2, 2, 12, 15);
    p.Lines(4, 10, 5, 13);
    p.Box(clBlack, 11, 0.5, 12, 7);
    p.Box(clBlue, 12, 0.5, 15.5, 3.5);
}

void DrawCopy(TPicture& p) {
    p.Frame(clWhite, 1, 1, 10, 12);
    p.Lines(3, 8, 3.5, 6);
    p.Frame(clWhite, 6, 4, 15, 15);
    p.Lines(8, 13, 7, 13);
}

void DrawSave(TPicture& p) {
    p.Frame(clNavy, 1, 1, 15, 15);
    p.Box(clSilver, 4, 1.5, 12, 6.5);
    p.Box(clNavy, 9, 2.5, 11, 5.5);
    p.Box(clWhite, 3, 8.5, 13, 14.5);
    p.Lines(4.5, 11.5, 10, 14);
}

void DrawPrinter(TPicture& p) {
    p.Frame(clWhite, 4, 1, 12, 8);
    p.Lines(5.5, 10.5, 3, 7);
    p.Frame(clSilver, 1, 7, 15, 13);
    p.Box(clLime, 12, 8.5, 13.5, 10);
    p.Frame(clWhite, 4, 11, 12, 15.5);
}

using TDrawing = void (*)(TPicture&);

const std::array<std::pair<const char*, TDrawing>, 13> Drawings{{
    {"AUTO", DrawAuto},
    {"PAUSE", DrawPause},
    {"SCROLL", DrawScroll},
    {"ZOOM", DrawZoom},
    {"ZOOMOUT", DrawZoomOut},
    {"ZOOMIN", DrawZoomIn},
    {"SELECT", DrawSelect},
    {"SCROLLBOX", DrawScrollBox},
    {"CURSOR", DrawCursor},
    {"PROPERTIES", DrawProperties},
    {"COPY", DrawCopy},
    {"SAVE", DrawSave},
    {"PRINTER", DrawPrinter},
}};

const QString SmallPrefix = QStringLiteral("SMALL");

} // namespace

QStringList ToolBarImageNames() {
    QStringList names;
    for (const auto& [name, drawing] : Drawings)
        names << QString::fromLatin1(name) << SmallPrefix + QString::fromLatin1(name);
    return names;
}

std::unique_ptr<TBitmap> CreateToolBarImage(const QString& ResourceName) {
    QString name = ResourceName.toUpper();
    const bool small = name.startsWith(SmallPrefix);
    if (small) name.remove(0, SmallPrefix.size());
    for (const auto& [drawingName, drawing] : Drawings) {
        if (name != QLatin1String(drawingName)) continue;
        const int size = small ? ToolBarSmallImageSize : ToolBarLargeImageSize;
        auto image = std::make_unique<TBitmap>();
        image->Canvas()->Brush()->SetColor(ToolBarImageMaskColor);
        image->SetSize(size, size);
        TPicture picture(*image->Canvas(), size);
        drawing(picture);
        return image;
    }
    return nullptr;
}
