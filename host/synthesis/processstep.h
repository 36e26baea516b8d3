#pragma once

#include "hostexport.h"

#include <QObject>
#include <QStringList>
#include <QTimer>

QT_BEGIN_NAMESPACE
class QProcess;
QT_END_NAMESPACE

namespace IPCore {

/// Runs one child process in the background with a time limit and cancel,
/// and collects what it prints (standard output and error together). Every
/// tool the host starts runs through one.
class IPCORE_SYNTHESIS_EXPORT ProcessStep : public QObject
{
    Q_OBJECT
public:
    enum Outcome { Exited, Crashed, FailedToStart, TimedOut, Cancelled };
    Q_ENUM(Outcome)

    explicit ProcessStep(QObject *parent = nullptr);
    /// Kills a child that still runs; finished() does not follow.
    ~ProcessStep() override;

    void setWorkingDirectory(const QString &dir);
    /// The limit of each run in milliseconds; 0 for none.
    void setTimeout(int msecs);
    /// Starts `program` (found on the PATH) and returns at once; finished() follows exactly once,
    /// also when the program cannot be started. False, and no finished(),
    /// while a run is in progress.
    bool start(const QString &program, const QStringList &arguments);
    /// Kills the child and waits for it to be reaped, so that its folder
    /// may go at once; finished() follows with Cancelled.
    void cancel();
    bool isRunning() const { return m_process != nullptr; }

    QString program() const { return m_program; }
    /// Everything the child printed during the last run.
    QString output() const { return m_output; }
    /// Why the program could not be started, after FailedToStart.
    QString errorString() const { return m_errorString; }
    /// What went wrong in a run that ended so, for the user; empty when the
    /// program exited with 0.
    QString failureMessage(Outcome outcome, int exitCode) const;

signals:
    /// Text the child printed, as it comes.
    void outputRead(const QString &text);
    /// `exitCode` is the program's own when it exited, otherwise -1.
    void finished(IPCore::ProcessStep::Outcome outcome, int exitCode);

private:
    void stop(Outcome reason);
    void readOutput();
    void release();

    QProcess *m_process = nullptr;
    QTimer m_deadline;
    QString m_workingDirectory;
    QString m_program;
    QString m_output;
    QString m_errorString;
    int m_timeout = 0;
    int m_run = 0;                 // tells a queued report of an earlier run from the current one
    Outcome m_stopReason = Exited; // Exited: not being stopped
};

} // namespace IPCore
