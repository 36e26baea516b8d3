#include "deliveredcore.h"

#include "coreconfig.h"
#include "delivery.h"
#include "errorreport.h"
#include "recordplan.h"
#include "vhdlbench.h"
#include "yosysflow.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTextStream>

static void initVerificationResources()
{
    Q_INIT_RESOURCE(verification);
}

namespace DdsRtl {

namespace {

// The defines file of the generation, in its working folder.
const char DefinesFile[] = "dds_ii_top_defines.vh";

// Fields of a response line, as the benches write them.
const int ValidField = 0;
const int SineField = 3;
const int CosineField = 4;

bool readText(const QString &path, QString &text, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return IPCore::fail(error,
                            DeliveredCore::tr("Cannot read %1: %2").arg(path, file.errorString()));
    text = QString::fromUtf8(file.readAll());
    return true;
}

bool writeText(const QString &path, const QString &text, QString &error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) || file.write(text.toUtf8()) < 0
        || !file.commit())
        return IPCore::fail(error,
                            DeliveredCore::tr("Cannot write %1: %2").arg(path, file.errorString()));
    return true;
}

/// The configuration's header and the options the verification reads.
struct Instance
{
    QString name;
    QString dir;
    QString work; // the generation's working folder
    double sfdrDb = 0;
    double clockMHz = 0;
    bool vhdl = false;
};

bool readInstance(const QString &ipcPath, Instance &instance, QString &error)
{
    const QFileInfo ipc(ipcPath);
    if (!ipc.isFile() || !ipc.isReadable())
        return IPCore::fail(
                error, DeliveredCore::tr("Cannot read the configuration file %1.").arg(ipcPath));
    QSettings settings(ipc.absoluteFilePath(), QSettings::IniFormat);
    const QString version = settings.value(QStringLiteral("version")).toString();
    if (settings.status() != QSettings::NoError || version != QLatin1String("1.0"))
        return IPCore::fail(error,
                            DeliveredCore::tr("%1 is not a configuration file of version 1.0 "
                                              "(version \"%2\").")
                                    .arg(ipcPath, version));
    const QString coreId = settings.value(QStringLiteral("type")).toString();
    if (coreId.isEmpty())
        return IPCore::fail(
                error,
                DeliveredCore::tr("%1 names no core (its \"type\" is missing).").arg(ipcPath));
    settings.beginGroup(QStringLiteral("Config"));
    bool sfdrOk = false, clockOk = false;
    const QString sfdr = settings.value(QStringLiteral("SpuriousFreeDynamicRange")).toString();
    const QString clock = settings.value(QStringLiteral("SystemClock")).toString();
    instance.sfdrDb = sfdr.toDouble(&sfdrOk);
    instance.clockMHz = clock.toDouble(&clockOk);
    instance.vhdl = settings.value(QStringLiteral("LANG")).toInt() == 1;
    if (!sfdrOk || !clockOk || !(instance.clockMHz > 0))
        return IPCore::fail(error,
                            DeliveredCore::tr("%1: SpuriousFreeDynamicRange \"%2\" or SystemClock "
                                              "\"%3\" is not a number (SystemClock in MHz, above "
                                              "0).")
                                    .arg(ipcPath, sfdr, clock));
    instance.name = ipc.completeBaseName();
    instance.dir = ipc.absolutePath();
    instance.work = IPDDSYN::Generation::workingDirectory(instance.dir, coreId);
    return true;
}

bool checkTools(bool vhdl, const QString &model, QString &error)
{
    const QStringList tools = vhdl ? QStringList{QStringLiteral("ghdl")}
                                   : QStringList{QStringLiteral("iverilog"), QStringLiteral("vvp")};
    for (const QString &tool : tools) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return IPCore::fail(
                    error,
                    DeliveredCore::tr("%1 is not installed: verification simulates "
                                      "%2 with %3 (apt-get install %4).")
                            .arg(tool,
                                 model,
                                 vhdl ? QStringLiteral("GHDL") : QStringLiteral("Icarus Verilog"),
                                 vhdl ? QStringLiteral("ghdl") : QStringLiteral("iverilog")));
    }
    return true;
}

