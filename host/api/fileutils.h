#pragma once

#include "hostexport.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

namespace Utils {

class IPCORE_API_EXPORT FileUtils
{
    Q_DECLARE_TR_FUNCTIONS(FileUtils)

public:
    /// Copies `from` to `to`, replacing an existing target. On failure returns
    /// false and puts a sentence naming both paths and the reason in `error`.
    static bool copyFile(const QString &from, const QString &to, QString &error);

    /// Replaces `path` with `bytes` as a whole: written under a temporary name
    /// and renamed, so a failure (a full disk, say) leaves the previous file as
    /// it was and no half file behind. On failure returns false and puts a
    /// sentence naming the file and the reason in `error`.
    static bool writeFile(const QString &path, const QByteArray &bytes, QString &error);
};

} // namespace Utils
