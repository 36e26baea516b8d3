#include "coreverifier.h"

#include "spectrum.h"
#include "vhdlbench.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <cmath>

using namespace DdsRtl;

namespace {

QString noiseShaping(const CoreConfig &c)
{
    return c.taylor   ? QStringLiteral("Taylor Series Corrected")
           : c.dither ? QStringLiteral("Phase Dithering")
                      : QStringLiteral("None");
}

bool readText(const QString &path, QString *text, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    *text = QString::fromUtf8(file.readAll());
    return true;
}

} // namespace

static void initVerifyResources()
{
    Q_INIT_RESOURCE(verify);
}

CoreVerifier::CoreVerifier(QObject *parent)
    : QObject(parent)
{
    initVerifyResources();
    connect(&m_runner, &IPCore::ProcessStep::finished, this, &CoreVerifier::onStepFinished);
}

CoreVerifier::~CoreVerifier() = default;

void CoreVerifier::start(const QString &ipcPath)
{
    if (m_running)
        return;
    m_running = true;
    QString error;
    if (!prepare(ipcPath, &error)) {
        fail(error);
        return;
    }
    runNextStep(QString());
}

void CoreVerifier::cancel()
{
    if (!m_running)
        return;
    m_runner.cancel();
    fail(QStringLiteral("Verification cancelled."));
}

bool CoreVerifier::prepare(const QString &ipcPath, QString *error)
{
    const QFileInfo ipc(ipcPath);
    if (!ipc.isFile() || !ipc.isReadable()) {
        *error = QStringLiteral("Cannot read the configuration file %1.").arg(ipcPath);
        return false;
    }
    QSettings settings(ipc.absoluteFilePath(), QSettings::IniFormat);
    const QString version = settings.value(QStringLiteral("version")).toString();
    const QString type = settings.value(QStringLiteral("type")).toString();
    if (settings.status() != QSettings::NoError || version != QLatin1String("1.0")
        || type != QLatin1String("dds_ii")) {
        *error = QStringLiteral("%1 is not a dds_ii configuration file of version 1.0 (type "
                                "\"%2\", version \"%3\").")
                         .arg(ipcPath, type, version);
        return false;
    }
    settings.beginGroup(QStringLiteral("Config"));
    bool sfdrOk = false, clockOk = false;
    m_requested = settings.value(QStringLiteral("SpuriousFreeDynamicRange")).toDouble(&sfdrOk);
    m_clockMHz = settings.value(QStringLiteral("SystemClock")).toDouble(&clockOk);
    const bool vhdl = settings.value(QStringLiteral("LANG")).toInt() == 1;
    settings.endGroup();
    if (!sfdrOk || !clockOk || !(m_clockMHz > 0)) {
        *error = QStringLiteral("%1: SpuriousFreeDynamicRange \"%2\" or SystemClock \"%3\" is "
                                "not a number (SystemClock in MHz, above 0).")
                         .arg(ipcPath,
                              settings.value(QStringLiteral("Config/SpuriousFreeDynamicRange"))
                                      .toString(),
                              settings.value(QStringLiteral("Config/SystemClock")).toString());
        return false;
    }

    m_name = ipc.completeBaseName();
    m_model = m_name + (vhdl ? QStringLiteral(".vho") : QStringLiteral(".vo"));
    const QString dir = ipc.absolutePath();
    const QString model = dir + QLatin1Char('/') + m_model;
    const QString work = dir + QStringLiteral("/temp/dds_ii");
    const QString definesPath = work + QStringLiteral("/dds_ii_top_defines.vh");
    if (!QFileInfo::exists(model) || !QFileInfo::exists(definesPath)
        || !QFileInfo::exists(work + QStringLiteral("/top_define.vh"))) {
        *error = QStringLiteral("No delivered core for %1 in %2 (%3 and temp/dds_ii/ with "
                                "its defines are needed): run 'ipgen generate %1 --dir %2' "
                                "first.")
                         .arg(ipc.fileName(), dir, m_model);
        return false;
    }
    if (QFileInfo(model).lastModified() < QFileInfo(definesPath).lastModified()) {
        *error = QStringLiteral("%1 is older than the defines in %2: the last generation did "
                                "not finish; run 'ipgen generate' again.")
                         .arg(model, work);
        return false;
    }
    QString defines;
    if (!readText(definesPath, &defines, error))
        return false;
    if (!parseDefines(defines, &m_config, error)) {
        *error = QStringLiteral("%1: %2").arg(definesPath, *error);
        return false;
    }
    m_plan = planRecord(m_config, m_requested);
    if (!m_plan.ok) {
        *error = QStringLiteral("%1: %2").arg(ipc.fileName(), m_plan.error);
        return false;
    }
    const QStringList tools = vhdl ? QStringList{QStringLiteral("ghdl")}
                                   : QStringList{QStringLiteral("iverilog"), QStringLiteral("vvp")};
    for (const QString &tool : tools) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            *error = QStringLiteral("%1 is not installed: verification simulates %2 with %3 "
                                    "(apt-get install %4).")
                             .arg(tool,
                                  m_model,
                                  vhdl ? QStringLiteral("GHDL") : QStringLiteral("Icarus Verilog"),
                                  vhdl ? QStringLiteral("ghdl") : QStringLiteral("iverilog"));
            return false;
        }
    }

    m_work = std::make_unique<QTemporaryDir>();
    m_runner.setWorkingDirectory(m_work->path());
    const QString table = work + QLatin1Char('/') + m_config.tableFile;
    if (!m_work->isValid() || !QFile::copy(table, m_work->filePath(m_config.tableFile))) {
        *error = QStringLiteral("Cannot prepare the simulation in %1 (table %2).")
                         .arg(m_work->path(), table);
        return false;
    }
    const QString templatePath = dir + QLatin1Char('/') + m_name + QStringLiteral("_tmp.vhd");
    if (!prepareBench(vhdl ? templatePath : QString(), error))
        return false;
    if (vhdl) {
        m_steps = {{QStringLiteral("ghdl"),
                    {QStringLiteral("-a"), model, QStringLiteral("dds_tb.vhd")},
                    QStringLiteral("Analysing %1 with the test bench (GHDL)").arg(m_model)},
                   {QStringLiteral("ghdl"),
                    {QStringLiteral("-e"), QStringLiteral("dds_tb")},
                    QStringLiteral("Elaborating the test bench (GHDL)")},
                   {QStringLiteral("ghdl"),
                    {QStringLiteral("-r"), QStringLiteral("dds_tb")},
                    QStringLiteral("Simulating %1 cycles for a record of %2 samples of channel 0")
                            .arg(m_plan.cycles)
                            .arg(m_plan.length)}};
    } else {
        m_steps = {
                {QStringLiteral("iverilog"),
                 {QStringLiteral("-g2005"),
                  QStringLiteral("-o"),
                  QStringLiteral("sim.vvp"),
                  QStringLiteral("-I"),
                  work,
                  QStringLiteral("dds_tb.v"),
                  model},
                 QStringLiteral("Compiling %1 with the test bench (Icarus Verilog)").arg(m_model)},
                {QStringLiteral("vvp"),
                 {QStringLiteral("-n"), QStringLiteral("sim.vvp")},
                 QStringLiteral("Simulating %1 cycles for a record of %2 samples of channel 0")
                         .arg(m_plan.cycles)
                         .arg(m_plan.length)}};
    }
    QFile stimulus(m_work->filePath(QStringLiteral("stimulus.txt")));
    if (!stimulus.open(QIODevice::WriteOnly | QIODevice::Text)) {
        *error = QStringLiteral("Cannot write %1: %2")
                         .arg(stimulus.fileName(), stimulus.errorString());
        return false;
    }
    QTextStream out(&stimulus);
    for (const CycleIn &in : recordStimulus(m_config, m_plan))
        out << stimulusLine(in) << '\n';
    m_pngPath = dir + QLatin1Char('/') + m_name + QStringLiteral("_spectrum.png");
    return true;
}

