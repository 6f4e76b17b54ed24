#ifndef PARTREADING_H
#define PARTREADING_H

#include "configtext.h"
#include "formshape.h"
#include "generationrequest.h"

#include <QString>
#include <QVector>

// A part file read back into the form, as the game reads it: which parts it defines, and for
// one of them what each field takes, with an account of whatever the form cannot hold.

struct PartEntry
{
    QString name;  // its first "name", which the game names it by
    QString title;
    int node = 0;  // in the file's ConfigText
};

struct PartFile
{
    ConfigText config;
    QVector<PartEntry> parts; // the top-level nodes named exactly PART, in the file's order

    // Why the file defines no part, as a clause: "il est vide", "ce n'est pas un fichier
    // texte", "il modifie des pièces existantes (@PART[...])"...
    QString whatInstead() const;
};

PartFile readPartFile(const QByteArray &bytes);

// One thing of the file that the form does not hold as the file has it.
struct AccountItem
{
    int line = 0;
    int lastLine = 0;
    QString text; // one sentence, after "ligne 12 : " or "lignes 40 à 52 : "
};

struct PartReading
{
    GenerationRequest request;  // the form as the file fills it, the fresh form elsewhere
    int valuesTaken = 0;        // lines whose value a field now holds
    int linesLeftOut = 0;       // lines that the generated text will not hold
    int valuesChanged = 0;      // values a field holds otherwise than the file writes them
    int remarks = 0;            // bytes that are not UTF-8, nodes never closed
    QVector<AccountItem> items; // in the file's order; the first ones when there are very many
    int itemCount = 0;

    bool complete() const { return itemCount == 0; }
    // "reservoir.cfg : 16 valeurs reprises ; 23 lignes ne tiennent pas dans le formulaire et
    // ne seront pas dans le texte généré."
    QString summary(const QString &fileName) const;
    // One line per item, "ligne 12 : ...", at most a thousand.
    QString details() const;
};

// Reads file.parts[part] into the form that shape describes.
PartReading readPart(const PartFile &file, int part, const FormShape &shape);

#endif // PARTREADING_H
