#ifndef PARTWRITING_H
#define PARTWRITING_H

#include "generationrequest.h"
#include "partreading.h"

#include <QByteArray>
#include <QStringList>

// A part file written back: the bytes it was opened from with exactly the changes the author
// made to the form since, every other byte kept. The change from the builder's text of the
// form as opened to its text of the form as it is, applied to the file line by line, each
// builder line standing where the reading anchored it.
struct PartWriting
{
    QByteArray bytes;
    int valuesChanged = 0; // values rewritten in their own line
    int linesAdded = 0;
    int linesRemoved = 0;
    // Lines of the file that the form does not show and that go with a block switched off
    // (keys of a module's own, comments inside), "ligne 40 : text" each.
    QStringList authorsLinesRemoved;

    bool changed() const { return valuesChanged + linesAdded + linesRemoved > 0; }
    // "reservoir.cfg enregistré : 2 valeurs changées, 6 lignes ajoutées"
    QString summary(const QString &fileName) const;
};

// The part `reading` read from `bytes` (read by readPartFile as `file`), with the form changed
// from `opened` to `now`.
PartWriting writePart(const QByteArray &bytes, const PartFile &file, const PartReading &reading,
                      const GenerationRequest &opened, const GenerationRequest &now);

// A part file opened into the form: its bytes, their reading, and the form as it was then.
// The form edits it: saving writes its bytes back with the form's changes since.
struct PartDocument
{
    QString path;
    QByteArray bytes;
    PartFile file;
    int part = 0; // among file.parts
    PartReading reading;
    GenerationRequest opened; // the form as opened or last saved

    PartWriting writeBack(const GenerationRequest &now) const
    {
        return writePart(bytes, file, reading, opened, now);
    }
};

#endif // PARTWRITING_H
