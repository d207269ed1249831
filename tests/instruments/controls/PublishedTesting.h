// Checks shared by the control tests: the published properties a class adds, in order, and
// their declared defaults on a fresh control.
#pragma once

#include "platform/PropertyDefaults.h"
#include "platform/PropertyWalker.h"

#include <QStringList>
#include <gtest/gtest.h>

// Own closes the class's walk in the order given; each holds its default on a fresh control,
// but for those in withoutDefault (sub-objects and values always stored).
template <class Control>
void ExpectOwnPropertiesWithDefaults(const QStringList& own,
                                     const QStringList& withoutDefault = {}) {
    QStringList names;
    for (const QMetaProperty& p : PropertyWalker::Published(Control::staticMetaObject))
        names << p.name();
    EXPECT_EQ(names.mid(names.size() - own.size()), own);
    Control fresh;
    for (const QString& name : own) {
        if (withoutDefault.contains(name)) continue;
        EXPECT_TRUE(PropertyDefaults::IsDefault(&fresh, name)) << name.toStdString();
    }
}
