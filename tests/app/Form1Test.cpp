#include "app/Form1.h"

#include "instruments/controls/iKnob.h"
#include "instruments/controls/iLabel.h"
#include "instruments/controls/iPhonePad.h"
#include "instruments/controls/iSevenSegmentAnalog.h"
#include "instruments/controls/iSevenSegmentBinary.h"
#include "instruments/controls/iSevenSegmentInteger.h"
#include "instruments/controls/iSlider.h"
#include "instruments/controls/iSwitchLever.h"
#include "platform/Clock.h"
#include "platform/PropertyWalker.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/channels/iXYPlotChannel.h"
#include "plot/iPlot.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotDataView.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLegend.h"
#include "plot/iXYPlot.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

struct StoredControl {
    const char* Name;
    const char* Parent;
    QRect Geometry;
    const char* Class;
};

const StoredControl StoredControls[] = {
    {"Panel2", "TForm1", {24, 304, 185, 265}, "QFrame"},
    {"Label3", "Panel2", {64, 233, 60, 24}, "QLabel"},
    {"iKnob2", "Panel2", {8, 88, 145, 145}, "TiKnob"},
    {"iSevenSegmentAnalog1", "Panel2", {16, 24, 121, 49}, "TiSevenSegmentAnalog"},
    {"Panel3", "TForm1", {336, 8, 553, 273}, "QFrame"},
    {"iPlot1", "Panel3", {24, 8, 521, 257}, "TiPlot"},
    {"Panel4", "TForm1", {224, 320, 201, 113}, "QFrame"},
    {"Label1", "Panel4", {13, 5, 168, 20}, "QLabel"},
    {"Label2", "Panel4", {21, 80, 164, 20}, "QLabel"},
    {"iSwitchLever1", "Panel4", {88, 32, 25, 49}, "TiSwitchLever"},
    {"Panel5", "TForm1", {224, 464, 201, 121}, "QFrame"},
    {"iPhonePad1", "Panel5", {8, 8, 89, 89}, "TiPhonePad"},
    {"iSevenSegmentBinary1", "Panel5", {128, 8, 57, 41}, "TiSevenSegmentBinary"},
    {"iSevenSegmentInteger1", "Panel5", {104, 80, 81, 36}, "TiSevenSegmentInteger"},
    {"iLabel1", "Panel5", {5, 93, 92, 20}, "TiLabel"},
    {"iXYPlot1", "TForm1", {632, 304, 313, 281}, "TiXYPlot"},
    {"Panel6", "TForm1", {432, 320, 193, 177}, "QFrame"},
    {"Label4", "Panel6", {16, 125, 81, 20}, "QLabel"},
    {"Label6", "Panel6", {4, 61, 93, 20}, "QLabel"},
    {"ComboBox1", "Panel6", {8, 8, 153, 21}, "QComboBox"},
    {"iSevenSegmentInteger2", "Panel6", {104, 56, 81, 36}, "TiSevenSegmentInteger"},
    {"iSevenSegmentInteger3", "Panel6", {104, 112, 81, 36}, "TiSevenSegmentInteger"},
    {"FSK", "TForm1", {224, 304, 73, 17}, "QRadioButton"},
    {"QPSK", "TForm1", {224, 440, 73, 25}, "QRadioButton"},
    {"QAM", "TForm1", {433, 304, 96, 17}, "QRadioButton"},
    {"Panel1", "TForm1", {432, 504, 193, 81}, "QFrame"},
    {"Label7", "Panel1", {94, 5, 39, 20}, "QLabel"},
    {"Label8", "Panel1", {89, 53, 48, 20}, "QLabel"},
    {"iSlider1", "Panel1", {8, 8, 57, 65}, "TiSlider"},
    {"CheckBox1", "Panel1", {168, 8, 17, 17}, "QCheckBox"},
    {"iLabel2", "Panel1", {81, 29, 72, 20}, "TiLabel"},
};

// The instruments' stored values other than their bounds, as the property walker reads them.
struct StoredValue {
    const char* Name;
    const char* Path;
    const char* Text;
};

