#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

QT_BEGIN_NAMESPACE
class QProcess;
QT_END_NAMESPACE

/// Runs external tools one at a time as child processes, without blocking:
/// the verification and the estimate chain their steps through it. A step
/// that fails to start, exits non-zero, crashes or outlives the time limit
/// ends in failed(); cancel() ends a step silently.
class ToolRunner : public QObject
{
    Q_OBJECT

public:
    explicit ToolRunner(QObject *parent = nullptr);
    ~ToolRunner() override;

    void setWorkingDirectory(const QString &dir) { m_dir = dir; }
    /// Seconds one step may take; 0 for no limit.
    void setTimeout(int seconds) { m_timeoutSeconds = seconds; }
    /// Starts `program` (found on the PATH); `done` gets its merged output
    /// when it exits 0.
    void run(const QString &program,
             const QStringList &args,
             const std::function<void(const QString &)> &done);
    void cancel();
    bool isRunning() const { return m_process != nullptr; }

signals:
    void failed(const QString &message);

private:
    void stop();

    QString m_dir;
    int m_timeoutSeconds = 0;
    QProcess *m_process = nullptr;
    QTimer m_deadline;
};
