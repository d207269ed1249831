#include "PlotComponentTestSupport.h"
#include "instruments/framework/iFormLoading.h"
#include "platform/Exception.h"
#include "platform/PropertyDefaults.h"
#include "platform/PropertyWalker.h"
#include "plot/channels/iPlotChannel.h"
#include "plot/iPlotAxis.h"
#include "plot/iPlotCollectionText.h"
#include "plot/iPlotDataCursor.h"
#include "plot/iPlotLabel.h"
#include "plot/iPlotLayoutManager.h"
#include "plot/iPlotLegend.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

TiPlotDefinedProperties Described(TiPlotComponent& plot) {
    return plot.WriteDefinedProperties();
}

void ExpectSameDescription(TiPlotComponent& a, TiPlotComponent& b) {
    const TiPlotDefinedProperties da = Described(a);
    const TiPlotDefinedProperties db = Described(b);
    EXPECT_EQ(da.DataViewZHorz, db.DataViewZHorz);
    EXPECT_EQ(da.DataViewZVert, db.DataViewZVert);
    EXPECT_EQ(da.Collections, db.Collections);
}

// A strip chart with values no default holds, in several kinds.
void Customize(TiPlot& plot) {
    plot.AddChannel();
    plot.GetChannel(1)->SetTitleText(QStringLiteral("a;b=c\\n\nd\r"));
    plot.GetXAxis(0)->SetSpan(7);
    plot.GetLegend(0)->SetRowSpacing(0.75);
    plot.GetLabel(0)->SetCaption(QStringLiteral("Ti=tle;"));
    plot.AddTranslation(QStringLiteral("Null"), QStringLiteral("Nul\\l"));
    plot.SetDataViewZVert(3);
}

} // namespace

TEST(PlotCollectionText, RoundTripsHostileTextsExactly) {
    const QStringList hostile = {QString(),
                                 QStringLiteral(";"),
                                 QStringLiteral("="),
                                 QStringLiteral("\\"),
                                 QStringLiteral("\\n"),
                                 QStringLiteral("\n"),
                                 QStringLiteral("\r\n"),
                                 QStringLiteral("a=b;c=d\\;"),
                                 QStringLiteral("é 漢字 \t")};
    TiPlotCollection collection;
    for (const QString& text : hostile)
        collection.append({{QStringLiteral("Caption"), text}, {text + u'x', text}});
    collection.append(TiPlotStreamItem()); // an object left at its defaults
    collection.append({{QStringLiteral("Font.Color"), QStringLiteral("255")}});
    const QString text = PlotCollectionToText(collection);
    EXPECT_EQ(PlotCollectionFromText(text), collection);
    EXPECT_EQ(text.count(u'\n'), collection.size());
    EXPECT_EQ(PlotCollectionToText({}), QString());
    EXPECT_TRUE(PlotCollectionFromText(QString()).isEmpty());
    EXPECT_EQ(PlotCollectionFromText(QStringLiteral("\n")), TiPlotCollection{{}});
}

TEST(PlotCollectionText, LastLineMayOmitItsEnd) {
    const TiPlotCollection expected = {{{QStringLiteral("A"), QStringLiteral("1")}},
                                       {{QStringLiteral("B"), QString()}}};
    EXPECT_EQ(PlotCollectionFromText(QStringLiteral("A=1\nB=")), expected);
}

TEST(PlotCollectionText, MalformedTextIsRefusedWithItsLine) {
    EXPECT_EQ(MessageOf([] { PlotCollectionFromText(QStringLiteral("A=1\nB")); }),
              "Invalid plot collection text (line 2): \"B\" has no '='");
    EXPECT_EQ(MessageOf([] { PlotCollectionFromText(QStringLiteral("=1")); }),
              "Invalid plot collection text (line 1): a value has no path");
    EXPECT_EQ(MessageOf([] { PlotCollectionFromText(QStringLiteral("A=1;")); }),
              "Invalid plot collection text (line 1): \"\" has no '='");
    EXPECT_EQ(MessageOf([] { PlotCollectionFromText(QStringLiteral("A=\\x")); }),
              "Invalid plot collection text (line 1): unknown escape \"\\x\"");
    EXPECT_EQ(MessageOf([] { PlotCollectionFromText(QStringLiteral("A=1\\")); }),
              "Invalid plot collection text (line 1): the line ends inside an escape");
}