const StoredValue StoredValues[] = {
    {"iKnob2", "Position", "1"},
    {"iKnob2", "PositionMin", "0.1"},
    {"iKnob2", "PositionMax", "4"},
    {"iKnob2", "PositionMax_2", "4"},
    {"iKnob2", "CurrentMin", "0.1"},
    {"iKnob2", "CurrentMax", "1"},
    {"iKnob2", "PositionDisplayUnits", "0.1"},
    {"iKnob2", "KeyArrowStepSize", "0.1"},
    {"iKnob2", "KeyPageStepSize_2", "0.1"},
    {"iKnob2", "MouseWheelStepSize", "0.1"},
    {"iKnob2", "KnobRadius", "33"},
    {"iKnob2", "TickMinorCount", "10"},
    {"iKnob2", "TabStop", "1"},
    {"iSevenSegmentAnalog1", "SegmentColor", "16711680"},
    {"iSwitchLever1", "Active", "0"},
    {"iPhonePad1", "OuterMargin", "0.05"},
    {"iPhonePad1", "ButtonSpacing", "0.1"},
    {"iPhonePad1", "ButtonVisible0", "0"},
    {"iPhonePad1", "ButtonVisible1", "1"},
    {"iPhonePad1", "ButtonVisible4", "1"},
    {"iPhonePad1", "ButtonVisible5", "0"},
    {"iPhonePad1", "ButtonVisible9", "0"},
    {"iPhonePad1", "ButtonVisibleStar", "0"},
    {"iPhonePad1", "ButtonVisiblePound", "0"},
    {"iPhonePad1", "ButtonCaption1", "00"},
    {"iPhonePad1", "ButtonCaption2", "01"},
    {"iPhonePad1", "ButtonCaption3", "10"},
    {"iPhonePad1", "ButtonCaption4", "11"},
    {"iPhonePad1", "ButtonCaption5", "5"},
    {"iPhonePad1", "ButtonCaptionPound", "#"},
    {"iSevenSegmentBinary1", "SegmentColor", "255"},
    {"iSevenSegmentBinary1", "Value", "0"},
    {"iSevenSegmentBinary1", "DigitCount", "2"},
    {"iSevenSegmentInteger1", "SegmentColor", "65280"},
    {"iSevenSegmentInteger1", "DigitCount", "3"},
    {"iSevenSegmentInteger2", "SegmentColor", "65280"},
    {"iSevenSegmentInteger3", "SegmentColor", "16711935"},
    {"iSevenSegmentInteger3", "Value", "0"},
    {"iLabel1", "Caption", "Déphasage"},
    {"iLabel1", "Font.Color", "32768"},
    {"iLabel1", "Font.Height", "-16"},
    {"iLabel1", "Font.Style", "1"},
    {"iLabel2", "Caption", "gaussien"},
    {"iLabel2", "Font.Color", "128"},
    {"iLabel2", "Font.Height", "-16"},
    {"iLabel2", "Font.Style", "1"},
    {"iSlider1", "Position", "0"},
    {"iSlider1", "PositionMin", "0"},
    {"iSlider1", "PositionMax", "30"},
    {"iSlider1", "KeyArrowStepSize_2", "1"},
    {"iSlider1", "KeyPageStepSize", "10"},
    {"iSlider1", "MouseWheelStepSize", "1"},
};

struct StoredCaption {
    const char* Name;
    const char* Text;
    TColor FontColor;
    int PixelSize; // bold whenever 16
};

const StoredCaption StoredCaptions[] = {
    {"Label3", "FE(Hz)", clBlue, 21},
    {"Label1", "1 logique F1=FE+0.4", clWindowText, 16},
    {"Label2", "0 logique F0=FE-0.4", clWindowText, 16},
    {"Label4", "Amplitude", clFuchsia, 16},
    {"Label6", "Déphasage", clGreen, 16},
    {"Label7", "Bruit", clMaroon, 16},
    {"Label8", "QPSK", clMaroon, 16},
    {"FSK", "FSK-2", clRed, 16},
    {"QPSK", "QPSK", clMaroon, 16},
    {"QAM", "QAM-16", clTeal, 16},
    {"CheckBox1", "CheckBox1", clWindowText, 11},
};

