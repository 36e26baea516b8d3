#pragma once

#include "hostexport.h"
#include "processstep.h"
#include "synthesizeargs.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QVector>

namespace IPCore {

/// Runs a synthesis tool in the background on a core's sources, with no
/// window of its own: whoever shows progress follows statusChanged() and
/// logAppended(). The outcome comes through finished().
///
/// VeltoSynthesis runs Yosys in the working directory and leaves FILE.vg,
/// FILE_tmp.v and, for VHDL, FILE.vhg, FILE.vho and FILE_tmp.vhd there;
/// Synplify Pro runs an installed synplify_pro on a generated project and
/// leaves IMPL/FILE.vm (and IMPL/FILE.vhm) plus the same templates. The
/// tool's output is kept in WORK/synthesis.log. A run that takes longer than
/// IPGEN_SYNTHESIS_TIMEOUT seconds (default 30 minutes) is stopped as failed.
class IPCORE_SYNTHESIS_EXPORT SynthesisJob : public QObject
{
    Q_OBJECT
public:
    enum Tool { SynplifyPro = 0, VeltoSynthesis = 1 };
    Q_ENUM(Tool)

    explicit SynthesisJob(QObject *parent = nullptr);
    ~SynthesisJob() override;

    void setTool(Tool tool);
    Tool tool() const { return m_tool; }
    void setArgs(const SynthesizeArgs &args);
    SynthesizeArgs args() const { return m_args; }
    /// Starts the run and returns at once; finished() follows exactly once.
    /// A start during a run is refused: finished() with a non-zero code.
    void start();
    /// Ends a run in progress; finished() follows with a non-zero code.
    void cancel();
    bool isRunning() const { return m_running; }
    /// Milliseconds since the last start.
    qint64 elapsed() const { return m_clock.elapsed(); }

    /// One sentence a user understands, after a failed run.
    QString errorString() const { return m_errorMsg; }
    /// The tool's error lines, after a failed run.
    QStringList detailErrorMsgs() const { return m_detailErrorMsgs; }
    /// Everything the tools printed during the last run.
    QString log() const { return m_log; }

signals:
    /// 0 when the run succeeded.
    void finished(int exitCode);
    /// What the run does now, one line.
    void statusChanged(const QString &status);
    /// Text the tools printed, as it comes.
    void logAppended(const QString &text);

private:
    struct Step
    {
        QString program;
        QStringList arguments;
        QString what;
        QString failure;
    };

    bool prepare(QString &error, QStringList &details);
    bool prepareYosys(const QString &top, QString &error);
    bool prepareSynplify(const QString &top, QString &error);
    void runNextStep();
    void onStepFinished(ProcessStep::Outcome outcome, int exitCode);
    bool collectResults(QString &error);
    void fail(int exitCode, const QString &message, const QStringList &details);
    void finish(int exitCode);
    void appendLog(const QString &text);
    bool writeWorkFile(const QString &name, const QString &text, QString &error) const;

    Tool m_tool = VeltoSynthesis;
    SynthesizeArgs m_args;
    QString m_errorMsg;
    QStringList m_detailErrorMsgs;
    QString m_log;
    QString m_top;
    QVector<Step> m_steps;
    Step m_current;
    ProcessStep m_step;
    QElapsedTimer m_clock;
    int m_limitSeconds = 0;
    bool m_running = false;
    bool m_stopping = false;
};

} // namespace IPCore
