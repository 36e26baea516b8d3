#pragma once

#include "hostexport.h"
#include "synthesizeargs.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QVector>

QT_BEGIN_NAMESPACE
class QProcess;
QT_END_NAMESPACE

namespace IPCore {

class SynthesisProgressDialog;

/// Runs a synthesis tool in the background on a core's sources, with a
/// progress dialog, and reports the outcome through finished().
///
/// VeltoSynthesis runs Yosys in the working directory and leaves FILE.vg,
/// FILE_tmp.v and, for VHDL, FILE.vhg, FILE.vho and FILE_tmp.vhd there;
/// Synplify Pro runs an installed synplify_pro on a generated project and
/// leaves IMPL/FILE.vm (and IMPL/FILE.vhm) plus the same templates. The
/// tool's output is kept in WORK/synthesis.log. A run that takes longer than
/// IPGEN_SYNTHESIS_TIMEOUT seconds (default 30 minutes) is stopped as failed.
class IPCORE_WIDGETS_EXPORT SynthesisHelper : public QObject
{
    Q_OBJECT
public:
    enum SynthesizeTool { SynplifyPro = 0, VeltoSynthesis = 1 };
    Q_ENUM(SynthesizeTool)

    explicit SynthesisHelper(QObject *parent = nullptr);
    ~SynthesisHelper() override;

    void setSynthesizeTool(SynthesizeTool tool);
    SynthesizeTool synthesizeTool() const { return m_tool; }
    void setProgressDlgWindowTitle(const QString &title);
    void setArgs(const SynthesizeArgs &args);
    SynthesizeArgs args() const { return m_args; }
    /// Shows the progress window (not in batch mode, where the log is only kept).
    void showProgressDlg();
    void hideProgressDlg();
    /// The progress window once shown, for the host's tests.
    QWidget *progressDlg() const;
    /// Starts the run and returns at once; finished() follows exactly once.
    /// A start during a run is refused: finished() with a non-zero code.
    void start();
    /// Ends a run in progress; finished() follows with a non-zero code.
    void cancel();
    bool isRunning() const { return m_running; }

    /// One sentence a user understands, after a failed run.
    QString errorMsg() const { return m_errorMsg; }
    /// The tool's error lines, after a failed run.
    QStringList detailErrorMsgs() const { return m_detailErrorMsgs; }
    /// Everything the tools printed during the last run.
    QString log() const { return m_log; }

signals:
    /// 0 when the run succeeded.
    void finished(int exitCode);

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
    void stop(const QString &reason);
    void runNextStep();
    void onStepFinished(int exitCode, bool crashed);
    bool collectResults(QString &error);
    void fail(int exitCode, const QString &message, const QStringList &details);
    void finish(int exitCode);
    void appendLog(const QString &text);
    void setStatus(const QString &text);
    bool writeWorkFile(const QString &name, const QString &text, QString &error) const;

    SynthesizeTool m_tool = VeltoSynthesis;
    SynthesizeArgs m_args;
    QString m_title;
    QString m_errorMsg;
    QStringList m_detailErrorMsgs;
    QString m_log;
    QString m_top;
    QVector<Step> m_steps;
    Step m_current;
    QProcess *m_process = nullptr;
    QPointer<SynthesisProgressDialog> m_dialog;
    QElapsedTimer m_clock;
    QTimer m_tick;
    QTimer m_deadline;
    QString m_status;
    bool m_running = false;
    QString m_stopReason; // why a run in progress is being ended
};

} // namespace IPCore
