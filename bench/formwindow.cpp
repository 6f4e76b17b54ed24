// The yardstick for the program's own start-up: the same form in a plain main window, set
// up and shown with nothing of the program's own around it.
#include "displayscale.h"
#include "formfont.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    enableUnroundedScaling();
    QApplication application(argc, argv);
    QMainWindow window;
    Ui_MainWindow form;
    form.setupUi(&window);
    setFormFont(form.centralWidget);
    window.show();
    return application.exec();
}
