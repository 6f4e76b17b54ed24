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

// One thing of the file that the form does not show as the file has it.
struct AccountItem
{
    enum Kind {
        NotShown,        // lines the form does not show; they stay in the file
        ShownOtherwise,  // a value its field shows otherwise than the file writes it
        Remark,          // anything else worth knowing: bytes that are not UTF-8, a node never closed
    };
    Kind kind = NotShown;
    int line = 0;
    int lastLine = 0;
    QString text; // one sentence, after "ligne 12 : " or "lignes 40 à 52 : "
};

// Where one line of the builder's table (builderLines()) stands in the file, as the reader
// found it: the document that saving edits.
struct LineAnchor
{
    int value = -1;   // a value line: the file's value the game keeps for it
    int node = -1;    // the name, "{" or "}" line of a node: the file's node
    int line = 0;     // a comment or an empty line: the file's line, exactly as the builder writes it
    Span span;        // a value line: the text that its field's value replaces
    bool own = false; // the file's value is not its field's (a tank's amount other than its capacity)
    bool held() const { return value >= 0 || node >= 0 || line > 0; }
};

struct PartReading
{
    GenerationRequest request;  // the form as the file fills it, the fresh form elsewhere
    int part = 0;               // the node of the part read
    int valuesTaken = 0;        // lines whose value a field now holds
    int linesNotShown = 0;      // lines with content that the form does not show
    int valuesShownOtherwise = 0;
    int remarks = 0;            // bytes that are not UTF-8, nodes never closed, curve tangents...
    QVector<AccountItem> items; // in the file's order; the first ones when there are very many
    int itemCount = 0;
    QVector<LineAnchor> anchors; // index: the builder's line
    QVector<bool> authorsLines;  // index: line number; what the form does not show as the file has it

    bool complete() const { return itemCount == 0; }
    // "reservoir.cfg : 16 valeurs reprises ; 23 lignes que le formulaire ne montre pas resteront
    // dans le fichier ; 1 valeur que son champ montre autrement."
    QString summary(const QString &fileName) const;
    // One line per item, "ligne 12 : ...", at most a thousand.
    QString details() const;
};

// Reads file.parts[part] into the form that shape describes.
PartReading readPart(const PartFile &file, int part, const FormShape &shape);

#endif // PARTREADING_H
