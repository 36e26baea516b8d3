#pragma once

#include "coresettings.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace IPDDSYN {
namespace Generation {

/// Everything dds_ii_top_defines.vh is made from, as plain values.
struct DefinesSettings
{
    QString series;             // target device series
    QString device;             // target device name
    QString configuration;      // cfgOptions text
    int workMode = 0;           // cfgOptions index (-1: nothing selected)
    QString channels;           // numOfChannels text
    QString parameterSelection; // paraSelection text
    QString noiseShapingSys;    // NS_sys text
    QString noiseShapingHard;   // NS_hard text
    int sysPhaseWidth = 0;      // derived widths under "System Parameters"
    int sysOutputWidth = 0;
    int hardPhaseWidth = 0; // phaseWidth, outputWidth spin boxes
    int hardOutputWidth = 0;
    double systemClock = 0; // sysClk, MHz
    bool fixedInc = false;
    bool programmableInc = false;
    bool streamingInc = false;
    bool resyncActive = false; // resync enabled and checked
    bool noneOff = false;
    bool fixedOff = false;
    bool programmableOff = false;
    bool streamingOff = false;
    bool sine = false;
    bool cosine = false;
    bool sinAndcos = false;
    bool hasPhaseOut = false;
    bool channelIdOut = false;
    QString latency;         // latency text
    QStringList frequencies; // freq0 .. freq15 texts
    QStringList phases;      // phase0 .. phase15 texts
};

/// The defines' inputs as a snapshot's options give them.
DefinesSettings definesSettings(const CoreSettings &core);

/// The lines of dds_ii_top_defines.vh up to, not including, the
/// DEFINE_FILENAME line (which depends on whether the table file was written).
QStringList parameterLines(const DefinesSettings &settings);

/// The family line's name ("Nimbra", "RQ3B", "RQ6A" or "Other") for a device.
QString deviceFamily(const QString &series, const QString &device);

/// Phase bits dropped before the table look-up for a noise-shaping choice,
/// phase width P and output width W; none where the core has no such
/// combination.
std::optional<int> truncationWidth(const QString &noiseShaping, int P, int W);

/// Latency chosen beyond the minimum the core needs for these choices; none
/// where the core has no such combination.
std::optional<int> extraLatency(const QString &configuration,
                                const QString &parameterSelection,
                                const QString &noiseShapingSys,
                                const QString &noiseShapingHard,
                                int latency);

/// The single line of top_define.vh.
QString moduleLine(const QString &moduleName);

/// The DEFINE_FILENAME line: the table file when one was written, else "NULL".
QString fileNameLine(bool hasTable);

/// The output, phase and truncation widths read back from a parameter list,
/// for the table data file.
struct TableWidths
{
    enum Fault { None, Repeated, Missing };
    Fault fault = None;
    int W = 0;
    int P = 0;
    int T = 0;
};

/// Finds W, P and T in `lines`. Repeated when a width line occurs more than
/// once (the table would be ambiguous), Missing when one is absent.
TableWidths tableWidths(const QStringList &lines);

} // namespace Generation
} // namespace IPDDSYN
