#include "app/Form1.h"

#include "app/PhasorDiagram.h"
#include "instruments/framework/iFormLoading.h"
#include "platform/Font.h"
#include "platform/FontSubstitution.h"
#include "platform/PainterCanvas.h"
#include "platform/PropertyWalker.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/channels/iXYPlotChannel.h"
#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"
#include "plot/iXYPlot.h"
#include "ui_Form1.h"

#include <QLabel>
#include <QPalette>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace {

// The stored Left and Top: uic sizes a top-level window but leaves its place to the caller.
constexpr QPoint FormPosition{395, 108};
constexpr int TimerInterval = 50;
constexpr int BackgroundSize = 300;
constexpr TPoint PhasorOrigin{25, 25};
constexpr int SymbolCount = 16;
constexpr int SymbolBits = 4;

// The stored description keeps fonts and colours as the platform does: a pixel height
// (negative: without internal leading) and 0x00BBGGRR colours, which uic cannot apply.
void ApplyStoredFont(QWidget& widget) {
    const QVariant height = widget.property("FontHeight");
    if (!height.isValid()) return;
    TFont font;
    font.SetName(widget.font().family());
    font.SetHeight(height.toInt());
    font.SetStyle(widget.font().bold() ? TFontStyles(fsBold) : TFontStyles());
    widget.setFont(ToQFont(font));
}

void ApplyStoredColors(QWidget& widget) {
    const QVariant color = widget.property("Color");
    const QVariant fontColor = widget.property("FontColor");
    if (!color.isValid() && !fontColor.isValid()) return;
    QPalette palette = widget.palette();
    if (color.isValid()) palette.setColor(QPalette::Window, ToQColor(color.toInt()));
    if (fontColor.isValid()) palette.setColor(QPalette::WindowText, ToQColor(fontColor.toInt()));
    widget.setPalette(palette);
}

// uic cannot reach an instrument's sub-objects: it leaves a value such as "Font.Color" as a
// dynamic property named by its path, which the walker then writes and which is dropped.
void ApplySubObjectValues(QWidget& widget) {
    for (const QByteArray& path : widget.dynamicPropertyNames()) {
        if (!path.contains('.')) continue;
        PropertyWalker::Write(&widget, QString::fromLatin1(path), widget.property(path));
        widget.setProperty(path, QVariant());
    }
}

// The stored label sizes were measured in another face, and the form's labels size
// themselves to their text: a label grows from its stored size so that no text is cut, and
// keeps its place.
void FitLabelToText(QWidget& widget) {
    if (auto* label = qobject_cast<QLabel*>(&widget))
        label->resize(label->size().expandedTo(label->sizeHint()));
}

void ApplyStoredAppearance(QWidget& widget) {
    ApplyStoredFont(widget);
    ApplyStoredColors(widget);
    ApplySubObjectValues(widget);
    FitLabelToText(widget);
}

void AddPoint(TiPlotChannelCustom& channel, ModulationModel::Point point) {
    channel.AddXY(point.X, point.Y);
}

void ApplyStoredAppearanceToAll(QWidget& form) {
    ApplyStoredAppearance(form);
    for (QWidget* child : form.findChildren<QWidget*>())
        ApplyStoredAppearance(*child);
}

} // namespace

TForm1::TForm1(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::TForm1>()) {
    LoadStoredDescription();
    move(FormPosition);
    CreateBitmaps();
    SetUpConstellation();
    SetUpStripChart();
    FillSymbolList();
    DrawBackground();

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(TimerInterval);
    connect(timer_, &QTimer::timeout, this, &TForm1::update);
    connect(ui_->ComboBox1, &QComboBox::currentTextChanged, this, &TForm1::modqam);
    ui_->iPhonePad1->OnKeyClick = std::bind_front(&TForm1::clavier, this);
    timer_->start();
}

TForm1::~TForm1() = default;

// As when a stored form is streamed in: no control clamps a value or tells of a change until
// the whole description is applied, and each hears Loaded once.
void TForm1::LoadStoredDescription() {
    TiFormLoading loading(*this);
    ui_->setupUi(this);
    ApplyStoredAppearanceToAll(*this);
    loading.Finish();
}

TColor TForm1::Color() const {
    return property("Color").toInt();
}

// The phasor bitmap takes its brush before its size, so its first pixels are the window's.
void TForm1::CreateBitmaps() {
    background_.SetSize(BackgroundSize, BackgroundSize);
    background_.Canvas()->Pen()->SetColor(Color());
    phasor_.Canvas()->Brush()->SetColor(Color());
    phasor_.SetSize(PhasorDiagram::Size, PhasorDiagram::Size);
    phasor_.Canvas()->Pen()->SetColor(Color());
}

// Both axes show -1 to 1; the QPSK points keep the colour the plot gives its first channel.
void TForm1::SetUpConstellation() {
    TiXYPlot& plot = *ui_->iXYPlot1;
    for (TiPlotAxis* axis : {plot.GetXAxis(0), plot.GetYAxis(0)}) {
        axis->SetSpan(2);
        axis->SetMin(-1);
    }
    TiXYPlotChannel* psk = plot.GetChannel(0);
    psk->SetTitleText(QStringLiteral("PSK"));
    psk->SetTraceVisible(false);
    psk->SetMarkersVisible(true);
    plot.SetTitleText(QStringLiteral("constellation modulation"));
    TiXYPlotChannel* qam = plot.GetChannel(plot.AddChannel());
    qam->SetTitleText(QStringLiteral("QAM"));
    qam->SetColor(clAqua);
    qam->SetTraceVisible(false);
    qam->SetMarkersVisible(true);
}

