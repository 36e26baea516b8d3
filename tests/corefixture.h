#pragma once

#include "cossinlut.h"
#include "definesbuilder.h"
#include "pinlist.h"
#include "synthesizeargs.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

/// The inputs of a synthesis run of the real core, written as the generator
/// writes them, for one configuration.
struct CoreConfig
{
    QString configuration = QStringLiteral("Phase Generator and SIN COS LUT");
    int channels = 1;
    int phaseWidth = 16;
    int outputWidth = 12;
    QString noiseShaping = QStringLiteral("None");
    bool programmableInc = false;
    bool streamingInc = false;
    bool sineAndCosine = true;
    bool hasPhaseOut = true;
    bool channelIdOut = false;
    QString latency = QStringLiteral("7");
    QStringList frequencies{QStringLiteral("1")};
};

inline IPDDSYN::Generation::DefinesSettings definesSettings(const CoreConfig &c)
{
    IPDDSYN::Generation::DefinesSettings s;
    s.series = QStringLiteral("RQ3B");
    s.device = QStringLiteral("RQ4K-01");
    s.configuration = c.configuration;
    const QStringList modes{QStringLiteral("Phase Generator and SIN COS LUT"),
                            QStringLiteral("Phase Generator Only"),
                            QStringLiteral("SIN COS LUT Only")};
    s.workMode = int(modes.indexOf(c.configuration));
    s.channels = QString::number(c.channels);
    s.parameterSelection = QStringLiteral("Hardware Parameters");
    s.noiseShapingSys = c.noiseShaping;
    s.noiseShapingHard = c.noiseShaping;
    s.sysPhaseWidth = s.hardPhaseWidth = c.phaseWidth;
    s.sysOutputWidth = s.hardOutputWidth = c.outputWidth;
    s.systemClock = 100;
    s.fixedInc = !c.programmableInc && !c.streamingInc;
    s.programmableInc = c.programmableInc;
    s.streamingInc = c.streamingInc;
    s.noneOff = true;
    s.sinAndcos = c.sineAndCosine;
    s.sine = !c.sineAndCosine;
    s.hasPhaseOut = c.hasPhaseOut;
    s.channelIdOut = c.channelIdOut;
    s.latency = c.latency;
    for (int i = 0; i < 16; ++i) {
        s.frequencies << c.frequencies.value(i, QStringLiteral("0"));
        s.phases << QStringLiteral("0");
    }
    return s;
}

inline IPDDSYN::PinChoices pinChoices(const CoreConfig &c)
{
    IPDDSYN::PinChoices p;
    p.configuration = c.configuration;
    p.phaseWidth = c.phaseWidth;
    p.outputWidth = c.outputWidth;
    p.channels = c.channels;
    p.streamingInc = c.streamingInc;
    p.programmableInc = c.programmableInc;
    p.sine = !c.sineAndCosine;
    p.sineAndCosine = c.sineAndCosine;
    p.hasPhaseOut = c.hasPhaseOut;
    p.channelIdOut = c.channelIdOut;
    return p;
}

inline bool writeLines(const QString &path, const QStringList &lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    for (const QString &line : lines)
        out << line << '\n';
    return true;
}

/// Writes top_define.vh, dds_ii_top_defines.vh and cos_sin_lut.dat into `work`.
inline bool writeCoreInputs(const QString &work, const QString &module, const CoreConfig &c)
{
    using namespace IPDDSYN::Generation;
    QDir().mkpath(work);
    QStringList lines = parameterLines(definesSettings(c));
    const bool table = c.configuration != QLatin1String("Phase Generator Only");
    lines << fileNameLine(table);
    if (!writeLines(work + "/top_define.vh", {moduleLine(module)})
        || !writeLines(work + "/dds_ii_top_defines.vh", lines))
        return false;
    if (!table)
        return true;
    const TableWidths w = tableWidths(lines);
    if (w.fault != TableWidths::None)
        return false;
    QStringList words;
    for (quint64 word : cosSinLutWords(w.W, w.P, w.T))
        words << QString::number(word, 16);
    return writeLines(work + "/cos_sin_lut.dat", words);
}

/// The record the dialog hands to the runner for the built plug-in's sources.
inline IPCore::SynthesizeArgs coreArgs(const QString &work, const QString &fileName, bool vhdl)
{
    const QString data = QStringLiteral(DDS2_PLUGIN_DIR "/data");
    IPCore::SynthesizeArgs args;
    args.workDir = work;
    args.coreName = QStringLiteral("dds_ii");
    args.fileName = fileName;
    args.options.insert(QStringLiteral("impl_name"), QStringLiteral("rev_1"));
    args.options.insert(QStringLiteral("disable_io"), false);
    args.options.insert(QStringLiteral("write_vhdl"), vhdl);
    args.options.insert(QStringLiteral("include_paths"), QStringList{work, data});
    args.options.insert(QStringLiteral("source_files"),
                        QStringList{data + "/dds_ii_top.v", data + "/dds_ii_core_encryption.v"});
    return args;
}
