#include "PlotConfigFileTestSupport.h"
#include "platform/PropertyWalker.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/channels/iXYPlotChannel.h"
#include "plot/iPlotFileSupport.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotMasterManager.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFile>

namespace {

using K = TiPlotObjectKind;

constexpr K ConfiguredKinds[] = {K::ToolBar, K::Legend,   K::Table,      K::XAxis, K::YAxis,
                                 K::Channel, K::DataView, K::DataCursor, K::Limit, K::Label};

void Set(TiPlotObject* Object, const char* Path, const QVariant& Value) {
    PropertyWalker::Write(Object, QString::fromLatin1(Path), Value);
}

// A plot with two objects of every kind, each of them, and the plot, holding values no
// default holds: texts longer than 255 characters and with line breaks, floats that need 17
// digits, poly-band elements.
void Customize(TiPlotComponent& Plot) {
    for (K kind : ConfiguredKinds)
        Plot.Master()->Add(kind);
    Plot.AddLimit();
    Plot.SetTitleText(QStringLiteral("First line\r\nsecond line"));
    Plot.SetPrintMarginLeft(1.0 / 3);
    Plot.SetHintsPause(750);
    Plot.SetDataViewZHorz(2);
    Plot.SetDataViewZVert(0);
    TiPlotMasterManager& master = *Plot.Master();
    Set(master.Get(K::Channel, 1), "TitleText", QString(300, u'c'));
    Set(master.Get(K::Channel, 1), "Name", QStringLiteral("Pressure"));
    Set(master.Get(K::Channel, 0), "MarkersFont.Style", 3);
    Set(master.Get(K::XAxis, 1), "Span", 0.1 + 0.2);
    Set(master.Get(K::YAxis, 1), "Min", -3.25);
    Set(master.Get(K::ToolBar, 1), "ShowCopyButton", false);
    Set(master.Get(K::Legend, 1), "CaptionColumnTitle", QStringLiteral("Names"));
    Set(master.Get(K::Table, 0), "RowsMax", 7);
    Set(master.Get(K::Label, 1), "Caption", QStringLiteral("Second"));
    Set(master.Get(K::DataView, 1), "GridShow", false);
    Set(master.Get(K::DataCursor, 1), "Style", 2);
    Set(master.Get(K::Limit, 0), "Style", 4);
    Set(master.Get(K::Limit, 0), "BandElements", QStringLiteral("0,2,1;5,3.5,2"));
    Set(master.Get(K::Limit, 1), "Line1Position", 12.5);
}

// Counts, while it lives, the windows shown and the plots given a size on screen.
class ShownOnScreen : public QObject {
public:
    ShownOnScreen() { qApp->installEventFilter(this); }
    ~ShownOnScreen() override { qApp->removeEventFilter(this); }

    int Windows = 0;
    int PlotsResized = 0;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        auto* widget = qobject_cast<QWidget*>(Watched);
        if (Event->type() == QEvent::Show && widget && widget->isWindow()) ++Windows;
        if (Event->type() == QEvent::Resize && qobject_cast<TiPlotComponent*>(Watched))
            ++PlotsResized;
        return false;
    }
};

class PlotConfigurationFile : public PlotFiles {
protected:
    // A saved customized strip chart.
    QString SavedFile() {
        TiPlot plot;
        Customize(plot);
        plot.SavePropertiesToFile(Path(QStringLiteral("plot.txt")));
        return ReadText(QStringLiteral("plot.txt"));
    }
};

} // namespace

TEST_F(PlotConfigurationFile, AVisiblePlotLoadsWithoutShowingAWindowOnTheWay) {
    QWidget window; // never shown, so neither is the plot in it
    auto* plot = new TiPlot(&window);
    plot->SetOptionSaveAllProperties(true);
    plot->SavePropertiesToFile(Path(QStringLiteral("plot.txt")));
    ASSERT_TRUE(ReadText(QStringLiteral("plot.txt")).contains(QStringLiteral("\nVisible = 1\r\n")));
    {
        const ShownOnScreen shown;
        plot->LoadPropertiesFromFile(Path(QStringLiteral("plot.txt")));
        EXPECT_EQ(shown.Windows, 0);
        EXPECT_EQ(shown.PlotsResized, 0);
    }
    EXPECT_TRUE(plot->Visible());
    EXPECT_FALSE(plot->isVisible());
}

