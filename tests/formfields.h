#ifndef FORMFIELDS_H
#define FORMFIELDS_H

#include "formshape.h"
#include "generationrequest.h"

#include <QRandomGenerator>
#include <QStringList>

#include <QVector>

class MainWindow;

// The form's 44 fields as the tests and the benchmark know them, in the order Tab follows:
// the widget, the record entry it fills, the line that entry reaches, the value a fresh form
// shows, and a value to try, as a person types it and as the record then holds it. A new
// field of the form is one more row here, where Tab reaches it.
struct FormField
{
    const char *widget;
    QString GenerationRequest::*value; // a number text or a text; null for a checked state
    bool GenerationRequest::*checked;  // a checked state; null for a value
    const char *line;                  // the start of the line the value reaches
    const char *fresh;                 // as the form opens; "1" or "0" for a checked state
    const char *typed;                 // keys: "v" is the Down arrow, " " Space; empty for a checked state
    const char *written;               // the record's entry once typed
    const char *maximum;               // what a number field shows at its largest; else null
};

extern const QVector<FormField> formFields;

// The form as it opens, every value as its field shows it.
GenerationRequest freshForm();

// The entries of the drop-down lists Module and Categorie.
extern const QStringList moduleEntries;
extern const QStringList categoryEntries;

// What the fields hold, as the window tells the reader of part files: asked of a window made
// for it (the first call needs the application object).
const FormShape &formShape();

// The same with every feature group and check box ticked: the text holds every line.
GenerationRequest everyBlockOn(GenerationRequest request = freshForm());

// The form with the author, creator, name and title fillRequired() types.
GenerationRequest named(GenerationRequest request);

// The builder's text of the form saved at path and opened in the window, what the window left
// unsaved dropped; the window active again.
void openText(MainWindow &window, const QString &path, const GenerationRequest &form);

// The form with the field's value or state changed: to the value the row writes, or from it.
GenerationRequest withRowChanged(GenerationRequest form, const FormField &field);

// A form of random values that the game reads as typed (no reading mark): numbers often at an
// end of their range, texts of letters from several scripts and signs.
GenerationRequest randomForm(QRandomGenerator &random);

// An author's tank: tabs, CRLF with a byte order mark, comments after values, a model and a
// module the form has no field for, a second part.
extern const QByteArray authorsTank;

// Keeps a file a test reads as a seed of the fuzzer's corpus, in TALLOWIN_FUZZ_SEEDS when set.
void keepAsFuzzSeed(const QByteArray &bytes);

#endif // FORMFIELDS_H
