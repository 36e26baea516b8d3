#include "project.h"

#include "fileutils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

namespace Core {

QString Project::projectFile(const QString &dir)
{
    return QDir(dir).absoluteFilePath(QStringLiteral("ipgen.ipproj"));
}

static QStringList readRelative(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QStringList list;
    const QJsonArray entries = QJsonDocument::fromJson(in.readAll())
                                       .object()
                                       .value(QStringLiteral("files"))
                                       .toArray();
    for (const QJsonValue &entry : entries) {
        if (entry.isString())
            list << entry.toString();
    }
    return list;
}

bool Project::addFiles(const QStringList &paths, QString &error)
{
    QMap<QString, QStringList> byDir;
    // Files under the first file's folder belong to its project, subfolders included.
    const QString first = paths.isEmpty() ? QString() : QFileInfo(paths.first()).absolutePath();
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.absoluteFilePath().startsWith(first + QLatin1Char('/')))
            byDir[first] << QDir(first).relativeFilePath(info.absoluteFilePath());
        else
            byDir[info.absolutePath()] << info.fileName();
    }
    for (auto it = byDir.cbegin(); it != byDir.cend(); ++it) {
        const QString file = projectFile(it.key());
        QStringList listed = readRelative(file);
        for (const QString &name : it.value()) {
            if (!listed.contains(name))
                listed << name;
        }
        const QByteArray json = QJsonDocument(QJsonObject{{QStringLiteral("files"),
                                                           QJsonArray::fromStringList(listed)}})
                                        .toJson();
        if (!Utils::FileUtils::writeFile(file, json, error))
            return false;
    }
    return true;
}

QStringList Project::files(const QString &dir)
{
    QStringList list;
    const QDir folder(dir);
    for (const QString &name : readRelative(projectFile(dir)))
        list << folder.absoluteFilePath(name);
    return list;
}

} // namespace Core
