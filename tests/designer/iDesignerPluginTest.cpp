// The plugin is loaded as Qt Designer loads it; the controls it makes come from its own copy
// of the library, so they are inspected through their meta-objects and properties only.
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPluginLoader>
#include <QUiLoader>
#include <QWidget>
#include <QtDesigner/QFormBuilder>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>
#include <gtest/gtest.h>
#include <memory>

namespace {

QObject* PluginInstance() {
    static QPluginLoader loader(QStringLiteral(INSTRUMENTS_DESIGNER_PLUGIN));
    return loader.instance();
}

QList<QDesignerCustomWidgetInterface*> Widgets() {
    auto* collection = qobject_cast<QDesignerCustomWidgetCollectionInterface*>(PluginInstance());
    return collection ? collection->customWidgets() : QList<QDesignerCustomWidgetInterface*>();
}

QDesignerCustomWidgetInterface* Widget(const QString& name) {
    for (QDesignerCustomWidgetInterface* widget : Widgets()) {
        if (widget->name() == name) return widget;
    }
    return nullptr;
}

TEST(DesignerPlugin, OffersEveryControlInOneGroup) {
    ASSERT_NE(PluginInstance(), nullptr);
    QStringList names;
    for (QDesignerCustomWidgetInterface* widget : Widgets()) {
        names << widget->name();
        EXPECT_EQ(widget->group(), "Instruments");
        EXPECT_FALSE(widget->isContainer());
        EXPECT_FALSE(widget->toolTip().isEmpty());
    }
    const QStringList expected = {"TiKnob",
                                  "TiSlider",
                                  "TiSwitchLever",
                                  "TiSwitchQuad",
                                  "TiPhonePad",
                                  "TiCheckBox",
                                  "TiRadioGroup",
                                  "TiModeComboBox",
                                  "TiSevenSegmentCharacter",
                                  "TiSevenSegmentInteger",
                                  "TiSevenSegmentBinary",
                                  "TiSevenSegmentAnalog",
                                  "TiLabel",
                                  "TiPlot",
                                  "TiXYPlot"};
    EXPECT_EQ(names, expected);
}

TEST(DesignerPlugin, CreatesEachControlAtItsDefaultSizeWithAnIcon) {
    for (QDesignerCustomWidgetInterface* widget : Widgets()) {
        SCOPED_TRACE(widget->name().toStdString());
        const std::unique_ptr<QWidget> control(widget->createWidget(nullptr));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(QString::fromLatin1(control->metaObject()->className()), widget->name());
        const QString size = QStringLiteral("<width>%1</width><height>%2</height>")
                                 .arg(control->width())
                                 .arg(control->height());
        EXPECT_TRUE(widget->domXml().contains(size)) << widget->domXml().toStdString();
        EXPECT_TRUE(widget->domXml().contains("class=\"" + widget->name() + "\""));
        EXPECT_FALSE(widget->icon().isNull());
        EXPECT_EQ(widget->icon().availableSizes().value(0), QSize(32, 32));
        const QString header = QStringLiteral(MODULATION_SOURCE_DIR "/") + widget->includeFile();
        EXPECT_TRUE(QFileInfo::exists(header)) << header.toStdString();
    }
}

TEST(DesignerPlugin, PublishedPropertiesAreWritableThroughTheMetaObject) {
    QDesignerCustomWidgetInterface* combo = Widget("TiModeComboBox");
    ASSERT_NE(combo, nullptr);
    const std::unique_ptr<QWidget> control(combo->createWidget(nullptr));
    control->setProperty("Items", QStringList{"Off", "0", "Manual", "5"});
    control->setProperty("ItemIndex", 1);
    EXPECT_EQ(control->property("Value").toInt(), 5);
    // A sub-object's value set as a form sets it, by its path, shows at once.
    control->setProperty("Font.Height", -20);
    QObject* font = control->property("Font").value<QObject*>();
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->property("Height").toInt(), -20);
    control->setProperty("Font.NoSuchThing", 1); // left as written
    EXPECT_EQ(control->property("Font.NoSuchThing").toInt(), 1);
}

TEST(DesignerPlugin, DemonstratorFormLoadsWithItsInstrumentControls) {
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QFileInfo(QStringLiteral(INSTRUMENTS_DESIGNER_PLUGIN)).absolutePath());
    EXPECT_TRUE(loader.availableWidgets().contains("TiModeComboBox"));
    QFile form(QStringLiteral(MODULATION_SOURCE_DIR "/app/Form1.ui"));
    ASSERT_TRUE(form.open(QIODevice::ReadOnly));
    const std::unique_ptr<QWidget> window(loader.load(&form));
    ASSERT_NE(window, nullptr) << loader.errorString().toStdString();
    const auto control = [&](const char* name) { return window->findChild<QWidget*>(name); };
    ASSERT_NE(control("iKnob2"), nullptr);
    EXPECT_STREQ(control("iKnob2")->metaObject()->className(), "TiKnob");
    EXPECT_EQ(control("iKnob2")->property("PositionMax").toDouble(), 4.0);
    EXPECT_EQ(control("iKnob2")->property("Position").toDouble(), 1.0);
    EXPECT_STREQ(control("iSlider1")->metaObject()->className(), "TiSlider");
    EXPECT_STREQ(control("iSwitchLever1")->metaObject()->className(), "TiSwitchLever");
    EXPECT_FALSE(control("iPhonePad1")->property("ButtonVisible0").toBool());
    EXPECT_EQ(control("iSevenSegmentBinary1")->property("DigitCount").toInt(), 2);
    QObject* labelFont = control("iLabel1")->property("Font").value<QObject*>();
    ASSERT_NE(labelFont, nullptr);
    EXPECT_EQ(labelFont->property("Color").toInt(), 32768);
    EXPECT_EQ(control("iLabel1")->property("Caption").toString(), QString("Déphasage"));
}

TEST(DesignerPlugin, SavedFormWritesPublishedPropertiesForSetPropertyAndReadsThemBack) {
    const QString pluginDir = QFileInfo(QStringLiteral(INSTRUMENTS_DESIGNER_PLUGIN)).absolutePath();
    QWidget form;
    form.setObjectName("form");
    QWidget* box = Widget("TiCheckBox")->createWidget(&form);
    box->setObjectName("box");
    box->setProperty("Caption", QStringLiteral("Noise"));
    box->setProperty("Checked", true);
    QFormBuilder writer;
    QBuffer saved;
    saved.open(QIODevice::WriteOnly);
    // Alone, the form builder writes no enumerations (Designer's own writer does) and says so
    // for each; that is not what this test is about.
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    writer.save(&saved, &form);
    qInstallMessageHandler(previous);
    // Setters are named SetCaption, so generated code must go through setProperty.
    const QString xml = QString::fromUtf8(saved.data());
    EXPECT_TRUE(xml.contains("<property name=\"Caption\" stdset=\"0\">")) << xml.toStdString();
    QUiLoader reader;
    reader.clearPluginPaths();
    reader.addPluginPath(pluginDir);
    saved.close();
    saved.open(QIODevice::ReadOnly);
    const std::unique_ptr<QWidget> loaded(reader.load(&saved));
    ASSERT_NE(loaded, nullptr);
    QWidget* read = loaded->findChild<QWidget*>("box");
    ASSERT_NE(read, nullptr);
    EXPECT_STREQ(read->metaObject()->className(), "TiCheckBox");
    EXPECT_EQ(read->property("Caption").toString(), "Noise");
    EXPECT_TRUE(read->property("Checked").toBool());
}

} // namespace
