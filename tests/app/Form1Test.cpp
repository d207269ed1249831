#include "app/Form1.h"

#include "platform/Colors.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

struct StoredControl {
    const char* Name;
    const char* Parent;
    QRect Geometry;
};

// The client-area layout of the stored description.
const StoredControl StoredControls[] = {
    {"Panel2", "TForm1", {24, 304, 185, 265}},
    {"Label3", "Panel2", {64, 233, 60, 24}},
    {"iKnob2", "Panel2", {8, 88, 145, 145}},
    {"iSevenSegmentAnalog1", "Panel2", {16, 24, 121, 49}},
    {"Panel3", "TForm1", {336, 8, 553, 273}},
    {"iPlot1", "Panel3", {24, 8, 521, 257}},
    {"Panel4", "TForm1", {224, 320, 201, 113}},
    {"Label1", "Panel4", {13, 5, 168, 20}},
    {"Label2", "Panel4", {21, 80, 164, 20}},
    {"iSwitchLever1", "Panel4", {88, 32, 25, 49}},
    {"Panel5", "TForm1", {224, 464, 201, 121}},
    {"iPhonePad1", "Panel5", {8, 8, 89, 89}},
    {"iSevenSegmentBinary1", "Panel5", {128, 8, 57, 41}},
    {"iSevenSegmentInteger1", "Panel5", {104, 80, 81, 36}},
    {"iLabel1", "Panel5", {5, 93, 92, 20}},
    {"iXYPlot1", "TForm1", {632, 304, 313, 281}},
    {"Panel6", "TForm1", {432, 320, 193, 177}},
    {"Label4", "Panel6", {16, 125, 81, 20}},
    {"Label6", "Panel6", {4, 61, 93, 20}},
    {"ComboBox1", "Panel6", {8, 8, 153, 21}},
    {"iSevenSegmentInteger2", "Panel6", {104, 56, 81, 36}},
    {"iSevenSegmentInteger3", "Panel6", {104, 112, 81, 36}},
    {"FSK", "TForm1", {224, 304, 73, 17}},
    {"QPSK", "TForm1", {224, 440, 73, 25}},
    {"QAM", "TForm1", {433, 304, 96, 17}},
    {"Panel1", "TForm1", {432, 504, 193, 81}},
    {"Label7", "Panel1", {94, 5, 39, 20}},
    {"Label8", "Panel1", {89, 53, 48, 20}},
    {"iSlider1", "Panel1", {8, 8, 57, 65}},
    {"CheckBox1", "Panel1", {168, 8, 17, 17}},
    {"iLabel2", "Panel1", {81, 29, 72, 20}},
};

struct StoredCaption {
    const char* Name;
    QString Text;
    TColor FontColor;
    bool Bold;
};

const StoredCaption StoredCaptions[] = {
    {"Label3", QStringLiteral("FE(Hz)"), clBlue, false},
    {"Label1", QStringLiteral("1 logique F1=FE+0.4"), clWindowText, true},
    {"Label2", QStringLiteral("0 logique F0=FE-0.4"), clWindowText, true},
    {"Label4", QStringLiteral("Amplitude"), clFuchsia, true},
    {"Label6", QStringLiteral("Déphasage"), clGreen, true},
    {"Label7", QStringLiteral("Bruit"), clMaroon, true},
    {"Label8", QStringLiteral("QPSK"), clMaroon, true},
    {"FSK", QStringLiteral("FSK-2"), clRed, true},
    {"QPSK", QStringLiteral("QPSK"), clMaroon, true},
    {"QAM", QStringLiteral("QAM-16"), clTeal, true},
    {"CheckBox1", QStringLiteral("CheckBox1"), clWindowText, false},
};

QString Caption(const QWidget* widget) {
    if (const auto* label = qobject_cast<const QLabel*>(widget)) return label->text();
    return qobject_cast<const QAbstractButton*>(widget)->text();
}

