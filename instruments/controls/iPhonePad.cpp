#include "instruments/controls/iPhonePad.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/PropertyDefaults.h"
#include "platform/Rounding.h"

#include <QResizeEvent>
#include <cmath>
#include <utility>

namespace {

const PropertyDefaults::Registration defaults(TiPhonePad::staticMetaObject,
                                              {
                                                  {"ButtonVisible0", true},
                                                  {"ButtonVisible1", true},
                                                  {"ButtonVisible2", true},
                                                  {"ButtonVisible3", true},
                                                  {"ButtonVisible4", true},
                                                  {"ButtonVisible5", true},
                                                  {"ButtonVisible6", true},
                                                  {"ButtonVisible7", true},
                                                  {"ButtonVisible8", true},
                                                  {"ButtonVisible9", true},
                                                  {"ButtonVisibleStar", true},
                                                  {"ButtonVisiblePound", true},
                                                  {"ButtonCaption0", QStringLiteral("0")},
                                                  {"ButtonCaption1", QStringLiteral("1")},
                                                  {"ButtonCaption2", QStringLiteral("2")},
                                                  {"ButtonCaption3", QStringLiteral("3")},
                                                  {"ButtonCaption4", QStringLiteral("4")},
                                                  {"ButtonCaption5", QStringLiteral("5")},
                                                  {"ButtonCaption6", QStringLiteral("6")},
                                                  {"ButtonCaption7", QStringLiteral("7")},
                                                  {"ButtonCaption8", QStringLiteral("8")},
                                                  {"ButtonCaption9", QStringLiteral("9")},
                                                  {"ButtonCaptionStar", QStringLiteral("*")},
                                                  {"ButtonCaptionPound", QStringLiteral("#")},
                                                  {"OuterMargin", 0.05},
                                                  {"ButtonSpacing", 0.1},
                                                  {"ShowFocusRect", true},
                                                  {"Width", 115},
                                                  {"Height", 140},
                                                  {"BackGroundColor", clBtnFace},
                                                  {"BorderStyle", QVariant::fromValue(ibsNone)},
                                                  {"Transparent", false},
                                              });

constexpr int StarKey = 10;
constexpr int PoundKey = 11;

struct TCell {
    int Column;
    int Row;
};

// Rows "1" "2" "3"; "4" "5" "6"; "7" "8" "9"; "*" "0" "#", indexed by key code.
constexpr std::array<TCell, TiPhonePad::ButtonCount> Cells{{{1, 3},
                                                            {0, 0},
                                                            {1, 0},
                                                            {2, 0},
                                                            {0, 1},
                                                            {1, 1},
                                                            {2, 1},
                                                            {0, 2},
                                                            {1, 2},
                                                            {2, 2},
                                                            {0, 3},
                                                            {2, 3}}};

QChar KeyChar(int keyCode) {
    if (keyCode == StarKey) return u'*';
    if (keyCode == PoundKey) return u'#';
    return QChar(u'0' + keyCode);
}

} // namespace

TiPhonePad::TiPhonePad(QWidget* parent)
    : TiCustomComponent(parent), font_(std::make_unique<TFont>()) {
    for (int keyCode = 0; keyCode < ButtonCount; ++keyCode) {
        auto button = std::make_unique<TiButton>();
        button->SetCaption(KeyChar(keyCode));
        button->OnInvalidate = [this](QObject* sender) { ButtonInvalidate(sender); };
        button->OnClick = [this](QObject* sender) { ButtonClick(sender); };
        buttons_[keyCode] = std::move(button);
    }
    font_->OnChange = [this](QObject*) { FontChange(); };
    resize(115, 140);
    CalcRects();
}

TiPhonePad::~TiPhonePad() = default;

// A negative margin or spacing could bring a divisor of the grid to zero or below.
void TiPhonePad::SetMargin(double Value, double& Field) {
    const double checked = Value >= 0 ? Value : 0.0;
    if (checked == Field) return;
    Field = checked;
    CalcRects();
    InvalidateChange();
}

void TiPhonePad::SetOuterMargin(double Value) {
    SetMargin(Value, outerMargin_);
}

void TiPhonePad::SetButtonSpacing(double Value) {
    SetMargin(Value, buttonSpacing_);
}

void TiPhonePad::SetFont(const TFont* Value) {
    if (Value) font_->Assign(*Value);
}

