// The pen of a canvas: colour, raster mode, dash style and width in pixels (0 and 1 are both
// the thinnest line).
#pragma once

#include "platform/Colors.h"
#include "platform/GraphicsObject.h"

class TPen : public TGraphicsObject {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(TPenMode Mode READ Mode WRITE SetMode)
    Q_PROPERTY(TPenStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)

public:
    // How the pen (and the brush of the same drawing) combines with the pixels below.
    enum TPenMode {
        pmBlack,
        pmWhite,
        pmNop,
        pmNot,
        pmCopy,
        pmNotCopy,
        pmMergePenNot,
        pmMaskPenNot,
        pmMergeNotPen,
        pmMaskNotPen,
        pmMerge,
        pmNotMerge,
        pmMask,
        pmNotMask,
        pmXor,
        pmNotXor
    };
    Q_ENUM(TPenMode)

    enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
    Q_ENUM(TPenStyle)

    explicit TPen(QObject* parent = nullptr);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TPenMode Mode() const { return mode_; }
    void SetMode(TPenMode value);
    TPenStyle Style() const { return style_; }
    void SetStyle(TPenStyle value);
    int Width() const { return width_; }
    // Negative widths are stored as 0.
    void SetWidth(int value);

    void Assign(const TPen& source);

private:
    TColor color_ = clBlack;
    TPenMode mode_ = pmCopy;
    TPenStyle style_ = psSolid;
    int width_ = 1;
};

using TPenMode = TPen::TPenMode;
using TPenStyle = TPen::TPenStyle;
using enum TPen::TPenMode;
using enum TPen::TPenStyle;
