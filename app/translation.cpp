#include "translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QString languageCode(const QString &localeName)
{
    return localeName.section(QLatin1Char('_'), 0, 0);
}

void installToolkitTranslator(QTranslator &translator, const QString &language)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    const QString folder = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
    // A missing catalogue is not an error: the toolkit keeps its built-in texts.
    static_cast<void>(translator.load(QLatin1String("qt_") + language, folder, QString(), QString()));
    QCoreApplication::installTranslator(&translator);
}
