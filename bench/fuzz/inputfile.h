#pragma once

#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

/// One fuzz input as a file of the given name in a folder of its own, removed
/// with it. A fresh path for every input: Qt's settings cache keys on the path.
class InputFile
{
public:
    InputFile(const QString &name, const uint8_t *data, size_t size);

    QString path() const { return m_path; }
    /// A path below the input's folder.
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_path;
};