bool CoreVerifier::prepareBench(const QString &templatePath, QString *error)
{
    if (templatePath.isEmpty()) {
        if (QFile::copy(QStringLiteral(":/verify/dds_tb.v"),
                        m_work->filePath(QStringLiteral("dds_tb.v"))))
            return true;
        *error = QStringLiteral("Cannot write the test bench into %1.").arg(m_work->path());
        return false;
    }
    QString text;
    if (!readText(templatePath, &text, error))
        return false;
    const QString bench = vhdlTestBench(text, error);
    if (bench.isEmpty()) {
        *error = QStringLiteral("%1: %2").arg(templatePath, *error);
        return false;
    }
    QFile file(m_work->filePath(QStringLiteral("dds_tb.vhd")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)
        || file.write(bench.toUtf8()) != bench.toUtf8().size()) {
        *error = QStringLiteral("Cannot write %1: %2").arg(file.fileName(), file.errorString());
        return false;
    }
    return true;
}

void CoreVerifier::runNextStep(const QString &lastOutput)
{
    if (m_steps.isEmpty()) {
        evaluate(lastOutput);
        return;
    }
    const Step step = m_steps.takeFirst();
    emit progress(step.what);
    m_runner.start(step.program, step.args);
}

void CoreVerifier::onStepFinished(IPCore::ProcessStep::Outcome outcome, int exitCode)
{
    // A cancelled run has already failed.
    if (outcome == IPCore::ProcessStep::Cancelled)
        return;
    const QString failure = m_runner.failureMessage(outcome, exitCode);
    if (failure.isEmpty())
        runNextStep(m_runner.output());
    else
        fail(failure);
}

