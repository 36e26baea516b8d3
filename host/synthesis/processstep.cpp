#include "processstep.h"

#include <QProcess>
#include <QStandardPaths>

namespace IPCore {

ProcessStep::ProcessStep(QObject *parent)
    : QObject(parent)
{
    // For queued connections and signal spies.
    qRegisterMetaType<Outcome>();
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
    const int run = ++m_run;
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
    connect(process, &QProcess::errorOccurred, this, [this, run](QProcess::ProcessError error) {
        // A crash also ends in finished(); only a failed start does not. The
        // report is queued: a failed start may be noticed inside start().
        if (error != QProcess::FailedToStart)
            return;
        m_errorString = m_process->errorString();
        release();
        QTimer::singleShot(0, this, [this, run] {
            if (run == m_run)
                emit finished(FailedToStart, -1);
        });
    });
    connect(process,
            QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
            this,
            [this](int exitCode, QProcess::ExitStatus status) {
                readOutput();
                release();
                if (status == QProcess::CrashExit)
                    emit finished(Crashed, -1);
                else
                    emit finished(Exited, exitCode);
            });
    if (m_timeout > 0)
        m_deadline.start(m_timeout);
    const QString path = QStandardPaths::findExecutable(program);
    process->start(path.isEmpty() ? program : path, arguments);
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
    m_process->disconnect(this);
    m_process->kill();
    // A killed child is reaped before the caller goes on, e.g. to remove its folder.
    m_process->waitForFinished(1000);
    readOutput();
    release();
    const int run = m_run;
    QTimer::singleShot(0, this, [this, run, reason] {
        if (run == m_run)
            emit finished(reason, -1);
    });
}

void ProcessStep::readOutput()
{
    const QString text = QString::fromLocal8Bit(m_process->readAll());
    if (text.isEmpty())
        return;
    m_output += text;
    emit outputRead(text);
}

void ProcessStep::release()
{
    m_deadline.stop();
    m_process->disconnect(this);
    m_process->deleteLater();
    m_process = nullptr;
}

QString ProcessStep::failureMessage(Outcome outcome, int exitCode) const
{
    switch (outcome) {
    case Exited:
        if (exitCode == 0)
            return QString();
        break;
    case Crashed:
        break;
    case FailedToStart:
        return tr("%1 did not start: %2").arg(m_program, m_errorString);
    case TimedOut:
        return tr("%1 did not finish within %2 s and was stopped.")
                .arg(m_program)
                .arg(m_timeout / 1000);
    case Cancelled:
        return tr("%1 was cancelled.").arg(m_program);
    }
    return tr("%1 failed (exit code %2):\n%3").arg(m_program).arg(exitCode).arg(m_output.trimmed());
}

} // namespace IPCore
