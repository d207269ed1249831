#include "app/Application.h"

#include "platform/Dialogs.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

// An exception must not unwind through the toolkit's event dispatch: it stops here, is shown,
// and the event counts as not handled.
bool TApplication::notify(QObject* receiver, QEvent* event) {
    return RunShowingExceptions([&] { return QApplication::notify(receiver, event); });
}
