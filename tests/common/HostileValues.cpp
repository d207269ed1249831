#include "HostileValues.h"

#include "platform/Exception.h"
#include "platform/Geometry.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QFocusEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QWheelEvent>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <limits>
#include <vector>

namespace {

// A single write and its exercise taking longer than this is as good as a hang to a user.
// Counted in processor time, so that a busy machine does not make a step look slow.
constexpr double SlowStepMilliseconds = 3000;

double ProcessorMilliseconds() {
    return 1000.0 * double(std::clock()) / CLOCKS_PER_SEC;
}

constexpr qlonglong IntMin = std::numeric_limits<int>::min();
constexpr qlonglong IntMax = std::numeric_limits<int>::max();

// A colour as the int that moc sees.
qlonglong ColorOrdinal(uint32_t color) {
    return qlonglong(int32_t(color));
}

QList<QVariant> Integers() {
    return {IntMin, qlonglong(-1), qlonglong(0), qlonglong(32001), IntMax};
}

QList<QVariant> Floats() {
    const double infinity = std::numeric_limits<double>::infinity();
    return {std::numeric_limits<double>::quiet_NaN(),  infinity, -infinity, 1e308, -1e308,
            std::numeric_limits<double>::denorm_min(), 0.0};
}

QList<QVariant> Strings() {
    return {QString(), QString(100000, QLatin1Char('W')), QStringLiteral(" ")};
}

// Every declared ordinal, then ordinals past both ends, which the walker must refuse.
QList<QVariant> Ordinals(const QMetaEnum& enumeration) {
    QList<QVariant> values;
    for (int i = 0; i < enumeration.keyCount(); ++i)
        values.append(qlonglong(i));
    values << qlonglong(enumeration.keyCount()) << qlonglong(-1) << IntMax;
    return values;
}

QList<QVariant> Sets(const QMetaEnum& enumeration) {
    const qlonglong all = (qlonglong(1) << enumeration.keyCount()) - 1;
    return {qlonglong(0), all, qlonglong(-1), qlonglong(1) << 30};
}

// The system colours: the first, the last of the table and past it, then values whose high
// byte is not a system colour's.
QList<QVariant> Colors() {
    return {ColorOrdinal(0x80000000u), ColorOrdinal(0x8000001Fu), ColorOrdinal(0x8000FFFFu),
            ColorOrdinal(0xFFFFFFFFu), ColorOrdinal(0x7FFFFFFFu), ColorOrdinal(0x01000000u)};
}

bool Same(const QVariant& a, const QVariant& b) {
    if (a.typeId() == QMetaType::Double && b.typeId() == QMetaType::Double) {
        const double x = a.toDouble();
        const double y = b.toDouble();
        return (std::isnan(x) && std::isnan(y)) || x == y;
    }
    return a == b;
}

QString Shown(const QVariant& value) {
    const QString text = value.toString();
    return text.size() > 40 ? text.left(20) + QStringLiteral("...(%1)").arg(text.size()) : text;
}

void Mouse(QWidget& widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
           Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

void Key(QWidget& widget, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&widget, &release);
}

void Wheel(QWidget& widget, QPointF at, int delta) {
    QWheelEvent event(at, widget.mapToGlobal(at), {}, {0, delta}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &event);
}

void Focus(QWidget& widget, QEvent::Type type) {
    QFocusEvent event(type, Qt::TabFocusReason);
    QApplication::sendEvent(&widget, &event);
}

void Drag(QWidget& widget, QPoint at) {
    QMimeData data;
    data.setText(QStringLiteral("dragged"));
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&widget, &drop);
    QDragLeaveEvent leave;
    QApplication::sendEvent(&widget, &leave);
}

// One target per size, kept for the whole run: the test measures the controls, not the
// allocation of pictures to render them into.
void Paint(QWidget& widget) {
    static QImage large(4000, 300, QImage::Format_RGB32);
    static QImage small(1, 1, QImage::Format_RGB32);
    QImage& target = widget.width() > 1 || widget.height() > 1 ? large : small;
    widget.render(&target);
}