constexpr QPoint DiscCentre{145, 145};

QPoint OnDisc(double degrees, double radius) {
    const double radians = degrees * std::numbers::pi / 180.0;
    return DiscCentre + QPoint(int(std::lround(std::cos(radians) * radius)),
                               -int(std::lround(std::sin(radians) * radius)));
}

// Lines are two pixels wide and end on truncated coordinates: look around the point.
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
    TForm1 form;

    template <typename T = QWidget> T* Control(const char* name) {
        T* control = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QImage Window() { return form.grab().toImage(); }
};

TEST_F(Form1Test, WindowHasTheStoredTitleClientAreaAndPosition) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("modulation numérique"));
    EXPECT_EQ(form.geometry(), QRect(395, 108, 963, 597));
    EXPECT_EQ(form.Color(), clBtnFace);
    EXPECT_EQ(form.palette().color(QPalette::Window), ToQColor(clBtnFace));
}

TEST_F(Form1Test, ControlsSitOnTheirParentsAtTheStoredPlaces) {
    for (const StoredControl& stored : StoredControls) {
        const QWidget* control = Control(stored.Name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(stored.Parent))
            << stored.Name;
        EXPECT_EQ(control->geometry(), stored.Geometry) << stored.Name;
    }
}

TEST_F(Form1Test, CaptionsCarryTheStoredFontsAndColours) {
    for (const StoredCaption& stored : StoredCaptions) {
        const QWidget* control = Control(stored.Name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(Caption(control), stored.Text) << stored.Name;
        EXPECT_EQ(control->palette().color(QPalette::WindowText), ToQColor(stored.FontColor))
            << stored.Name;
        EXPECT_EQ(control->font().bold(), stored.Bold) << stored.Name;
        EXPECT_EQ(control->font().family(), QStringLiteral("Liberation Sans")) << stored.Name;
    }
    EXPECT_EQ(Control("Label3")->font().pixelSize(), 21);
    EXPECT_EQ(Control("FSK")->font().pixelSize(), 16);
    EXPECT_EQ(Control("ComboBox1")->font().pixelSize(), 11);
}

TEST_F(Form1Test, SchemesStartUncheckedAndFormOneGroup) {
    auto* fsk = Control<QRadioButton>("FSK");
    auto* qpsk = Control<QRadioButton>("QPSK");
    auto* qam = Control<QRadioButton>("QAM");
    EXPECT_FALSE(fsk->isChecked() || qpsk->isChecked() || qam->isChecked());
    EXPECT_FALSE(Control<QCheckBox>("CheckBox1")->isChecked());
    fsk->setChecked(true);
    qam->setChecked(true);
    EXPECT_FALSE(fsk->isChecked());
    EXPECT_TRUE(qam->isChecked());
}

TEST_F(Form1Test, TabOrderFollowsTheStoredOrder) {
    const QStringList order = {QStringLiteral("iKnob2"),        QStringLiteral("iPlot1"),
                               QStringLiteral("iSwitchLever1"), QStringLiteral("iXYPlot1"),
                               QStringLiteral("ComboBox1"),     QStringLiteral("FSK"),
                               QStringLiteral("QPSK"),          QStringLiteral("QAM"),
                               QStringLiteral("iSlider1"),      QStringLiteral("CheckBox1")};
    QStringList chain;
    for (QWidget* widget = form.nextInFocusChain(); widget != &form;
         widget = widget->nextInFocusChain())
        if (order.contains(widget->objectName())) chain.append(widget->objectName());
    EXPECT_EQ(chain, order);
}

TEST_F(Form1Test, ComboBoxHoldsTheSixteenSymbolsWithNothingChosen) {
    auto* combo = Control<QComboBox>("ComboBox1");
    ASSERT_EQ(combo->count(), 16);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("0000"));
    EXPECT_EQ(combo->itemText(5), QStringLiteral("0101"));
    EXPECT_EQ(combo->itemText(15), QStringLiteral("1111"));
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_TRUE(combo->currentText().isEmpty());
    EXPECT_FALSE(form.LastSymbolChangeResult());
}

