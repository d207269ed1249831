// The offscreen application that controls need, made once before the first input and never
// destroyed: widgets left at exit would outlive it.
#pragma once

#include <QApplication>
#include <QByteArray>

inline void StartFuzzApplication(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* application = new QApplication(*argc, *argv);
    Q_UNUSED(application);
}
