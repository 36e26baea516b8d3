#pragma once

#include <QString>
#include <QVector>

namespace DdsRtl {

/// The configuration of one generated core, read back from its defines
/// file the way the HDL reads it.
struct CoreConfig
{
    enum class Increment { Fixed, Programmable, Streaming };
    enum class Offset { None, Fixed, Programmable, Streaming };

    int workMode = 0; // 0 generator and table, 1 generator only, 2 table only
    int channels = 1;
    int phaseWidth = 0;
    int outputWidth = 0;
    int truncWidth = 0;
    bool dither = false;
    bool taylor = false;
    Increment increment = Increment::Fixed;
    Offset offset = Offset::None;
    bool resync = false;
    bool sineOut = false;
    bool cosineOut = false;
    bool phaseOut = false;
    bool chanIdOut = false;
    int delay = 0;
    QVector<quint64> incInit = QVector<quint64>(16, 0);
    QVector<quint64> offInit = QVector<quint64>(16, 0);
    QString tableFile;

    bool hasGenerator() const { return workMode != 2; }
    bool hasTable() const { return workMode != 1; }
    bool multiChannel() const { return channels > 1; }
    /// Increments or offsets arrive on phase_valid_i beats.
    bool streamed() const;
    /// Increments or offsets are programmed through config_valid_i bursts.
    bool configured() const;
    int addressWidth() const { return phaseWidth - truncWidth; }
    /// The noise-shaping choice, as the dialog names it.
    QString noiseShaping() const;
    /// Registers from input to output without the extra latency, by the dialog's rule.
    int minimumLatency() const;
    int latency() const { return minimumLatency() + delay; }
};

/// Reads a defines file's text. False, with a message naming the define,
/// when a value cannot be read or a define the core needs is missing.
bool parseDefines(const QString &text, CoreConfig &config, QString &error);

} // namespace DdsRtl
