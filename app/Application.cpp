#include "app/Application.h"

#include "platform/Dialogs.h"
#include "platform/Exception.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

// An exception must not unwind through the toolkit's event dispatch: it stops here, is shown,
// and the event counts as not handled.
bool TApplication::notify(QObject* receiver, QEvent* event) {
    return RunShowingExceptions([&] { return QApplication::notify(receiver, event); });
}

bool RunShowingExceptions(const std::function<bool()>& body) {
    try {
        return body();
    } catch (...) {
        Dialogs().ShowMessage(TMessageKind::Error, ExceptionMessage(std::current_exception()));
        return false;
    }
}

QString ExceptionMessage(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const Exception& exception) {
        return exception.Message();
    } catch (...) {
        return QString();
    }
}
