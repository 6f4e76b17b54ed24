// The yardstick for start-up: a Qt program showing an empty main window of the
// size of the program's own.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QMainWindow window;
    window.resize(819, 594);
    window.show();
    return application.exec();
}
