#include "plot/iPlotConfigurationFile.h"

#include "instruments/framework/Igpfunctions.h"
#include "platform/Exception.h"
#include "platform/NumberText.h"
#include "plot/channels/iPlotChannelCustom.h"
#include "plot/iPlotComponent.h"
#include "plot/iPlotFileSupport.h"
#include "plot/iPlotMasterManager.h"

#include <array>
#include <optional>

namespace {

using K = TiPlotObjectKind;

struct TKindName {
    K Kind;
    const char* Name;
};

// The kinds in the order the file holds their counts and objects.
constexpr std::array<TKindName, 10> SavedKinds{{{K::Channel, "Channel"},
                                                {K::XAxis, "XAxis"},
                                                {K::YAxis, "YAxis"},
                                                {K::ToolBar, "ToolBar"},
                                                {K::Legend, "Legend"},
                                                {K::Table, "Table"},
                                                {K::Label, "Label"},
                                                {K::DataView, "DataView"},
                                                {K::DataCursor, "DataCursor"},
                                                {K::Limit, "Limit"}}};
// The order they are loaded in: the axes exist before the channels and the channels before
// the data cursors that name them.
constexpr std::array<K, 10> LoadedKinds{K::ToolBar,    K::Legend, K::Table,    K::Label,
                                        K::XAxis,      K::YAxis,  K::DataView, K::Channel,
                                        K::DataCursor, K::Limit};

const QString PlotFileType = QStringLiteral("Plot Config");
const QString ChannelFileType = QStringLiteral("Plot Channel Config");
const QString ChannelPrefix = QStringLiteral("Channel");
const QString SavingError = QStringLiteral("Error Saving Properties - ");
const QString LoadingError = QStringLiteral("Error Loading Properties - ");
const QString DataViewZHorzKey = QStringLiteral("DataViewZHorz");
const QString DataViewZVertKey = QStringLiteral("DataViewZVert");

QString NameOf(K Kind) {
    for (const TKindName& entry : SavedKinds)
        if (entry.Kind == Kind) return QString::fromLatin1(entry.Name);
    return {};
}

QString CountKey(const QString& Name) {
    return Name + QStringLiteral("Count");
}

QStringList KindNames() {
    QStringList names;
    for (const TKindName& entry : SavedKinds)
        names.append(QString::fromLatin1(entry.Name));
    return names;
}

// A configuration file read whole and checked, before anything of the plot changes.
struct TPlotConfiguration {
    TiPlotFileLines Lines;
    std::optional<int> DataViewZHorz;
    std::optional<int> DataViewZVert;
    std::array<int, PlotObjectKindCount> Counts{};
};

TPlotConfiguration ParseConfiguration(const TStringList& FileLines) {
    TPlotConfiguration configuration{TiPlotFileLines(FileLines, KindNames()), {}, {}, {}};
    TStringList& rest = configuration.Lines.Rest();
    CheckPlotFileType(rest, PlotFileType,
                      QStringLiteral("Incompatible Plot Configuration File Type"));
    configuration.DataViewZHorz = ReadPlotFileInteger(rest, DataViewZHorzKey);
    configuration.DataViewZVert = ReadPlotFileInteger(rest, DataViewZVertKey);
    for (const TKindName& entry : SavedKinds)
        configuration.Counts[size_t(entry.Kind)] =
            ReadPlotFileObjectCount(rest, CountKey(QString::fromLatin1(entry.Name))).value_or(0);
    return configuration;
}

void RemoveAllObjects(TiPlotComponent& Plot) {
    Plot.RemoveAllToolBars();
    Plot.RemoveAllLegends();
    Plot.RemoveAllTables();
    Plot.RemoveAllLabels();
    Plot.RemoveAllXAxes();
    Plot.RemoveAllYAxes();
    Plot.RemoveAllDataViews();
    Plot.RemoveAllChannels();
    Plot.RemoveAllAnnotations();
    Plot.RemoveAllDataCursors();
    Plot.RemoveAllLimits();
}

// Label 0 is the title, which no load removes.
TiPlotObject* NewObject(TiPlotComponent& Plot, K Kind, int Index) {
    TiPlotMasterManager& master = *Plot.Master();
    if (Kind == K::Label && Index == 0 && master.LabelCount() > 0) return master.Get(Kind, 0);
    return master.Get(Kind, master.Add(Kind));
}

// The plot's own properties are loaded first, all or none: a value the plot refuses then
// leaves every object in place.
void ApplyConfiguration(TiPlotComponent& Plot, TPlotConfiguration Configuration) {
    LoadObjectFromStringList(&Plot, QString(), Configuration.Lines.Rest());
    if (Configuration.DataViewZHorz) Plot.SetDataViewZHorz(*Configuration.DataViewZHorz);
    if (Configuration.DataViewZVert) Plot.SetDataViewZVert(*Configuration.DataViewZVert);
    RemoveAllObjects(Plot);
    for (K kind : LoadedKinds) {
        const QString name = NameOf(kind);
        for (int i = 0; i < Configuration.Counts[size_t(kind)]; ++i)
            LoadObjectFromStringList(NewObject(Plot, kind, i), name + QString::number(i),
                                     Configuration.Lines.Object(name, i));
    }
}

} // namespace

