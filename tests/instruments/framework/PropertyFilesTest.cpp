#include "RaisedMessage.h"
#include "RefusingObject.h"
#include "instruments/controls/iKnob.h"
#include "instruments/controls/iLabel.h"
#include "instruments/controls/iPhonePad.h"
#include "instruments/controls/iSevenSegmentAnalog.h"
#include "instruments/controls/iSevenSegmentBinary.h"
#include "instruments/controls/iSevenSegmentCharacter.h"
#include "instruments/controls/iSevenSegmentInteger.h"
#include "instruments/controls/iSlider.h"
#include "instruments/controls/iSwitchLever.h"
#include "instruments/framework/Igpfunctions.h"
#include "platform/PropertyWalker.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class PropertyFilesTest : public testing::Test {
protected:
    QString FilePath() const { return dir.filePath(QStringLiteral("knob.txt")); }

    QByteArray Saved() {
        knob.SavePropertiesToFile(FilePath());
        QFile file(FilePath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }

    QStringList SavedLines() {
        TStringList lines;
        lines.SetText(QString::fromUtf8(Saved()));
        QStringList texts;
        for (int i = 0; i < lines.Count(); ++i)
            texts << lines[i];
        return texts;
    }

    void Write(const QByteArray& text) {
        QFile file(FilePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    QTemporaryDir dir;
    TiKnob knob;
    TiKnob loaded;
};

TEST_F(PropertyFilesTest, FileNamesTheClassThenListsPropertiesInWalkOrderWithStreamValuesLast) {
    knob.SetShowPostionDisplay(true);
    knob.TickLabelFont()->SetStyle(TFont::fsBold | TFont::fsItalic);
    const QByteArray text = Saved();
    EXPECT_TRUE(text.startsWith("File Type = TiKnob\r\n"));
    EXPECT_TRUE(text.endsWith("\r\n"));
    const QStringList lines = SavedLines();
    EXPECT_TRUE(lines.contains("ShowPostionDisplay = 1"));
    EXPECT_TRUE(lines.contains("TickLabelFont.Style = 3"));
    EXPECT_LT(lines.indexOf("Position = 0"), lines.indexOf("TickMajorCount = 5"));
    EXPECT_EQ(
        lines.mid(lines.size() - 3),
        QStringList({"PositionMax_2 = 100", "KeyArrowStepSize_2 = 0.1", "KeyPageStepSize_2 = 1"}));
    for (const char* excluded :
         {"Width = ", "Height = ", "Visible = ", "Enabled = ", "ShowHint = ", "PopupMenu"}) {
        EXPECT_FALSE(text.contains(QByteArray("\n") + excluded)) << excluded;
    }
    EXPECT_TRUE(lines.contains("TickLabelFont.Height = -11")); // only full paths are excluded
    knob.SetOptionSaveAllProperties(true);
    EXPECT_TRUE(SavedLines().contains("Width = 150"));
}

TEST_F(PropertyFilesTest, RoundTripRestoresEveryValueWhateverTheLineOrder) {
    knob.SetPositionMax(200);
    knob.SetPosition(150);
    knob.SetPositionDisplayUnits(QStringLiteral("Hz"));
    knob.SetKnobStyle(TiKnob::iksSunkenEdge);
    knob.SetMouseWheelStepSize(0.1 + 0.2);
    knob.TickLabelFont()->SetName(QStringLiteral("Liberation Serif"));
    knob.SavePropertiesToFile(FilePath());
    loaded.LoadPropertiesFromFile(FilePath());
    // Position comes before PositionMax: the first assignment is clamped to the old 100.
    EXPECT_EQ(loaded.Position(), 150);
    EXPECT_EQ(loaded.PositionMax(), 200);
    EXPECT_EQ(loaded.PositionDisplayUnits(), "Hz");
    EXPECT_EQ(loaded.KnobStyle(), TiKnob::iksSunkenEdge);
    EXPECT_EQ(loaded.MouseWheelStepSize(), 0.1 + 0.2);
    EXPECT_EQ(loaded.TickLabelFont()->Name(), "Liberation Serif");
}

TEST_F(PropertyFilesTest, KeysIgnoreCaseTheFirstOfTwoWinsAndValuesAreTrimmed) {
    Write("File Type = TiSlider\r\nposition = 5\r\nPOSITION = 7\r\n"
          "PositionDisplayUnits =   spaced out  \r\nno separator here\r\nUnknown = 1\r\n");
    loaded.LoadPropertiesFromFile(FilePath());
    EXPECT_EQ(loaded.Position(), 5);
    EXPECT_EQ(loaded.PositionDisplayUnits(), "spaced out");

    TStringList list;
    list.SetText(QStringLiteral("Position = 5\nposition = 9\nOther = 1"));
    LoadObjectFromStringList(&loaded, QString(), list);
    EXPECT_EQ(list.Text(), "position = 9\r\nOther = 1\r\n");
}

TEST_F(PropertyFilesTest, LongLinesAreWrittenAndReadWhole) {
    const QString units = QString(300, u'u') + u'!';
    knob.SetPositionDisplayUnits(units);
    EXPECT_TRUE(SavedLines().contains("PositionDisplayUnits = " + units));
    loaded.LoadPropertiesFromFile(FilePath());
    EXPECT_EQ(loaded.PositionDisplayUnits(), units);
}

TEST_F(PropertyFilesTest, StringsWithLineBreaksReadBackAsWritten) {
    const QString units = QStringLiteral("first\r\nsecond\\n\rthird\n");
    knob.SetPositionDisplayUnits(units);
    const QStringList lines = SavedLines();
    EXPECT_TRUE(lines.contains(
        QStringLiteral("PositionDisplayUnits\\ = first\\r\\nsecond\\\\n\\rthird\\n")));
    loaded.LoadPropertiesFromFile(FilePath());
    EXPECT_EQ(loaded.PositionDisplayUnits(), units);
    // Without line breaks a backslash is written and read as it stands.
    knob.SetPositionDisplayUnits(QStringLiteral("a\\nb"));
    EXPECT_TRUE(SavedLines().contains(QStringLiteral("PositionDisplayUnits = a\\nb")));
    loaded.LoadPropertiesFromFile(FilePath());
    EXPECT_EQ(loaded.PositionDisplayUnits(), "a\\nb");
}

TEST_F(PropertyFilesTest, AMalformedFileChangesNothing) {
    loaded.SetPositionDisplayUnits(QStringLiteral("kept"));
    for (const char* bad : {"KnobRadius = abc", "KnobStyle = 9", "CurrentMax = 1,5",
                            "TickLabelFont.Style = 64", "IndicatorActiveColor = 99999999999"}) {
        Write(QByteArray("File Type = TiKnob\r\nPosition = 5\r\nPositionDisplayUnits = new\r\n") +
              bad + "\r\n");
        const QString message = RaisedMessage([&] { loaded.LoadPropertiesFromFile(FilePath()); });
        EXPECT_TRUE(message.startsWith("Error Loading Properties - '")) << message.toStdString();
        EXPECT_EQ(loaded.Position(), 0) << bad;
        EXPECT_EQ(loaded.PositionDisplayUnits(), "kept") << bad;
    }
    EXPECT_EQ(RaisedMessage([&] { loaded.LoadPropertiesFromFile(FilePath()); }),
              "Error Loading Properties - '99999999999' is not a valid integer value");
    QFile(FilePath()).resize(qint64(17) << 20);
    EXPECT_EQ(
        RaisedMessage([&] { loaded.LoadPropertiesFromFile(FilePath()); }),
        QStringLiteral("Error Loading Properties - File \"%1\" is too large").arg(FilePath()));
    const QString missing = dir.filePath("none.txt");
    EXPECT_TRUE(RaisedMessage([&] {
                    loaded.LoadPropertiesFromFile(missing);
                }).startsWith(QStringLiteral("Error Loading Properties - Cannot open file \"")));
    EXPECT_TRUE(RaisedMessage([&] {
                    knob.SavePropertiesToFile(dir.filePath("no/such/dir.txt"));
                }).startsWith(QStringLiteral("Error Saving Properties - Cannot create file \"")));
}

TEST_F(PropertyFilesTest, ListsTakeAPrefixAndSkipExcludedSubObjectsWhole) {
    TStringList exclusions;
    exclusions.Add(QStringLiteral("knob0.ticklabelfont"));
    exclusions.Add(QStringLiteral("Knob0.Position"));
    TStringList list;
    SaveObjectToStringList(&knob, QStringLiteral("Knob0"), list, &exclusions);
    const QString text = list.Text();
    EXPECT_TRUE(text.startsWith("Knob0.Visible = 1\r\n"));
    EXPECT_TRUE(text.contains("\nKnob0.PositionMax = 100\r\n"));
    EXPECT_FALSE(text.contains("Knob0.Position ="));
    EXPECT_FALSE(text.contains("TickLabelFont"));
    EXPECT_EQ(text.count("\nKnob0."), list.Count() - 1);

    list.SetText(QStringLiteral("Knob0.PositionMax = 70\nKnob0.TickLabelFont.Color = 255\n"
                                "Knob0.PositionMax = 50\nPositionMin = 9"));
    LoadObjectFromStringList(&loaded, QStringLiteral("Knob0"), list);
    EXPECT_EQ(loaded.TickLabelFont()->Color(), clRed);
    EXPECT_EQ(loaded.PositionMax(), 70);
    EXPECT_EQ(loaded.PositionMin(), 0);
    EXPECT_EQ(list.Text(), "Knob0.PositionMax = 50\r\nPositionMin = 9\r\n");
}

TEST_F(PropertyFilesTest, PrefixedKeysMatchWholeIgnoringCaseAndLeftLinesKeepOrderAndObjects) {
    TStringList list;
    list.SetText(QStringLiteral("Knob01.PositionMax = 10\n"
                                "knob0.POSITIONMAX = 60\n"
                                "Knob0PositionMin = 11\n"
                                "Knob0.Po\u017FitionMin = 12\n"
                                "Knob0.TickLabelFont.Name\\ = A\\nB\n"
                                "Knob0.PositionMax = 70\n"
                                "Knob0. = 1"));
    list.SetObjects(0, &knob);
    list.SetObjects(5, &loaded);
    LoadObjectFromStringList(&loaded, QStringLiteral("Knob0"), list);
    EXPECT_EQ(loaded.PositionMax(), 60);
    EXPECT_EQ(loaded.PositionMin(), 12); // the long s folds to s, as the comparison has it
    EXPECT_EQ(loaded.TickLabelFont()->Name(), QStringLiteral("A\nB"));
    EXPECT_EQ(list.Text(), "Knob01.PositionMax = 10\r\nKnob0PositionMin = 11\r\n"
                           "Knob0.PositionMax = 70\r\nKnob0. = 1\r\n");
    EXPECT_EQ(list.Objects(0), &knob);
    EXPECT_EQ(list.Objects(2), &loaded);

    // A blank prefix is none.
    list.SetText(QStringLiteral("PositionMax = 80\nKnob0.PositionMax = 90"));
    LoadObjectFromStringList(&loaded, QStringLiteral("  "), list);
    EXPECT_EQ(loaded.PositionMax(), 80);
    EXPECT_EQ(list.Text(), "Knob0.PositionMax = 90\r\n");
}

TEST(PropertyLines, ASetterThatFailsHasTheValuesAssignedBeforePutBack) {
    RefusingObject object;
    TStringList list;
    list.SetText(QStringLiteral("First = 5\nRefused = 13"));
    EXPECT_EQ(RaisedMessage([&] { LoadObjectFromStringList(&object, QString(), list); }),
              "refused");
    EXPECT_EQ(object.First(), 1);
    EXPECT_EQ(list.Count(), 2);
}

TEST(PropertyLines, GetPropertyValueStringTakesTheFirstMatchingLine) {
    TStringList list;
    list.SetText(QStringLiteral("a = 1\nChannelCount = 2 \nchannelcount = 3"));
    QString value;
    EXPECT_TRUE(GetPropertyValueString(QStringLiteral("CHANNELCOUNT"), value, list));
    EXPECT_EQ(value, "2");
    EXPECT_EQ(list.Count(), 2);
    EXPECT_FALSE(GetPropertyValueString(QStringLiteral("b"), value, list));
    EXPECT_EQ(value, "2");
}

TEST(PropertyLines, SeparateStringsSplitsAtTheFirstSeparatorOnly) {
    QString left = QStringLiteral("x");
    QString right = QStringLiteral("y");
    SeparateStrings(QStringLiteral(" Caption = a = b "), u'=', left, right);
    EXPECT_EQ(left, "Caption");
    EXPECT_EQ(right, "a = b");
    SeparateStrings(QStringLiteral("no separator"), u'=', left, right);
    EXPECT_TRUE(left.isEmpty() && right.isEmpty());
}

// Every control, each stored value moved off its default, saves a file that a fresh control
// of its class loads and saves again unchanged.
template <class Control> class ControlPropertyFileTest : public testing::Test {
protected:
    static void MoveOffDefaults(Control& control) {
        for (const PropertyDescriptor& property : PropertyWalker::StoredValues(&control)) {
            try {
                PropertyWalker::Write(property, Changed(property));
            } catch (const Exception&) {
                // A value the control refuses stays as it was.
            }
        }
    }

    static QVariant Changed(const PropertyDescriptor& property) {
        const QVariant value = PropertyWalker::Read(property);
        switch (property.Kind) {
        case TPropertyKind::Boolean:
            return !value.toBool();
        case TPropertyKind::Float:
            return value.toDouble() + 0.5;
        case TPropertyKind::Integer:
        case TPropertyKind::Character:
            return value.toLongLong() + 3;
        case TPropertyKind::Color:
            return 0x123456;
        case TPropertyKind::Enumeration:
            return property.Enumerator().keyCount() - 1;
        case TPropertyKind::String:
            return QStringLiteral("changed text");
        default:
            return value;
        }
    }

    QTemporaryDir dir;
};

using Controls =
    testing::Types<TiKnob, TiSlider, TiSwitchLever, TiPhonePad, TiLabel, TiSevenSegmentCharacter,
                   TiSevenSegmentInteger, TiSevenSegmentBinary, TiSevenSegmentAnalog>;
TYPED_TEST_SUITE(ControlPropertyFileTest, Controls);

TYPED_TEST(ControlPropertyFileTest, SavedFileLoadsIntoAFreshControlAndSavesTheSame) {
    TypeParam original;
    original.SetOptionSaveAllProperties(true);
    this->MoveOffDefaults(original);
    const QString first = this->dir.filePath("first.txt");
    const QString second = this->dir.filePath("second.txt");
    original.SavePropertiesToFile(first);
    TypeParam copy;
    copy.LoadPropertiesFromFile(first);
    copy.SavePropertiesToFile(second);
    TStringList a;
    TStringList b;
    a.LoadFromFile(first);
    b.LoadFromFile(second);
    EXPECT_EQ(a.Text(), b.Text());
}
