#include "toolrunner.h"

#include <QProcess>
#include <QStandardPaths>

ToolRunner::ToolRunner(QObject *parent)
    : QObject(parent)
{
    m_deadline.setSingleShot(true);
}

ToolRunner::~ToolRunner()
{
    stop();
}

void ToolRunner::run(const QString &program,
                     const QStringList &args,
                     const std::function<void(const QString &)> &done)
{
    stop();
    m_process = new QProcess(this);
    m_process->setWorkingDirectory(m_dir);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_deadline.disconnect(this);
    connect(&m_deadline, &QTimer::timeout, this, [this, program] {
        const int seconds = m_timeoutSeconds;
        stop();
        emit failed(tr("%1 did not finish within %2 s and was stopped.").arg(program).arg(seconds));
    });
    connect(m_process, &QProcess::errorOccurred, this, [this, program](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart)
            return;
        const QString why = m_process->errorString();
        stop();
        emit failed(tr("%1 did not start: %2").arg(program, why));
    });
    connect(m_process,
            QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished),
            this,
            [this, program, done](int code, QProcess::ExitStatus status) {
                const QString output = QString::fromLocal8Bit(m_process->readAll());
                m_deadline.stop();
                m_process->deleteLater();
                m_process = nullptr;
                if (status != QProcess::NormalExit || code != 0) {
                    emit failed(tr("%1 failed (exit code %2):\n%3")
                                        .arg(program)
                                        .arg(code)
                                        .arg(output.trimmed()));
                    return;
                }
                done(output);
            });
    if (m_timeoutSeconds > 0)
        m_deadline.start(m_timeoutSeconds * 1000);
    const QString path = QStandardPaths::findExecutable(program);
    m_process->start(path.isEmpty() ? program : path, args);
}

void ToolRunner::cancel()
{
    stop();
}

void ToolRunner::stop()
{
    m_deadline.stop();
    if (!m_process)
        return;
    m_process->disconnect(this);
    m_process->kill();
    m_process->waitForFinished(1000); // a killed child, reaped before its folder goes
    m_process->deleteLater();
    m_process = nullptr;
}
