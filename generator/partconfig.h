#ifndef PARTCONFIG_H
#define PARTCONFIG_H

#include "generationrequest.h"

#include <QString>

// The complete part configuration node for one request, from "PART{" to the
// closing "}" (no line break after it). Pure: same record, same text.
QString buildPartConfig(const GenerationRequest &request);

// A text value as the builder writes it. It must stay on its key line, or the
// rest of it would be read as new keys: every line break (CRLF counting as one)
// becomes a single space.
QString oneLine(const QString &text);

// CR, LF, U+2028 or U+2029.
bool isLineBreak(QChar c);

#endif // PARTCONFIG_H
