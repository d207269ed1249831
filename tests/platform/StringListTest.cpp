#include "platform/StringList.h"

#include "platform/Exception.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class StringListTest : public testing::Test {
protected:
    QStringList Strings() const {
        QStringList strings;
        for (int i = 0; i < list.Count(); ++i)
            strings.append(list[i]);
        return strings;
    }

    TStringList list;
};

} // namespace

TEST_F(StringListTest, SortedListPutsAnEqualKeyInFrontOfTheEqualOnes) {
    QObject first, second, third;
    list.SetSorted(true);
    list.SetDuplicates(dupAccept);
    list.Add(QStringLiteral("002000"), &first);
    list.Add(QStringLiteral("001050"));
    EXPECT_EQ(list.Add(QStringLiteral("002000"), &second), 1);
    list.Add(QStringLiteral("002000"), &third);
    EXPECT_EQ(Strings(), QStringList({"001050", "002000", "002000", "002000"}));
    EXPECT_EQ(list.Objects(1), &third);
    EXPECT_EQ(list.Objects(3), &first);
}

TEST_F(StringListTest, SortedListIgnoresOrRejectsDuplicatesAndForbidsPositionalEdits) {
    list.SetSorted(true);
    list.Add(QStringLiteral("b"));
    EXPECT_EQ(list.Add(QStringLiteral("B")), 0);
    EXPECT_EQ(list.Count(), 1);
    list.SetDuplicates(dupError);
    EXPECT_THROW(list.Add(QStringLiteral("b")), Exception);
    EXPECT_THROW(list.Insert(0, QStringLiteral("a")), Exception);
    EXPECT_THROW(list.SetStrings(0, QStringLiteral("a")), Exception);
}

TEST_F(StringListTest, SortingAnUnsortedListKeepsItsObjects) {
    QObject objectOfC;
    list.Add(QStringLiteral("c"), &objectOfC);
    list.Add(QStringLiteral("a"));
    list.Insert(1, QStringLiteral("B"));
    list.SetSorted(true);
    EXPECT_EQ(Strings(), QStringList({"a", "B", "c"}));
    EXPECT_EQ(list.IndexOfObject(&objectOfC), 2);
    EXPECT_EQ(list.IndexOf(QStringLiteral("b")), 1);
    EXPECT_EQ(list.IndexOf(QStringLiteral("d")), -1);
}

TEST_F(StringListTest, IndexErrorsRaiseAndChangeNothing) {
    list.Add(QStringLiteral("only"));
    try {
        list.Delete(1);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("List index out of bounds (1)"));
    }
    EXPECT_THROW(list.Strings(-1), Exception);
    EXPECT_THROW(list.Insert(2, QStringLiteral("x")), Exception);
    list.Insert(1, QStringLiteral("end"));
    EXPECT_EQ(Strings(), QStringList({"only", "end"}));
}

TEST_F(StringListTest, TextJoinsWithCrLfAndSplitsAnyLineBreak) {
    list.SetText(QStringLiteral("File Type = TiKnob\r\nPosition = 3\nName\r"));
    EXPECT_EQ(Strings(), QStringList({"File Type = TiKnob", "Position = 3", "Name"}));
    EXPECT_EQ(list.Text(), QStringLiteral("File Type = TiKnob\r\nPosition = 3\r\nName\r\n"));
    list.SetText(QString());
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(StringListTest, CommaTextQuotesWhatNeedsItAndSplitsAtUnquotedBlanks) {
    list.Add(QStringLiteral("plain"));
    list.Add(QStringLiteral("two words"));
    list.Add(QStringLiteral("say \"hi\""));
    list.Add(QString());
    EXPECT_EQ(list.CommaText(), QStringLiteral("plain,\"two words\",\"say \"\"hi\"\"\","));
    TStringList copy;
    copy.SetCommaText(list.CommaText());
    EXPECT_EQ(copy.Text(), list.Text());
    copy.SetCommaText(QStringLiteral(" a b,c,"));
    EXPECT_EQ(copy.Text(), QStringLiteral("a\r\nb\r\nc\r\n\r\n"));
    copy.SetText(QStringLiteral("\r\n"));
    EXPECT_EQ(copy.CommaText(), QStringLiteral("\"\""));
}

TEST_F(StringListTest, NamesAndValuesFindTheFirstNameIgnoringCase) {
    list.SetText(QStringLiteral("Width=10\r\nplain\r\nwidth=20"));
    EXPECT_EQ(list.Names(0), u"Width");
    EXPECT_EQ(list.Names(1), QString());
    EXPECT_EQ(list.Values(QStringLiteral("WIDTH")), u"10");
    list.SetValues(QStringLiteral("Height"), QStringLiteral("5"));
    list.SetValues(QStringLiteral("width"), QStringLiteral("30"));
    list.SetValues(QStringLiteral("Width"), QString());
    EXPECT_EQ(Strings(), QStringList({"plain", "width=20", "Height=5"}));
}

TEST_F(StringListTest, FilesRoundTripAndFailuresNameTheFile) {
    QTemporaryDir directory;
    const QString fileName = directory.filePath(QStringLiteral("lines.txt"));
    list.Add(QStringLiteral("porteuse modulée"));
    list.Add(QStringLiteral("Position = 3.5"));
    list.SaveToFile(fileName);
    QFile file(fileName);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith("3.5\r\n"));
    TStringList loaded;
    loaded.LoadFromFile(fileName);
    EXPECT_EQ(loaded.Text(), list.Text());
    const QString missing = directory.filePath(QStringLiteral("missing.txt"));
    try {
        loaded.LoadFromFile(missing);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_TRUE(
            e.Message().startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(missing)));
    }
    EXPECT_EQ(loaded.Count(), 2);
    EXPECT_THROW(list.SaveToFile(directory.filePath(QStringLiteral("no/such/dir.txt"))), Exception);
}

TEST_F(StringListTest, OnChangeReportsEveryChangeWithTheSender) {
    int changes = 0;
    list.OnChange = [&](TStringList* sender) {
        EXPECT_EQ(sender, &list);
        ++changes;
    };
    list.Add(QStringLiteral("a"));
    list.SetText(QStringLiteral("x\r\ny"));
    list.Delete(0);
    list.Clear();
    list.Clear();
    EXPECT_EQ(changes, 4);
}
