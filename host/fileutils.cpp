#include "fileutils.h"

#include <QFile>
#include <QFileInfo>

namespace Utils {

bool FileUtils::copyFile(const QString &from, const QString &to, QString &error)
{
    if (!QFileInfo(from).isFile()) {
        error = QStringLiteral("Cannot copy \"%1\" to \"%2\": the source file does not exist.")
                        .arg(from, to);
        return false;
    }
    if (QFileInfo(from).canonicalFilePath() == QFileInfo(to).canonicalFilePath())
        return true;
    if (QFileInfo::exists(to)) {
        QFile target(to);
        if (!target.remove()) {
            error = QStringLiteral("Cannot replace \"%1\": %2.").arg(to, target.errorString());
            return false;
        }
    }
    QFile source(from);
    if (!source.copy(to)) {
        error = QStringLiteral("Cannot copy \"%1\" to \"%2\": %3.")
                        .arg(from, to, source.errorString());
        return false;
    }
    return true;
}

} // namespace Utils
