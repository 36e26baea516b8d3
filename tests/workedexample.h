#pragma once

#include <QString>
#include <QStringList>

/// The 47 lines of dds_ii_top_defines.vh for one 1 MHz channel of a 100 MHz
/// clock, 1 Hz resolution, 72 dB, no noise shaping, fixed increment, no
/// offset, sine and cosine and phase out, latency 14, on a device of `family`.
inline QStringList workedExampleLines(const QString &family)
{
    QStringList lines{
            QString("`define DEFINE_FPGA_TYPE \"%1\"").arg(family),
            "`define DEFINE_WORKMODE 0",
            "`define DEFINE_CH_NUM 1",
            "`define DEFINE_OUTPUT_WIDTH 12",
            "`define DEFINE_PHASE_WIDTH 27",
            "`define DEFINE_PHASE_DITHER \"NO\"",
            "`define DEFINE_TAYLOR_CORR \"NO\"",
            "`define DEFINE_TRUNC_WIDTH 15",
            "`define DEFINE_PINC_TYPE \"Fixed\"",
            "`define DEFINE_POFF_TYPE \"None\"",
            "`define SINE_OUT",
            "`define COSSINE_OUT",
            "`define PHASE_OUT",
            "`define DEFINE_DELAY 7",
            "`define DEFINE_PINC0_INIT 27'h147ae1",
            "`define DEFINE_POFF0_INIT 27'h0",
    };
    for (const char *digit :
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "E", "F"})
        lines << QString("`define DEFINE_PINC%1_INIT 27'h0").arg(digit)
              << QString("`define DEFINE_POFF%1_INIT 27'h0").arg(digit);
    lines << "`define DEFINE_FILENAME \"cos_sin_lut.dat\"";
    return lines;
}
