// One control of the library as Qt Designer sees it: its class, header, group, default size
// and an icon drawn by the control itself.
#pragma once

#include <QIcon>
#include <QObject>
#include <QSize>
#include <QString>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>
#include <functional>

class TiDesignerWidget : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    using TiWidgetFactory = std::function<QWidget*(QWidget* Parent)>;

    // The group every control of the library joins in the widget box.
    static QString GroupName() { return QStringLiteral("Instruments"); }

    // Folder: where the class's header lies, relative to the include root.
    TiDesignerWidget(const QString& ClassName, const QString& Folder, const QString& ToolTip,
                     TiWidgetFactory Create, QObject* parent = nullptr);

    QString name() const override { return className_; }
    QString group() const override { return GroupName(); }
    QString toolTip() const override { return toolTip_; }
    QString whatsThis() const override { return toolTip_; }
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override { return initialized_; }
    void initialize(QDesignerFormEditorInterface* core) override;
    QString domXml() const override;

    // The size a new control has, as its constructor sets it.
    QSize DefaultSize() const;

private:
    // A control made once to read its default size and draw its icon.
    void MakeSample() const;

    QString className_;
    QString folder_;
    QString toolTip_;
    TiWidgetFactory create_;
    bool initialized_ = false;
    mutable QSize defaultSize_;
    mutable QIcon icon_;
};