constexpr QPoint DiscCentre{145, 145};

QPoint OnDisc(double degrees, double radius) {
    const double radians = degrees * std::numbers::pi / 180.0;
    return DiscCentre + QPoint(int(std::lround(std::cos(radians) * radius)),
                               -int(std::lround(std::sin(radians) * radius)));
}

// Phasors are two pixels wide and end on truncated coordinates: look around the point.
bool ColorNear(const QImage& image, QPoint point, TColor color) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (FromQColor(image.pixelColor(point + QPoint(dx, dy))) == ColorToRGB(color))
                return true;
    return false;
}

int CountPixels(const QImage& image, TColor color) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += FromQColor(image.pixelColor(x, y)) == ColorToRGB(color);
    return count;
}

class Form1Test : public testing::Test {
protected:
    // The wheel throttle of the knob counts time from this clock.
    ManualClock clock;
    ScopedClock scopedClock{[this] { return clock(); }};
    TForm1 form;

    template <typename T = QWidget> T* Control(const char* name) {
        T* control = form.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    void Check(const char* scheme) { Control<QAbstractButton>(scheme)->setChecked(true); }
    // Painting also settles the sizes, so that the knob and the pad know where they stand.
    QImage Window() { return form.grab().toImage(); }
    void Wheel(QWidget* control, int delta) {
        const QPointF centre = QRectF(control->rect()).center();
        QWheelEvent wheel(centre, control->mapToGlobal(centre), {}, {0, delta}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(control, &wheel);
    }
    double CarrierFrequencyAtNextTick() {
        form.update();
        return form.LastTickResult()->CarrierFrequency;
    }
};

TEST_F(Form1Test, WindowAndControlsFollowTheStoredDescription) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("modulation numérique"));
    EXPECT_EQ(form.geometry(), QRect(395, 108, 963, 597));
    EXPECT_EQ(form.palette().color(QPalette::Window), ToQColor(clBtnFace));
    // The displays and labels size themselves to their contents outside loading; their stored
    // sizes stand only because the description was applied while the form loaded.
    for (const StoredControl& stored : StoredControls) {
        const QWidget* control = Control(stored.Name);
        EXPECT_STREQ(control->metaObject()->className(), stored.Class) << stored.Name;
        EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(stored.Parent))
            << stored.Name;
        EXPECT_EQ(control->pos(), stored.Geometry.topLeft()) << stored.Name;
        const auto* label = qobject_cast<const QLabel*>(control);
        EXPECT_EQ(control->size(), label ? stored.Geometry.size().expandedTo(label->sizeHint())
                                         : stored.Geometry.size())
            << stored.Name;
    }
    for (const StoredCaption& stored : StoredCaptions) {
        const QWidget* control = Control(stored.Name);
        const auto* label = qobject_cast<const QLabel*>(control);
        EXPECT_EQ(label ? label->text() : qobject_cast<const QAbstractButton*>(control)->text(),
                  QString::fromUtf8(stored.Text));
        EXPECT_EQ(control->palette().color(QPalette::WindowText), ToQColor(stored.FontColor))
            << stored.Name;
        EXPECT_EQ(control->font().pixelSize(), stored.PixelSize) << stored.Name;
        EXPECT_EQ(control->font().bold(), stored.PixelSize == 16) << stored.Name;
    }
}

TEST_F(Form1Test, InstrumentsHoldTheirStoredValuesAndNoPathIsLeftBehind) {
    for (const StoredValue& stored : StoredValues)
        EXPECT_EQ(PropertyWalker::ReadText(Control(stored.Name), QString::fromLatin1(stored.Path)),
                  QString::fromUtf8(stored.Text))
            << stored.Name << "." << stored.Path;
    for (const char* label : {"iLabel1", "iLabel2"})
        EXPECT_FALSE(Control(label)->dynamicPropertyNames().contains("Font.Color")) << label;
}

