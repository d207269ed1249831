#include "app/Form1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
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
    TForm1 form;

    template <typename T = QWidget> T* Control(const char* name) {
        T* control = form.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QVariant Shown(const char* display) { return Control(display)->property("Value"); }
    void Check(const char* scheme) { Control<QAbstractButton>(scheme)->setChecked(true); }
    QImage Window() { return form.grab().toImage(); }
};

TEST_F(Form1Test, WindowAndControlsFollowTheStoredDescription) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("modulation numérique"));
    EXPECT_EQ(form.geometry(), QRect(395, 108, 963, 597));
    EXPECT_EQ(form.palette().color(QPalette::Window), ToQColor(clBtnFace));
    for (const StoredControl& stored : StoredControls) {
        const QWidget* control = Control(stored.Name);
        EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(stored.Parent))
            << stored.Name;
        EXPECT_EQ(control->geometry(), stored.Geometry) << stored.Name;
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
    EXPECT_EQ(Shown("iSevenSegmentAnalog1").toDouble(), 1.0);
    EXPECT_FALSE(form.LastTickResult()->QpskPoint);
    EXPECT_NEAR(form.LastTickResult()->CarrierPoint.Y, 120.0 * std::sin(std::numbers::pi / 10),
                1e-9);
    Check("QPSK");
    Control<QCheckBox>("CheckBox1")->setChecked(true);
    form.update();
    EXPECT_EQ(form.LastTickResult()->QpskPoint, (ModulationModel::Point{0.0, 0.0}));
}

TEST_F(Form1Test, ClavierShowsTheDibitUnderQpskOnly) {
    form.clavier(nullptr, 3, QLatin1Char('3'));
    EXPECT_FALSE(form.LastKeyClickResult());
    EXPECT_FALSE(Shown("iSevenSegmentBinary1").isValid());
    Check("QPSK");
    form.clavier(nullptr, 2, QLatin1Char('2'));
    EXPECT_EQ(Shown("iSevenSegmentBinary1").toString(), QStringLiteral("01"));
    EXPECT_EQ(Shown("iSevenSegmentInteger1").toInt(), 135);
    EXPECT_EQ(form.LastKeyClickResult()->QpskPoint, (ModulationModel::Point{-0.7, 0.7}));
}

TEST_F(Form1Test, ComboBoxTextRunsModqam) {
    Control<QComboBox>("ComboBox1")->setEditText(QStringLiteral("0000"));
    EXPECT_EQ(form.Model().QamSymbolText(), "0000");
    EXPECT_FALSE(Shown("iSevenSegmentInteger2").isValid());
    Check("QAM");
    Control<QComboBox>("ComboBox1")->setCurrentIndex(5);
    EXPECT_EQ(Shown("iSevenSegmentInteger2").toInt(), 288);
    EXPECT_EQ(Shown("iSevenSegmentInteger3").toInt(), 120);
    EXPECT_EQ(form.LastSymbolChangeResult()->QamPoint, (ModulationModel::Point{0.33, -1.0}));
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
