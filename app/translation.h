#ifndef TRANSLATION_H
#define TRANSLATION_H

#include <QString>

class QTranslator;

// The language part of a locale name: "fr" for "fr_FR"; a name without "_" is kept whole.
QString languageCode(const QString &localeName);

// Loads the toolkit's own catalogue ("qt_" + language) from the toolkit's
// translations folder and installs it, found or not: an empty translator
// leaves the built-in texts.
void installToolkitTranslator(QTranslator &translator, const QString &language);

#endif // TRANSLATION_H
