// Entry point of the demonstrator.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("modulation numérique"));
    window.resize(800, 600);
    window.show();
    application.exec();
    return 0;
}
