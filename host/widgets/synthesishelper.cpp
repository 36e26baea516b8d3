#include "synthesishelper.h"

#include "fileutils.h"
#include "hdltemplates.h"
#include "hostservices.h"
#include "synplifyflow.h"
#include "synthesisprogressdialog.h"
#include "vhdlnetlistwriter.h"
#include "yosysflow.h"
#include "yosysnetlist.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStorageInfo>
#include <QTextStream>
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
    error = SynthesisHelper::tr("%1=\"%2\" is not a time limit; give a whole number of seconds, "
                                "e.g. %3.")
                    .arg(QLatin1String(TimeoutVariable), text)
                    .arg(DefaultTimeoutSeconds);
    return 0;
}

static bool isBatch()
{
    const Core::HostServices *services = Core::HostServices::current();
    return (services && services->isBatch())
           || !qobject_cast<QApplication *>(QCoreApplication::instance());
}

SynthesisHelper::SynthesisHelper(QObject *parent)
    : QObject(parent)
{
    // A long run shows that it is alive.
    m_tick.setInterval(1000);
    connect(&m_tick, &QTimer::timeout, this, [this] {
        if (m_dialog)
            m_dialog->setStatus(tr("%1 (%2 s)").arg(m_status).arg(m_clock.elapsed() / 1000));
    });
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        stop(tr("\"%1\" did not finish within %2 s and was stopped; no results were "
                "delivered. Set %3 to a longer limit in seconds if the run needs it.")
                     .arg(m_current.program)
                     .arg(m_deadline.interval() / 1000)
                     .arg(QLatin1String(TimeoutVariable)));
    });
}

SynthesisHelper::~SynthesisHelper()
{
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(3000);
    }
    delete m_dialog.data();
}

void SynthesisHelper::setSynthesizeTool(SynthesizeTool tool)
{
    m_tool = tool;
}

void SynthesisHelper::setProgressDlgWindowTitle(const QString &title)
{
    m_title = title;
    if (m_dialog)
        m_dialog->setWindowTitle(title);
}

void SynthesisHelper::setArgs(const SynthesizeArgs &args)
{
    m_args = args;
}

void SynthesisHelper::showProgressDlg()
{
    if (isBatch())
        return;
    if (!m_dialog) {
        auto *owner = qobject_cast<QWidget *>(parent());
        if (!owner && Core::HostServices::current())
            owner = Core::HostServices::current()->dialogParent();
        m_dialog = new SynthesisProgressDialog(owner);
        connect(m_dialog.data(),
                &SynthesisProgressDialog::cancelRequested,
                this,
                &SynthesisHelper::cancel);
    }
    m_dialog->setWindowTitle(m_title);
    if (!m_running) {
        m_dialog->clearLog();
        m_dialog->setStatus(tr("Preparing the synthesis..."));
    }
    m_dialog->show();
}

void SynthesisHelper::hideProgressDlg()
{
    if (m_dialog)
        m_dialog->hide();
}

QWidget *SynthesisHelper::progressDlg() const
{
    return m_dialog.data();
}

void SynthesisHelper::start()
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
    m_stopReason.clear();
    m_errorMsg.clear();
    m_detailErrorMsgs.clear();
    m_log.clear();
    m_steps.clear();
    m_clock.start();
    m_tick.start();
    if (m_dialog)
        m_dialog->clearLog();

    QString error;
    QStringList details;
    const int limit = timeoutSeconds(qEnvironmentVariable(TimeoutVariable), error);
    if (limit > 0)
        m_deadline.start(limit * 1000);
    if (limit == 0 || !prepare(error, details)) {
        // start() returns before finished() in every case.
        QTimer::singleShot(0, this, [this, error, details] { fail(1, error, details); });
        return;
    }
    runNextStep();
}

void SynthesisHelper::cancel()
{
    stop(tr("The synthesis was cancelled; no results were delivered."));
}

void SynthesisHelper::stop(const QString &reason)
{
    if (!m_running || !m_stopReason.isEmpty())
        return;
    m_stopReason = reason;
    setStatus(tr("Stopping..."));
    if (m_process && m_process->state() != QProcess::NotRunning)
        m_process->kill();
}

