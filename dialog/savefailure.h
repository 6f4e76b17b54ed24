#ifndef SAVEFAILURE_H
#define SAVEFAILURE_H

#include <QString>

// How far a save went before it failed.
enum class SaveStage { Open, Write, Replace };

// The one-sentence message for a file that could not be written to path: the
// path once, with the system's separators, then why, and a full stop.
// toolkitReason is the toolkit's error text, used where no common reason applies.
QString saveFailureMessage(const QString &path, SaveStage stage, const QString &toolkitReason);

#endif // SAVEFAILURE_H