TEST(PlotCollectionText, PlotTextsReadBackIntoAnEqualPlot) {
    TiPlot from;
    Customize(from);
    const QMap<QString, QString> texts = from.WriteDefinedPropertiesText();
    EXPECT_EQ(texts.value(QStringLiteral("DataViewZVert")), "3");
    for (const QString& name : from.DefinedCollectionNames())
        EXPECT_TRUE(texts.contains(name)) << name.toStdString();
    TiPlot to;
    to.ReadDefinedPropertiesText(texts);
    ExpectSameDescription(from, to);
    EXPECT_EQ(to.GetChannel(1)->TitleText(), "a;b=c\\n\nd\r");
}

TEST(PlotCollectionText, MalformedOrRefusedTextLeavesThePlotAsItWas) {
    TiPlot plot;
    Customize(plot);
    const TiPlotDefinedProperties before = Described(plot);
    QMap<QString, QString> texts = TiPlot().WriteDefinedPropertiesText();
    texts[QStringLiteral("LabelManager")] = QStringLiteral("Caption=\\q\n");
    EXPECT_THROW(plot.ReadDefinedPropertiesText(texts), Exception);
    texts[QStringLiteral("LabelManager")] = QStringLiteral("Caption=x\n");
    texts[QStringLiteral("DataViewZHorz")] = QStringLiteral("two");
    EXPECT_THROW(plot.ReadDefinedPropertiesText(texts), Exception);
    texts[QStringLiteral("DataViewZHorz")] = QStringLiteral("1");
    // The channels are read after the axes: a refused value comes late.
    texts[QStringLiteral("ChannelManager")] = QStringLiteral("MarkersSize=many\n");
    EXPECT_THROW(plot.ReadDefinedPropertiesText(texts), EConvertError);
    const TiPlotDefinedProperties after = Described(plot);
    EXPECT_EQ(after.DataViewZVert, before.DataViewZVert);
    EXPECT_EQ(after.Collections, before.Collections);
    EXPECT_TRUE(plot.LayoutManager()->Enabled());
}

TEST(PlotCollectionText, DynamicPropertiesOfAFormLoadDescribeThePlot) {
    TiPlot model;
    Customize(model);
    TiPlot viaValues;
    viaValues.ReadDefinedProperties(model.WriteDefinedProperties());

    QWidget form;
    auto* loaded = new TestStripPlot;
    loaded->setParent(&form);
    TiFormLoading loading(form);
    const QMap<QString, QString> texts = model.WriteDefinedPropertiesText();
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        loaded->setProperty(it.key().toLatin1().constData(), it.value());
    EXPECT_EQ(loaded->ChannelCount(), 1); // nothing is read before the form is
    loading.Finish();
    ExpectSameDescription(viaValues, *loaded);
    EXPECT_FALSE(loaded->property("ChannelManager").isValid());
    EXPECT_TRUE(loaded->LayoutManager()->Enabled());
}

TEST(PlotCollectionText, MalformedDynamicPropertyFailsTheLoad) {
    QWidget form;
    auto* loaded = new TestStripPlot;
    loaded->setParent(&form);
    const TiPlotDefinedProperties before = Described(*loaded);
    TiFormLoading loading(form);
    loaded->setProperty("XAxisManager", QStringLiteral("Span"));
    EXPECT_THROW(loading.Finish(), Exception);
    EXPECT_EQ(Described(*loaded).Collections, before.Collections);
    EXPECT_TRUE(loaded->LayoutManager()->Enabled());
}