TEST_F(PlotConfigurationFile, RoundTripRestoresEveryObjectAndStoredPropertyInAFreshPlot) {
    TiPlot original;
    Customize(original);
    original.SavePropertiesToFile(Path(QStringLiteral("plot.txt")));
    TiPlot loaded;
    loaded.LoadPropertiesFromFile(Path(QStringLiteral("plot.txt")));
    EXPECT_EQ(PlotState(loaded), PlotState(original));
    EXPECT_EQ(loaded.LimitCount(), 2);
    EXPECT_EQ(loaded.LabelCount(), 2);
    EXPECT_EQ(loaded.PrintMarginLeft(), 1.0 / 3);
    EXPECT_EQ(loaded.TitleText(), QStringLiteral("First line\r\nsecond line"));

    // Loading again replaces the objects instead of adding to them.
    loaded.LoadPropertiesFromFile(Path(QStringLiteral("plot.txt")));
    EXPECT_EQ(PlotState(loaded), PlotState(original));
}

TEST_F(PlotConfigurationFile, FileHoldsTypeCountsAndObjectsInOrderWithWholeLines) {
    const QStringList lines = SavedFile().split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.first(), QStringLiteral("File Type = Plot Config"));
    EXPECT_TRUE(lines.contains(QStringLiteral("TitleText\\ = First line\\r\\nsecond line")));
    EXPECT_FALSE(lines.contains(QStringLiteral("Width = 500")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Channel1.TitleText = ") + QString(300, u'c')));
    EXPECT_TRUE(lines.contains(QStringLiteral("Channel0.MarkersFont.Style = 3")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Limit0.BandElements = 0,2,1;5,3.5,2")));
    EXPECT_TRUE(lines.contains(QStringLiteral("XAxis1.Span = 0.30000000000000004")));
    const QStringList counts = {"ChannelCount = 2", "XAxisCount = 2",    "YAxisCount = 2",
                                "ToolBarCount = 2", "LegendCount = 2",   "TableCount = 1",
                                "LabelCount = 2",   "DataViewCount = 2", "DataCursorCount = 2",
                                "LimitCount = 2",   "DataViewZHorz = 2", "DataViewZVert = 0"};
    const qsizetype first = lines.indexOf(counts.first());
    ASSERT_GT(first, 0);
    EXPECT_EQ(lines.mid(first, counts.size()), counts);
    QStringList prefixes;
    for (const QString& line : lines.mid(first + counts.size())) {
        const QString prefix = line.section(u'.', 0, 0);
        if (!line.isEmpty() && (prefixes.isEmpty() || prefixes.last() != prefix))
            prefixes << prefix;
    }
    EXPECT_EQ(prefixes, QStringList({"Channel0", "Channel1", "XAxis0", "XAxis1", "YAxis0", "YAxis1",
                                     "ToolBar0", "ToolBar1", "Legend0", "Legend1", "Table0",
                                     "Label0", "Label1", "DataView0", "DataView1", "DataCursor0",
                                     "DataCursor1", "Limit0", "Limit1"}));
}

TEST_F(PlotConfigurationFile, XYPlotLoadsXYChannels) {
    TiXYPlot original;
    original.AddChannel();
    original.GetChannel(1)->SetTitleText(QStringLiteral("Constellation"));
    original.SavePropertiesToFile(Path(QStringLiteral("xy.txt")));
    TiXYPlot loaded;
    loaded.LoadPropertiesFromFile(Path(QStringLiteral("xy.txt")));
    EXPECT_EQ(PlotState(loaded), PlotState(original));
    EXPECT_EQ(loaded.GetChannel(1)->TitleText(), QStringLiteral("Constellation"));
}

TEST_F(PlotConfigurationFile, TitleLabelIsKeptAndMissingCountsLoadNoObjects) {
    QString text = WithLine(SavedFile(), QStringLiteral("LegendCount"), QString());
    WriteText(QStringLiteral("nolegend.txt"),
              text.replace(QStringLiteral("Plot Config"), QStringLiteral("plot config")));
    TiPlot plot;
    TiPlotLabel* title = plot.GetLabel(0);
    plot.AddAnnotation();
    plot.LoadPropertiesFromFile(Path(QStringLiteral("nolegend.txt")));
    EXPECT_EQ(plot.LegendCount(), 0);
    EXPECT_EQ(plot.AnnotationCount(), 0);
    EXPECT_EQ(plot.GetLabel(0), title);
    EXPECT_EQ(plot.GetLabel(1)->Caption(), QStringLiteral("Second"));
    EXPECT_EQ(plot.GetChannelCustom(1)->Name(), QStringLiteral("Pressure"));
}

TEST_F(PlotConfigurationFile, EventsSurroundASuccessfulLoadWithTheLayoutBackAndOneBatch) {
    WriteText(QStringLiteral("good.txt"), SavedFile());
    TestStripPlot plot;
    QStringList seen;
    plot.OnBeforeLoadProperties = [&](QObject* Sender) {
        EXPECT_EQ(Sender, &plot);
        seen << QStringLiteral("before %1").arg(plot.ChannelCount());
    };
    plot.OnAfterLoadProperties = [&](QObject*) {
        seen << QStringLiteral("after %1 %2")
                    .arg(plot.ChannelCount())
                    .arg(plot.LayoutManager()->Enabled());
    };
    const int repaints = plot.Repaints;
    plot.LoadPropertiesFromFile(Path(QStringLiteral("good.txt")));
    EXPECT_LE(plot.Repaints - repaints, 1);
    EXPECT_EQ(seen, QStringList({"before 1", "after 2 1"}));

    seen.clear();
    EXPECT_NE(MessageOf([&] { plot.LoadPropertiesFromFile(Path(QStringLiteral("none.txt"))); }),
              QString());
    EXPECT_EQ(seen, QStringList({"before 2"}));
    EXPECT_TRUE(plot.LayoutManager()->Enabled());
}

TEST_F(PlotConfigurationFile, DamagedFilesAreRefusedAndLeaveThePlotAsItWas) {
    const QString good = SavedFile();
    const QString loadError = QStringLiteral("Error Loading Properties - ");
    const struct {
        QString Text;
        QString Message;
    } damaged[] = {
        {WithLine(good, QStringLiteral("File Type"), QStringLiteral("Plot Channel Config")),
         QStringLiteral("Incompatible Plot Configuration File Type")},
        {WithLine(good, QStringLiteral("File Type"), QString()),
         QStringLiteral("Incompatible Plot Configuration File Type")},
        {QString(), QStringLiteral("Incompatible Plot Configuration File Type")},
        {WithLine(good, QStringLiteral("ChannelCount"), QStringLiteral("101")),
         QStringLiteral("ChannelCount = 101 is out of range (0 to 100)")},
        {WithLine(good, QStringLiteral("LimitCount"), QStringLiteral("-1")),
         QStringLiteral("LimitCount = -1 is out of range (0 to 100)")},
        {WithLine(good, QStringLiteral("XAxisCount"), QStringLiteral("two")),
         QStringLiteral("'two' is not a valid integer value")},
        {WithLine(good, QStringLiteral("HintsPause"), QStringLiteral("soon")),
         QStringLiteral("'soon' is not a valid integer value")},
        {WithLine(good, QStringLiteral("Limit1.Line1Position"), QStringLiteral("1E")),
         QStringLiteral("'1E' is not a valid floating point value")},
        {WithLine(good, QStringLiteral("Limit0.BandElements"), QStringLiteral("0,2")),
         QStringLiteral("'0,2' is not a valid band element")},
        {WithLine(good, QStringLiteral("Limit0.BandElements"), QStringLiteral("0,1,2")),
         QStringLiteral("the Upper Limit must be greater than or equal to the Lower Limit")},
    };
    TiPlot plot;
    plot.GetChannel(0)->AddXY(1, 2);
    plot.AddTranslation(QStringLiteral("Null"), QStringLiteral("Nul"));
    const QStringList before = PlotState(plot);
    for (const auto& file : damaged) {
        WriteText(QStringLiteral("damaged.txt"), file.Text);
        EXPECT_EQ(
            MessageOf([&] { plot.LoadPropertiesFromFile(Path(QStringLiteral("damaged.txt"))); }),
            loadError + file.Message);
        EXPECT_EQ(PlotState(plot), before) << file.Message.toStdString();
    }
    EXPECT_TRUE(MessageOf([&] {
                    plot.LoadPropertiesFromFile(Path(QStringLiteral("missing.txt")));
                }).startsWith(loadError + QStringLiteral("Cannot open file")));
    EXPECT_EQ(PlotState(plot), before);
}

TEST_F(PlotConfigurationFile, ASaveThatFailsIsReportedAndNoUnreadableFileIsWritten) {
    TiPlot plot;
    EXPECT_TRUE(MessageOf([&] {
                    plot.SavePropertiesToFile(Path(QString()));
                }).startsWith(QStringLiteral("Error Saving Properties - Cannot create file")));
    for (int i = 0; i <= MaxPlotFileObjects; ++i)
        plot.AddLimit();
    EXPECT_EQ(
        MessageOf([&] { plot.SavePropertiesToFile(Path(QStringLiteral("many.txt"))); }),
        QStringLiteral("Error Saving Properties - LimitCount = 101 is out of range (0 to 100)"));
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("many.txt"))));
}

