#include "displayscale.h"
#include "mainwindow.h"
#include "translation.h"

#include <QApplication>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

#include <optional>

int main(int argc, char **argv)
{
    enableUnroundedScaling();
    std::optional<QApplication> application;
    QString language;
    QTranslator translator;
    std::optional<MainWindow> window;
    const auto start = [&] {
        application.emplace(argc, argv);
        // Lets Wayland shells match the window to its desktop entry and icon.
        QGuiApplication::setDesktopFileName(QStringLiteral("org.tallowin.Tallowin"));
        language = languageCode(QLocale::system().name());
        installToolkitTranslator(translator, language);
        window.emplace();
    };
    start();
    // The toolkit takes its scale once, when the application object is made: a window too
    // large for its screen at the screen's scale is made again, at one where it fits.
    if (const qreal zoom = zoomToFit(*window); zoom < 1) {
        window.reset();
        application.reset();
        zoomNextApplication(zoom);
        start();
    }
    placeOnScreen(*window);
    window->show();
    // A file named on the command line opens once the window is on the screen, so that any
    // question or account about it stands in front of the window.
    QTimer::singleShot(0, &*window, [&] { window->openStartFile(QCoreApplication::arguments()); });
    return application->exec();
}
