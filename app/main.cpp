#include "mainwindow.h"
#include "translation.h"

#include <QApplication>
#include <QLocale>
#include <QTranslator>

int main(int argc, char **argv)
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Qt 6 always scales; Qt 5 must be told before the application exists, or the
    // form's fixed pixel geometries stay tiny on a 150 % or 200 % screen.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    QApplication application(argc, argv);
    // Lets Wayland shells match the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tallowin.Tallowin"));

    const QString language = languageCode(QLocale::system().name());
    QTranslator translator;
    installToolkitTranslator(translator, language);

    MainWindow window;
    window.show();
    return application.exec();
}
