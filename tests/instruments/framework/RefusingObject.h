// An object whose second property refuses every value but 0, for the tests of loads that fail
// part-way.
#pragma once

#include "platform/Exception.h"

#include <QObject>

class RefusingObject : public QObject {
    Q_OBJECT
    Q_PROPERTY(int First READ First WRITE SetFirst)
    Q_PROPERTY(int Refused READ Refused WRITE SetRefused)

public:
    int First() const { return first_; }
    void SetFirst(int value) { first_ = value; }
    int Refused() const { return 0; }
    void SetRefused(int value) {
        if (value != 0) throw Exception(QStringLiteral("refused"));
    }

private:
    int first_ = 1;
};
