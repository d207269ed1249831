// The message of the toolkit exception an action raises, for asserting exact texts.
#pragma once

#include "platform/Exception.h"

#include <QString>

template <class Action> QString RaisedMessage(Action action) {
    try {
        action();
    } catch (const Exception& e) {
        return e.Message();
    }
    return QStringLiteral("no exception");
}
