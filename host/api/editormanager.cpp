#include "editormanager.h"

#include "hostservices.h"

#include <QCoreApplication>
#include <QDebug>

namespace Core {

void EditorManager::openEditor(const QString &path, bool readOnly)
{
    if (HostServices *services = HostServices::current())
        services->openEditor(path, readOnly);
    else
        qWarning().noquote()
                << QCoreApplication::translate("Core", "No editor available to open %1").arg(path);
}

} // namespace Core
