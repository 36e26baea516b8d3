#pragma once

#include <QString>
#include <QStringList>

namespace IPDDSYN {
namespace Generation {

/// Everything dds_ii_top_defines.vh is made from, as plain values read from
/// the dialog's widgets.
struct DefinesSettings
{
    QString series;              // target device series
    QString device;              // target device name
    QString configuration;       // cfgOptions text
    int workMode = 0;            // cfgOptions index (-1: nothing selected)
    QString channels;            // numOfChannels text
    QString parameterSelection;  // paraSelection text
    QString noiseShapingSys;     // NS_sys text
    QString noiseShapingHard;    // NS_hard text
    int sysPhaseWidth = 0;       // derived widths under "System Parameters"
    int sysOutputWidth = 0;
    int hardPhaseWidth = 0;      // phaseWidth, outputWidth spin boxes
    int hardOutputWidth = 0;
    double systemClock = 0;      // sysClk, MHz
    bool fixedInc = false;
    bool programmableInc = false;
    bool streamingInc = false;
    bool resyncActive = false;   // resync enabled and checked
    bool noneOff = false;
    bool fixedOff = false;
    bool programmableOff = false;
    bool streamingOff = false;
    bool sine = false;
    bool cosine = false;
    bool sinAndcos = false;
    bool hasPhaseOut = false;
    bool channelIdOut = false;
    QString latency;             // latency text
    QStringList frequencies;     // freq0 .. freq15 texts
    QStringList phases;          // phase0 .. phase15 texts
};

/// The lines of dds_ii_top_defines.vh up to, not including, the
/// DEFINE_FILENAME line (which depends on whether the table file was written).
QStringList parameterLines(const DefinesSettings &settings);

} // namespace Generation
} // namespace IPDDSYN