TEST_F(Form1Test, StandardLabelsGrowToShowTheirWholeText) {
    for (QLabel* label : form.findChildren<QLabel*>()) {
        const QSize text = label->fontMetrics().size(0, label->text());
        EXPECT_GE(label->width(), text.width()) << label->objectName().toStdString();
        EXPECT_GE(label->height(), text.height()) << label->objectName().toStdString();
    }
    // "FE(Hz)" is wider in the installed face than the stored 60 pixels.
    EXPECT_GT(Control("Label3")->width(), 60);
}

TEST_F(Form1Test, InstrumentLabelsAreDrawnInTheirFontColours) {
    Window();
    const auto inked = [&](const char* name, TColor color) {
        return CountPixels(Control(name)->grab().toImage(), color);
    };
    EXPECT_GT(inked("iLabel1", clGreen), 40);
    EXPECT_GT(inked("iLabel2", clMaroon), 40);
    EXPECT_EQ(inked("iLabel1", clWindowText), 0);
}

TEST_F(Form1Test, TabOrderFollowsTheStoredOrder) {
    const QStringList order = {"iKnob2", "iPlot1", "iSwitchLever1", "iXYPlot1", "ComboBox1",
                               "FSK",    "QPSK",   "QAM",           "iSlider1", "CheckBox1"};
    QStringList chain;
    for (QWidget* widget = form.nextInFocusChain(); widget != &form;
         widget = widget->nextInFocusChain())
        if (order.contains(widget->objectName())) chain.append(widget->objectName());
    EXPECT_EQ(chain, order);
}

TEST_F(Form1Test, StartsWithNothingCheckedNoSymbolChosenAndNoModelOperationRun) {
    auto* fsk = Control<QRadioButton>("FSK");
    EXPECT_FALSE(fsk->isChecked() || Control<QRadioButton>("QPSK")->isChecked() ||
                 Control<QRadioButton>("QAM")->isChecked() ||
                 Control<QCheckBox>("CheckBox1")->isChecked());
    auto* combo = Control<QComboBox>("ComboBox1");
    ASSERT_EQ(combo->count(), 16);
    EXPECT_EQ(combo->itemText(5), QStringLiteral("0101"));
    EXPECT_EQ(combo->itemText(15), QStringLiteral("1111"));
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_TRUE(combo->currentText().isEmpty());
    EXPECT_FALSE(form.LastTickResult() || form.LastKeyClickResult() ||
                 form.LastSymbolChangeResult());
    // The three schemes share the form and so form one group.
    Check("FSK");
    Check("QAM");
    EXPECT_FALSE(fsk->isChecked());
}

TEST_F(Form1Test, TimerRunsTheCycleEvery50ms) {
    const auto* timer = form.findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 50);
    QDeadlineTimer deadline(5000);
    while (form.Model().Time() < 0.1 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_GE(form.Model().Time(), 0.1);
}

TEST_F(Form1Test, TickReadsTheControlsAndPassesTheOutputsOn) {
    form.update();
    EXPECT_EQ(Control<TiSevenSegmentAnalog>("iSevenSegmentAnalog1")->Value(), 1.0);
    EXPECT_FALSE(form.LastTickResult()->QpskPoint);
    EXPECT_NEAR(form.LastTickResult()->CarrierPoint.Y, 120.0 * std::sin(std::numbers::pi / 10),
                1e-9);
    Check("QPSK");
    Control<QCheckBox>("CheckBox1")->setChecked(true);
    form.update();
    EXPECT_EQ(form.LastTickResult()->QpskPoint, (ModulationModel::Point{0.0, 0.0}));
}

TEST_F(Form1Test, ClavierShowsTheDibitUnderQpskOnly) {
    auto* dibit = Control<TiSevenSegmentBinary>("iSevenSegmentBinary1");
    form.clavier(nullptr, 3, QLatin1Char('3'));
    EXPECT_FALSE(form.LastKeyClickResult());
    EXPECT_EQ(dibit->Value(), QStringLiteral("0"));
    Check("QPSK");
    form.clavier(nullptr, 3, QLatin1Char('3'));
    EXPECT_EQ(dibit->Value(), QStringLiteral("10"));
    EXPECT_EQ(Control<TiSevenSegmentInteger>("iSevenSegmentInteger1")->Value(), 225);
}

