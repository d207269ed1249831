// The layout pass, which a plot runs twice per paint: a default strip chart and a busy plot
// (six axes, three labels, a table), against a widely used Qt plotting widget laying out
// the same axes, titles and legend.
#include "platform/Bitmap.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotTable.h"
#include "tests/plot/objects/PlotTestKinds.h"

#include <benchmark/benchmark.h>
#include <qcustomplot.h>

namespace {

using K = TiPlotObjectKind;

// A default plot, made busy on request: two more axes of each kind, two more labels and a
// table of three columns and twenty rows.
class LayoutBenchPlot {
public:
    explicit LayoutBenchPlot(bool busy) {
        bitmap_.SetSize(500, 200);
        plot_.AddDefaultObjects();
        if (!busy) return;
        TiPlotMasterManager& master = *plot_.Master;
        for (int i = 0; i < 2; ++i) {
            master.Add(K::XAxis);
            master.Add(K::YAxis);
            master.GetLabel(master.AddLabel())->SetCaption(QStringLiteral("Subtitle"));
        }
        TiPlotTable* table = master.GetTable(master.AddTable());
        for (const char* title : {"Channel", "Min", "Max"})
            table->AddColumn(QString::fromLatin1(title));
        for (int row = 0; row < 20; ++row) {
            table->AddRow();
            for (int column = 0; column < 3; ++column)
                table->SetData(column, row, QString::number(row * 3.25 + column));
        }
    }

    void Layout() { plot_.Master->GetLayoutManager()->CalcLayout(*bitmap_.Canvas()); }

private:
    TestPlot plot_;
    TBitmap bitmap_;
};

void LayoutPass(benchmark::State& state) {
    LayoutBenchPlot plot(state.range(0) != 0);
    for (auto _ : state)
        plot.Layout();
}
BENCHMARK(LayoutPass)->Arg(0)->Arg(1)->ArgNames({"busy"})->Unit(benchmark::kMicrosecond);

class LaidOutCustomPlot : public QCustomPlot {
public:
    explicit LaidOutCustomPlot(bool busy) {
        resize(500, 200);
        plotLayout()->insertRow(0);
        plotLayout()->addElement(0, 0, new QCPTextElement(this, QStringLiteral("Untitled")));
        legend->setVisible(true);
        if (!busy) return;
        for (int i = 0; i < 2; ++i) {
            axisRect()->addAxis(QCPAxis::atBottom);
            axisRect()->addAxis(QCPAxis::atLeft);
            plotLayout()->insertRow(0);
            plotLayout()->addElement(0, 0, new QCPTextElement(this, QStringLiteral("Subtitle")));
        }
    }
    using QCustomPlot::updateLayout;
};

void CustomPlotLayout(benchmark::State& state) {
    LaidOutCustomPlot plot(state.range(0) != 0);
    for (auto _ : state)
        plot.updateLayout();
}
BENCHMARK(CustomPlotLayout)->Arg(0)->Arg(1)->ArgNames({"busy"})->Unit(benchmark::kMicrosecond);

} // namespace
