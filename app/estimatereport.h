#pragma once

#include <QByteArray>
#include <QString>

/// What place and route says a core costs on a reference part.
struct EstimateFigures
{
    int cells = 0; // logic cells (a 4-input table with its flip-flop)
    int cellsAvailable = 0;
    int ramBlocks = 0;
    int ramAvailable = 0;
    int dsps = 0;
    int dspsAvailable = 0;
    double fmaxMHz = 0;
};

namespace Estimate {

/// The figures of nextpnr-ice40's JSON report (--report) into `figures`; the
/// slowest clock's Fmax. False with `error` set when the report lacks them.
bool parseNextpnrReport(const QByteArray &json, EstimateFigures &figures, QString &error);

/// The lines the user reads: resources, Fmax held against the configuration's
/// System Clock ("meets 100 MHz" / "does not meet 100 MHz"), and that `part`
/// is only the reference the estimate was made on.
QString
summary(const QString &name, const EstimateFigures &figures, double clockMHz, const QString &part);

/// The failure of a place and route run as the user should read it: a core
/// with more ports than `part`'s package has pins is named as such.
QString explainFailure(const QString &message, const QString &part);

/// True when Fmax reaches the System Clock.
bool meets(const EstimateFigures &figures, double clockMHz);

} // namespace Estimate
