#include "coreestimator.h"

#include "coreverification.h"
#include "errorreport.h"

#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// Place and route of a large core takes minutes; a hung tool must not hold a run.
const int TimeoutSeconds = 30 * 60;

struct Part
{
    const char *name;
    const char *device;
    const char *package;
    const char *label;
};

const Part Parts[] = {{"hx8k", "--hx8k", "ct256", "iCE40 HX8K (ct256)"},
                      {"up5k", "--up5k", "sg48", "iCE40 UP5K (sg48)"}};

} // namespace

CoreEstimator::CoreEstimator(const Finder &finder, QObject *parent)
    : ToolJob(finder, tr("Estimate cancelled."), parent)
{
    setTimeout(TimeoutSeconds * 1000);
}

CoreEstimator::~CoreEstimator() = default;

QStringList CoreEstimator::parts()
{
    QStringList names;
    for (const Part &part : Parts)
        names << QLatin1String(part.name);
    return names;
}

bool CoreEstimator::setPart(const QString &part)
{
    const int index = parts().indexOf(part);
    if (index < 0)
        return false;
    m_part = index;
    return true;
}

bool CoreEstimator::prepare(const QString &ipcPath, QVector<Step> &steps, QString &error)
{
    m_result = EstimateResult();
    const IPCore::CoreVerification *plugin = verification(ipcPath, error);
    if (!plugin)
        return false;
    IPCore::EstimateSources sources;
    if (!plugin->estimateSources(ipcPath, sources, error))
        return false;
    if (!(sources.clockMHz > 0) || sources.files.isEmpty() || sources.top.isEmpty())
        return IPCore::fail(
                error,
                tr("The plug-in names no sources or clock to estimate %1 with.").arg(ipcPath));
    m_name = sources.name;
    m_clockMHz = sources.clockMHz;
    if (QStandardPaths::findExecutable(QStringLiteral("yosys")).isEmpty())
        return IPCore::fail(error,
                            tr("yosys is not installed: the estimate synthesizes with it "
                               "(apt-get install yosys)."));
    if (QStandardPaths::findExecutable(QStringLiteral("nextpnr-ice40")).isEmpty())
        return IPCore::fail(error,
                            tr("nextpnr-ice40 is not installed: the estimate places and routes "
                               "with it. Install the Debian packages nextpnr-ice40 and "
                               "fpga-icestorm (apt-get install nextpnr-ice40 fpga-icestorm)."));
    m_work = std::make_unique<QTemporaryDir>();
    if (!m_work->isValid())
        return IPCore::fail(error,
                            tr("Cannot make a temporary folder for the estimate: %1")
                                    .arg(m_work->errorString()));
    const Part &part = Parts[m_part];
    const QString script = QStringLiteral("read_verilog -I. %1; synth_ice40 -top %2 -json \"%3\"")
                                   .arg(sources.files.join(QLatin1Char(' ')),
                                        sources.top,
                                        m_work->filePath(QStringLiteral("core.json")));
    // Synthesis in the sources' folder: a table is read relative to the working directory.
    steps.append({QStringLiteral("yosys"),
                  {QStringLiteral("-q"), QStringLiteral("-p"), script},
                  tr("Synthesizing %1 for iCE40 (Yosys synth_ice40)").arg(m_name),
                  sources.folder});
    steps.append({QStringLiteral("nextpnr-ice40"),
                  {QLatin1String(part.device),
                   QStringLiteral("--package"),
                   QLatin1String(part.package),
                   QStringLiteral("--json"),
                   QStringLiteral("core.json"),
                   QStringLiteral("--freq"),
                   QString::number(m_clockMHz),
                   QStringLiteral("--timing-allow-fail"),
                   QStringLiteral("--report"),
                   QStringLiteral("report.json"),
                   QStringLiteral("-q")},
                  tr("Placing and routing %1 on %2 (nextpnr-ice40)")
                          .arg(m_name, QLatin1String(part.label)),
                  m_work->path()});
    return true;
}

bool CoreEstimator::evaluate(const QString &, QString &error)
{
    QFile report(m_work->filePath(QStringLiteral("report.json")));
    if (!report.open(QIODevice::ReadOnly))
        return IPCore::fail(error,
                            tr("nextpnr-ice40 wrote no report: %1").arg(report.errorString()));
    EstimateResult r;
    if (!Estimate::parseNextpnrReport(report.readAll(), r.figures, error))
        return false;
    r.meets = Estimate::meets(r.figures, m_clockMHz);
    r.text = Estimate::summary(m_name, r.figures, m_clockMHz, QLatin1String(Parts[m_part].label));
    m_result = r;
    return true;
}

QString CoreEstimator::explainFailure(const QString &failure) const
{
    return Estimate::explainFailure(failure, QLatin1String(Parts[m_part].label));
}

void CoreEstimator::reset()
{
    m_work.reset();
}
