#include "PlotConfigFileTestSupport.h"

using PlotTranslationFile = PlotFiles;

TEST_F(PlotTranslationFile, TheLastOfDuplicateLinesWinsAndASaveWritesTheFileAsItWasRead) {
    const QString text = QStringLiteral("A\tB\r\nNull\tNul\tle\r\nA\tC\r\n");
    WriteText(QStringLiteral("words.txt"), text);
    TiPlot plot;
    plot.AddTranslation(QStringLiteral("Old"), QStringLiteral("Gone"));
    plot.LoadTranslationsFromFile(Path(QStringLiteral("words.txt")));
    EXPECT_EQ(plot.TranslationCount(), 3);
    EXPECT_EQ(plot.TranslateText(QStringLiteral("A")), QStringLiteral("C"));
    EXPECT_EQ(plot.TranslateText(QStringLiteral("Null")), QStringLiteral("Nul\tle"));
    EXPECT_EQ(plot.TranslateText(QStringLiteral("Old")), QStringLiteral("Old"));

    plot.SaveTranslationsToFile(Path(QStringLiteral("saved.txt")));
    EXPECT_EQ(ReadText(QStringLiteral("saved.txt")), text);
    TiPlot reloaded;
    reloaded.LoadTranslationsFromFile(Path(QStringLiteral("saved.txt")));
    EXPECT_EQ(PlotState(reloaded), PlotState(plot));
}

TEST_F(PlotTranslationFile, AFileThatFailsLeavesTheTranslationsAsTheyWere) {
    TiPlot plot;
    plot.AddTranslation(QStringLiteral("Null"), QStringLiteral("Nul"));
    const QStringList before = PlotState(plot);
    WriteText(QStringLiteral("bad.txt"), QStringLiteral("A\tB\r\nno tab here\r\nC\tD\r\n"));
    EXPECT_EQ(MessageOf([&] { plot.LoadTranslationsFromFile(Path(QStringLiteral("bad.txt"))); }),
              QStringLiteral("Error Loading Data - Invalid Format - Tab Deliminator Missing"));
    EXPECT_EQ(PlotState(plot), before);
    EXPECT_TRUE(MessageOf([&] {
                    plot.LoadTranslationsFromFile(Path(QStringLiteral("no.txt")));
                }).startsWith(QStringLiteral("Error Loading Data - Cannot open file")));
    EXPECT_EQ(PlotState(plot), before);
}

TEST_F(PlotTranslationFile, ATranslationNoLineCanHoldIsRefusedBeforeWriting) {
    TiPlot plot;
    plot.AddTranslation(QStringLiteral("Two\nlines"), QStringLiteral("x"));
    EXPECT_EQ(MessageOf([&] { plot.SaveTranslationsToFile(Path(QStringLiteral("t.txt"))); }),
              QStringLiteral("Error Saving Translation Data - The Translation of \"Two\nlines\" "
                             "holds a Tab or Line Break"));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("t.txt"))));
    plot.RemoveAllTranslations();
    EXPECT_TRUE(
        MessageOf([&] {
            plot.SaveTranslationsToFile(Path(QString()));
        }).startsWith(QStringLiteral("Error Saving Translation Data - Cannot create file")));
}
