#include "estimatereport.h"

#include "errorreport.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

namespace Estimate {

bool parseNextpnrReport(const QByteArray &json, EstimateFigures &figures, QString &error)
{
    EstimateFigures f;
    QJsonParseError parseError;
    const QJsonObject report = QJsonDocument::fromJson(json, &parseError).object();
    const QJsonObject utilization = report.value(QStringLiteral("utilization")).toObject();
    const QJsonObject fmax = report.value(QStringLiteral("fmax")).toObject();
    if (parseError.error != QJsonParseError::NoError || utilization.isEmpty())
        return IPCore::fail(
                error,
                QCoreApplication::translate("Estimate",
                                            "The place and route report is not readable (%1).")
                        .arg(parseError.error != QJsonParseError::NoError
                                     ? parseError.errorString()
                                     : QCoreApplication::translate("Estimate", "no utilization")));
    const auto read = [&utilization](const char *kind, int *used, int *available) {
        const QJsonObject entry = utilization.value(QLatin1String(kind)).toObject();
        *used = entry.value(QStringLiteral("used")).toInt();
        *available = entry.value(QStringLiteral("available")).toInt();
    };
    read("ICESTORM_LC", &f.cells, &f.cellsAvailable);
    read("ICESTORM_RAM", &f.ramBlocks, &f.ramAvailable);
    read("ICESTORM_DSP", &f.dsps, &f.dspsAvailable);
    // Several clocks: the slowest sets the pace.
    for (auto it = fmax.constBegin(); it != fmax.constEnd(); ++it) {
        const double achieved = it.value().toObject().value(QStringLiteral("achieved")).toDouble();
        if (achieved > 0 && (f.fmaxMHz == 0 || achieved < f.fmaxMHz))
            f.fmaxMHz = achieved;
    }
    if (f.cellsAvailable == 0 || f.fmaxMHz <= 0)
        return IPCore::fail(error,
                            QCoreApplication::translate(
                                    "Estimate",
                                    "The place and route report has no logic cell count or no "
                                    "clock frequency."));
    figures = f;
    return true;
}

QString explainFailure(const QString &message, const QString &part)
{
    if (!message.contains(QLatin1String("Unable to find a placement location"))
        || !message.contains(QLatin1String("$sb_io'")))
        return message;
    return QCoreApplication::translate(
                   "Estimate",
                   "The core has more ports than %1 has pins, so it cannot be placed "
                   "there; estimate it on hx8k, the larger reference part.\n%2")
            .arg(part, message);
}

bool meets(const EstimateFigures &figures, double clockMHz)
{
    return figures.fmaxMHz >= clockMHz;
}

QString
summary(const QString &name, const EstimateFigures &figures, double clockMHz, const QString &part)
{
    const QString clock = QString::number(clockMHz);
    return QCoreApplication::translate(
                   "Estimate",
                   "%1: %2 logic cells (of %3), %4 RAM blocks (of %5), %6 DSPs (of %7)\n"
                   "%1: Fmax %8 MHz: %9 %10 MHz (System Clock)\n"
                   "The figures are an estimate on %11, a reference part placed and "
                   "routed with nextpnr-ice40; the device the core was generated for "
                   "will differ.")
            .arg(name)
            .arg(figures.cells)
            .arg(figures.cellsAvailable)
            .arg(figures.ramBlocks)
            .arg(figures.ramAvailable)
            .arg(figures.dsps)
            .arg(figures.dspsAvailable)
            .arg(figures.fmaxMHz, 0, 'f', 1)
            .arg(meets(figures, clockMHz)
                         ? QCoreApplication::translate("Estimate", "meets")
                         : QCoreApplication::translate("Estimate", "does not meet"),
                 clock,
                 part);
}

} // namespace Estimate
