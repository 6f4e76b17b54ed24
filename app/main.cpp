#include "mainwindow.h"
#include "translation.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    const QString language = languageCode(QLocale::system().name());
    QTranslator translator;
    installToolkitTranslator(translator, language);

    MainWindow window;
    window.show();
    return application.exec();
}
