// The demonstrator's application: an exception that reaches the message loop is shown in a
// message box and the loop goes on; one that escapes start-up is shown the same way.
#pragma once

#include <QApplication>
#include <QString>
#include <exception>
#include <functional>

class TApplication : public QApplication {
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs `body` and answers its result; what escapes it is shown and answers false.
bool RunShowingExceptions(const std::function<bool()>& body);
// The toolkit's exception keeps its message; any other exception is shown with an empty one.
QString ExceptionMessage(const std::exception_ptr& error);
