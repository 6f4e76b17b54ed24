#ifndef PARTFILE_H
#define PARTFILE_H

#include <QByteArray>
#include <QString>

// The part's name with ".cfg", each character a file name may not hold replaced by "_";
// "piece.cfg" when nothing is left.
QString partFileName(const QString &partName);

// partFileName in the folder of the file last chosen in this run, else in the user's
// documents folder, else in the home folder.
QString proposedPartFile(const QString &partName);

// The folder of the file last chosen in this run, else the user's documents folder, else the
// home folder.
QString proposedFolder();

// Offers the folder of a file the author has just chosen from then on, for this run.
void rememberChosenFile(const QString &path);

// The largest file read as a part file. A part's file is a few KB and a file of many parts a
// few hundred; one past this is something else, and it would take more than a moment to read.
constexpr qint64 largestPartFile = 4 * 1024 * 1024;

// Reads the file at path whole into bytes. Returns an empty string, or one sentence that says
// which file could not be read and why (a folder, gone, unreadable, past largestPartFile).
QString readPartFileBytes(const QString &path, QByteArray *bytes);

// Writes text to path in UTF-8, atomically: an existing file is replaced only once the whole
// text is written, and keeps its permissions. Returns an empty string, or one sentence that
// says which file could not be written (once, with the system's separators) and why, ending
// with a full stop.
QString savePartFile(const QString &path, const QString &text);
QString savePartFileBytes(const QString &path, const QByteArray &bytes);

// Before saving over the file opened at path with these bytes: whether it can still be written
// (an empty string, else one sentence on why not: gone, now a folder, read-only), and whether
// it still holds those bytes (false: another program saved it since).
QString checkOpenedFile(const QString &path, const QByteArray &opened, bool *unchanged);

#endif // PARTFILE_H