TEST_F(Form1Test, PadKey01UnderQpskShows01And135) {
    Check("QPSK");
    Window();
    auto* pad = Control<TiPhonePad>("iPhonePad1");
    QTest::mouseClick(pad, Qt::LeftButton, {}, ToQRect(pad->Button(2)->DrawRect()).center());
    EXPECT_EQ(Control<TiSevenSegmentBinary>("iSevenSegmentBinary1")->Value(), QStringLiteral("01"));
    EXPECT_EQ(Control<TiSevenSegmentInteger>("iSevenSegmentInteger1")->Value(), 135);
    EXPECT_EQ(form.LastKeyClickResult()->QpskPoint, (ModulationModel::Point{-0.7, 0.7}));
}

TEST_F(Form1Test, Symbol0000UnderQamShows225And53) {
    auto* phase = Control<TiSevenSegmentInteger>("iSevenSegmentInteger2");
    auto* amplitude = Control<TiSevenSegmentInteger>("iSevenSegmentInteger3");
    Control<QComboBox>("ComboBox1")->setEditText(QStringLiteral("0101"));
    EXPECT_EQ(form.Model().QamSymbolText(), "0101");
    EXPECT_EQ(phase->Value(), 0);
    Check("QAM");
    Control<QComboBox>("ComboBox1")->setCurrentIndex(0);
    EXPECT_EQ(phase->Value(), 225);
    EXPECT_EQ(amplitude->Value(), 53);
    EXPECT_EQ(form.LastSymbolChangeResult()->QamPoint, (ModulationModel::Point{-0.33, -0.33}));
}

TEST_F(Form1Test, StripChartShowsBothCarriersAgainstANewTenSecondAxis) {
    auto* plot = Control<TiPlot>("iPlot1");
    EXPECT_EQ(plot->TitleText(),
              QStringLiteral("représentation de la porteuse et la porteuse modulée"));
    ASSERT_EQ(plot->XAxisCount(), 1);
    ASSERT_EQ(plot->ChannelCount(), 2);
    TiPlotAxis* x = plot->GetXAxis(0);
    TiPlotAxis* y = plot->GetYAxis(0);
    EXPECT_EQ(x->Span(), 10);
    EXPECT_EQ(x->LabelsFont()->Color(), clRed);
    EXPECT_EQ(y->Min(), -120);
    EXPECT_EQ(y->Span(), 240);
    const struct {
        const char* Title;
        TColor Color;
    } expected[] = {{"porteuse modulée", clRed}, {"porteuse", clAqua}};
    for (int i = 0; i < 2; ++i) {
        TiPlotChannel* channel = plot->GetChannel(i);
        EXPECT_EQ(channel->TitleText(), QString::fromUtf8(expected[i].Title));
        EXPECT_EQ(channel->Color(), expected[i].Color);
        EXPECT_EQ(channel->XAxisName(), x->Name());
        EXPECT_EQ(channel->YAxisName(), y->Name());
    }
}

TEST_F(Form1Test, ConstellationShowsMarkersOnlyOnBothAxesFromMinusOneToOne) {
    auto* plot = Control<TiXYPlot>("iXYPlot1");
    EXPECT_EQ(plot->TitleText(), QStringLiteral("constellation modulation"));
    for (TiPlotAxis* axis : {plot->GetXAxis(0), plot->GetYAxis(0)}) {
        EXPECT_EQ(axis->Min(), -1);
        EXPECT_EQ(axis->Span(), 2);
    }
    ASSERT_EQ(plot->ChannelCount(), 2);
    EXPECT_EQ(plot->GetChannel(0)->TitleText(), QStringLiteral("PSK"));
    EXPECT_EQ(plot->GetChannel(1)->TitleText(), QStringLiteral("QAM"));
    EXPECT_EQ(plot->GetChannel(1)->Color(), clAqua);
    EXPECT_NE(plot->GetChannel(0)->Color(), clAqua);
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(plot->GetChannel(i)->TraceVisible());
        EXPECT_TRUE(plot->GetChannel(i)->MarkersVisible());
    }
}

