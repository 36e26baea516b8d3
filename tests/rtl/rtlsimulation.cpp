#include "rtlsimulation.h"

#include "cossinlut.h"
#include "definesbuilder.h"
#include "toolrun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace DdsRtl {

namespace {

const QLatin1String kRtlDir(DDS_RTL_DIR);

bool writeLines(const QString &path, const QStringList &lines, QString *error)
{
    if (writeFile(path, (lines.join('\n') + '\n').toUtf8()))
        return true;
    *error = "Cannot write " + path;
    return false;
}

// The tool's output, or false with what went wrong.
bool runTool(const QString &program,
             const QStringList &args,
             const QString &dir,
             QString *output,
             QString *error)
{
    if (QStandardPaths::findExecutable(program).isEmpty()) {
        *error = program + " is not installed (scripts/install-deps.sh installs it)";
        return false;
    }
    if (::runTool(program, args, dir, output) == 0)
        return true;
    *error = QString("%1 failed in %2:\n%3").arg(program, dir, *output);
    return false;
}

} // namespace

RtlSimulation::RtlSimulation(const QString &workDir, const QStringList &defines)
    : m_dir(workDir)
    , m_sources({kRtlDir + "/dds_ii_top.v", kRtlDir + "/dds_ii_core_encryption.v"})
{
    for (const QString &define : defines)
        m_defines << "-D" + define;
}

bool RtlSimulation::writeCore(const QString &moduleName,
                              const QStringList &parameterLines,
                              QString *error)
{
    using namespace IPDDSYN::Generation;
    m_compiled = false;
    m_moduleName = moduleName;
    const TableWidths widths = tableWidths(parameterLines);
    if (widths.fault != TableWidths::None) {
        *error = "The defines hold no single set of widths";
        return false;
    }
    const bool table = !parameterLines.contains("`define DEFINE_WORKMODE 1");
    const QStringList lines = QStringList(parameterLines) << fileNameLine(table);
    m_octant = table ? cosSinLutWords(widths.W, widths.P, widths.T) : QVector<quint64>();
    QStringList words;
    for (const quint64 word : qAsConst(m_octant))
        words << QString::number(word, 16);
    QFile::remove(m_dir + "/cos_sin_lut.dat");
    return (!table || writeLines(m_dir + "/cos_sin_lut.dat", words, error))
           && writeLines(m_dir + "/top_define.vh", {moduleLine(moduleName)}, error)
           && writeLines(m_dir + "/dds_ii_top_defines.vh", lines, error)
           && parseDefines(lines.join('\n'), m_config, *error);
}

bool RtlSimulation::run(const QVector<CycleIn> &stimulus,
                        QVector<CycleOut> *response,
                        QString *error)
{
    QString output;
    const QStringList compile = QStringList{"-g2005", "-o", "sim.vvp", "-I", m_dir, "-I", kRtlDir}
                                + m_defines + QStringList{DDS_TB_FILE} + m_sources;
    m_compiled = m_compiled || runTool("iverilog", compile, m_dir, &output, error);
    if (!m_compiled)
        return false;
    QStringList lines;
    for (const CycleIn &c : stimulus)
        lines << stimulusLine(c);
    const QString responsePath = m_dir + "/response.txt";
    QFile::remove(responsePath);
    if (!writeLines(m_dir + "/stimulus.txt", lines, error)
        || !runTool("vvp", {"-n", "sim.vvp"}, m_dir, &output, error))
        return false;
    // vvp exits 0 after a table it could not load; its warnings are failures here.
    if (output.contains("readmem", Qt::CaseInsensitive) || output.contains("FATAL")) {
        *error = QString("Simulation in %1 reported:\n%2").arg(m_dir, output);
        return false;
    }
    response->clear();
    bool readable = true;
    for (const QString &line : readFile(responsePath).split('\n', Qt::SkipEmptyParts)) {
        CycleOut o;
        readable = parseResponseLine(line, m_config.outputWidth, &o) && readable;
        response->append(o);
    }
    if (readable && response->size() == stimulus.size())
        return true;
    *error = QString("%1 is not %2 response lines, one a cycle")
                     .arg(responsePath)
                     .arg(stimulus.size());
    return false;
}

bool RtlSimulation::lint(QString *error)
{
    QString output;
    return runTool("verilator",
                   QStringList{"--lint-only", "-Wall", "-I" + m_dir, "-I" + kRtlDir} + m_defines
                           + QStringList{kRtlDir + "/dds_ii_top.v",
                                         kRtlDir + "/dds_ii_core_encryption.v",
                                         "--top-module",
                                         m_moduleName},
                   m_dir,
                   &output,
                   error);
}

bool RtlSimulation::synthesize(const QString &synthCommand, QString *log, QString *error)
{
    const QString netlist = m_dir + "/netlist.v";
    // LUTs become mux trees before writing: Icarus then leaves a LUT's
    // output known when only an input it ignores is unknown (an unwritten
    // shadow register, say), as the hardware would.
    const QString script = QString("read_verilog -I %1 -I %2 %5 %2/dds_ii_top.v "
                                   "%2/dds_ii_core_encryption.v; %3; lut2mux; "
                                   "write_verilog -noattr %4")
                                   .arg(m_dir, kRtlDir, synthCommand, netlist, m_defines.join(' '));
    if (!runTool("yosys", {"-p", script}, m_dir, log, error))
        return false;
    m_sources = QStringList{netlist};
    m_compiled = false;
    return true;
}

QVector<CycleOut> RtlSimulation::model(const QVector<CycleIn> &stimulus) const
{
    DdsModel model(m_config, m_octant);
    QVector<CycleOut> out;
    for (const CycleIn &c : stimulus)
        out.append(model.clock(c));
    return out;
}

} // namespace DdsRtl
