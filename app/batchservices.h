#pragma once

#include "hostservices.h"

#include <QTextStream>

/// The host's visible side without a window: errors go to standard error,
/// opened and added files are named on standard output.
class BatchServices : public Core::HostServices
{
    Q_OBJECT
public:
    explicit BatchServices(QObject *parent = nullptr);

    bool isBatch() const override { return true; }
    QWidget *dialogParent() const override { return nullptr; }
    void openEditor(const QString &path, bool readOnly) override;
    void addFilesToProject(const QStringList &paths) override;
    void showErrorMsgs(const QString &summary, const QStringList &details) override;

private:
    QTextStream m_out;
    QTextStream m_err;
};