// The stored X axis and channel give way to a new X axis of 10 s. The modulated carrier, added
// while no X axis exists, is bound to it by name; the carrier, added after it, is bound to it
// as every new channel is to X axis 0.
void TForm1::SetUpStripChart() {
    TiPlot& plot = *ui_->iPlot1;
    plot.RemoveAllChannels();
    plot.RemoveAllXAxes();
    plot.SetTitleText(QStringLiteral("représentation de la porteuse et la porteuse modulée"));
    TiPlotAxis* y = plot.GetYAxis(0);
    y->SetSpan(240);
    TiPlotChannel* modulated = plot.GetChannel(plot.AddChannel());
    modulated->SetTitleText(QStringLiteral("porteuse modulée"));
    modulated->SetColor(clRed);
    TiPlotAxis* x = plot.GetXAxis(plot.AddXAxis());
    x->SetSpan(10);
    y->SetMin(-120);
    modulated->SetXAxisName(x->Name());
    x->LabelsFont()->SetColor(clRed);
    TiPlotChannel* carrier = plot.GetChannel(plot.AddChannel());
    carrier->SetTitleText(QStringLiteral("porteuse"));
    carrier->SetColor(clAqua);
}

// The items go in before the change handler is connected and nothing is selected, so the text
// stays empty and the model sees no change.
void TForm1::FillSymbolList() {
    QStringList symbols;
    for (int symbol = 0; symbol < SymbolCount; ++symbol)
        symbols.append(QString::number(symbol, 2).rightJustified(SymbolBits, QLatin1Char('0')));
    ui_->ComboBox1->addItems(symbols);
    ui_->ComboBox1->setCurrentIndex(-1);
    ui_->ComboBox1->setEditText(QString());
}

void TForm1::DrawBackground() {
    TCanvas& canvas = *background_.Canvas();
    canvas.Brush()->SetColor(Color());
    canvas.Pen()->SetColor(Color());
    canvas.FillRect(Bounds(0, 0, background_.Width(), background_.Height()));
    PhasorDiagram::UseLabelFont(canvas);
    canvas.TextOut(270, 130, QStringLiteral("i(t)"));
    canvas.TextOut(130, 10, QStringLiteral("q(t)"));
}

void TForm1::update() {
    const ModulationModel::TickResult result = model_.Tick(ReadTickInputs());
    PassOn(result);
    DrawPhasorDiagram(result);
    QWidget::update(
        QRect(ToQPoint(PhasorOrigin), ToQSize({PhasorDiagram::Size, PhasorDiagram::Size})));
}

// The disc, filled with the brush, wipes the last diagram. Its outline keeps the width the last
// phasor left on the pen: 1 on the very first tick, 2 after.
void TForm1::DrawPhasorDiagram(const ModulationModel::TickResult& result) {
    TCanvas& canvas = *phasor_.Canvas();
    canvas.Pen()->SetColor(clBlack);
    canvas.Ellipse(0, 0, PhasorDiagram::Size, PhasorDiagram::Size);
    PhasorDiagram::DrawAxes(canvas);
    const auto tip = [](ModulationModel::Point point) { return QPointF(point.X, point.Y); };
    PhasorDiagram::DrawPhasor(canvas, tip(result.CarrierTip), clBlue);
    PhasorDiagram::DrawPhasor(canvas, tip(result.ModulatedTip), clRed);
}

void TForm1::clavier(QObject*, int keyCode, QChar) {
    PassOn(model_.KeyClick({.KeyCode = keyCode, .QpskSelected = ui_->QPSK->isChecked()}));
}

void TForm1::modqam() {
    PassOn(model_.SymbolChange({.Text = ui_->ComboBox1->currentText().toStdString(),
                                .QamSelected = ui_->QAM->isChecked()}));
}

void TForm1::paintEvent(QPaintEvent*) {
    TPainterCanvas canvas(*this);
    canvas.Draw(0, 0, background_);
    canvas.Draw(PhasorOrigin.X, PhasorOrigin.Y, phasor_);
}

ModulationModel::TickInputs TForm1::ReadTickInputs() const {
    return {.CarrierFrequency = ui_->iKnob2->Position(),
            .FskSelected = ui_->FSK->isChecked(),
            .QpskSelected = ui_->QPSK->isChecked(),
            .FskBit = ui_->iSwitchLever1->Active(),
            .NoiseOn = ui_->CheckBox1->isChecked(),
            .NoiseLevel = ui_->iSlider1->Position()};
}

void TForm1::PassOn(const ModulationModel::TickResult& result) {
    ui_->iSevenSegmentAnalog1->SetValue(result.CarrierFrequency);
    if (result.QpskPoint) AddPoint(*ui_->iXYPlot1->GetChannel(0), *result.QpskPoint);
    AddPoint(*ui_->iPlot1->GetChannel(0), result.ModulatedPoint);
    AddPoint(*ui_->iPlot1->GetChannel(1), result.CarrierPoint);
    lastTick_ = result;
}

void TForm1::PassOn(const std::optional<ModulationModel::KeyClickResult>& result) {
    if (result && result->Display) {
        ui_->iSevenSegmentBinary1->SetValue(QString::fromStdString(result->Display->DibitText));
        ui_->iSevenSegmentInteger1->SetValue(result->Display->Phase);
    }
    if (result) AddPoint(*ui_->iXYPlot1->GetChannel(0), result->QpskPoint);
    lastKeyClick_ = result;
}

void TForm1::PassOn(const ModulationModel::SymbolChangeResult& result) {
    if (result.Display) {
        ui_->iSevenSegmentInteger2->SetValue(result.Display->Phase);
        ui_->iSevenSegmentInteger3->SetValue(result.Display->Amplitude);
    }
    AddPoint(*ui_->iXYPlot1->GetChannel(1), result.QamPoint);
    lastSymbolChange_ = result;
}
