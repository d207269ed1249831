#include "plot/iPlotLabel.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/PropertyDefaults.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>

namespace {

const PropertyDefaults::Registration defaults(TiPlotLabel::staticMetaObject,
                                              {
                                                  {"Horizontal", true},
                                                  {"MarginLeft", 0.0},
                                                  {"MarginTop", 0.0},
                                                  {"MarginRight", 0.0},
                                                  {"MarginBottom", 0.0},
                                                  {"Caption", QString()},
                                                  {"Alignment", QVariant::fromValue(iahCenter)},
                                                  {"Font.Name", QStringLiteral("Arial")},
                                                  {"Font.Height", -19},
                                                  {"Font.Color", clWhite},
                                                  {"Font.Style", qlonglong(fsBold)},
                                              });

} // namespace

bool BoundedMargin(double Value, double Limit, double& Result) {
    if (std::isnan(Value)) return false;
    Result = std::clamp(Value, -Limit, Limit);
    return true;
}

TiPlotLabel::TiPlotLabel(TiPlotHost* Owner, const TiPlotObjectHooks& Hooks)
    : TiPlotLayoutObject(Owner, Hooks), font_(std::make_unique<TFont>()) {
    InitHorizontal(true);
    font_->SetName(QStringLiteral("Arial"));
    font_->SetSize(14);
    font_->SetStyle(fsBold);
    font_->SetColor(clWhite);
    font_->OnChange = [this](QObject*) { TriggerChange(this); };
}

TiPlotLabel::~TiPlotLabel() = default;

void TiPlotLabel::SetMargin(double Value, double& Field) {
    double bounded = 0;
    if (BoundedMargin(Value, MaxMargin, bounded))
        SetDoubleProperty(bounded, Field, &TiPlotObject::TriggerChange);
}

void TiPlotLabel::SetMarginLeft(double Value) {
    SetMargin(Value, marginLeft_);
}

void TiPlotLabel::SetMarginTop(double Value) {
    SetMargin(Value, marginTop_);
}

void TiPlotLabel::SetMarginRight(double Value) {
    SetMargin(Value, marginRight_);
}

void TiPlotLabel::SetMarginBottom(double Value) {
    SetMargin(Value, marginBottom_);
}

void TiPlotLabel::SetCaption(const QString& Value) {
    SetStringProperty(Value, caption_, &TiPlotObject::TriggerChange);
}

void TiPlotLabel::SetAlignment(TiAlignmentHorizontal Value) {
    if (Value == alignment_) return;
    alignment_ = Value;
    TriggerChange(this);
}

void TiPlotLabel::SetFont(const TFont* Value) {
    if (Value) font_->Assign(*Value);
}

void TiPlotLabel::CalcRects(TCanvas& Canvas) {
    Canvas.SetFont(font_.get());
    const int w0 = iTextWidth(&Canvas, QStringLiteral("0"));
    const int h0 = iTextHeight(&Canvas, QStringLiteral("0"));
    pixelsTop_ = Round(h0 * marginTop_);
    pixelsBottom_ = Round(h0 * marginBottom_);
    pixelsLeft_ = Round(w0 * marginLeft_);
    pixelsRight_ = Round(w0 * marginRight_);
    requiredWidth_ = iTextHeight(&Canvas, caption_) + pixelsTop_ + pixelsBottom_;
}

int TiPlotLabel::GetRequiredWidth(TCanvas& Canvas) {
    CalcRects(Canvas);
    return requiredWidth_;
}

void TiPlotLabel::Draw(TCanvas& Canvas, TColor) {
    if (!Visible()) return;
    CalcRects(Canvas);
    const TRect d = DrawRect();
    Canvas.SetFont(font_.get());
    const int width = iTextWidth(&Canvas, caption_);
    Canvas.Brush()->SetStyle(bsClear);
    if (Horizontal()) {
        const TiTextFlag along = alignment_ == iahLeft    ? itfHLeft
                                 : alignment_ == iahRight ? itfHRight
                                                          : itfHCenter;
        TRect r{d.Left + pixelsLeft_, d.Top + pixelsTop_, d.Right - pixelsRight_,
                d.Bottom - pixelsBottom_};
        iDrawText(&Canvas, caption_, r, {itfVCenter, along});
        return;
    }
    // Reading upwards: the start of the text at the lower end of the band.
    TRect r{d.Left + pixelsTop_, 0, d.Right - pixelsBottom_, 0};
    const int half = width / 2;
    if (alignment_ == iahLeft) {
        r.Top = r.Bottom = d.Bottom - half - pixelsLeft_;
    } else if (alignment_ == iahRight) {
        r.Top = r.Bottom = d.Top + half + pixelsRight_;
    } else {
        const int middle = (d.Top + d.Bottom) / 2;
        r.Top = middle - half;
        r.Bottom = middle + half;
    }
    iDrawRotatedText(&Canvas, caption_, r, ira090);
}
