#include "generatefile.h"

#include "fileutils.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace IPCore {

bool generateFile(const QString &path,
                  const QStringList &lines,
                  QWidget *parent,
                  const QString &comment)
{
    QByteArray text;
    if (!comment.isEmpty())
        text += "// " + comment.toUtf8() + '\n';
    for (const QString &line : lines)
        text += line.toUtf8() + '\n';
    QString error;
    if (Utils::FileUtils::writeFile(path, text, error))
        return true;
    QMessageBox::critical(parent, QCoreApplication::translate("IPCore", "Error"), error);
    return false;
}

} // namespace IPCore
