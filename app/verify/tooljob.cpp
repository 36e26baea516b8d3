#include "tooljob.h"

ToolJob::ToolJob(const Finder &finder, const QString &cancelled, QObject *parent)
    : QObject(parent)
    , m_finder(finder)
    , m_cancelled(cancelled)
{
    connect(&m_runner, &IPCore::ProcessStep::finished, this, &ToolJob::onStepFinished);
}

ToolJob::~ToolJob() = default;

void ToolJob::start(const QString &ipcPath)
{
    if (m_running)
        return;
    m_running = true;
    m_error.clear();
    QString error;
    m_steps.clear();
    if (!prepare(ipcPath, m_steps, error)) {
        finish(error);
        return;
    }
    runNextStep(QString());
}

void ToolJob::cancel()
{
    // Without a running tool the run has already finished; its report is on its way.
    if (!m_running || !m_runner.isRunning())
        return;
    m_runner.cancel();
    finish(m_cancelled);
}

void ToolJob::runNextStep(const QString &lastOutput)
{
    if (m_steps.isEmpty()) {
        QString error;
        finish(evaluate(lastOutput, error) ? QString() : error);
        return;
    }
    const Step step = m_steps.takeFirst();
    emit progress(step.what);
    if (!step.workingDirectory.isEmpty())
        m_runner.setWorkingDirectory(step.workingDirectory);
    m_runner.start(step.program, step.arguments);
}

void ToolJob::onStepFinished(IPCore::ProcessStep::Outcome outcome, int exitCode)
{
    // A cancelled run has already finished.
    if (outcome == IPCore::ProcessStep::Cancelled)
        return;
    const QString failure = m_runner.failureMessage(outcome, exitCode);
    if (failure.isEmpty())
        runNextStep(m_runner.output());
    else
        finish(explainFailure(failure));
}

void ToolJob::finish(const QString &error)
{
    m_steps.clear();
    reset();
    QMetaObject::invokeMethod(
            this,
            [this, error] {
                m_running = false;
                m_error = error;
                emit finished();
            },
            Qt::QueuedConnection);
}
