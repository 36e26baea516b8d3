#pragma once

#include "processstep.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

namespace IPCore {
class CoreVerification;
}

/// A check of a delivered core that runs tools one after another in the
/// background: prepare lists the steps, each runs as a child process with
/// cancel and time limit, evaluate reads what they left. `finished` comes
/// exactly once after `start`, from the event loop; errorString() then says
/// why it failed, empty when it succeeded.
class ToolJob : public QObject
{
    Q_OBJECT

public:
    /// Finds what the plug-in of the core a configuration file belongs to
    /// offers; nullptr, with `error` set, when there is none.
    using Finder = std::function<const IPCore::CoreVerification *(const QString &ipcPath,
                                                                  QString &error)>;

    ~ToolJob() override;

    void start(const QString &ipcPath);
    void cancel();
    bool isRunning() const { return m_running; }
    QString errorString() const { return m_error; }

signals:
    void progress(const QString &message);
    void finished();

protected:
    struct Step
    {
        QString program;
        QStringList arguments;
        QString what;             // for the progress
        QString workingDirectory; // empty: the one of the step before
    };

    /// `cancelled` is the error of a cancelled run.
    ToolJob(const Finder &finder, const QString &cancelled, QObject *parent);
    const IPCore::CoreVerification *verification(const QString &ipcPath, QString &error) const
    {
        return m_finder(ipcPath, error);
    }
    void setTimeout(int msecs) { m_runner.setTimeout(msecs); }

    /// Checks the input and lists the steps.
    virtual bool prepare(const QString &ipcPath, QVector<Step> &steps, QString &error) = 0;
    /// Reads the results the steps left; `lastOutput` is what the last one printed.
    virtual bool evaluate(const QString &lastOutput, QString &error) = 0;
    /// The message of a failed step, for the user.
    virtual QString explainFailure(const QString &failure) const { return failure; }
    /// Drops the scratch folders of a run, after it finished.
    virtual void reset() = 0;

private:
    void runNextStep(const QString &lastOutput);
    void onStepFinished(IPCore::ProcessStep::Outcome outcome, int exitCode);
    void finish(const QString &error);

    Finder m_finder;
    bool m_running = false;
    QString m_error;
    QString m_cancelled;
    IPCore::ProcessStep m_runner;
    QVector<Step> m_steps;
};
