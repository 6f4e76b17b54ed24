#ifndef PARTCONFIG_H
#define PARTCONFIG_H

#include "generationrequest.h"

#include <QString>
#include <QVector>

// The complete part configuration node for one request, from "PART{" to the
// closing "}" (no line break after it). Pure: same record, same text.
QString buildPartConfig(const GenerationRequest &request);

// One line the builder may write: the text, and the record's entry that follows it on a
// value line. The builder, the reading of a part file and its writing back all go by this
// one table, so that they agree on which line holds which field.
struct BuilderLine
{
    using Condition = bool (*)(const GenerationRequest &);
    Condition written;                          // whether the builder writes it for a request
    QLatin1String text;                         // the whole line, or the key literal before the value
    QString GenerationRequest::*value = nullptr; // the entry written after text, if any
    // A line whose condition is a check box the game reads as True or False: the value the
    // key takes with the box ticked and unticked (one of them is the builder's own line).
    bool GenerationRequest::*flag = nullptr;
    QLatin1String ticked = QLatin1String(), unticked = QLatin1String();

    // The line as the builder writes it for the request.
    QString textFor(const GenerationRequest &request) const;
    // Its leading spaces.
    int indent() const;
};

// Every line the builder may write, in its order; each line's index is its identity.
const QVector<BuilderLine> &builderLines();

// The builder's text with every line of the table, whatever its condition, and empty values:
// the shape of every text it writes.
QString everyBuilderLine();

// A text value as the builder writes it. It must stay on its key line, or the
// rest of it would be read as new keys: every line break (CRLF counting as one)
// becomes a single space.
QString oneLine(const QString &text);

// CR, LF, U+2028 or U+2029.
bool isLineBreak(QChar c);

#endif // PARTCONFIG_H
