#pragma once

#include "pinfigure.h"

#include <QList>
#include <QString>

namespace IPDDSYN {

/// The choices that add, remove or size a port of the core.
struct PinChoices
{
    QString configuration; // cfgOptions text
    int phaseWidth = 0;    // P, bits of the phase buses
    int outputWidth = 0;   // O, bits of sine_o and cosine_o
    int channels = 0;      // N
    bool streamingInc = false;
    bool streamingOff = false;
    bool programmableInc = false;
    bool programmableOff = false;
    bool resync = false;
    bool sine = false;
    bool cosine = false;
    bool sineAndCosine = false;
    bool hasPhaseOut = false;
    bool channelIdOut = false;
};

/// The ports of the core for these choices, in drawing order.
QList<Utils::PinFigure> pinList(const PinChoices &choices);

} // namespace IPDDSYN
