#pragma once

#include "hostexport.h"
#include "synthesisjob.h"
#include "synthesizeargs.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

namespace IPCore {

class SynthesisProgressDialog;

/// A synthesis job as the plug-ins drive it, with a progress window the
/// user can follow and cancel from. The run itself is a SynthesisJob (see
/// there for the tools and their results); in batch mode there is no window
/// and the steps are reported on standard error.
class IPCORE_WIDGETS_EXPORT SynthesisHelper : public QObject
{
    Q_OBJECT
public:
    enum SynthesizeTool { SynplifyPro = 0, VeltoSynthesis = 1 };
    Q_ENUM(SynthesizeTool)

    explicit SynthesisHelper(QObject *parent = nullptr);
    ~SynthesisHelper() override;

    void setSynthesizeTool(SynthesizeTool tool);
    SynthesizeTool synthesizeTool() const { return SynthesizeTool(m_job.tool()); }
    void setProgressDlgWindowTitle(const QString &title);
    void setArgs(const SynthesizeArgs &args);
    SynthesizeArgs args() const { return m_job.args(); }
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
    bool isRunning() const { return m_job.isRunning(); }

    /// One sentence a user understands, after a failed run.
    QString errorMsg() const { return m_job.errorString(); }
    /// The tool's error lines, after a failed run.
    QStringList detailErrorMsgs() const { return m_job.detailErrorMsgs(); }
    /// Everything the tools printed during the last run.
    QString log() const { return m_job.log(); }

signals:
    /// 0 when the run succeeded.
    void finished(int exitCode);

private:
    void setStatus(const QString &text);
    void onJobFinished(int exitCode);

    SynthesisJob m_job;
    QString m_title;
    QPointer<SynthesisProgressDialog> m_dialog;
    QTimer m_tick;
    QString m_status;
};

} // namespace IPCore
