#include "outputchecks.h"

#include "errorreport.h"
#include "hdltemplates.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace IPCore {
namespace OutputChecks {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("IPCore::OutputChecks", text);
}

bool isAsciiLetter(QChar c)
{
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
           || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The first ancestor of a missing path that exists decides whether it can be made.
QFileInfo existingAncestor(const QString &path)
{
    QFileInfo probe(QFileInfo(path).absoluteFilePath());
    while (!probe.exists() && probe.absoluteFilePath() != probe.absolutePath())
        probe = QFileInfo(probe.absolutePath());
    return probe;
}

// Leaves room for the longest suffix ("_tmp.vhd") and a temporary ending.
const int MaxFileNameBytes = 200;

} // namespace

bool checkModuleName(const QString &name, QString &error)
{
    if (name.isEmpty())
        return fail(error,
                    tr("The module name is empty: enter the name of the core's top module."));
    bool legal = isAsciiLetter(name.front()) && !name.endsWith(QLatin1Char('_'))
                 && !name.contains(QLatin1String("__"));
    for (QChar c : name)
        legal = legal && (isAsciiLetter(c) || isAsciiDigit(c) || c == QLatin1Char('_'));
    if (!legal)
        return fail(
                error,
                tr("The module name \"%1\" is not a legal Verilog and VHDL identifier: start with "
                   "a letter, then use letters, digits and single underscores, and do not end "
                   "with an underscore.")
                        .arg(name));
    if (HdlTemplates::isVerilogKeyword(name))
        return fail(
                error,
                tr("The module name \"%1\" is a Verilog keyword: choose another name.").arg(name));
    if (HdlTemplates::isVhdlReserved(name))
        return fail(error,
                    tr("The module name \"%1\" is a VHDL reserved word: choose another name.")
                            .arg(name));
    return true;
}

bool checkFileName(const QString &name, QString &error)
{
    if (name.trimmed().isEmpty())
        return fail(error,
                    tr("The file name is empty: enter the base name of the generated files."));
    static const QString reserved = QStringLiteral("/\\<>:\"|?*");
    for (QChar c : name) {
        if (reserved.contains(c) || c.unicode() < 0x20)
            return fail(error,
                        tr("The file name \"%1\" contains \"%2\", which a file name cannot hold: "
                           "enter a plain name without a directory.")
                                .arg(name,
                                     c.unicode() < 0x20 ? tr("a control character") : QString(c)));
    }
    if (name == QLatin1String(".") || name == QLatin1String("..")
        || name.startsWith(QLatin1Char(' ')) || name.endsWith(QLatin1Char(' '))
        || name.endsWith(QLatin1Char('.')))
        return fail(error,
                    tr("The file name \"%1\" is not usable as a file name: do not begin or end it "
                       "with a blank or end it with a dot.")
                            .arg(name));
    // File systems take 255 bytes a name.
    const int bytes = name.toUtf8().size();
    if (bytes > MaxFileNameBytes)
        return fail(error,
                    tr("The file name \"%1...\" is %2 bytes long: the files made from it would "
                       "exceed the file system's limit; use at most %3 bytes.")
                            .arg(name.left(40))
                            .arg(bytes)
                            .arg(MaxFileNameBytes));
    return true;
}

bool checkOutputDirectory(const QString &dir, QString &error)
{
    if (dir.trimmed().isEmpty())
        return fail(
                error,
                tr("No output directory is given: choose the directory the core's files go to."));
    const QFileInfo info(dir);
    if (info.exists()) {
        if (!info.isDir())
            return fail(error,
                        tr("The output directory \"%1\" is a file: choose a directory.").arg(dir));
        if (!info.isWritable())
            return fail(
                    error,
                    tr("The output directory \"%1\" is not writable: choose a directory you may "
                       "write to.")
                            .arg(dir));
        return true;
    }
    const QFileInfo ancestor = existingAncestor(dir);
    if (!ancestor.isDir())
        return fail(error,
                    tr("The output directory \"%1\" cannot be created because \"%2\" is a file: "
                       "choose another directory.")
                            .arg(dir, ancestor.absoluteFilePath()));
    if (!ancestor.isWritable())
        return fail(error,
                    tr("The output directory \"%1\" cannot be created because \"%2\" is not "
                       "writable: choose another directory.")
                            .arg(dir, ancestor.absoluteFilePath()));
    return true;
}

} // namespace OutputChecks
} // namespace IPCore
