#include "inputfile.h"

#include <QFile>

InputFile::InputFile(const QString &name, const uint8_t *data, size_t size)
    : m_path(m_dir.filePath(name))
{
    QFile file(m_path);
    if (!m_dir.isValid() || !file.open(QIODevice::WriteOnly)
        || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
        qFatal("cannot write the input to %s", qPrintable(m_path));
}
