#pragma once

#include <QString>
#include <QStringList>

namespace IPDDSYN {
namespace Generation {

/// The channel table as the checks see it: plain values read from the dialog.
struct ChannelTable
{
    QString parameterSelection; // paraSelection text
    double systemClock = 0;     // sysClk, MHz
    int channels = 0;           // numOfChannels as a number
    int phaseWidth = 0;         // phaseWidth (hardware mode)
    bool frequenciesEnabled = false;
    bool phasesEnabled = false;
    QStringList frequencies;  // freq0 .. freq15 texts
    QStringList phases;       // phase0 .. phase15 texts
    QString frequencyHeading; // freqContrl text
    QString phaseHeading;     // phaseContrl text
};

/// Checks the active rows: present entries, and values inside what the
/// parameter mode allows (frequency below clock/channels and phase below one
/// turn in the system mode; hexadecimal up to 2^P - 1 in the hardware mode).
/// False with `error` naming the first faulty row, frequency before phase.
bool checkChannelTable(const ChannelTable &table, QString &error);

} // namespace Generation
} // namespace IPDDSYN
