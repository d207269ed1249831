// Any bytes as one kind of plot file, loaded into a plot that stays from input to input: the load
// either succeeds or raises the toolkit's exception and then changes nothing; a file that loaded
// must save and load again to the same plot. The plot's state is what its own files hold
// (annotations, translations and, for configuration files, every object's stored properties)
// and the points of its channels.
#pragma once

#include "FuzzApplication.h"
#include "platform/Exception.h"
#include "plot/channels/iPlotChannelCustom.h"
#include "plot/iPlot.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace fuzz {

[[noreturn]] inline void FailPlot(const char* what, const QString& detail = QString()) {
    std::fprintf(stderr, "%s %s\n", what, detail.toUtf8().constData());
    std::abort();
}

// In memory where the system offers it: a file system on disk would be most of the time.
inline const QTemporaryDir& PlotFileDirectory() {
    static QTemporaryDir directory(QDir(QStringLiteral("/dev/shm")).exists()
                                       ? QStringLiteral("/dev/shm/fuzz-XXXXXX")
                                       : QDir::tempPath() + QStringLiteral("/fuzz-XXXXXX"));
    return directory;
}

inline QString PlotFilePath(const QString& name) {
    return PlotFileDirectory().filePath(name);
}

inline QByteArray ReadPlotFile(const QString& name) {
    QFile file(PlotFilePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// What a target compares: the whole plot's configuration too, or, for a file that touches one
// collection, the collections only (saving the configuration would be most of each input).
enum class PlotState { Whole, Collections };

inline QByteArray PlotStateText(TiPlotComponent& plot, PlotState scope) {
    try {
        if (scope == PlotState::Whole)
            plot.SavePropertiesToFile(PlotFilePath(QStringLiteral("state-config.txt")));
        plot.SaveAnnotationsToFile(PlotFilePath(QStringLiteral("state-annotations.txt")));
        plot.SaveTranslationsToFile(PlotFilePath(QStringLiteral("state-translations.txt")));
    } catch (const Exception& e) {
        FailPlot("a loaded plot does not save:", e.Message());
    }
    QByteArray state = ReadPlotFile(QStringLiteral("state-annotations.txt")) +
                       ReadPlotFile(QStringLiteral("state-translations.txt"));
    if (scope == PlotState::Whole) state += ReadPlotFile(QStringLiteral("state-config.txt"));
    for (int i = 0; i < plot.ChannelCount(); ++i)
        state += QByteArray::number(plot.GetChannelCustom(i)->GetCount()) + ' ';
    return state;
}

using PlotFileOperation = std::function<void(TiPlotComponent& plot, const QString& fileName)>;

// Plot is the plot class the loader needs: a strip chart with its objects for configuration
// files, a bare plot for files that touch one collection.
template <class Plot>
int RunPlotFileInput(const uint8_t* data, size_t size, const PlotFileOperation& load,
                     const PlotFileOperation& save, PlotState scope) {
    // Never destroyed, as the application it needs is not.
    static TiPlotComponent& plot = []() -> TiPlotComponent& {
        auto* made = new Plot;
        made->SetOptionSaveAllProperties(true);
        if (made->ChannelCount() > 0) made->GetChannelCustom(0)->AddXY(1, 2);
        return *made;
    }();
    const QString input = PlotFilePath(QStringLiteral("input.txt"));
    QFile file(input);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    file.write(reinterpret_cast<const char*>(data), qint64(size));
    file.close();
    // The state every input leaves behind was checked when that input ended.
    static QByteArray before = PlotStateText(plot, scope);
    try {
        load(plot, input);
    } catch (const Exception&) {
        if (PlotStateText(plot, scope) != before) FailPlot("a failed load changed the plot");
        return 0;
    }
    const QByteArray loaded = PlotStateText(plot, scope);
    const QString saved = PlotFilePath(QStringLiteral("saved.txt"));
    try {
        save(plot, saved);
        load(plot, saved);
    } catch (const Exception& e) {
        FailPlot("a saved file does not load:", e.Message());
    }
    if (PlotStateText(plot, scope) != loaded) FailPlot("a saved file loads another plot");
    before = loaded;
    return 0;
}

} // namespace fuzz
