#ifndef PARTFILE_H
#define PARTFILE_H

#include <QString>

// The part's name with ".cfg", each character a file name may not hold replaced by "_";
// "piece.cfg" when nothing is left.
QString partFileName(const QString &partName);

// partFileName in the folder of the file last chosen in this run, else in the user's
// documents folder, else in the home folder.
QString proposedPartFile(const QString &partName);

// Offers the folder of a file the author has just chosen from then on, for this run.
void rememberChosenFile(const QString &path);

// Writes text to path in UTF-8, atomically: an existing file is replaced only once the whole
// text is written. Returns an empty string, or one sentence that says which file could not
// be written (once, with the system's separators) and why, ending with a full stop.
QString savePartFile(const QString &path, const QString &text);

#endif // PARTFILE_H
