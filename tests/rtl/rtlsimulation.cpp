#include "rtlsimulation.h"

#include "../toolrun.h"
#include "cossinlut.h"
#include "definesbuilder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTextStream>

namespace DdsRtl {

namespace {

bool writeLines(const QString &path, const QStringList &lines, QString *error)
{
    if (writeFile(path, (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8()))
        return true;
    *error = QStringLiteral("Cannot write %1").arg(path);
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
        *error = QStringLiteral("%1 is not installed (scripts/install-deps.sh installs it)")
                         .arg(program);
        return false;
    }
    if (::runTool(program, args, dir, output) == 0)
        return true;
    *error = QStringLiteral("%1 failed in %2:\n%3").arg(program, dir, *output);
    return false;
}

QString rtlDir()
{
    return QStringLiteral(DDS_RTL_DIR);
}

} // namespace

RtlSimulation::RtlSimulation(const QString &workDir)
    : m_dir(workDir)
    , m_sources({rtlDir() + QStringLiteral("/dds_ii_top.v"),
                 rtlDir() + QStringLiteral("/dds_ii_core_encryption.v")})
{}

bool RtlSimulation::writeCore(const QString &moduleName,
                              const QStringList &parameterLines,
                              QString *error)
{
    using namespace IPDDSYN::Generation;
    if (!QDir().mkpath(m_dir)) {
        *error = QStringLiteral("Cannot create %1").arg(m_dir);
        return false;
    }
    m_compiled = false;
    m_moduleName = moduleName;
    const TableWidths widths = tableWidths(parameterLines);
    if (widths.fault != TableWidths::None) {
        *error = QStringLiteral("The defines hold no single set of widths");
        return false;
    }
    const bool table = !parameterLines.contains(QStringLiteral("`define DEFINE_WORKMODE 1"));
    QStringList lines = parameterLines;
    lines << fileNameLine(table);
    const QString tablePath = m_dir + QStringLiteral("/cos_sin_lut.dat");
    QFile::remove(tablePath);
    m_octant = table ? cosSinLutWords(widths.W, widths.P, widths.T) : QVector<quint64>();
    QStringList words;
    for (const quint64 word : qAsConst(m_octant))
        words << QString::number(word, 16);
    if (table && !writeLines(tablePath, words, error))
        return false;
    return writeLines(m_dir + QStringLiteral("/top_define.vh"), {moduleLine(moduleName)}, error)
           && writeLines(m_dir + QStringLiteral("/dds_ii_top_defines.vh"), lines, error)
           && parseDefines(lines.join(QLatin1Char('\n')), &m_config, error);
}

bool RtlSimulation::compile(QString *error)
{
    QString output;
    m_compiled = runTool(QStringLiteral("iverilog"),
                         QStringList{QStringLiteral("-g2005"),
                                     QStringLiteral("-o"),
                                     QStringLiteral("sim.vvp"),
                                     QStringLiteral("-I"),
                                     m_dir,
                                     QStringLiteral("-I"),
                                     rtlDir(),
                                     QStringLiteral(DDS_TB_FILE)}
                                 + m_sources,
                         m_dir,
                         &output,
                         error);
    return m_compiled;
}

bool RtlSimulation::run(const QVector<CycleIn> &stimulus,
                        QVector<CycleOut> *response,
                        QString *error)
{
    if (!m_compiled && !compile(error))
        return false;
    QStringList lines;
    lines.reserve(stimulus.size());
    for (const CycleIn &c : stimulus)
        lines << stimulusLine(c);
    const QString responsePath = m_dir + QStringLiteral("/response.txt");
    QFile::remove(responsePath);
    QString output;
    if (!writeLines(m_dir + QStringLiteral("/stimulus.txt"), lines, error)
        || !runTool(QStringLiteral("vvp"),
                    {QStringLiteral("-n"), QStringLiteral("sim.vvp")},
                    m_dir,
                    &output,
                    error))
        return false;
    // vvp exits 0 after a table it could not load; its warnings are failures here.
    if (output.contains(QLatin1String("readmem"), Qt::CaseInsensitive)
        || output.contains(QLatin1String("FATAL"))) {
        *error = QStringLiteral("Simulation in %1 reported:\n%2").arg(m_dir, output);
        return false;
    }

    QFile file(responsePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("The simulation wrote no %1").arg(responsePath);
        return false;
    }
    response->clear();
    const int W = m_config.outputWidth;
    QTextStream in(&file);
    while (!in.atEnd()) {
        CycleOut o;
        if (!parseResponseLine(in.readLine(), W, &o)) {
            *error = QStringLiteral("%1 line %2 is not a response line")
                             .arg(responsePath)
                             .arg(response->size() + 1);
            return false;
        }
        response->append(o);
    }
    if (response->size() != stimulus.size()) {
        *error = QStringLiteral("%1 has %2 lines for %3 cycles")
                         .arg(responsePath)
                         .arg(response->size())
                         .arg(stimulus.size());
        return false;
    }
    return true;
}

bool RtlSimulation::lint(QString *error)
{
    const QString rtl = rtlDir();
    QString output;
    return runTool(QStringLiteral("verilator"),
                   {QStringLiteral("--lint-only"),
                    QStringLiteral("-Wall"),
                    QStringLiteral("-I") + m_dir,
                    QStringLiteral("-I") + rtl,
                    rtl + QStringLiteral("/dds_ii_top.v"),
                    rtl + QStringLiteral("/dds_ii_core_encryption.v"),
                    QStringLiteral("--top-module"),
                    m_moduleName},
                   m_dir,
                   &output,
                   error);
}

bool RtlSimulation::synthesize(const QString &synthCommand, QString *log, QString *error)
{
    const QString rtl = rtlDir();
    const QString netlist = m_dir + QStringLiteral("/netlist.v");
    // LUTs become mux trees before writing: Icarus then leaves a LUT's
    // output known when only an input it ignores is unknown (an unwritten
    // shadow register, say), as the hardware would.
    const QString script = QStringLiteral("read_verilog -I %1 -I %2 %2/dds_ii_top.v "
                                          "%2/dds_ii_core_encryption.v; %3; lut2mux; "
                                          "write_verilog -noattr %4")
                                   .arg(m_dir, rtl, synthCommand, netlist);
    if (!runTool(QStringLiteral("yosys"), {QStringLiteral("-p"), script}, m_dir, log, error))
        return false;
    m_sources = QStringList{netlist};
    m_compiled = false;
    return true;
}

QVector<CycleOut> RtlSimulation::model(const QVector<CycleIn> &stimulus) const
{
    DdsModel model(m_config, m_octant);
    QVector<CycleOut> out;
    out.reserve(stimulus.size());
    for (const CycleIn &c : stimulus)
        out.append(visibleOutputs(m_config, model.clock(c)));
    return out;
}

} // namespace DdsRtl
