#include "designer/iDesignerWidget.h"

#include "platform/Exception.h"
#include "platform/PropertyWalker.h"

#include <QDynamicPropertyChangeEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <memory>

namespace {

constexpr int IconSide = 32;

// A form keeps the values of an instrument's sub-objects ("Font.Color") as dynamic properties
// named by their path; the control shows them as soon as they are set, and the dynamic
// property stays so that the form saves it.
class TiSubObjectValues : public QObject {
public:
    using QObject::QObject;

    static void Apply(QObject* control, const QByteArray& path) {
        if (!path.contains('.')) return;
        try {
            PropertyWalker::Write(control, QString::fromLatin1(path), control->property(path));
        } catch (const Exception& e) {
            // A path the control does not have, or a value it cannot hold, stays as written.
            ReportGuardCatch("Designer sub-object value", e.what());
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::DynamicPropertyChange)
            Apply(watched, static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName());
        return false;
    }
};

// The control's own picture, scaled into a square icon with its proportions kept.
QIcon DrawIcon(QWidget& sample) {
    const QPixmap picture = sample.grab();
    QPixmap icon(IconSide, IconSide);
    icon.fill(Qt::transparent);
    if (picture.isNull()) return QIcon(icon);
    const QPixmap scaled =
        picture.scaled(IconSide, IconSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&icon);
    painter.drawPixmap((IconSide - scaled.width()) / 2, (IconSide - scaled.height()) / 2, scaled);
    return QIcon(icon);
}

} // namespace

TiDesignerWidget::TiDesignerWidget(const QString& ClassName, const QString& Folder,
                                   const QString& ToolTip, TiWidgetFactory Create, QObject* parent)
    : QObject(parent), className_(ClassName), folder_(Folder), toolTip_(ToolTip),
      create_(std::move(Create)) {}

// The header's path below the installed include folder, as the demonstrator's form names it.
QString TiDesignerWidget::includeFile() const {
    return QStringLiteral("%1/i%2.h").arg(folder_, className_.mid(2));
}

void TiDesignerWidget::MakeSample() const {
    if (!defaultSize_.isEmpty()) return;
    const std::unique_ptr<QWidget> sample(create_(nullptr));
    defaultSize_ = sample->size();
    icon_ = DrawIcon(*sample);
}

QIcon TiDesignerWidget::icon() const {
    MakeSample();
    return icon_;
}

QSize TiDesignerWidget::DefaultSize() const {
    MakeSample();
    return defaultSize_;
}

QWidget* TiDesignerWidget::createWidget(QWidget* parent) {
    QWidget* control = create_(parent);
    auto* values = new TiSubObjectValues(control);
    control->installEventFilter(values);
    for (const QByteArray& path : control->dynamicPropertyNames())
        TiSubObjectValues::Apply(control, path);
    return control;
}

void TiDesignerWidget::initialize(QDesignerFormEditorInterface*) {
    initialized_ = true;
}

QString TiDesignerWidget::domXml() const {
    const QSize size = DefaultSize();
    QString objectName = className_.mid(1);
    objectName[0] = objectName[0].toLower();
    return QStringLiteral("<ui language=\"c++\">\n"
                          " <widget class=\"%1\" name=\"%2\">\n"
                          "  <property name=\"geometry\">\n"
                          "   <rect><x>0</x><y>0</y><width>%3</width><height>%4</height></rect>\n"
                          "  </property>\n"
                          " </widget>\n"
                          "</ui>\n")
        .arg(className_, objectName)
        .arg(size.width())
        .arg(size.height());
}
