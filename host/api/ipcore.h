#pragma once

#include "devicearg.h"
#include "hostexport.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

/// Services of the IP core framework that plug-ins call.
namespace IPCore {

/// Reads a core's spec file (INI syntax, see data/README.md) into a map of
/// "group.key" entries; a comma-separated value becomes a list. An unreadable
/// or malformed file gives an empty map.
IPCORE_API_EXPORT QMap<QString, QVariant> processIPInfoSpec(const QString &specPath);

/// True when the map holds the keys every core must have: "ipcore.id",
/// "ipcore.name" and "ipcore.version", none of them empty.
IPCORE_API_EXPORT bool checkCommonInfo(const QMap<QString, QVariant> &info);

/// Device support: a device whose series, device name or part id appears in
/// `unsupported` is refused (the unsupported list wins); otherwise an empty
/// `supported` list allows every device, and a non-empty one only the devices
/// whose series, device name or part id it names.
IPCORE_API_EXPORT bool isSupported(const DEV::DeviceArg &device,
                                   const QStringList &unsupported,
                                   const QStringList &supported);

/// Creates `dir` with its parents for core `coreName`; tells the user and
/// returns false when that fails.
IPCORE_API_EXPORT bool makeDirs(const QString &dir, const QString &coreName);

/// Writes an instance's configuration file: the header keys at the top
/// level, the options in the group "Config". Tells the user when the file
/// could not be written; the previous file is then unchanged.
IPCORE_API_EXPORT void writeIPConfig(const QString &path,
                                     const QMap<QString, QVariant> &header,
                                     const QMap<QString, QVariant> &options);

/// Shows an error summary with its details in the host's error list.
IPCORE_API_EXPORT void showErrorMsgs(const QString &summary, const QStringList &details);

/// Adds files to the project of the directory they lie in.
IPCORE_API_EXPORT void addFilesToProject(const QStringList &paths);

} // namespace IPCore
