#include "PlotConfigFileTestSupport.h"

namespace {

class PlotAnnotationFile : public PlotFiles {
protected:
    // A plot with two annotations that hold values no default holds.
    static void Annotate(TiPlotComponent& Plot) {
        TiPlotAnnotation* text = Plot.GetAnnotation(Plot.AddAnnotation());
        text->SetText(QStringLiteral("Peak\nsecond line"));
        text->SetX(1.0 / 3);
        TiPlotAnnotation* box = Plot.GetAnnotation(Plot.AddAnnotation());
        box->SetStyle(TiPlotAnnotation::ipasRectangle);
        box->SetY2(-7.5);
    }
};

} // namespace

TEST_F(PlotAnnotationFile, RoundTripReplacesTheAnnotationsOfAnotherPlot) {
    TiPlot original;
    Annotate(original);
    original.SaveAnnotationsToFile(Path(QStringLiteral("notes.txt")));
    const QStringList lines = ReadText(QStringLiteral("notes.txt")).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.first(), QStringLiteral("AnnotationCount = 2"));
    EXPECT_TRUE(lines.contains(QStringLiteral("Annotation0.X = 0.3333333333333333")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Annotation1.Y2 = -7.5")));

    TiPlot loaded;
    loaded.AddAnnotation();
    loaded.AddAnnotation();
    loaded.AddAnnotation();
    loaded.LoadAnnotationsFromFile(Path(QStringLiteral("notes.txt")));
    EXPECT_EQ(PlotState(loaded), PlotState(original));
    EXPECT_EQ(loaded.GetAnnotation(0)->Text(), QStringLiteral("Peak\nsecond line"));

    WriteText(QStringLiteral("none.txt"), QStringLiteral("AnnotationCount = 0\r\n"));
    loaded.LoadAnnotationsFromFile(Path(QStringLiteral("none.txt")));
    EXPECT_EQ(loaded.AnnotationCount(), 0);
}

TEST_F(PlotAnnotationFile, DamagedFilesAreRefusedAndLeaveTheAnnotationsAsTheyWere) {
    TiPlot plot;
    Annotate(plot);
    plot.SaveAnnotationsToFile(Path(QStringLiteral("notes.txt")));
    const QString good = ReadText(QStringLiteral("notes.txt"));
    const QStringList before = PlotState(plot);
    const std::pair<QString, QString> damaged[] = {
        {QString(), QStringLiteral("Incompatible Annotation File Type")},
        {WithLine(good, QStringLiteral("AnnotationCount"), QStringLiteral("5000")),
         QStringLiteral("AnnotationCount = 5000 is out of range (0 to 100)")},
        {WithLine(good, QStringLiteral("Annotation1.Y2"), QStringLiteral("-7..5")),
         QStringLiteral("'-7..5' is not a valid floating point value")},
    };
    for (const auto& [text, message] : damaged) {
        WriteText(QStringLiteral("damaged.txt"), text);
        EXPECT_EQ(
            MessageOf([&] { plot.LoadAnnotationsFromFile(Path(QStringLiteral("damaged.txt"))); }),
            QStringLiteral("Error Loading Annotations - ") + message);
        EXPECT_EQ(PlotState(plot), before);
    }
    EXPECT_TRUE(MessageOf([&] {
                    plot.SaveAnnotationsToFile(Path(QString()));
                }).startsWith(QStringLiteral("Error Saving Annotations - Cannot create file")));
}
