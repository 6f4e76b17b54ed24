#ifndef PARTCONFIG_H
#define PARTCONFIG_H

#include "generationrequest.h"

#include <QString>

// The complete part configuration node for one request, from "PART{" to the
// closing "}" (no line break after it). Pure: same record, same text.
QString buildPartConfig(const GenerationRequest &request);

#endif // PARTCONFIG_H
