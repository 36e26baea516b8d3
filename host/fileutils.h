#pragma once

#include "hostexport.h"

#include <QString>

namespace Utils {

class IPCORE_HOST_EXPORT FileUtils
{
public:
    /// Copies `from` to `to`, replacing an existing target. On failure returns
    /// false and puts a sentence naming both paths and the reason in `error`.
    static bool copyFile(const QString &from, const QString &to, QString &error);
};

} // namespace Utils