TEST_F(Form1Test, ConstructorRunsNoModelOperation) {
    EXPECT_EQ(form.Model().Time(), 0.0);
    EXPECT_FALSE(form.LastTickResult());
    EXPECT_FALSE(form.LastKeyClickResult());
}

TEST_F(Form1Test, TimerTicksEvery50ms) {
    const auto* timer = form.findChild<QTimer*>(QStringLiteral("Timer1"));
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 50);
    EXPECT_TRUE(timer->isActive());
    QDeadlineTimer deadline(5000);
    while (form.Model().Time() < 0.1 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_GE(form.Model().Time(), 0.1);
}

TEST_F(Form1Test, TickPassesTheModelOutputsOn) {
    form.update();
    ASSERT_TRUE(form.LastTickResult());
    const ModulationModel::TickResult& result = *form.LastTickResult();
    EXPECT_DOUBLE_EQ(result.CarrierFrequency, 1.0);
    EXPECT_FALSE(result.QpskPoint);
    EXPECT_DOUBLE_EQ(result.CarrierPoint.X, 0.05);
    EXPECT_NEAR(result.CarrierPoint.Y, 120.0 * std::sin(18.0 * std::numbers::pi / 180.0), 1e-9);
    EXPECT_EQ(Control("iSevenSegmentAnalog1")->property("Value").toDouble(), 1.0);
}

TEST_F(Form1Test, TickReadsTheCheckedSchemeAndNoise) {
    Control<QRadioButton>("QPSK")->setChecked(true);
    Control<QCheckBox>("CheckBox1")->setChecked(true);
    form.update();
    // Noise under QPSK adds a point every tick, at the origin before any key.
    ASSERT_TRUE(form.LastTickResult()->QpskPoint);
    EXPECT_EQ(*form.LastTickResult()->QpskPoint, (ModulationModel::Point{0.0, 0.0}));
}

TEST_F(Form1Test, ClavierUnderQpskShowsTheDibitAndItsPhase) {
    Control<QRadioButton>("QPSK")->setChecked(true);
    form.clavier(nullptr, 2, QLatin1Char('2'));
    EXPECT_EQ(Control("iSevenSegmentBinary1")->property("Value").toString(), QStringLiteral("01"));
    EXPECT_EQ(Control("iSevenSegmentInteger1")->property("Value").toInt(), 135);
    ASSERT_TRUE(form.LastKeyClickResult());
    EXPECT_EQ(form.LastKeyClickResult()->QpskPoint, (ModulationModel::Point{-0.7, 0.7}));
}

TEST_F(Form1Test, ClavierWithoutQpskShowsNothingButKeepsTheKey) {
    form.clavier(nullptr, 3, QLatin1Char('3'));
    EXPECT_FALSE(form.LastKeyClickResult());
    EXPECT_FALSE(Control("iSevenSegmentBinary1")->property("Value").isValid());
    EXPECT_EQ(form.Model().LastKeyCode(), 3);
}

TEST_F(Form1Test, ChoosingASymbolUnderQamShowsItsPhaseAndAmplitude) {
    Control<QRadioButton>("QAM")->setChecked(true);
    Control<QComboBox>("ComboBox1")->setCurrentIndex(0);
    EXPECT_EQ(Control("iSevenSegmentInteger2")->property("Value").toInt(), 225);
    EXPECT_EQ(Control("iSevenSegmentInteger3")->property("Value").toInt(), 53);
    ASSERT_TRUE(form.LastSymbolChangeResult());
    EXPECT_EQ(form.LastSymbolChangeResult()->QamPoint, (ModulationModel::Point{-0.33, -0.33}));
}