// Stored values of both plots' objects that differ from what a new plot holds and that the
// constructor's steps leave alone, as (kind getter, path, text).
struct StoredPlotValue {
    const char* Object;
    const char* Path;
    const char* Text;
};

const StoredPlotValue StoredPlotValues[] = {
    {"DataView", "GridLineXMajorWidth", "0"},
    {"DataView", "GridLineYMinorWidth", "0"},
    {"DataView", "GridXAxisName", "X-Axis 1"},
    {"DataCursor", "MenuItemCaptionValueXY", "Value X-Y"},
    {"DataCursor", "MenuItemCaptionInverseDeltaX", "Frequency"},
    {"DataCursor", "Pointer2Position", "60"},
    {"Legend", "RowSpacing", "0.25"},
    {"Legend", "WrapRowDesiredCount", "5"},
    {"Legend", "WrapColSpacingAuto", "1"},
    {"Legend", "ColumnTitlesFont.Color", "16776960"},
    {"Label", "Font.Name", "Arial"},
    {"Label", "Font.Height", "-19"},
    {"Label", "Font.Color", "16777215"},
    {"YAxis", "Title", "Y-Axis 1"},
    {"YAxis", "TitleMargin", "0.25"},
};

QObject* PlotObject(TiPlotComponent& plot, const QString& kind) {
    if (kind == "DataView") return plot.GetDataView(0);
    if (kind == "DataCursor") return plot.GetDataCursor(0);
    if (kind == "Legend") return plot.GetLegend(0);
    if (kind == "Label") return plot.GetLabel(0);
    return plot.GetYAxis(0);
}

TEST_F(Form1Test, BothPlotsHoldTheirStoredCollectionsUnderTheConstructorsSteps) {
    for (const char* name : {"iPlot1", "iXYPlot1"}) {
        auto* plot = Control<TiPlotComponent>(name);
        for (const StoredPlotValue& stored : StoredPlotValues)
            EXPECT_EQ(
                PropertyWalker::ReadText(PlotObject(*plot, QString::fromLatin1(stored.Object)),
                                         QString::fromLatin1(stored.Path)),
                QString::fromUtf8(stored.Text))
                << name << " " << stored.Object << "." << stored.Path;
        EXPECT_TRUE(plot->TitleFont()->Style().testFlag(fsBold)) << name;
        EXPECT_EQ(plot->GetDataCursor(0)->MenuItemCaptionDeltaX(), "Period");
        EXPECT_FALSE(plot->GetDataCursor(0)->Visible());
        for (const QString& collection : plot->DefinedCollectionNames())
            EXPECT_FALSE(plot->property(collection.toLatin1().constData()).isValid()) << name;
    }
    // The form stores the strip chart's first X axis as scrolling; the constructor replaces it.
    EXPECT_EQ(Control<TiXYPlot>("iXYPlot1")->GetXAxis(0)->TrackingStyle(), iptsScaleMinMax);
}

TEST_F(Form1Test, TicksAndSymbolsPutTheirPointsOnThePlots) {
    auto* strip = Control<TiPlot>("iPlot1");
    auto* constellation = Control<TiXYPlot>("iXYPlot1");
    for (int tick = 0; tick < 3; ++tick)
        form.update();
    for (int i = 0; i < 2; ++i)
        ASSERT_EQ(strip->GetChannel(i)->GetCount(), 3);
    EXPECT_NEAR(strip->GetChannel(1)->GetDataX(2), 3 * ModulationModel::TimeStep, 1e-9);
    EXPECT_NEAR(strip->GetChannel(1)->GetDataY(2), form.LastTickResult()->CarrierPoint.Y, 1e-9);
    EXPECT_NEAR(strip->GetChannel(0)->GetDataY(2), form.LastTickResult()->ModulatedPoint.Y, 1e-9);
    EXPECT_EQ(constellation->GetChannel(0)->GetCount(), 0);

    Check("QPSK");
    Control<QCheckBox>("CheckBox1")->setChecked(true);
    form.update();
    ASSERT_EQ(constellation->GetChannel(0)->GetCount(), 1);
    Window();
    auto* pad = Control<TiPhonePad>("iPhonePad1");
    QTest::mouseClick(pad, Qt::LeftButton, {}, ToQRect(pad->Button(2)->DrawRect()).center());
    TiXYPlotChannel* psk = constellation->GetChannel(0);
    ASSERT_EQ(psk->GetCount(), 2);
    EXPECT_EQ(psk->GetDataX(1), -0.7);
    EXPECT_EQ(psk->GetDataY(1), 0.7);

    Check("QAM");
    Control<QComboBox>("ComboBox1")->setCurrentIndex(0);
    TiXYPlotChannel* qam = constellation->GetChannel(1);
    ASSERT_EQ(qam->GetCount(), 1);
    EXPECT_EQ(qam->GetDataX(0), -0.33);
    EXPECT_EQ(qam->GetDataY(0), -0.33);
}

