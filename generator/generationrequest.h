#ifndef GENERATIONREQUEST_H
#define GENERATIONREQUEST_H

#include <QString>
#include <QVector>

// Everything one part configuration text needs, captured from the form.
// Numbers are already formatted exactly as their spin box shows them.
struct GenerationRequest
{
    // Number texts
    QString echelle;
    QString cost;
    QString mass;
    QString dragMax;
    QString dragMin;
    QString dragTorque;
    QString resist;
    QString temp;
    QString coupleMax;
    QString puissanceMin;
    QString puissanceMax;
    QString tempGen;
    QString voidIsp;
    QString atmIsp;
    QString cLift;
    QString cDrag;
    QString crew;
    QString minCrew;
    QString fuelAmount;
    QString oxiAmount;
    QString xenonAmount;
    QString rcsFuelAmount;
    QString electricAmount;

    // Texts, as typed
    QString nom;
    QString module;
    QString auteur;
    QString categorie;
    QString titre;
    QString createur;
    QString description;
    QString attachRules;

    // Checked states
    bool liquidEngineOn = false;
    bool iconeLiquidOn = false;
    bool exhaustOn = false;
    bool fuelCrossfeedOn = false;
    bool sasOn = false;
    bool wingOn = false;
    bool podsOn = false;
    bool ressourcesOn = false;
    bool fuelOn = false;
    bool oxidizerOn = false;
    bool rcsGazOn = false;
    bool electricitOn = false;
    bool xenonOn = false;
};

// Every entry of the record: the number texts and texts, and the checked states.
const QVector<QString GenerationRequest::*> &requestTexts();
const QVector<bool GenerationRequest::*> &requestFlags();

// Entry by entry.
bool operator==(const GenerationRequest &a, const GenerationRequest &b);
inline bool operator!=(const GenerationRequest &a, const GenerationRequest &b) { return !(a == b); }

#endif // GENERATIONREQUEST_H
