#pragma once

#include "hostservices.h"

#include <QPointer>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

/// The host's visible side in a desktop session: error boxes with their
/// details behind "Show Details...", a read-only viewer for opened files.
class GuiServices : public Core::HostServices
{
    Q_OBJECT
public:
    explicit GuiServices(QObject *parent = nullptr);
    ~GuiServices() override;

    bool isBatch() const override { return false; }
    QWidget *dialogParent() const override;
    void openEditor(const QString &path, bool readOnly) override;
    void addFilesToProject(const QStringList &paths) override;
    void showErrorMsgs(const QString &summary, const QStringList &details) override;

    /// The viewer windows opened so far and still open.
    QList<QWidget *> openEditors() const;

private:
    QList<QPointer<QWidget>> m_editors;
};