TEST_F(Form1Test, StripChartDrawsTheModulatedCarrierInRedInsideItsDataView) {
    for (int tick = 0; tick < 20; ++tick)
        form.update();
    auto* plot = Control<TiPlot>("iPlot1");
    const QImage image = plot->grab().toImage();
    const QRect view = ToQRect(plot->GetDataView(0)->DrawRect());
    ASSERT_FALSE(view.isEmpty());
    int red = 0;
    for (int y = view.top(); y <= view.bottom(); ++y)
        for (int x = view.left(); x <= view.right(); ++x)
            red += FromQColor(image.pixelColor(x, y)) == clRed;
    EXPECT_GT(red, 50);
}

TEST_F(Form1Test, KnobKeysStepTheCarrierFrequencyByATenthFromTheNextTick) {
    auto* knob = Control<TiKnob>("iKnob2");
    auto* display = Control<TiSevenSegmentAnalog>("iSevenSegmentAnalog1");
    form.update();
    QTest::keyClick(knob, Qt::Key_Up);
    EXPECT_NEAR(knob->Position(), 1.1, 1e-9);
    EXPECT_EQ(display->Value(), 1.0);
    EXPECT_NEAR(CarrierFrequencyAtNextTick(), 1.1, 1e-9);
    EXPECT_NEAR(display->Value(), 1.1, 1e-9);
    QTest::keyClick(knob, Qt::Key_PageUp);
    QTest::keyClick(knob, Qt::Key_PageUp);
    QTest::keyClick(knob, Qt::Key_Left);
    EXPECT_NEAR(CarrierFrequencyAtNextTick(), 1.2, 1e-9);
    QTest::keyClick(knob, Qt::Key_Home);
    EXPECT_NEAR(CarrierFrequencyAtNextTick(), 0.1, 1e-9);
}

TEST_F(Form1Test, KnobWheelStepsTheCarrierFrequencyAtMostEvery30ms) {
    auto* knob = Control<TiKnob>("iKnob2");
    Wheel(knob, 120);
    Wheel(knob, 120);
    EXPECT_NEAR(CarrierFrequencyAtNextTick(), 1.1, 1e-9);
    clock.AdvanceMilliseconds(31);
    Wheel(knob, -120);
    clock.AdvanceMilliseconds(31);
    Wheel(knob, -120);
    EXPECT_NEAR(CarrierFrequencyAtNextTick(), 0.9, 1e-9);
}

// Turning clockwise by a quarter adds a quarter of the 270 degrees' worth of 3.9 Hz.
TEST_F(Form1Test, KnobDraggedClockwiseRaisesTheCarrierFrequency) {
    auto* knob = Control<TiKnob>("iKnob2");
    Window();
    const QPoint centre = ToQPoint(knob->Geometry().Center);
    QTest::mousePress(knob, Qt::LeftButton, {}, centre + QPoint(0, -20));
    QTest::mouseMove(knob, centre + QPoint(14, -14));
    QTest::mouseMove(knob, centre + QPoint(20, 0));
    QTest::mouseRelease(knob, Qt::LeftButton, {}, centre + QPoint(20, 0));
    EXPECT_NEAR(knob->Position(), 1.0 + 3.9 / 3, 1e-6);
    EXPECT_NEAR(CarrierFrequencyAtNextTick(), knob->Position(), 1e-12);
}

