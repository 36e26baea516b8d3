#include "editormanager.h"

#include "hostservices.h"

#include <QDebug>

namespace Core {

void EditorManager::openEditor(const QString &path, bool readOnly)
{
    if (HostServices *services = HostServices::current())
        services->openEditor(path, readOnly);
    else
        qWarning().noquote() << "No editor available to open" << path;
}

} // namespace Core
