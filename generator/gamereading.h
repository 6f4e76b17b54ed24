#ifndef GAMEREADING_H
#define GAMEREADING_H

#include "generationrequest.h"

#include <QList>
#include <QString>

// The six text fields an author types, in the form's reading order.
enum class TextField { Auteur, Nom, Titre, Createur, Description, AttachRules };

// One thing the game will read differently from what the author typed.
struct ReadingWarning
{
    TextField field;
    bool advice = false; // true: a recommendation (patch tools, line breaks), not a misreading
    QString text;        // one French sentence, starting with the field's label
};

// « text », cut to what a tooltip, the status bar or an account line can show; "une valeur
// vide" for an empty text.
QString quoted(QStringView reading);

// The field's label as the form shows it, without the colon: "Auteur", "Nom", "Titre",
// "Créateur", "Description", "Règles d'attachement".
QString fieldLabel(TextField field);

// Warnings for one field's value as typed (before the builder turns line breaks into spaces).
QList<ReadingWarning> readingWarnings(TextField field, const QString &value);

// Whether one of them is a misreading, not advice alone.
bool misread(const QList<ReadingWarning> &warnings);

// Warnings for every text field of a request, in reading order. Never changes the request.
QList<ReadingWarning> readingWarnings(const GenerationRequest &request);

#endif // GAMEREADING_H
