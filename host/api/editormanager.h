#pragma once

#include "hostexport.h"

#include <QString>

namespace Core {

class IPCORE_API_EXPORT EditorManager
{
public:
    /// Opens `path` in the host's editor (read-only when `readOnly`).
    static void openEditor(const QString &path, bool readOnly);
};

} // namespace Core
