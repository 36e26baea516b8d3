#include "hostrecorder.h"

#include <QCoreApplication>

HostRecorder::HostRecorder(bool batch)
    : Core::HostServices(QCoreApplication::instance())
    , m_batch(batch)
{}

void HostRecorder::showErrorMsgs(const QString &summary, const QStringList &details)
{
    summaries << summary;
    this->details << details;
    emit errorsShown(summary, details);
}