TEST_F(Form1Test, TypedTextReachesTheModelWithoutQam) {
    Control<QComboBox>("ComboBox1")->setEditText(QStringLiteral("01"));
    EXPECT_EQ(form.Model().QamSymbolText(), "01");
    ASSERT_TRUE(form.LastSymbolChangeResult());
    EXPECT_FALSE(form.LastSymbolChangeResult()->Display);
    EXPECT_FALSE(Control("iSevenSegmentInteger2")->property("Value").isValid());
}

TEST_F(Form1Test, BackgroundCarriesTheAxisCaptionsOnTheWindowColour) {
    const QImage window = Window();
    EXPECT_EQ(FromQColor(window.pixelColor(5, 5)), ColorToRGB(clBtnFace));
    const auto ink = [&](QRect area) {
        return area.width() * area.height() - CountPixels(window.copy(area), clBtnFace);
    };
    EXPECT_GT(ink({270, 130, 20, 12}), 10);
    EXPECT_GT(ink({130, 10, 20, 12}), 10);
    EXPECT_EQ(ink({270, 150, 20, 12}), 0);
}

TEST_F(Form1Test, PhasorAreaStaysInTheWindowColourUntilTheFirstTick) {
    EXPECT_EQ(CountPixels(form.PhasorBitmap().Image(), clBtnFace), 240 * 240);
}

TEST_F(Form1Test, PhasorDiagramShowsDiscAxesAndBothPhasorsAtTheModelAngles) {
    Control<QRadioButton>("QPSK")->setChecked(true);
    form.clavier(nullptr, 2, QLatin1Char('2'));
    form.update();
    const QImage window = Window();
    const double carrier = 18.0;
    const double modulated = carrier - 135.0;
    for (double radius : {30.0, 60.0, 110.0}) {
        EXPECT_TRUE(ColorNear(window, OnDisc(carrier, radius), clBlue)) << radius;
        EXPECT_TRUE(ColorNear(window, OnDisc(modulated, radius), clRed)) << radius;
    }
    EXPECT_EQ(FromQColor(window.pixelColor(OnDisc(200.0, 80.0))), ColorToRGB(clBtnFace));
    EXPECT_TRUE(ColorNear(window, OnDisc(315.0, 119.0), clBlack));
    EXPECT_EQ(FromQColor(window.pixelColor(DiscCentre + QPoint(-100, 0))), ColorToRGB(clBlack));
    EXPECT_EQ(FromQColor(window.pixelColor(DiscCentre + QPoint(0, 100))), ColorToRGB(clBlack));
    // The corners of the phasor bitmap lie outside the disc and are never drawn.
    EXPECT_EQ(FromQColor(window.pixelColor(26, 26)), ColorToRGB(clBtnFace));
}

TEST_F(Form1Test, WithoutSchemeTheRedPhasorCoversTheBlueOneAndTurns18DegreesPerTick) {
    form.update();
    form.update();
    const QImage window = Window();
    EXPECT_TRUE(ColorNear(window, OnDisc(36.0, 80.0), clRed));
    EXPECT_EQ(CountPixels(window.copy(25, 25, 240, 240), clBlue), 0);
    // Each tick's disc wipes the phasors of the tick before.
    EXPECT_FALSE(ColorNear(window, OnDisc(18.0, 80.0), clRed));
}

TEST_F(Form1Test, DiscOutlineIsThinOnTheFirstTickOnlyAndRepaintsKeepTheDiagram) {
    form.update();
    const int firstTick = CountPixels(form.PhasorBitmap().Image(), clBlack);
    form.update();
    const int secondTick = CountPixels(form.PhasorBitmap().Image(), clBlack);
    EXPECT_GT(secondTick, firstTick + 300);
    // A repaint shows the kept diagram, not a blank disc.
    EXPECT_TRUE(ColorNear(Window(), OnDisc(36.0, 80.0), clRed));
}

} // namespace
