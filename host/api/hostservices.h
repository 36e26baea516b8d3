#pragma once

#include "hostexport.h"

#include <QObject>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace Core {

/// The visible side of the host: editor, project, error display and the
/// parent of modal dialogs. The GUI application and the batch mode each
/// implement it; a test replaces it with a recorder. Services are installed
/// by making them children of the application object; the newest wins.
class IPCORE_API_EXPORT HostServices : public QObject
{
    Q_OBJECT
public:
    explicit HostServices(QObject *parent = nullptr);
    ~HostServices() override;

    /// The newest services installed on the application, or nullptr.
    static HostServices *current();

    virtual bool isBatch() const = 0;
    virtual QWidget *dialogParent() const = 0;
    virtual void openEditor(const QString &path, bool readOnly) = 0;
    virtual void addFilesToProject(const QStringList &paths) = 0;
    virtual void showErrorMsgs(const QString &summary, const QStringList &details) = 0;

signals:
    /// Emitted by every implementation of showErrorMsgs, after showing.
    void errorsShown(const QString &summary, const QStringList &details);
};

} // namespace Core
