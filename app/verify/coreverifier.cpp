#include "coreverifier.h"

#include "coreverification.h"
#include "errorreport.h"
#include "spectrum.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>

using namespace DdsRtl;

namespace {

qint64 signExtend(quint64 value, int bits)
{
    const quint64 sign = quint64(1) << (bits - 1);
    return qint64((value ^ sign) - sign);
}

// The record of each of the bench's outputs in the response text.
bool readRecords(const QString &text,
                 const IPCore::VerificationBench &bench,
                 QVector<QVector<double>> &records,
                 QString &error)
{
    int fields = bench.validField + 1;
    for (const IPCore::VerificationBench::Output &output : bench.outputs)
        fields = std::max(fields, output.field + 1);
    records = QVector<QVector<double>>(bench.outputs.size());
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    int index = 0; // valid lines so far
    for (int n = 0; n < lines.size(); ++n) {
        const QStringList f = lines.at(n).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QVector<quint64> values;
        bool ok = f.size() >= fields;
        for (int i = 0; ok && i < f.size(); ++i)
            values << f.at(i).toULongLong(&ok, 16);
        if (!ok)
            return IPCore::fail(error,
                                CoreVerifier::tr("Simulation response line %1 is unreadable: "
                                                 "\"%2\"")
                                        .arg(n + 1)
                                        .arg(lines.at(n)));
        if (!values.at(bench.validField))
            continue;
        const bool taken = index >= bench.skip && (index - bench.skip) % bench.stride == 0;
        for (int o = 0; taken && o < records.size(); ++o) {
            if (records[o].size() < bench.length)
                records[o] << double(
                        signExtend(values.at(bench.outputs.at(o).field), bench.sampleBits));
        }
        ++index;
    }
    return true;
}

} // namespace

CoreVerifier::CoreVerifier(const Finder &finder, QObject *parent)
    : ToolJob(finder, tr("Verification cancelled."), parent)
{}

CoreVerifier::~CoreVerifier() = default;

bool CoreVerifier::prepare(const QString &ipcPath, QVector<Step> &steps, QString &error)
{
    m_result = VerifyResult();
    const IPCore::CoreVerification *plugin = verification(ipcPath, error);
    if (!plugin)
        return false;
    m_work = std::make_unique<QTemporaryDir>();
    if (!m_work->isValid())
        return IPCore::fail(error,
                            tr("Cannot make a temporary folder for the simulation: %1")
                                    .arg(m_work->errorString()));
    m_bench = IPCore::VerificationBench();
    if (!plugin->prepareBench(ipcPath, m_work->path(), m_bench, error))
        return false;
    if (m_bench.outputs.isEmpty() || m_bench.length < 1 || m_bench.stride < 1
        || m_bench.sampleBits < 2 || m_bench.sampleBits > 64)
        return IPCore::fail(error,
                            tr("The plug-in describes no record to measure for %1.").arg(ipcPath));
    for (const IPCore::VerificationBench::Step &step : qAsConst(m_bench.steps))
        steps.append({step.program, step.arguments, step.what, m_work->path()});
    m_requested = m_bench.requestedSfdrDb;
    const QFileInfo ipc(ipcPath);
    m_pngPath = ipc.absolutePath() + QLatin1Char('/') + m_bench.name
                + QStringLiteral("_spectrum.png");
    return true;
}

bool CoreVerifier::evaluate(const QString &simulatorOutput, QString &error)
{
    if (!m_bench.failureMarker.isEmpty() && simulatorOutput.contains(m_bench.failureMarker))
        return IPCore::fail(error,
                            tr("The simulation of %1 stopped:\n%2")
                                    .arg(m_bench.model, simulatorOutput.trimmed()));
    emit progress(tr("Measuring the spectrum"));
    QFile response(m_work->filePath(m_bench.responseFile));
    if (!response.open(QIODevice::ReadOnly | QIODevice::Text))
        return IPCore::fail(
                error, tr("Cannot read %1: %2").arg(response.fileName(), response.errorString()));
    QVector<QVector<double>> records;
    if (!readRecords(QString::fromUtf8(response.readAll()), m_bench, records, error))
        return false;

    // The worse of the outputs the core has.
    SpectrumQuality worst;
    QString port;
    for (int o = 0; o < records.size(); ++o) {
        if (records.at(o).size() < m_bench.length)
            return IPCore::fail(error,
                                tr("The simulation gave %1 samples for a record of %2.")
                                        .arg(records.at(o).size())
                                        .arg(m_bench.length));
        const SpectrumQuality q = m_bench.coherent
                                          ? measureCoherent(records.at(o), m_bench.carrierBin)
                                          : measureWindowed(records.at(o), 16);
        if (!q.ok)
            return IPCore::fail(error, q.error);
        if (port.isEmpty() || q.sfdrDb < worst.sfdrDb) {
            worst = q;
            port = m_bench.outputs.at(o).port;
        }
    }

    VerifyResult r;
    r.pass = worst.sfdrDb >= m_requested;
    const QString verdict = r.pass ? tr("PASS") : tr("FAIL");
    r.verdict = tr("%1: SFDR %2 dBc (asked %3 dB): %4, SNR %5 dB, record %6 samples")
                        .arg(m_bench.name)
                        .arg(worst.sfdrDb, 0, 'f', 1)
                        .arg(m_requested)
                        .arg(verdict)
                        .arg(worst.snrDb, 0, 'f', 1)
                        .arg(worst.length);

    SpectrumPlot::Data data;
    data.title = tr("%1 %2: %3, requested SFDR %4 dB, %5 MHz")
                         .arg(m_bench.name, port, m_bench.settings)
                         .arg(m_requested)
                         .arg(m_bench.toneMHz, 0, 'f', 3);
    data.subtitle = tr("SFDR %1 dBc, SNR %2 dB: %3. %4 samples at %5 MSPS, %6")
                            .arg(worst.sfdrDb, 0, 'f', 1)
                            .arg(worst.snrDb, 0, 'f', 1)
                            .arg(verdict)
                            .arg(worst.length)
                            .arg(m_bench.sampleRateMHz)
                            .arg(m_bench.coherent ? tr("coherent, rectangular window")
                                                  : tr("Blackman-Harris window"));
    const double fullScale = 20 * std::log10(std::ldexp(1.0, m_bench.sampleBits - 1));
    for (const double level : worst.levelDb)
        data.levelDbfs << level - fullScale;
    data.binMHz = m_bench.sampleRateMHz / worst.length;
    data.carrierBin = worst.carrierBin;
    data.carrierMHz = m_bench.toneMHz;
    data.spurBin = worst.worstSpurBin;
    data.sfdrDb = worst.sfdrDb;
    r.plot = SpectrumPlot(data);
    if (!r.plot.image(QSize(1000, 600)).save(m_pngPath, "PNG"))
        return IPCore::fail(error, tr("Cannot write %1.").arg(m_pngPath));
    r.pngPath = m_pngPath;
    m_result = r;
    return true;
}

void CoreVerifier::reset()
{
    m_work.reset();
}
