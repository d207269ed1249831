// The brush of a canvas: the fill of rectangles, ellipses, polygons and text backgrounds.
#pragma once

#include "platform/Colors.h"
#include "platform/GraphicsObject.h"

class TBrush : public TGraphicsObject {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TBrushStyle Style READ Style WRITE SetStyle)

public:
    // The hatches draw their lines in the brush colour and leave the pixels between them.
    enum TBrushStyle {
        bsSolid,
        bsClear,
        bsHorizontal,
        bsVertical,
        bsFDiagonal,
        bsBDiagonal,
        bsCross,
        bsDiagCross
    };
    Q_ENUM(TBrushStyle)

    explicit TBrush(QObject* parent = nullptr);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TBrushStyle Style() const { return style_; }
    void SetStyle(TBrushStyle value);

    void Assign(const TBrush& source);

private:
    TColor color_ = clWhite;
    TBrushStyle style_ = bsSolid;
};

using TBrushStyle = TBrush::TBrushStyle;
using enum TBrush::TBrushStyle;