// The Verilog bench, or the VHDL one made from the delivered template.
bool writeBench(const Instance &instance, const QString &scratchDir, QString &error)
{
    if (!instance.vhdl) {
        initVerificationResources();
        const QString bench = scratchDir + QStringLiteral("/dds_tb.v");
        if (QFile::copy(QStringLiteral(":/verification/dds_tb.v"), bench))
            return true;
        return IPCore::fail(
                error, DeliveredCore::tr("Cannot write the test bench into %1.").arg(scratchDir));
    }
    const QString templatePath
            = instance.dir + QLatin1Char('/') + instance.name + QStringLiteral("_tmp.vhd");
    QString text;
    if (!readText(templatePath, text, error))
        return false;
    QString bench;
    if (!vhdlTestBench(text, bench, error))
        return IPCore::fail(error, QStringLiteral("%1: %2").arg(templatePath, error));
    return writeText(scratchDir + QStringLiteral("/dds_tb.vhd"), bench, error);
}

QVector<IPCore::VerificationBench::Step>
simulationSteps(bool vhdl, const QString &model, const QString &work, const RecordPlan &plan)
{
    const QString modelName = QFileInfo(model).fileName();
    const QString simulating = DeliveredCore::tr("Simulating %1 cycles for a record of %2 samples "
                                                 "of channel 0")
                                       .arg(plan.cycles)
                                       .arg(plan.length);
    if (vhdl)
        return {{QStringLiteral("ghdl"),
                 {QStringLiteral("-a"), model, QStringLiteral("dds_tb.vhd")},
                 DeliveredCore::tr("Analysing %1 with the test bench (GHDL)").arg(modelName)},
                {QStringLiteral("ghdl"),
                 {QStringLiteral("-e"), QStringLiteral("dds_tb")},
                 DeliveredCore::tr("Elaborating the test bench (GHDL)")},
                {QStringLiteral("ghdl"),
                 {QStringLiteral("-r"), QStringLiteral("dds_tb")},
                 simulating}};
    return {{QStringLiteral("iverilog"),
             {QStringLiteral("-g2005"),
              QStringLiteral("-o"),
              QStringLiteral("sim.vvp"),
              QStringLiteral("-I"),
              work,
              QStringLiteral("dds_tb.v"),
              model},
             DeliveredCore::tr("Compiling %1 with the test bench (Icarus Verilog)").arg(modelName)},
            {QStringLiteral("vvp"), {QStringLiteral("-n"), QStringLiteral("sim.vvp")}, simulating}};
}

void describeRecord(const Instance &instance,
                    const CoreConfig &config,
                    const RecordPlan &plan,
                    IPCore::VerificationBench &bench)
{
    bench.requestedSfdrDb = instance.sfdrDb;
    bench.sampleRateMHz = instance.clockMHz / plan.lanes;
    bench.toneMHz = plan.frequency * bench.sampleRateMHz;
    bench.settings = DeliveredCore::tr("output %1 bits, phase %2 bits, noise shaping %3")
                             .arg(config.outputWidth)
                             .arg(config.phaseWidth)
                             .arg(config.noiseShaping());
    // vvp exits 0 after $fatal in some versions; the bench's own checks say FATAL.
    bench.failureMarker = QStringLiteral("FATAL");
    bench.responseFile = QStringLiteral("response.txt");
    bench.validField = ValidField;
    bench.skip = plan.skip;
    bench.stride = plan.lanes;
    bench.length = plan.length;
    bench.sampleBits = config.outputWidth;
    if (config.sineOut)
        bench.outputs.append({QStringLiteral("sine_o"), SineField});
    if (config.cosineOut)
        bench.outputs.append({QStringLiteral("cosine_o"), CosineField});
    bench.coherent = plan.coherent;
    bench.carrierBin = plan.carrierBin;
}

} // namespace

