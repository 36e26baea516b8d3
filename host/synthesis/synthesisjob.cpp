#include "synthesisjob.h"

#include "fileutils.h"
#include "hdltemplates.h"
#include "synplifyflow.h"
#include "vhdlnetlistwriter.h"
#include "yosysflow.h"
#include "yosysnetlist.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTimer>

#include <limits>

namespace IPCore {

// Shown when no "ERROR:" line explains a failure.
static const int TailLines = 20;

// Less free space than this after a run whose results are unreadable: the
// disk filled up while the tool wrote them.
static const qint64 MinFreeBytes = 64 * 1024;

// A synthesis that hangs must not hold a scripted run forever.
static const char TimeoutVariable[] = "IPGEN_SYNTHESIS_TIMEOUT";
static const int DefaultTimeoutSeconds = 30 * 60;

// The run's time limit in seconds from the environment's text (empty: the
// default); 0 with `error` set when the text is not a usable limit.
static int timeoutSeconds(const QString &text, QString &error)
{
    if (text.isEmpty())
        return DefaultTimeoutSeconds;
    bool ok = false;
    const int seconds = text.toInt(&ok);
    if (ok && seconds > 0 && seconds <= std::numeric_limits<int>::max() / 1000)
        return seconds;
    error = SynthesisJob::tr("%1=\"%2\" is not a time limit; give a whole number of seconds, "
                             "e.g. %3.")
                    .arg(QLatin1String(TimeoutVariable), text)
                    .arg(DefaultTimeoutSeconds);
    return 0;
}

SynthesisJob::SynthesisJob(QObject *parent)
    : QObject(parent)
{
    connect(&m_step, &ProcessStep::outputRead, this, &SynthesisJob::appendLog);
    connect(&m_step, &ProcessStep::finished, this, &SynthesisJob::onStepFinished);
}

SynthesisJob::~SynthesisJob() = default;

void SynthesisJob::setTool(Tool tool)
{
    m_tool = tool;
}

void SynthesisJob::setArgs(const SynthesizeArgs &args)
{
    m_args = args;
}

void SynthesisJob::start()
{
    if (m_running) {
        const QString message = tr("A synthesis run is already in progress; wait for it to finish "
                                   "or cancel it before starting another.");
        QTimer::singleShot(0, this, [this, message] {
            m_errorMsg = message;
            m_detailErrorMsgs = QStringList{message};
            emit finished(1);
        });
        return;
    }
    m_running = true;
    m_stopping = false;
    m_errorMsg.clear();
    m_detailErrorMsgs.clear();
    m_log.clear();
    m_steps.clear();
    m_clock.start();

    QString error;
    QStringList details;
    m_limitSeconds = timeoutSeconds(qEnvironmentVariable(TimeoutVariable), error);
    if (m_limitSeconds == 0 || !prepare(error, details)) {
        // start() returns before finished() in every case.
        QTimer::singleShot(0, this, [this, error, details] { fail(1, error, details); });
        return;
    }
    runNextStep();
}

void SynthesisJob::cancel()
{
    if (!m_running || m_stopping)
        return;
    m_stopping = true;
    emit statusChanged(tr("Stopping..."));
    m_step.cancel();
}

bool SynthesisJob::prepare(QString &error, QStringList &details)
{
    const QString work = m_args.workDir;
    if (work.isEmpty() || !QFileInfo(work).isDir()) {
        error = tr("The working directory \"%1\" does not exist; generate the core files first.")
                        .arg(work);
        return false;
    }
    for (const QString &file :
         m_args.options.value(QStringLiteral("source_files")).toStringList()) {
        if (!QFileInfo(file).isFile())
            details << tr("Source file \"%1\" does not exist.").arg(file);
    }
    if (!details.isEmpty()) {
        error = tr("The HDL sources of the core are missing; check the plug-in's data directory.");
        return false;
    }
    if (m_args.fileName.isEmpty()) {
        error = tr("No output file name was given for the synthesis results.");
        return false;
    }
    if (!YosysFlow::moduleName(work, m_top, error))
        return false;

    // Results of an earlier run must not pass for this run's.
    const QString impl = SynplifyFlow::implementation(m_args);
    for (const QString &suffix : {QStringLiteral(".vg"),
                                  QStringLiteral(".json"),
                                  QStringLiteral("_tmp.v"),
                                  QStringLiteral(".vhg"),
                                  QStringLiteral(".vho"),
                                  QStringLiteral("_tmp.vhd"),
                                  QStringLiteral("_ports.json")}) {
        QFile::remove(work + QLatin1Char('/') + m_args.fileName + suffix);
    }
    for (const QString &suffix : {QStringLiteral(".vm"), QStringLiteral(".vhm")})
        QFile::remove(work + QLatin1Char('/') + impl + QLatin1Char('/') + m_args.fileName + suffix);

    return m_tool == VeltoSynthesis ? prepareYosys(m_top, error) : prepareSynplify(m_top, error);
}

bool SynthesisJob::prepareYosys(const QString &top, QString &error)
{
    const QString yosys = YosysFlow::program();
    if (yosys.isEmpty()) {
        error = tr("VeltoSynthesis needs Yosys, which is not on the PATH; install the package "
                   "\"yosys\" (scripts/install-deps.sh).");
        return false;
    }
    if (!writeWorkFile(QStringLiteral("synthesis.ys"), YosysFlow::script(m_args, top), error))
        return false;
    m_steps << Step{yosys,
                    {QStringLiteral("-s"), QStringLiteral("synthesis.ys")},
                    tr("Synthesizing %1 with Yosys").arg(top),
                    tr("Yosys could not synthesize %1; see the details and \"%2/synthesis.log\".")
                            .arg(top, m_args.workDir)};
    return true;
}

bool SynthesisJob::prepareSynplify(const QString &top, QString &error)
{
    const QString synplify = SynplifyFlow::program();
    if (synplify.isEmpty()) {
        error = tr("Synplify Pro is not installed: \"synplify_pro\" is not on the PATH. Install "
                   "it, or choose VeltoSynthesis as the synthesis tool.");
        return false;
    }
    const QString yosys = YosysFlow::program();
    if (yosys.isEmpty()) {
        error = tr("The instantiation templates need Yosys, which is not on the PATH; install the "
                   "package \"yosys\".");
        return false;
    }
    const QString impl = SynplifyFlow::implementation(m_args);
    if (!QDir(m_args.workDir).mkpath(impl)) {
        error = tr("Cannot create the implementation folder \"%1/%2\".").arg(m_args.workDir, impl);
        return false;
    }
    const QString project = m_args.fileName + QStringLiteral(".prj");
    const QString ports = m_args.fileName + QStringLiteral("_ports.json");
    if (!writeWorkFile(project, SynplifyFlow::project(m_args, top), error)
        || !writeWorkFile(QStringLiteral("interface.ys"),
                          YosysFlow::interfaceScript(m_args, top, ports),
                          error))
        return false;
    m_steps << Step{
            synplify,
            {QStringLiteral("-batch"), project},
            tr("Synthesizing %1 with Synplify Pro").arg(top),
            tr("Synplify Pro could not synthesize %1; see the details and \"%2/synthesis.log\".")
                    .arg(top, m_args.workDir)};
    m_steps << Step{
            yosys,
            {QStringLiteral("-s"), QStringLiteral("interface.ys")},
            tr("Reading the ports of %1").arg(top),
            tr("Yosys could not read the ports of %1 for the instantiation templates.").arg(top)};
    return true;
}

void SynthesisJob::runNextStep()
{
    if (m_steps.isEmpty()) {
        QString error;
        if (!collectResults(error)) {
            // Tools do not always notice that their output was cut short.
            const QStorageInfo storage(m_args.workDir);
            const QString summary
                    = storage.bytesAvailable() < MinFreeBytes
                              ? tr("The disk holding \"%1\" is full, so the synthesis results are "
                                   "incomplete; free some space and generate again.")
                                        .arg(m_args.workDir)
                              : error;
            fail(1, summary, {error});
            return;
        }
        emit statusChanged(tr("Finished in %1 s.").arg(m_clock.elapsed() / 1000.0, 0, 'f', 1));
        // A start refused meanwhile left its message here.
        m_errorMsg.clear();
        m_detailErrorMsgs.clear();
        finish(0);
        return;
    }
    m_current = m_steps.takeFirst();
    emit statusChanged(m_current.what + QStringLiteral("..."));
    appendLog(QStringLiteral("$ %1 %2\n")
                      .arg(m_current.program, m_current.arguments.join(QLatin1Char(' '))));
    // One time limit covers the whole run.
    m_step.setTimeout(int(qMax<qint64>(1, m_limitSeconds * 1000LL - m_clock.elapsed())));
    m_step.setWorkingDirectory(m_args.workDir);
    m_step.start(m_current.program, m_current.arguments);
}

void SynthesisJob::onStepFinished(ProcessStep::Outcome outcome, int exitCode)
{
    switch (outcome) {
    case ProcessStep::Cancelled:
        fail(2, tr("The synthesis was cancelled; no results were delivered."), {});
        return;
    case ProcessStep::TimedOut:
        fail(2,
             tr("\"%1\" did not finish within %2 s and was stopped; no results were "
                "delivered. Set %3 to a longer limit in seconds if the run needs it.")
                     .arg(m_current.program)
                     .arg(m_limitSeconds)
                     .arg(QLatin1String(TimeoutVariable)),
             {});
        return;
    case ProcessStep::FailedToStart:
        fail(1, tr("Cannot start \"%1\": %2.").arg(m_current.program, m_step.errorString()), {});
        return;
    case ProcessStep::Crashed:
    case ProcessStep::Exited:
        break;
    }
    const bool crashed = outcome == ProcessStep::Crashed;
    if (crashed || exitCode != 0) {
        QStringList details = YosysFlow::errorLines(m_log);
        if (details.isEmpty()) {
            details = m_log.split(QLatin1Char('\n'));
            while (!details.isEmpty() && details.last().trimmed().isEmpty())
                details.removeLast();
            details = details.mid(qMax(0, int(details.size()) - TailLines));
        }
        if (crashed)
            details.prepend(tr("\"%1\" stopped unexpectedly.").arg(m_current.program));
        fail(crashed ? 1 : exitCode, m_current.failure, details);
        return;
    }
    runNextStep();
}

bool SynthesisJob::writeWorkFile(const QString &name, const QString &text, QString &error) const
{
    return Utils::FileUtils::writeFile(
            m_args.workDir + QLatin1Char('/') + name, text.toUtf8(), error);
}

bool SynthesisJob::collectResults(QString &error)
{
    const QString work = m_args.workDir + QLatin1Char('/');
    const QString base = m_args.fileName;
    const bool vhdl = m_args.options.value(QStringLiteral("write_vhdl")).toBool();
    QStringList expected;
    QString json;
    if (m_tool == VeltoSynthesis) {
        expected << base + QStringLiteral(".vg");
        json = base + QStringLiteral(".json");
    } else {
        const QString impl = SynplifyFlow::implementation(m_args) + QLatin1Char('/');
        expected << impl + base + QStringLiteral(".vm");
        if (vhdl)
            expected << impl + base + QStringLiteral(".vhm");
        json = base + QStringLiteral("_ports.json");
    }
    for (const QString &file : qAsConst(expected)) {
        if (QFileInfo(work + file).size() == 0) {
            error = tr("The synthesis finished without writing the netlist \"%1\".")
                            .arg(work + file);
            return false;
        }
    }
    if (m_tool == VeltoSynthesis) {
        QFile netlist(work + expected.first());
        if (!netlist.open(QIODevice::ReadOnly)) {
            error = tr("Cannot read the netlist \"%1\": %2.")
                            .arg(netlist.fileName(), netlist.errorString());
            return false;
        }
        if (!Utils::FileUtils::writeFile(
                    netlist.fileName(), YosysFlow::lintClean(netlist.readAll()), error))
            return false;
    }

    YosysNetlist netlist;
    if (!YosysNetlist::read(work + json, m_top, netlist, error))
        return false;
    if (!writeWorkFile(base + QStringLiteral("_tmp.v"),
                       HdlTemplates::verilogTemplate(netlist, base),
                       error))
        return false;
    if (!vhdl)
        return true;
    if (!writeWorkFile(base + QStringLiteral("_tmp.vhd"),
                       HdlTemplates::vhdlTemplate(netlist, base),
                       error))
        return false;
    if (m_tool != VeltoSynthesis)
        return true;
    QString text;
    if (!VhdlNetlistWriter::write(netlist, text, error))
        return false;
    // The structural netlist is also the VHDL simulation model.
    return writeWorkFile(base + QStringLiteral(".vhg"), text, error)
           && writeWorkFile(base + QStringLiteral(".vho"), text, error);
}

void SynthesisJob::fail(int exitCode, const QString &message, const QStringList &details)
{
    if (!m_running)
        return;
    m_errorMsg = message;
    m_detailErrorMsgs = details;
    finish(exitCode == 0 ? 1 : exitCode);
}

void SynthesisJob::finish(int exitCode)
{
    if (!m_running)
        return;
    m_running = false;
    if (QFileInfo(m_args.workDir).isDir()) {
        QString ignored;
        writeWorkFile(QStringLiteral("synthesis.log"), m_log, ignored);
    }
    emit finished(exitCode);
}

void SynthesisJob::appendLog(const QString &text)
{
    if (text.isEmpty())
        return;
    m_log += text;
    emit logAppended(text);
}

} // namespace IPCore
