#include "ipcore.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "fileutils.h"
#include "hostservices.h"
#include "project.h"

namespace IPCore {

// Why a directory cannot be made: the first ancestor that exists is the culprit.
static QString whyNotCreatable(const QString &dir)
{
    QFileInfo probe(dir);
    while (!probe.exists() && probe.absoluteFilePath() != probe.absolutePath())
        probe = QFileInfo(probe.absolutePath());
    if (probe.exists() && !probe.isDir())
        return QCoreApplication::translate("IPCore", "\"%1\" is a file, not a directory")
                .arg(probe.absoluteFilePath());
    if (probe.exists() && !probe.isWritable())
        return QCoreApplication::translate("IPCore", "\"%1\" is not writable")
                .arg(probe.absoluteFilePath());
    return QCoreApplication::translate("IPCore", "the file system refused it");
}

bool makeDirs(const QString &dir, const QString &coreName)
{
    if (QDir().mkpath(dir) && QFileInfo(dir).isDir())
        return true;
    showErrorMsgs(
            QCoreApplication::translate("IPCore", "Cannot create the working directory of %1.")
                    .arg(coreName.isEmpty() ? QCoreApplication::translate("IPCore", "the core")
                                            : coreName),
            {QCoreApplication::translate("IPCore", "%1: %2.").arg(dir, whyNotCreatable(dir))});
    return false;
}

void writeIPConfig(const QString &path,
                   const QMap<QString, QVariant> &header,
                   const QMap<QString, QVariant> &options)
{
    QSettings config(path, QSettings::IniFormat);
    config.clear();
    for (auto it = header.cbegin(); it != header.cend(); ++it)
        config.setValue(it.key(), it.value());
    config.beginGroup(QStringLiteral("Config"));
    for (auto it = options.cbegin(); it != options.cend(); ++it)
        config.setValue(it.key(), it.value());
    config.endGroup();
    // QSettings writes through a temporary file: on failure the previous file is intact.
    config.sync();
    if (config.status() == QSettings::NoError)
        return;
    showErrorMsgs(
            QCoreApplication::translate("IPCore", "Cannot write the configuration file \"%1\".")
                    .arg(path),
            {QCoreApplication::translate(
                    "IPCore",
                    "The previous file, if any, is unchanged. Check that the folder "
                    "is writable and the disk has space, then generate again.")});
}

void showErrorMsgs(const QString &summary, const QStringList &details)
{
    if (Core::HostServices *services = Core::HostServices::current()) {
        services->showErrorMsgs(summary, details);
        return;
    }
    qWarning().noquote() << summary;
    for (const QString &detail : details)
        qWarning().noquote() << "  " << detail;
}

void addFilesToProject(const QStringList &paths)
{
    QString error;
    if (!Core::Project::addFiles(paths, error)) {
        showErrorMsgs(QCoreApplication::translate("IPCore", "The project was not updated."),
                      {error});
        return;
    }
    if (Core::HostServices *services = Core::HostServices::current())
        services->addFilesToProject(paths);
}

} // namespace IPCore
