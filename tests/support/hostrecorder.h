#pragma once

#include "hostservices.h"

#include <QStringList>

/// Host services that remember what the host was asked to show, installed
/// on the application for the lifetime of the object.
class HostRecorder : public Core::HostServices
{
public:
    explicit HostRecorder(bool batch = false);

    bool isBatch() const override { return m_batch; }
    QWidget *dialogParent() const override { return nullptr; }
    void openEditor(const QString &path, bool readOnly) override
    {
        opened << (readOnly ? path + " (read-only)" : path);
    }
    void addFilesToProject(const QStringList &paths) override { added << paths; }
    void showErrorMsgs(const QString &summary, const QStringList &details) override;

    QStringList opened; // a path opened read-only ends in " (read-only)"
    QStringList added;
    QStringList summaries;
    QList<QStringList> details;

private:
    bool m_batch;
};
