#include "synthesishelper.h"

#include <QTimer>

namespace IPCore {

SynthesisHelper::SynthesisHelper(QObject *parent)
    : QObject(parent)
{}

SynthesisHelper::~SynthesisHelper() = default;

void SynthesisHelper::setSynthesizeTool(SynthesizeTool tool)
{
    m_tool = tool;
}

void SynthesisHelper::setProgressDlgWindowTitle(const QString &title)
{
    m_title = title;
}

void SynthesisHelper::setArgs(const SynthesizeArgs &args)
{
    m_args = args;
}

void SynthesisHelper::showProgressDlg() {}

void SynthesisHelper::hideProgressDlg() {}

void SynthesisHelper::start()
{
    m_errorMsg = QStringLiteral("Synthesis is not available in this build yet.");
    m_detailErrorMsgs = QStringList{m_errorMsg};
    QTimer::singleShot(0, this, [this] { emit finished(1); });
}

} // namespace IPCore
