#include "coreestimator.h"

#include "yosysflow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
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

CoreEstimator::CoreEstimator(QObject *parent)
    : QObject(parent)
{
    m_runner.setTimeout(TimeoutSeconds * 1000);
    connect(&m_runner, &IPCore::ProcessStep::finished, this, &CoreEstimator::onStepFinished);
}

CoreEstimator::~CoreEstimator() = default;

QStringList CoreEstimator::parts()
{
    QStringList names;
    for (const Part &part : Parts)
        names << QLatin1String(part.name);
    return names;
}

void CoreEstimator::start(const QString &ipcPath, const QString &part)
{
    if (m_running)
        return;
    m_running = true;
    QString error;
    if (!prepare(ipcPath, part, &error)) {
        fail(error);
        return;
    }
    emit progress(tr("Synthesizing %1 for iCE40 (Yosys synth_ice40)").arg(m_name));
    QStringList sources
            = QDir(m_rtlDir).entryList({QStringLiteral("*.v")}, QDir::Files, QDir::Name);
    const QString script = QStringLiteral("read_verilog -I. %1; synth_ice40 -top %2 -json \"%3\"")
                                   .arg(sources.join(QLatin1Char(' ')),
                                        m_top,
                                        m_work->filePath(QStringLiteral("core.json")));
    // In the RTL's folder: the table is read relative to the working directory.
    m_runner.setWorkingDirectory(m_rtlDir);
    m_placing = false;
    m_runner.start(QStringLiteral("yosys"), {QStringLiteral("-q"), QStringLiteral("-p"), script});
}

void CoreEstimator::onStepFinished(IPCore::ProcessStep::Outcome outcome, int exitCode)
{
    // A cancelled run has already failed.
    if (outcome == IPCore::ProcessStep::Cancelled)
        return;
    const QString failure = m_runner.failureMessage(outcome, exitCode);
    if (!failure.isEmpty())
        fail(Estimate::explainFailure(failure, m_partLabel));
    else if (m_placing)
        evaluate();
    else
        placeAndRoute();
}

void CoreEstimator::cancel()
{
    if (!m_running)
        return;
    m_runner.cancel();
    fail(tr("Estimate cancelled."));
}

bool CoreEstimator::prepare(const QString &ipcPath, const QString &part, QString *error)
{
    const Part *chosen = nullptr;
    for (const Part &p : Parts) {
        if (part == QLatin1String(p.name))
            chosen = &p;
    }
    if (!chosen) {
        *error = tr("Unknown reference part \"%1\"; choose one of %2.")
                         .arg(part, parts().join(QStringLiteral(", ")));
        return false;
    }
    m_partArgs = QStringList{QLatin1String(chosen->device),
                             QStringLiteral("--package"),
                             QLatin1String(chosen->package)};
    m_partLabel = QLatin1String(chosen->label);

    const QFileInfo ipc(ipcPath);
    if (!ipc.isFile() || !ipc.isReadable()) {
        *error = tr("Cannot read the configuration file %1.").arg(ipcPath);
        return false;
    }
    QSettings settings(ipc.absoluteFilePath(), QSettings::IniFormat);
    bool clockOk = false;
    m_clockMHz = settings.value(QStringLiteral("Config/SystemClock")).toDouble(&clockOk);
    if (settings.status() != QSettings::NoError || !clockOk || !(m_clockMHz > 0)) {
        *error = tr("%1: SystemClock \"%2\" is not a number of MHz above 0.")
                         .arg(ipcPath,
                              settings.value(QStringLiteral("Config/SystemClock")).toString());
        return false;
    }
    m_name = ipc.completeBaseName();
    m_rtlDir = ipc.absolutePath() + QLatin1Char('/') + m_name + QStringLiteral("_rtl");
    if (QDir(m_rtlDir).entryList({QStringLiteral("*.v")}, QDir::Files).isEmpty()) {
        *error = tr("No delivered RTL for %1 in %2 (%3_rtl/ with the core's Verilog is "
                    "needed): run 'ipgen generate %1 --dir %2 --overwrite' first.")
                         .arg(ipc.fileName(), ipc.absolutePath(), m_name);
        return false;
    }
    m_top = IPCore::YosysFlow::moduleName(m_rtlDir, *error);
    if (m_top.isEmpty())
        return false;
    if (QStandardPaths::findExecutable(QStringLiteral("yosys")).isEmpty()) {
        *error = tr("yosys is not installed: the estimate synthesizes with it (apt-get install "
                    "yosys).");
        return false;
    }
    if (QStandardPaths::findExecutable(QStringLiteral("nextpnr-ice40")).isEmpty()) {
        *error = tr("nextpnr-ice40 is not installed: the estimate places and routes with it. "
                    "Install the Debian packages nextpnr-ice40 and fpga-icestorm (apt-get "
                    "install nextpnr-ice40 fpga-icestorm).");
        return false;
    }
    m_work = std::make_unique<QTemporaryDir>();
    if (!m_work->isValid()) {
        *error = tr("Cannot make a temporary folder for the estimate: %1")
                         .arg(m_work->errorString());
        return false;
    }
    return true;
}

void CoreEstimator::placeAndRoute()
{
    emit progress(tr("Placing and routing %1 on %2 (nextpnr-ice40)").arg(m_name, m_partLabel));
    m_runner.setWorkingDirectory(m_work->path());
    m_placing = true;
    m_runner.start(QStringLiteral("nextpnr-ice40"),
                   m_partArgs
                           + QStringList{QStringLiteral("--json"),
                                         QStringLiteral("core.json"),
                                         QStringLiteral("--freq"),
                                         QString::number(m_clockMHz),
                                         QStringLiteral("--timing-allow-fail"),
                                         QStringLiteral("--report"),
                                         QStringLiteral("report.json"),
                                         QStringLiteral("-q")});
}

void CoreEstimator::evaluate()
{
    QFile report(m_work->filePath(QStringLiteral("report.json")));
    if (!report.open(QIODevice::ReadOnly)) {
        fail(tr("nextpnr-ice40 wrote no report: %1").arg(report.errorString()));
        return;
    }
    EstimateResult r;
    r.figures = Estimate::parseNextpnrReport(report.readAll());
    if (!r.figures.ok) {
        fail(r.figures.error);
        return;
    }
    r.ok = true;
    r.meets = Estimate::meets(r.figures, m_clockMHz);
    r.text = Estimate::summary(m_name, r.figures, m_clockMHz, m_partLabel);
    finish(r);
}

void CoreEstimator::fail(const QString &error)
{
    EstimateResult r;
    r.error = error;
    finish(r);
}

void CoreEstimator::finish(const EstimateResult &result)
{
    m_work.reset();
    QMetaObject::invokeMethod(
            this,
            [this, result] {
                m_running = false;
                emit finished(result);
            },
            Qt::QueuedConnection);
}