void SavePlotConfiguration(TiPlotComponent& Plot, const TStringList& Exclusions,
                           const QString& FileName) {
    RunFileOperation(SavingError, [&] {
        const TiPlotMasterManager& master = *Plot.Master();
        TStringList lines;
        lines.Add(PlotFileTypeLine(PlotFileType));
        SaveObjectToStringList(&Plot, QString(), lines, &Exclusions);
        for (const TKindName& entry : SavedKinds) {
            const QString key = CountKey(QString::fromLatin1(entry.Name));
            CheckPlotFileObjectCount(key, master.Count(entry.Kind));
            lines.Add(PlotFileLine(key, IntToStr(master.Count(entry.Kind))));
        }
        lines.Add(PlotFileLine(DataViewZHorzKey, IntToStr(Plot.DataViewZHorz())));
        lines.Add(PlotFileLine(DataViewZVertKey, IntToStr(Plot.DataViewZVert())));
        for (const TKindName& entry : SavedKinds)
            for (int i = 0; i < master.Count(entry.Kind); ++i)
                SaveObjectToStringList(master.Get(entry.Kind, i),
                                       QString::fromLatin1(entry.Name) + QString::number(i), lines);
        lines.SaveToFile(FileName);
    });
}

void LoadPlotConfiguration(TiPlotComponent& Plot, const QString& FileName) {
    if (Plot.OnBeforeLoadProperties) RunGuarded([&] { Plot.OnBeforeLoadProperties(&Plot); });
    RunFileOperation(LoadingError, [&] {
        const TPlotConfiguration configuration = ParseConfiguration(LoadPlotFileLines(FileName));
        ApplyConfiguration(*TiScratchPlot(Plot), configuration);
        const TiPlotLoadSuspension suspension(Plot, true);
        ApplyConfiguration(Plot, configuration);
    });
    if (Plot.OnAfterLoadProperties) RunGuarded([&] { Plot.OnAfterLoadProperties(&Plot); });
}

void SaveChannelConfiguration(TiPlotChannelCustom& Channel, const QString& FileName) {
    RunFileOperation(SavingError, [&] {
        TStringList lines;
        lines.Add(PlotFileTypeLine(ChannelFileType));
        SaveObjectToStringList(&Channel, ChannelPrefix, lines);
        lines.SaveToFile(FileName);
    });
}

void LoadChannelConfiguration(TiPlotChannelCustom& Channel, const QString& FileName) {
    RunFileOperation(LoadingError, [&] {
        TStringList lines = LoadPlotFileLines(FileName);
        CheckPlotFileType(lines, ChannelFileType,
                          QStringLiteral("Incompatible Plot Channel Configuration File Type"));
        LoadObjectFromStringList(&Channel, ChannelPrefix, lines);
    });
}