void TiPhonePad::FontChange() {
    for (const auto& button : buttons_)
        button->SetFont(font_.get());
}

// The grid is centred; the margin only enters through the button size.
TiPhonePad::TiButtonRects TiPhonePad::Layout(int Width, int Height, double OuterMargin,
                                             double ButtonSpacing) {
    const double u = Width / (2 * OuterMargin + 3 + 2 * ButtonSpacing);
    const double v = Height / (2 * OuterMargin + 4 + 3 * ButtonSpacing);
    const int gapX = Round(u * ButtonSpacing);
    const int gapY = Round(v * ButtonSpacing);
    const int buttonWidth = Round(u);
    const int buttonHeight = Round(v);
    const int left = (Width - 3 * buttonWidth - 2 * gapX) / 2;
    const int top = (Height - 4 * buttonHeight - 3 * gapY) / 2;
    TiButtonRects rects;
    for (int keyCode = 0; keyCode < ButtonCount; ++keyCode) {
        const TCell cell = Cells[keyCode];
        rects[keyCode] = Bounds(left + cell.Column * (buttonWidth + gapX),
                                top + cell.Row * (buttonHeight + gapY), buttonWidth, buttonHeight);
    }
    return rects;
}

// Hit-testing reads the same rectangles as painting, so a press after a resize meets the
// buttons where the next paint will show them, not where the last one did.
void TiPhonePad::CalcRects() {
    const TiButtonRects rects = Layout(width(), height(), outerMargin_, buttonSpacing_);
    for (int keyCode = 0; keyCode < ButtonCount; ++keyCode)
        buttons_[keyCode]->SetDrawRect(rects[keyCode]);
}

void TiPhonePad::resizeEvent(QResizeEvent* event) {
    CalcRects();
    TiCustomComponent::resizeEvent(event);
}

void TiPhonePad::ButtonClick(QObject* Sender) {
    for (int keyCode = 0; keyCode < ButtonCount; ++keyCode) {
        if (buttons_[keyCode].get() != Sender) continue;
        if (OnKeyClick) OnKeyClick(this, keyCode, KeyChar(keyCode));
        return;
    }
}

void TiPhonePad::ButtonInvalidate(QObject*) {
    InvalidateChange();
}

void TiPhonePad::DrawStatic(TCanvas& Canvas) {
    DrawBackGround(Canvas, BackGroundColor());
}

void TiPhonePad::DrawButtons(TCanvas& Canvas) {
    Canvas.SetFont(font_.get());
    Canvas.Brush()->SetStyle(bsClear);
    for (const auto& button : buttons_) {
        if (!button->Visible()) continue;
        Canvas.Brush()->SetStyle(bsSolid);
        Canvas.Brush()->SetColor(BackGroundColor());
        Canvas.Rectangle(button->DrawRect());
        button->Draw(Canvas);
    }
}

void TiPhonePad::DrawFocus(TCanvas& Canvas) {
    const int inset = BorderStyle() == ibsNone ? 0 : 3;
    Canvas.Brush()->SetStyle(bsSolid);
    iDrawFocusRect(&Canvas, InflateRect(Rect(0, 0, width(), height()), -inset, -inset),
                   BackGroundColor());
}

void TiPhonePad::iPaintTo(TCanvas& Canvas) {
    CalcRects();
    PaintStaticLayer(Canvas, [this](TCanvas& layer) { DrawStatic(layer); });
    DrawButtons(Canvas);
    if (HasFocus() && ShowFocusRect()) DrawFocus(Canvas);
}

void TiPhonePad::iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (GetIsDesigning() || Button != mbLeft) return;
    iSetFocus(this);
    CalcRects();
    for (const auto& button : buttons_) {
        if (!button->Visible() || !button->DrawRect().Contains({X, Y})) continue;
        pressed_ = button.get();
        button->iMouseDown(Button, Shift, X, Y);
    }
}

// The pressed button is forgotten before it hears the release, so a failing click handler
// cannot leave it remembered for the next release.
void TiPhonePad::iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (GetIsDesigning() || !pressed_) return;
    std::exchange(pressed_, nullptr)->iMouseUp(Button, Shift, X, Y);
}

void TiPhonePad::iDoKillFocus() {
    if (!GetIsDesigning()) {
        for (const auto& button : buttons_)
            button->SetMouseDown(false);
    }
    TiCustomComponent::iDoKillFocus();
}
