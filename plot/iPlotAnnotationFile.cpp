#include "plot/iPlotAnnotationFile.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/NumberText.h"
#include "plot/iPlotAnnotation.h"
#include "plot/iPlotComponent.h"
#include "plot/iPlotFileSupport.h"

namespace {

const QString AnnotationPrefix = QStringLiteral("Annotation");
const QString CountKey = QStringLiteral("AnnotationCount");

// An annotation file read whole and checked, before any annotation changes.
struct TAnnotationFile {
    TiPlotFileLines Lines;
    int Count = 0;
};

// Without its count line the file is no annotation file: taking it for an empty one would
// remove every annotation.
TAnnotationFile ParseAnnotations(const TStringList& FileLines) {
    TAnnotationFile file{TiPlotFileLines(FileLines, {AnnotationPrefix}), 0};
    const std::optional<int> count = ReadPlotFileObjectCount(file.Lines.Rest(), CountKey);
    if (!count) throw Exception(QStringLiteral("Incompatible Annotation File Type"));
    file.Count = *count;
    return file;
}

void ApplyAnnotations(TiPlotComponent& Plot, TAnnotationFile File) {
    Plot.RemoveAllAnnotations();
    for (int i = 0; i < File.Count; ++i)
        LoadObjectFromStringList(Plot.GetAnnotation(Plot.AddAnnotation()),
                                 AnnotationPrefix + QString::number(i),
                                 File.Lines.Object(AnnotationPrefix, i));
}

} // namespace

void SavePlotAnnotations(TiPlotComponent& Plot, const QString& FileName) {
    RunFileOperation(QStringLiteral("Error Saving Annotations - "), [&] {
        CheckPlotFileObjectCount(CountKey, Plot.AnnotationCount());
        TStringList lines;
        lines.Add(PlotFileLine(CountKey, IntToStr(Plot.AnnotationCount())));
        for (int i = 0; i < Plot.AnnotationCount(); ++i)
            SaveObjectToStringList(Plot.GetAnnotation(i), AnnotationPrefix + QString::number(i),
                                   lines);
        lines.SaveToFile(FileName);
    });
}

void LoadPlotAnnotations(TiPlotComponent& Plot, const QString& FileName) {
    RunFileOperation(QStringLiteral("Error Loading Annotations - "), [&] {
        const TAnnotationFile file = ParseAnnotations(LoadPlotFileLines(FileName));
        ApplyAnnotations(*TiScratchPlot(Plot), file);
        const TiPlotLoadSuspension suspension(Plot, false);
        ApplyAnnotations(Plot, file);
    });
}
