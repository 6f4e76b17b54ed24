#ifndef CONFIGSYNTAX_H
#define CONFIGSYNTAX_H

#include <QString>

// Reads text as the game's configuration syntax: nodes (a name line, then "{"
// ... "}", or "NAME{" on one line), values ("key = value"), comments ("//" to
// the end of the line) and empty lines. Every kind of line break ends a line.
// Returns the first fault as "line N: what", or an empty string when the text
// is exactly one node named PART with balanced braces.
QString configSyntaxError(const QString &text);

#endif // CONFIGSYNTAX_H
