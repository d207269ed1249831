// The library's controls for Qt Designer: every knob, slider, switch, display and list of
// the library, in one group of the widget box.
#pragma once

#include <QList>
#include <QObject>
#include <QtUiPlugin/QDesignerCustomWidgetCollectionInterface>

class TiDesignerPlugin : public QObject, public QDesignerCustomWidgetCollectionInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetCollectionInterface")
    Q_INTERFACES(QDesignerCustomWidgetCollectionInterface)

public:
    explicit TiDesignerPlugin(QObject* parent = nullptr);

    QList<QDesignerCustomWidgetInterface*> customWidgets() const override { return widgets_; }

private:
    // Folder: where the control's header lies below the include root.
    template <class Control>
    void Add(const QString& ToolTip,
             const QString& Folder = QStringLiteral("instruments/controls"));

    QList<QDesignerCustomWidgetInterface*> widgets_;
};
