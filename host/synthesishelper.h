#pragma once

#include "hostexport.h"
#include "synthesizeargs.h"

#include <QObject>
#include <QStringList>

namespace IPCore {

/// Runs a synthesis tool in the background on a core's sources, with a
/// progress dialog, and reports the outcome through finished().
class IPCORE_HOST_EXPORT SynthesisHelper : public QObject
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
    void showProgressDlg();
    void hideProgressDlg();
    /// Starts the run and returns at once; finished() follows exactly once.
    void start();

    /// One sentence a user understands, after a failed run.
    QString errorMsg() const { return m_errorMsg; }
    /// The tool's error lines, after a failed run.
    QStringList detailErrorMsgs() const { return m_detailErrorMsgs; }

signals:
    /// 0 when the run succeeded.
    void finished(int exitCode);

private:
    SynthesizeTool m_tool = VeltoSynthesis;
    SynthesizeArgs m_args;
    QString m_title;
    QString m_errorMsg;
    QStringList m_detailErrorMsgs;
};

} // namespace IPCore
