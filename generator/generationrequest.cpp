#include "generationrequest.h"

#include <algorithm>

using R = GenerationRequest;

const QVector<QString R::*> &requestTexts()
{
    static const QVector<QString R::*> texts = {
        &R::echelle, &R::cost, &R::mass, &R::dragMax, &R::dragMin, &R::dragTorque, &R::resist,
        &R::temp, &R::coupleMax, &R::puissanceMin, &R::puissanceMax, &R::tempGen, &R::voidIsp,
        &R::atmIsp, &R::cLift, &R::cDrag, &R::crew, &R::minCrew, &R::fuelAmount, &R::oxiAmount,
        &R::xenonAmount, &R::rcsFuelAmount, &R::electricAmount, &R::nom, &R::module, &R::auteur,
        &R::categorie, &R::titre, &R::createur, &R::description, &R::attachRules};
    return texts;
}

const QVector<bool R::*> &requestFlags()
{
    static const QVector<bool R::*> flags = {
        &R::liquidEngineOn, &R::iconeLiquidOn, &R::exhaustOn, &R::fuelCrossfeedOn, &R::sasOn,
        &R::wingOn, &R::podsOn, &R::ressourcesOn, &R::fuelOn, &R::oxidizerOn, &R::rcsGazOn,
        &R::electricitOn, &R::xenonOn};
    return flags;
}

bool operator==(const R &a, const R &b)
{
    const auto &texts = requestTexts();
    const auto &flags = requestFlags();
    return std::all_of(texts.begin(), texts.end(), [&](auto e) { return a.*e == b.*e; })
        && std::all_of(flags.begin(), flags.end(), [&](auto e) { return a.*e == b.*e; });
}
