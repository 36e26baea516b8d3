#include "fileutils.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Utils {

bool FileUtils::copyFile(const QString &from, const QString &to, QString &error)
{
    if (!QFileInfo(from).isFile()) {
        error = tr("Cannot copy \"%1\" to \"%2\": the source file does not exist.").arg(from, to);
        return false;
    }
    if (QFileInfo(from).canonicalFilePath() == QFileInfo(to).canonicalFilePath())
        return true;
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        error = tr("Cannot copy \"%1\" to \"%2\": %3.").arg(from, to, source.errorString());
        return false;
    }
    // Through a temporary file: a copy that fails keeps the previous target.
    QString reason;
    if (!writeFile(to, source.readAll(), reason)) {
        error = tr("Cannot copy \"%1\": %2").arg(from, reason);
        return false;
    }
    return true;
}

bool FileUtils::writeFile(const QString &path, const QByteArray &bytes, QString &error)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    error = tr("Cannot write \"%1\": %2.").arg(path, file.errorString());
    return false;
}

} // namespace Utils
