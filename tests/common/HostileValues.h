// The hostile-value test of the whole library: every writable published property of a class,
// as the property walker lists it, is written the values a caller, a file, a scheme or a server
// could send (integers at both limits, non-finite and extreme floats, empty and huge strings,
// ordinals past the end, system colours past the table, fonts of extreme height), and the object
// is then sized, painted, given input and read back. Each test executable instantiates the one
// parameterised test with its classes, one line each:
//
//     INSTANTIATE_TEST_SUITE_P(Controls, HostileValueTest,
//                              testing::Values(HostileCase<TiKnob>("TiKnob"), ...),
//                              HostileCaseName);
#pragma once

#include "platform/PropertyWalker.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

struct THostileCase {
    QString Name;
    // Makes the object; for an object that lives inside an owner (a plot object in its plot),
    // the owner, which keeps it.
    std::function<std::unique_ptr<QObject>(QWidget* Parent)> Create;
    // Run after every write, after a widget's ExerciseWidget: what else the class offers.
    std::function<void(QObject&)> Exercise;
    // Finds the object under test in the owner Create made; unset, Create made the object.
    std::function<QObject*(QObject& Keeper)> Subject;
};

// Shows the case by its name in the test output.
void PrintTo(const THostileCase& Case, std::ostream* Out);

namespace HostileValues {

// The values written to one property, by its kind.
QList<QVariant> For(const PropertyDescriptor& Property);

// Gives the widget the size (unless it has it), paints it and sends it mouse presses, moves,
// releases and double clicks, wheel turns, keys, focus changes and a drag.
void ExerciseWidget(QWidget& Widget, QSize Size);

// Writes every hostile value to every writable published property of a control kept at
// 0 x 0, of one at 1 x 1 and of one at 4000 x 300 (of any other object once; its Exercise
// brings the sizes), exercising each
// after each write; answers the faults found, one text each. A write the walker refuses (an
// ordinal past the end) is no fault; a crash, an undefined operation or a hang ends the test
// itself.
QStringList Run(const THostileCase& Case, QWidget* Parent);

} // namespace HostileValues

template <typename T>
THostileCase HostileCase(const QString& Name, std::function<void(QObject&)> Exercise = {}) {
    return {Name,
            [](QWidget* Parent) -> std::unique_ptr<QObject> {
                if constexpr (std::is_base_of_v<QWidget, T>)
                    return std::make_unique<T>(Parent);
                else
                    return std::make_unique<T>();
            },
            std::move(Exercise),
            {}};
}

// The test's name in the output: the class name.
std::string HostileCaseName(const testing::TestParamInfo<THostileCase>& Info);

class HostileValueTest : public testing::TestWithParam<THostileCase> {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    // The one window every control of the suite is placed in.
    static QWidget* Window();
};
