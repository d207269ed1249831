#include "plot/iPlotToolBarButton.h"

#include "platform/Bitmap.h"
#include "plot/iPlotToolBarImageList.h"

namespace {

// The face of a pressed or latched button: white less 0x101010.
constexpr TColor PressedFaceColor = 0xEFEFEF;

} // namespace

TiPlotToolBarButton::TiPlotToolBarButton(TiPlotHost* Owner, TiPlotToolBarImageList* Images,
                                         const QString& Hint, const QString& ImageName,
                                         int GroupIndex, bool Spacer)
    : TiPlotButton(Owner), images_(Images), hint_(Hint), imageName_(ImageName), spacer_(Spacer) {
    SetGroupIndex(GroupIndex);
}

void TiPlotToolBarButton::SetImageName(const QString& Value) {
    imageName_ = Value;
    ForgetImage();
}

void TiPlotToolBarButton::SetHot(bool Value) {
    if (Value == hot_) return;
    hot_ = Value;
    // Only a flat face looks different while hot, but leaving always repaints.
    if (flat_ || !Value) Notify(OnInvalidate);
}

void TiPlotToolBarButton::Draw(TCanvas& Canvas, TColor) {
    if (spacer_) return;
    const TRect r = DrawRect();
    const bool pressed = MouseIsDown() || Down();
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(PressedFaceColor);
    bool shifted = false;
    if (!flat_) {
        if (pressed) Canvas.FillRect(r);
        Canvas.DrawEdge(r, pressed ? TEdgeStyle::Sunken : TEdgeStyle::Raised);
        shifted = pressed;
    } else {
        if (pressed && !hot_) Canvas.FillRect(r);
        if (Enabled() && pressed) {
            DrawFlatEdge(Canvas, clBtnShadow, clBtnHighlight);
            shifted = true;
        } else if (Enabled() && hot_) {
            DrawFlatEdge(Canvas, clBtnHighlight, clBtnShadow);
        }
    }
    DrawImage(Canvas, shifted);
}

void TiPlotToolBarButton::DrawFlatEdge(TCanvas& Canvas, TColor TopLeft, TColor BottomRight) const {
    const TRect r = DrawRect();
    Canvas.Pen()->SetStyle(psSolid);
    Canvas.Pen()->SetWidth(1);
    Canvas.Pen()->SetColor(TopLeft);
    const TPoint topLeft[] = {{r.Left, r.Bottom - 1}, {r.Left, r.Top}, {r.Right - 1, r.Top}};
    Canvas.Polyline(topLeft);
    Canvas.Pen()->SetColor(BottomRight);
    const TPoint bottomRight[] = {
        {r.Right - 1, r.Top}, {r.Right - 1, r.Bottom - 1}, {r.Left - 1, r.Bottom - 1}};
    Canvas.Polyline(bottomRight);
}

void TiPlotToolBarButton::DrawImage(TCanvas& Canvas, bool Shifted) {
    if (!images_) return;
    if (imageIndex_ < 0) imageIndex_ = images_->Add(imageName_);
    const TBitmap* image = images_->Image(imageIndex_);
    if (!image) return;
    const TRect r = DrawRect();
    const int shift = Shifted ? 1 : 0;
    images_->Draw(Canvas, r.Left + (r.Width() - image->Width()) / 2 + shift,
                  r.Top + (r.Height() - image->Height()) / 2 + shift, imageIndex_, Enabled());
}

void TiPlotToolBarButton::DoMouseHint(const TiPlotMouseData&, TiHintData& HintData) {
    TiPlotObjectGuard guard(*this);
    SetHot(true);
    if (guard.Destroyed() || spacer_) return;
    HintData.Text = GetTranslation(hint_);
    HintData.Left = DrawRect().Left;
    HintData.Top = DrawRect().Bottom + 3;
}

void TiPlotToolBarButton::DoMouseNotOver() {
    SetHot(false);
}