bool DeliveredCore::prepareBench(const QString &ipcPath,
                                 const QString &scratchDir,
                                 IPCore::VerificationBench &bench,
                                 QString &error)
{
    Instance instance;
    if (!readInstance(ipcPath, instance, error))
        return false;
    const QString modelName
            = instance.name + (instance.vhdl ? QStringLiteral(".vho") : QStringLiteral(".vo"));
    const QString model = instance.dir + QLatin1Char('/') + modelName;
    const QString &work = instance.work;
    const QString definesPath = work + QLatin1Char('/') + QLatin1String(DefinesFile);
    if (!QFileInfo::exists(model) || !QFileInfo::exists(definesPath)
        || !QFileInfo::exists(work + QStringLiteral("/top_define.vh")))
        return IPCore::fail(error,
                            tr("No delivered core for %1 in %2 (%3 and %4/ with its defines are "
                               "needed): run 'ipgen generate %1 --dir %2' first.")
                                    .arg(QFileInfo(ipcPath).fileName(),
                                         instance.dir,
                                         modelName,
                                         QDir(instance.dir).relativeFilePath(work)));
    if (QFileInfo(model).lastModified() < QFileInfo(definesPath).lastModified())
        return IPCore::fail(error,
                            tr("%1 is older than the defines in %2: the last generation did not "
                               "finish; run 'ipgen generate' again.")
                                    .arg(model, work));
    QString defines;
    if (!readText(definesPath, defines, error))
        return false;
    CoreConfig config;
    if (!parseDefines(defines, config, error))
        return IPCore::fail(error, QStringLiteral("%1: %2").arg(definesPath, error));
    RecordPlan plan;
    if (!planRecord(config, instance.sfdrDb, plan, error))
        return IPCore::fail(error,
                            QStringLiteral("%1: %2").arg(QFileInfo(ipcPath).fileName(), error));
    if (!checkTools(instance.vhdl, modelName, error))
        return false;

    const QString table = work + QLatin1Char('/') + config.tableFile;
    if (!QFile::copy(table, scratchDir + QLatin1Char('/') + config.tableFile))
        return IPCore::fail(
                error,
                tr("Cannot prepare the simulation in %1 (table %2).").arg(scratchDir, table));
    if (!writeBench(instance, scratchDir, error))
        return false;
    QString stimulus;
    QTextStream out(&stimulus);
    for (const CycleIn &in : recordStimulus(config, plan))
        out << stimulusLine(in) << '\n';
    if (!writeText(scratchDir + QStringLiteral("/stimulus.txt"), stimulus, error))
        return false;

    bench = IPCore::VerificationBench();
    bench.name = instance.name;
    bench.model = modelName;
    bench.steps = simulationSteps(instance.vhdl, model, work, plan);
    describeRecord(instance, config, plan, bench);
    return true;
}

bool DeliveredCore::estimateSources(const QString &ipcPath,
                                    IPCore::EstimateSources &sources,
                                    QString &error)
{
    const QFileInfo ipc(ipcPath);
    if (!ipc.isFile() || !ipc.isReadable())
        return IPCore::fail(error, tr("Cannot read the configuration file %1.").arg(ipcPath));
    QSettings settings(ipc.absoluteFilePath(), QSettings::IniFormat);
    bool clockOk = false;
    const QString clock = settings.value(QStringLiteral("Config/SystemClock")).toString();
    sources.clockMHz = clock.toDouble(&clockOk);
    if (settings.status() != QSettings::NoError || !clockOk || !(sources.clockMHz > 0))
        return IPCore::fail(
                error,
                tr("%1: SystemClock \"%2\" is not a number of MHz above 0.").arg(ipcPath, clock));
    sources.name = ipc.completeBaseName();
    sources.folder = ipc.absolutePath() + QLatin1Char('/') + sources.name + QStringLiteral("_rtl");
    sources.files
            = QDir(sources.folder).entryList({QStringLiteral("*.v")}, QDir::Files, QDir::Name);
    if (sources.files.isEmpty())
        return IPCore::fail(error,
                            tr("No delivered RTL for %1 in %2 (%3_rtl/ with the core's Verilog is "
                               "needed): run 'ipgen generate %1 --dir %2 --overwrite' first.")
                                    .arg(ipc.fileName(), ipc.absolutePath(), sources.name));
    return IPCore::YosysFlow::moduleName(sources.folder, sources.top, error);
}

} // namespace DdsRtl
