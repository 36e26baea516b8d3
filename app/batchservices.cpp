#include "batchservices.h"

#include <cstdio>

BatchServices::BatchServices(QObject *parent)
    : Core::HostServices(parent)
    , m_out(stdout)
    , m_err(stderr)
{}

void BatchServices::openEditor(const QString &path, bool readOnly)
{
    Q_UNUSED(readOnly)
    m_out << tr("open: %1").arg(path) << Qt::endl;
}

void BatchServices::addFilesToProject(const QStringList &paths)
{
    for (const QString &path : paths)
        m_out << tr("added to project: %1").arg(path) << Qt::endl;
}

void BatchServices::showErrorMsgs(const QString &summary, const QStringList &details)
{
    m_err << tr("error: %1").arg(summary) << Qt::endl;
    for (const QString &detail : details)
        m_err << "  " << detail << Qt::endl;
    emit errorsShown(summary, details);
}
