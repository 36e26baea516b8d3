#pragma once

#include "hostservices.h"

#include <QPointer>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

class EditorArea;

/// The host's visible side in a desktop session: error boxes with their
/// details behind "Show Details...", read-only views of opened files in the
/// main window's editor area, or in windows of their own without one.
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

    /// Opens files in `area` from now on.
    void setEditorArea(EditorArea *area);
    /// The viewer windows opened so far and still open.
    QList<QWidget *> openEditors() const;

signals:
    void filesAddedToProject(const QStringList &paths);

private:
    /// A window of its own for the file.
    bool openViewer(const QString &path, QString &error);

    QList<QPointer<QWidget>> m_editors;
    QPointer<EditorArea> m_area;
};
