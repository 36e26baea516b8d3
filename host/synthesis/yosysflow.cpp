#include "yosysflow.h"

#include "errorreport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace IPCore::YosysFlow {

QString program()
{
    return QStandardPaths::findExecutable(QStringLiteral("yosys"));
}

QString dataDir()
{
    const QString yosys = program();
    if (!yosys.isEmpty()) {
        const QString beside = QFileInfo(QFileInfo(yosys).canonicalFilePath())
                                       .dir()
                                       .absoluteFilePath(QStringLiteral("../share/yosys"));
        if (QFileInfo(beside + QStringLiteral("/simcells.v")).isFile())
            return QDir::cleanPath(beside);
    }
    return QStringLiteral("/usr/share/yosys");
}

bool moduleName(const QString &workDir, QString &name, QString &error)
{
    const QString path = workDir + QStringLiteral("/top_define.vh");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return fail(error,
                    QCoreApplication::translate("IPCore::YosysFlow", "Cannot read \"%1\": %2.")
                            .arg(path, file.errorString()));
    static const QRegularExpression line(
            QStringLiteral("^\\s*`define\\s+module_name\\s+([A-Za-z_][A-Za-z0-9_$]*)\\s*(//.*)?$"));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString &text : lines) {
        const QRegularExpressionMatch match = line.match(text);
        if (match.hasMatch()) {
            name = match.captured(1);
            return true;
        }
    }
    return fail(error,
                QCoreApplication::translate("IPCore::YosysFlow",
                                            "\"%1\" has no \"`define module_name NAME\" line.")
                        .arg(path));
}

static QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

static QString readCommand(const SynthesizeArgs &args)
{
    // Deferred: modules are elaborated once, with the parameters the top gives them.
    QString command = QStringLiteral("read_verilog -defer");
    for (const QString &dir : args.options.value(QStringLiteral("include_paths")).toStringList())
        command += QStringLiteral(" -I") + quoted(dir);
    for (const QString &file : args.options.value(QStringLiteral("source_files")).toStringList())
        command += QLatin1Char(' ') + quoted(file);
    return command + QLatin1Char('\n');
}

QString script(const SynthesizeArgs &args, const QString &top)
{
    const QString synth = QStringLiteral("synth -flatten -top %1 -lut 4").arg(top);
    // The statistics of the elaborated design still count the table as memory bits.
    // Then synth's fine steps without memory_map: a table stays one memory with its
    // contents, which a downstream tool takes to block RAM, instead of thousands of LUTs.
    // Single-bit nets keep a simulator from seeing a bus that feeds itself.
    return readCommand(args) + synth + QStringLiteral(" -run begin:coarse\nstat\n") + synth
           + QStringLiteral(" -run coarse:fine\n"
                            "opt -fast -full\nopt -full\ntechmap\nopt -fast\n"
                            "abc -fast -lut 4\nopt -fast\nhierarchy -check\nstat\ncheck\n"
                            "splitnets\n")
           + QStringLiteral("write_verilog -noattr %1\nwrite_json %2\n")
                     .arg(quoted(args.fileName + QStringLiteral(".vg")),
                          quoted(args.fileName + QStringLiteral(".json")));
}

QByteArray lintClean(const QByteArray &netlist)
{
    // A table look-up is written as "assign y = 16'h6996 >> a;", which keeps
    // only bit 0 by design. Switched back on at the end, so that the user's
    // files after this one are checked as usual.
    return "/* verilator lint_off WIDTH */\n" + netlist + (netlist.endsWith('\n') ? "" : "\n")
           + "/* verilator lint_on WIDTH */\n";
}

QString interfaceScript(const SynthesizeArgs &args, const QString &top, const QString &jsonFile)
{
    return readCommand(args)
           + QStringLiteral("hierarchy -top %1\nproc\nwrite_json %2\n").arg(top, quoted(jsonFile));
}

QStringList errorLines(const QString &log)
{
    const QStringList lines = log.split(QLatin1Char('\n'));
    QStringList found;
    for (int i = 0; i < lines.size(); ++i) {
        // Yosys stops at its first error: keep it and what it printed after it.
        if (lines.at(i).startsWith(QLatin1String("ERROR:"))) {
            QStringList tail = lines.mid(i);
            while (!tail.isEmpty() && tail.last().trimmed().isEmpty())
                tail.removeLast();
            return found + tail;
        }
        // Synplify Pro marks each error and goes on.
        if (lines.at(i).startsWith(QLatin1String("@E")))
            found << lines.at(i);
    }
    return found;
}

} // namespace IPCore::YosysFlow
