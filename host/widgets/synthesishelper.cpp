#include "synthesishelper.h"

#include "hostservices.h"
#include "synthesisprogressdialog.h"

#include <QApplication>
#include <QTextStream>

namespace IPCore {

static bool isBatch()
{
    const Core::HostServices *services = Core::HostServices::current();
    return (services && services->isBatch())
           || !qobject_cast<QApplication *>(QCoreApplication::instance());
}

SynthesisHelper::SynthesisHelper(QObject *parent)
    : QObject(parent)
{
    // A long run shows that it is alive.
    m_tick.setInterval(1000);
    connect(&m_tick, &QTimer::timeout, this, [this] {
        if (m_dialog)
            m_dialog->setStatus(tr("%1 (%2 s)").arg(m_status).arg(m_job.elapsed() / 1000));
    });
    connect(&m_job, &SynthesisJob::statusChanged, this, &SynthesisHelper::setStatus);
    connect(&m_job, &SynthesisJob::logAppended, this, [this](const QString &text) {
        if (m_dialog)
            m_dialog->appendLog(text);
    });
    connect(&m_job, &SynthesisJob::finished, this, &SynthesisHelper::onJobFinished);
}

SynthesisHelper::~SynthesisHelper()
{
    delete m_dialog.data();
}

void SynthesisHelper::setSynthesizeTool(SynthesizeTool tool)
{
    m_job.setTool(SynthesisJob::Tool(tool));
}

void SynthesisHelper::setProgressDlgWindowTitle(const QString &title)
{
    m_title = title;
    if (m_dialog)
        m_dialog->setWindowTitle(title);
}

void SynthesisHelper::setArgs(const SynthesizeArgs &args)
{
    m_job.setArgs(args);
}

void SynthesisHelper::showProgressDlg()
{
    if (isBatch())
        return;
    if (!m_dialog) {
        auto *owner = qobject_cast<QWidget *>(parent());
        if (!owner && Core::HostServices::current())
            owner = Core::HostServices::current()->dialogParent();
        m_dialog = new SynthesisProgressDialog(owner);
        connect(m_dialog.data(),
                &SynthesisProgressDialog::cancelRequested,
                this,
                &SynthesisHelper::cancel);
    }
    m_dialog->setWindowTitle(m_title);
    if (!m_job.isRunning()) {
        m_dialog->clearLog();
        m_dialog->setStatus(tr("Preparing the synthesis..."));
    }
    m_dialog->show();
}

void SynthesisHelper::hideProgressDlg()
{
    if (m_dialog)
        m_dialog->hide();
}

QWidget *SynthesisHelper::progressDlg() const
{
    return m_dialog.data();
}

void SynthesisHelper::start()
{
    // A start during a run is the job's to refuse; it leaves the window alone.
    if (!m_job.isRunning()) {
        m_tick.start();
        if (m_dialog)
            m_dialog->clearLog();
    }
    m_job.start();
}

void SynthesisHelper::cancel()
{
    m_job.cancel();
}

void SynthesisHelper::onJobFinished(int exitCode)
{
    if (!m_job.isRunning()) {
        m_tick.stop();
        // The host shows the failure itself; the window only keeps it in view.
        if (exitCode != 0 && m_dialog)
            m_dialog->setStatus(m_job.errorString());
    }
    emit finished(exitCode);
}

void SynthesisHelper::setStatus(const QString &text)
{
    m_status = text;
    if (m_dialog)
        m_dialog->setStatus(text);
    if (isBatch())
        QTextStream(stderr) << m_title << (m_title.isEmpty() ? "" : ": ") << text << Qt::endl;
}

} // namespace IPCore