void CoreVerifier::evaluate(const QString &simulatorOutput)
{
    // vvp exits 0 after $fatal in some versions; the bench's own checks say FATAL.
    if (simulatorOutput.contains(QLatin1String("FATAL"))) {
        fail(QStringLiteral("The simulation of %1 stopped:\n%2")
                     .arg(m_model, simulatorOutput.trimmed()));
        return;
    }
    emit progress(QStringLiteral("Measuring the spectrum"));
    QString text, error;
    if (!readText(m_work->filePath(QStringLiteral("response.txt")), &text, &error)) {
        fail(error);
        return;
    }
    QVector<CycleOut> response;
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        CycleOut o;
        if (!parseResponseLine(line, m_config.outputWidth, &o)) {
            fail(QStringLiteral("Simulation response line %1 is unreadable: \"%2\"")
                         .arg(response.size() + 1)
                         .arg(line));
            return;
        }
        response << o;
    }

    // The worse of the outputs the core has.
    SpectrumQuality worst;
    QString port;
    for (const bool cosine : {false, true}) {
        if (!(cosine ? m_config.cosineOut : m_config.sineOut))
            continue;
        const QVector<double> samples = channelRecord(m_plan, response, cosine);
        if (samples.size() < m_plan.length) {
            fail(QStringLiteral("The simulation gave %1 samples of channel 0 for a record of %2.")
                         .arg(samples.size())
                         .arg(m_plan.length));
            return;
        }
        const SpectrumQuality q = m_plan.coherent ? measureCoherent(samples, m_plan.carrierBin)
                                                  : measureWindowed(samples, 16);
        if (!q.ok) {
            fail(q.error);
            return;
        }
        if (port.isEmpty() || q.sfdrDb < worst.sfdrDb) {
            worst = q;
            port = cosine ? QStringLiteral("cosine_o") : QStringLiteral("sine_o");
        }
    }

    VerifyResult r;
    r.ok = true;
    r.sfdrDb = worst.sfdrDb;
    r.snrDb = worst.snrDb;
    r.requestedDb = m_requested;
    r.length = worst.length;
    r.pass = worst.sfdrDb >= m_requested;
    r.verdict = QStringLiteral("%1: SFDR %2 dBc (asked %3 dB): %4, SNR %5 dB, record %6 samples")
                        .arg(m_name)
                        .arg(worst.sfdrDb, 0, 'f', 1)
                        .arg(m_requested)
                        .arg(r.pass ? QStringLiteral("PASS") : QStringLiteral("FAIL"))
                        .arg(worst.snrDb, 0, 'f', 1)
                        .arg(worst.length);

    const double sampleRate = m_clockMHz / m_plan.lanes;
    const double toneMHz = m_plan.frequency * sampleRate;
    SpectrumPlot::Data data;
    data.title = QStringLiteral("%1 %2: output %3 bits, phase %4 bits, noise shaping %5, "
                                "requested SFDR %6 dB, %7 MHz")
                         .arg(m_name, port)
                         .arg(m_config.outputWidth)
                         .arg(m_config.phaseWidth)
                         .arg(noiseShaping(m_config))
                         .arg(m_requested)
                         .arg(toneMHz, 0, 'f', 3);
    data.subtitle = QStringLiteral("SFDR %1 dBc, SNR %2 dB: %3. %4 samples at %5 MSPS, %6")
                            .arg(worst.sfdrDb, 0, 'f', 1)
                            .arg(worst.snrDb, 0, 'f', 1)
                            .arg(r.pass ? QStringLiteral("PASS") : QStringLiteral("FAIL"))
                            .arg(worst.length)
                            .arg(sampleRate)
                            .arg(m_plan.coherent ? QStringLiteral("coherent, rectangular window")
                                                 : QStringLiteral("Blackman-Harris window"));
    const double fullScale = 20 * std::log10(std::ldexp(1.0, m_config.outputWidth - 1));
    for (const double level : worst.levelDb)
        data.levelDbfs << level - fullScale;
    data.binMHz = sampleRate / worst.length;
    data.carrierBin = worst.carrierBin;
    data.carrierMHz = toneMHz;
    data.spurBin = worst.worstSpurBin;
    data.sfdrDb = worst.sfdrDb;
    r.plot = SpectrumPlot(data);
    if (!r.plot.image(QSize(1000, 600)).save(m_pngPath, "PNG")) {
        fail(QStringLiteral("Cannot write %1.").arg(m_pngPath));
        return;
    }
    r.pngPath = m_pngPath;
    finish(r);
}

void CoreVerifier::fail(const QString &error)
{
    VerifyResult r;
    r.error = error;
    finish(r);
}

void CoreVerifier::finish(const VerifyResult &result)
{
    m_steps.clear();
    m_work.reset();
    QMetaObject::invokeMethod(
            this,
            [this, result] {
                m_running = false;
                emit finished(result);
            },
            Qt::QueuedConnection);
}
