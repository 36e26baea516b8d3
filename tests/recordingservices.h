#pragma once

#include "hostservices.h"

#include <QPair>
#include <QStringList>

/// Host services that record what the host was asked to show, for tests.
class RecordingServices : public Core::HostServices
{
    Q_OBJECT
public:
    explicit RecordingServices(bool batch, QObject *parent = nullptr)
        : Core::HostServices(parent)
        , m_batch(batch)
    {}

    bool isBatch() const override { return m_batch; }
    QWidget *dialogParent() const override { return nullptr; }
    void openEditor(const QString &path, bool readOnly) override
    {
        Q_UNUSED(readOnly)
        opened << path;
    }
    void addFilesToProject(const QStringList &paths) override { added << paths; }
    void showErrorMsgs(const QString &summary, const QStringList &details) override
    {
        errors << qMakePair(summary, details);
        emit errorsShown(summary, details);
    }

    QStringList opened;
    QStringList added;
    QList<QPair<QString, QStringList>> errors;

private:
    bool m_batch;
};
