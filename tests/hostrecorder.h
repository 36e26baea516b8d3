#pragma once

#include "hostservices.h"

#include <QCoreApplication>
#include <QStringList>

/// Host services that remember what the host was asked to show, installed
/// on the application for the lifetime of the object.
class HostRecorder : public Core::HostServices
{
public:
    explicit HostRecorder(bool batch = false)
        : Core::HostServices(QCoreApplication::instance())
        , m_batch(batch)
    {}

    bool isBatch() const override { return m_batch; }
    QWidget *dialogParent() const override { return nullptr; }
    void openEditor(const QString &path, bool readOnly) override
    {
        opened << (readOnly ? path + " (read-only)" : path);
    }
    void addFilesToProject(const QStringList &paths) override { added << paths; }
    void showErrorMsgs(const QString &summary, const QStringList &details) override
    {
        summaries << summary;
        this->details << details;
        emit errorsShown(summary, details);
    }

    QStringList opened; // a path opened read-only ends in " (read-only)"
    QStringList added;
    QStringList summaries;
    QList<QStringList> details;

private:
    bool m_batch;
};

/// Puts a folder first on the PATH for the lifetime of the object.
class PathPrefix
{
public:
    explicit PathPrefix(const QString &dir)
        : m_old(qgetenv("PATH"))
    {
        qputenv("PATH", dir.toLocal8Bit() + ':' + m_old);
    }
    ~PathPrefix() { qputenv("PATH", m_old); }

private:
    QByteArray m_old;
};
