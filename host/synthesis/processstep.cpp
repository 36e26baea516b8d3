#include "processstep.h"

#include <QProcess>

namespace IPCore {

ProcessStep::ProcessStep(QObject *parent)
    : QObject(parent)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] { stop(TimedOut); });
}

ProcessStep::~ProcessStep()
{
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(3000);
    }
}

void ProcessStep::setWorkingDirectory(const QString &dir)
{
    m_workingDirectory = dir;
}

void ProcessStep::setTimeout(int msecs)
{
    m_timeout = msecs;
}

bool ProcessStep::start(const QString &program, const QStringList &arguments)
{
    if (m_process)
        return false;
    m_program = program;
    m_output.clear();
    m_errorString.clear();
    m_stopReason = Exited;

    // This may run inside the previous child's finished() signal, so each
    // run has a process of its own.
    auto *process = new QProcess(this);
    m_process = process;
    process->setWorkingDirectory(m_workingDirectory);
    process->setProcessChannelMode(QProcess::MergedChannels);
    connect(process, &QProcess::readyRead, this, &ProcessStep::readOutput);
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        // A crash also ends in finished(); only a failed start does not. The
        // report is queued: a failed start may be noticed inside start().
        if (error != QProcess::FailedToStart)
            return;
        m_errorString = process->errorString();
        QTimer::singleShot(0, this, [this, process] {
            if (m_process == process)
                finish(FailedToStart, -1);
        });
    });
    connect(process,
            QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
            this,
            [this](int exitCode, QProcess::ExitStatus status) {
                readOutput();
                if (m_stopReason != Exited)
                    finish(m_stopReason, -1);
                else if (status == QProcess::CrashExit)
                    finish(Crashed, -1);
                else
                    finish(Exited, exitCode);
            });
    if (m_timeout > 0)
        m_deadline.start(m_timeout);
    process->start(program, arguments);
    return true;
}

void ProcessStep::cancel()
{
    stop(Cancelled);
}

void ProcessStep::stop(Outcome reason)
{
    if (!m_process || m_stopReason != Exited)
        return;
    m_stopReason = reason;
    if (m_process->state() != QProcess::NotRunning)
        m_process->kill();
}

void ProcessStep::readOutput()
{
    const QString text = QString::fromLocal8Bit(m_process->readAll());
    if (text.isEmpty())
        return;
    m_output += text;
    emit outputRead(text);
}

void ProcessStep::finish(Outcome outcome, int exitCode)
{
    m_deadline.stop();
    m_process->disconnect(this);
    m_process->deleteLater();
    m_process = nullptr;
    emit finished(outcome, exitCode);
}

} // namespace IPCore
