// The demonstrator's application: an exception that reaches the message loop is shown in a
// message box and the loop goes on; one that escapes start-up is shown the same way.
#pragma once

#include <QApplication>

class TApplication : public QApplication {
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};
