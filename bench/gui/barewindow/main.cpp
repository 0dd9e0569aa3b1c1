// The plain cost the start-up of COCKPIX is measured against: a Qt Widgets program that
// shows one main window with a menu bar and ends as soon as it is on screen.

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    window.resize(1000, 720);
    window.show();
    QTimer::singleShot(0, &application, [] {
        QCoreApplication::processEvents();
        QCoreApplication::quit();
    });
    return QApplication::exec();
}