TEST_F(PlotConfigurationFile, ChannelFileLoadsTheChannelsPropertiesOnlyAllOrNone) {
    TiPlot plot;
    plot.AddChannel();
    TiPlotChannel* source = plot.GetChannel(0);
    source->SetTitleText(QStringLiteral("Carrier"));
    source->SetTraceLineWidth(3);
    source->SavePropertiesToFile(Path(QStringLiteral("channel.txt")));
    const QStringList lines = ReadText(QStringLiteral("channel.txt")).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines.first(), QStringLiteral("File Type = Plot Channel Config"));
    for (const char* line : {"Channel.Name = Channel 1", "Channel.Color = 255",
                             "Channel.DataStyle = 0", "Channel.MarkersFont.Style = 1"})
        EXPECT_TRUE(lines.contains(QString::fromLatin1(line))) << line;

    TiPlotChannel* target = plot.GetChannel(1);
    target->AddXY(1, 1);
    target->LoadPropertiesFromFile(Path(QStringLiteral("channel.txt")));
    EXPECT_EQ(StoredTexts(target), StoredTexts(source));
    EXPECT_EQ(target->GetCount(), 1);
    EXPECT_EQ(plot.ChannelCount(), 2);

    const QString good = ReadText(QStringLiteral("channel.txt"));
    source->SetTitleText(QStringLiteral("Other"));
    const QStringList before = StoredTexts(source);
    for (const auto& [text, message] :
         {std::pair{WithLine(good, QStringLiteral("File Type"), QStringLiteral("Plot Config")),
                    QStringLiteral("Incompatible Plot Channel Configuration File Type")},
          std::pair{WithLine(good, QStringLiteral("Channel.Color"), QStringLiteral("red")),
                    QStringLiteral("'red' is not a valid integer value")}}) {
        WriteText(QStringLiteral("damaged.txt"), text);
        EXPECT_EQ(
            MessageOf([&] { source->LoadPropertiesFromFile(Path(QStringLiteral("damaged.txt"))); }),
            QStringLiteral("Error Loading Properties - ") + message);
        EXPECT_EQ(StoredTexts(source), before);
    }
    EXPECT_TRUE(MessageOf([&] {
                    source->SavePropertiesToFile(Path(QString()));
                }).startsWith(QStringLiteral("Error Saving Properties - ")));
}

// The fuzzer starts from these files: each must be a configuration that loads.
TEST_F(PlotConfigurationFile, EveryFuzzSeedLoads) {
    const QDir seeds(QStringLiteral(MODULATION_SOURCE_DIR "/fuzz/corpus/plot_configuration"));
    const QStringList names = seeds.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        TiPlot plot;
        EXPECT_NO_THROW(plot.LoadPropertiesFromFile(seeds.filePath(name)));
        EXPECT_GT(plot.ChannelCount(), 0);
    }
}