bool SynthesisHelper::prepare(QString &error, QStringList &details)
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
    m_top = YosysFlow::moduleName(work, error);
    if (m_top.isEmpty())
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

bool SynthesisHelper::prepareYosys(const QString &top, QString &error)
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

bool SynthesisHelper::prepareSynplify(const QString &top, QString &error)
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

void SynthesisHelper::runNextStep()
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
        setStatus(tr("Finished in %1 s.").arg(m_clock.elapsed() / 1000.0, 0, 'f', 1));
        // A start refused meanwhile left its message here.
        m_errorMsg.clear();
        m_detailErrorMsgs.clear();
        finish(0);
        return;
    }
    m_current = m_steps.takeFirst();
    setStatus(m_current.what + QStringLiteral("..."));
    appendLog(QStringLiteral("$ %1 %2\n")
                      .arg(m_current.program, m_current.arguments.join(QLatin1Char(' '))));

    if (m_process) {
        // This may run inside the previous process's finished() signal.
        m_process->disconnect(this);
        m_process->deleteLater();
    }
    m_process = new QProcess(this);
    m_process->setWorkingDirectory(m_args.workDir);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    QProcess *process = m_process;
    connect(process, &QProcess::readyRead, this, [this, process] {
        appendLog(QString::fromLocal8Bit(process->readAll()));
    });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        // A crash also ends in finished(); only a failed start does not. The
        // report is queued: a failed start may be noticed inside start().
        if (error == QProcess::FailedToStart) {
            const QString message
                    = tr("Cannot start \"%1\": %2.").arg(m_current.program, process->errorString());
            QTimer::singleShot(0, this, [this, message] { fail(1, message, {}); });
        }
    });
    connect(process,
            QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
            this,
            [this, process](int exitCode, QProcess::ExitStatus status) {
                appendLog(QString::fromLocal8Bit(process->readAll()));
                onStepFinished(exitCode, status == QProcess::CrashExit);
            });
    process->start(m_current.program, m_current.arguments);
}

void SynthesisHelper::onStepFinished(int exitCode, bool crashed)
{
    if (!m_stopReason.isEmpty()) {
        fail(2, m_stopReason, {});
        return;
    }
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

bool SynthesisHelper::writeWorkFile(const QString &name, const QString &text, QString &error) const
{
    return Utils::FileUtils::writeFile(
            m_args.workDir + QLatin1Char('/') + name, text.toUtf8(), error);
}

bool SynthesisHelper::collectResults(QString &error)
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
    if (!writeWorkFile(
                base + QStringLiteral("_tmp.v"), HdlTemplates::verilogTemplate(netlist), error))
        return false;
    if (!vhdl)
        return true;
    if (!writeWorkFile(
                base + QStringLiteral("_tmp.vhd"), HdlTemplates::vhdlTemplate(netlist), error))
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

void SynthesisHelper::fail(int exitCode, const QString &message, const QStringList &details)
{
    if (!m_running)
        return;
    m_errorMsg = message;
    m_detailErrorMsgs = details;
    // The host shows the failure itself; the window only keeps it in view.
    if (m_dialog)
        m_dialog->setStatus(message);
    finish(exitCode == 0 ? 1 : exitCode);
}

void SynthesisHelper::finish(int exitCode)
{
    if (!m_running)
        return;
    m_running = false;
    m_tick.stop();
    m_deadline.stop();
    if (m_process) {
        m_process->disconnect(this);
        m_process->deleteLater();
        m_process = nullptr;
    }
    if (QFileInfo(m_args.workDir).isDir()) {
        QString ignored;
        writeWorkFile(QStringLiteral("synthesis.log"), m_log, ignored);
    }
    emit finished(exitCode);
}

void SynthesisHelper::appendLog(const QString &text)
{
    if (text.isEmpty())
        return;
    m_log += text;
    if (m_dialog)
        m_dialog->appendLog(text);
}

void SynthesisHelper::setStatus(const QString &text)
{
    m_status = text;
    if (m_dialog)
        m_dialog->setStatus(text);
    if (isBatch())
        QTextStream(stderr) << m_title << (m_title.isEmpty() ? "" : ": ") << text << Qt::endl;
}

} // namespace IPCore