void SendInput(QWidget& widget) {
    const QPointF centre(widget.width() / 2.0, widget.height() / 2.0);
    const QPointF corner(widget.width() - 1, widget.height() - 1);
    Focus(widget, QEvent::FocusIn);
    Mouse(widget, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    for (const QPointF& at : {QPointF(0, 0), corner, QPointF(-5, -5), centre + QPointF(7, -3)})
        Mouse(widget, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
    Mouse(widget, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    Mouse(widget, QEvent::MouseButtonDblClick, centre, Qt::LeftButton, Qt::LeftButton);
    Mouse(widget, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    Mouse(widget, QEvent::MouseButtonPress, corner, Qt::RightButton, Qt::RightButton);
    Mouse(widget, QEvent::MouseButtonRelease, corner, Qt::RightButton, Qt::NoButton);
    Wheel(widget, centre, 120);
    Wheel(widget, centre, -120);
    for (int key :
         {Qt::Key_Left, Qt::Key_Right, Qt::Key_Up, Qt::Key_Down, Qt::Key_PageUp, Qt::Key_PageDown,
          Qt::Key_Home, Qt::Key_End, Qt::Key_Tab, Qt::Key_Return, Qt::Key_Escape})
        Key(widget, key);
    Key(widget, Qt::Key_Space, QStringLiteral(" "));
    Key(widget, Qt::Key_A, QStringLiteral("a"));
    Key(widget, Qt::Key_1, QStringLiteral("1"));
    Drag(widget, centre.toPoint());
    Mouse(widget, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    Focus(widget, QEvent::FocusOut);
}

// Reads every property, values and their file texts, as a property file or an editor would.
void ReadEverything(QObject& object) {
    for (const PropertyDescriptor& property : PropertyWalker::List(&object)) {
        if (!property.IsValue()) continue;
        PropertyWalker::Read(property);
        PropertyWalker::ReadText(property);
    }
}

// A control sizing itself (auto-size) stays within the largest control size; only a size
// the caller sets may exceed it.
void CheckOwnSize(const QObject& object, const QString& path, const QVariant& value,
                  QStringList& faults) {
    const auto* widget = qobject_cast<const QWidget*>(&object);
    if (!widget || path == QStringLiteral("Width") || path == QStringLiteral("Height")) return;
    if (widget->width() > MaxPixelExtent || widget->height() > MaxPixelExtent)
        faults << path + QStringLiteral(" = ") + Shown(value) +
                      QStringLiteral(": the control sized itself %1 x %2")
                          .arg(widget->width())
                          .arg(widget->height());
}

struct THostileObject {
    // The object, or the owner that keeps it.
    std::unique_ptr<QObject> Keeper;
    QObject* Object;
    // The size a control is kept at.
    QSize Size;
};

void Exercise(const THostileObject& object, const THostileCase& subject) {
    if (auto* widget = qobject_cast<QWidget*>(object.Object))
        HostileValues::ExerciseWidget(*widget, object.Size);
    if (subject.Exercise) subject.Exercise(*object.Object);
}

// What one accepted write left: the value read back must read back the same once written
// again (a setter that would clamp what it stored fails this), and so must its file text.
void CheckStored(const PropertyDescriptor& property, const QVariant& written, QStringList& faults) {
    const QString where = property.Path + QStringLiteral(" = ") + Shown(written);
    const QVariant stored = PropertyWalker::Read(property);
    try {
        PropertyWalker::Write(property, stored);
    } catch (const Exception& e) {
        faults << where + QStringLiteral(": the stored ") + Shown(stored) +
                      QStringLiteral(" is refused when written back (") + e.Message() + ')';
        return;
    }
    const QVariant again = PropertyWalker::Read(property);
    if (!Same(stored, again))
        faults << where + QStringLiteral(": stored ") + Shown(stored) +
                      QStringLiteral(", written back gives ") + Shown(again);
    const QString text = PropertyWalker::ReadText(property);
    try {
        PropertyWalker::WriteText(property, text);
    } catch (const Exception& e) {
        faults << where + QStringLiteral(": its file text \"") + text.left(40) +
                      QStringLiteral("\" does not read back (") + e.Message() + ')';
        return;
    }
    if (PropertyWalker::ReadText(property) != text)
        faults << where + QStringLiteral(": its file text \"") + text.left(40) +
                      QStringLiteral("\" reads back as \"") +
                      PropertyWalker::ReadText(property).left(40) + '"';
}

// One value, written to every object of the case alike: refused writes are no fault; an
// accepted one must be kept soundly and survive the exercise.
void WriteOne(const std::vector<THostileObject>& objects, const THostileCase& subject,
              const QString& path, const QVariant& value, QStringList& faults) {
    const double start = ProcessorMilliseconds();
    for (const THostileObject& object : objects) {
        const PropertyDescriptor property = PropertyWalker::Describe(object.Object, path);
        try {
            PropertyWalker::Write(property, value);
        } catch (const Exception&) {
            continue;
        } catch (const std::exception& e) {
            faults << path + QStringLiteral(" = ") + Shown(value) + QStringLiteral(": raised ") +
                          QString::fromUtf8(e.what());
            continue;
        }
        if (&object == &objects.back()) CheckStored(property, value, faults);
        CheckOwnSize(*object.Object, path, value, faults);
        Exercise(object, subject);
        ReadEverything(*object.Object);
    }
    const double taken = ProcessorMilliseconds() - start;
    if (taken > SlowStepMilliseconds)
        faults << path + QStringLiteral(" = ") + Shown(value) +
                      QStringLiteral(": took %1 ms").arg(qRound64(taken));
}

// The objects of a case: a control once at each size, each kept at its size so that its
// pictures are not made anew for every value; any other object once.
std::vector<THostileObject> MakeObjects(const THostileCase& subject, QWidget* parent) {
    std::vector<THostileObject> objects;
    for (const QSize& size : {QSize(0, 0), QSize(1, 1), QSize(4000, 300)}) {
        std::unique_ptr<QObject> keeper = subject.Create(parent);
        QObject* object = subject.Subject ? subject.Subject(*keeper) : keeper.get();
        objects.push_back({std::move(keeper), object, size});
        if (!qobject_cast<QWidget*>(object)) break;
    }
    return objects;
}

QWidget* window = nullptr;

} // namespace

namespace HostileValues {

QList<QVariant> For(const PropertyDescriptor& Property) {
    switch (Property.Kind) {
    case TPropertyKind::Integer:
        return Integers();
    case TPropertyKind::Character:
        return {qlonglong(0), qlonglong(1), qlonglong(255), qlonglong(-1), qlonglong(65535)};
    case TPropertyKind::Float:
        return Floats();
    case TPropertyKind::String:
        return Strings();
    case TPropertyKind::Boolean:
        return {true, false};
    case TPropertyKind::Enumeration:
        return Ordinals(Property.Enumerator());
    case TPropertyKind::Set:
        return Sets(Property.Enumerator());
    case TPropertyKind::Color:
        return Colors();
    case TPropertyKind::Object:
    case TPropertyKind::Other:
        break;
    }
    return {};
}

void ExerciseWidget(QWidget& Widget, QSize Size) {
    // An auto-sizing control may have sized itself anew.
    if (Widget.size() != Size) Widget.resize(Size);
    Paint(Widget);
    SendInput(Widget);
}

QStringList Run(const THostileCase& Case, QWidget* Parent) {
    const std::vector<THostileObject> objects = MakeObjects(Case, Parent);
    QStringList faults;
    for (const THostileObject& object : objects)
        Exercise(object, Case);
    for (const PropertyDescriptor& property : PropertyWalker::List(objects.back().Object)) {
        if (!property.Writable || !property.IsValue()) continue;
        const QVariant original = PropertyWalker::Read(property);
        for (const QVariant& value : For(property))
            WriteOne(objects, Case, property.Path, value, faults);
        for (const THostileObject& object : objects) {
            try {
                PropertyWalker::Write(object.Object, property.Path, original);
            } catch (const Exception&) {
                // A value the control no longer takes stays as the hostile one left it.
            }
        }
    }
    return faults;
}

} // namespace HostileValues

void PrintTo(const THostileCase& Case, std::ostream* Out) {
    *Out << Case.Name.toStdString();
}

std::string HostileCaseName(const testing::TestParamInfo<THostileCase>& Info) {
    return Info.param.Name.toStdString();
}

void HostileValueTest::SetUpTestSuite() {
    window = new QWidget;
    window->resize(640, 480);
}

void HostileValueTest::TearDownTestSuite() {
    delete window;
    window = nullptr;
}

QWidget* HostileValueTest::Window() {
    return window;
}

GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(HostileValueTest);

TEST_P(HostileValueTest, SurvivesEveryValueAtEverySizeWithInput) {
    const QStringList faults = HostileValues::Run(GetParam(), Window());
    EXPECT_TRUE(faults.isEmpty()) << faults.join('\n').toStdString();
}
