#pragma once

#include "hostexport.h"

#include <QString>
#include <QStringList>

namespace Core {

/// The design project of a folder: the list of files added to it, kept in
/// `ipgen.ipproj` (JSON, paths relative to the folder) so that it persists.
class IPCORE_API_EXPORT Project
{
public:
    static QString projectFile(const QString &dir);

    /// Adds files (absolute or relative to the working directory) to the
    /// project of the first file's folder when they lie in it or below it,
    /// otherwise of the folder each lies in; a file already listed is kept
    /// once. False with `error` set when a project file cannot be written.
    static bool addFiles(const QStringList &paths, QString &error);

    /// The absolute paths listed in the project of `dir`.
    static QStringList files(const QString &dir);
};

} // namespace Core