TEST_F(Form1Test, SliderSetsTheNoiseLevelFrom0To30) {
    auto* slider = Control<TiSlider>("iSlider1");
    Check("QPSK");
    Control<QCheckBox>("CheckBox1")->setChecked(true);
    for (int page = 0; page < 4; ++page)
        QTest::keyClick(slider, Qt::Key_PageUp);
    EXPECT_EQ(slider->Position(), 30.0);
    form.update();
    EXPECT_NE(form.Model().NoisePhase(), 0.0);
    QTest::keyClick(slider, Qt::Key_PageDown);
    QTest::keyClick(slider, Qt::Key_Home);
    QTest::keyClick(slider, Qt::Key_Down);
    EXPECT_EQ(slider->Position(), 0.0);
    form.update();
    EXPECT_EQ(form.Model().NoisePhase(), 0.0);
}

// Under FSK-2 the modulated carrier runs 0.4 Hz above the carrier for a 1, below it for a 0.
TEST_F(Form1Test, LeverSwitchesFskBetweenF1AndF0) {
    Check("FSK");
    const auto offset = [&] {
        form.update();
        const ModulationModel& model = form.Model();
        return (model.ModulatedPhase() - model.CarrierPhase()) / (360.0 * model.Time());
    };
    EXPECT_NEAR(offset(), -0.4, 1e-9);
    auto* lever = Control<TiSwitchLever>("iSwitchLever1");
    QTest::mouseClick(lever, Qt::LeftButton, {}, lever->rect().center());
    ASSERT_TRUE(lever->Active());
    EXPECT_NEAR(offset(), 0.4, 1e-9);
    QTest::keyClick(lever, Qt::Key_Space);
    EXPECT_NEAR(offset(), -0.4, 1e-9);
}

TEST_F(Form1Test, PhasorDiagramShowsDiscAxesAndBothPhasorsAtTheModelAngles) {
    EXPECT_EQ(CountPixels(form.PhasorBitmap().Image(), clBtnFace), 240 * 240);
    Check("QPSK");
    form.clavier(nullptr, 2, QLatin1Char('2'));
    form.update();
    const QImage window = Window();
    for (double radius : {30.0, 110.0}) {
        EXPECT_TRUE(ColorNear(window, OnDisc(18.0, radius), clBlue)) << radius;
        EXPECT_TRUE(ColorNear(window, OnDisc(18.0 - 135.0, radius), clRed)) << radius;
    }
    EXPECT_EQ(FromQColor(window.pixelColor(OnDisc(200.0, 80.0))), ColorToRGB(clBtnFace));
    EXPECT_TRUE(ColorNear(window, OnDisc(315.0, 119.0), clBlack));
    EXPECT_EQ(FromQColor(window.pixelColor(DiscCentre + QPoint(-100, 0))), clBlack);
    EXPECT_EQ(FromQColor(window.pixelColor(DiscCentre + QPoint(0, 100))), clBlack);
    EXPECT_EQ(FromQColor(window.pixelColor(26, 26)), ColorToRGB(clBtnFace));
    // The captions of the background bitmap stand beside the ends of the axes.
    EXPECT_LT(CountPixels(window.copy(270, 130, 20, 12), clBtnFace), 240);
    EXPECT_LT(CountPixels(window.copy(130, 10, 20, 12), clBtnFace), 240);
}

TEST_F(Form1Test, EachTickWipesTheLastDiagramAndThickensTheOutlineAfterTheFirst) {
    form.update();
    const int firstOutline = CountPixels(form.PhasorBitmap().Image(), clBlack);
    form.update();
    EXPECT_GT(CountPixels(form.PhasorBitmap().Image(), clBlack), firstOutline + 300);
    // Without a scheme the red phasor covers the blue one, 18 degrees on per tick.
    const QImage window = Window();
    EXPECT_TRUE(ColorNear(window, OnDisc(36.0, 80.0), clRed));
    EXPECT_FALSE(ColorNear(window, OnDisc(18.0, 80.0), clRed));
    EXPECT_EQ(CountPixels(window.copy(25, 25, 240, 240), clBlue), 0);
}

} // namespace
