#include "simulationlibrary.h"

#include "hdltemplates.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>

namespace IPCore::SimulationLibrary {

static QString plainName(const QString &identifier)
{
    return identifier.startsWith(QLatin1Char('\\')) ? identifier.mid(1) : identifier;
}

QMap<QString, QString> modules(const QString &verilog)
{
    static const QRegularExpression header(
            QStringLiteral("^[ \\t]*module\\s+(\\\\\\S+|[A-Za-z_][A-Za-z0-9_$]*)"),
            QRegularExpression::MultilineOption);
    static const QRegularExpression end(QStringLiteral("\\bendmodule\\b"));
    QMap<QString, QString> found;
    QRegularExpressionMatchIterator it = header.globalMatch(verilog);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        const QRegularExpressionMatch close = end.match(verilog, match.capturedEnd());
        if (!close.hasMatch())
            break;
        found.insert(
                plainName(match.captured(1)),
                verilog.mid(match.capturedStart(), close.capturedEnd() - match.capturedStart()));
    }
    return found;
}

QStringList instantiatedTypes(const QString &verilog)
{
    // A type, then a parameter list or an instance name (perhaps followed by a
    // comment), then the port list.
    static const QRegularExpression instance(
            QStringLiteral(
                    "^[ \\t]*(\\\\\\S+|[A-Za-z_][A-Za-z0-9_$]*)\\s+"
                    "(#\\s*\\(|(\\\\\\S+|[A-Za-z_][A-Za-z0-9_$]*)\\s*(/\\*.*?\\*/\\s*)?\\()"),
            QRegularExpression::MultilineOption);
    QStringList types;
    QRegularExpressionMatchIterator it = instance.globalMatch(verilog);
    while (it.hasNext()) {
        const QString type = it.next().captured(1);
        if (!HdlTemplates::isVerilogKeyword(type) && !types.contains(plainName(type)))
            types << plainName(type);
    }
    return types;
}

QString models(const QStringList &types,
               const QMap<QString, QString> &library,
               const QStringList &known,
               QStringList &missing)
{
    QStringList pending = types;
    QStringList done = known;
    QString text;
    while (!pending.isEmpty()) {
        const QString type = pending.takeFirst();
        if (done.contains(type))
            continue;
        done << type;
        if (!library.contains(type)) {
            missing << type;
            continue;
        }
        const QString model = library.value(type);
        text += model + QStringLiteral("\n\n");
        pending << instantiatedTypes(model);
    }
    return text;
}

// Yosys's own $lut model recurses through $bmux and makes Icarus warn about
// every instance. This one folds the table as the same tree of 2:1
// multiplexers, so an unknown select still gives a known output wherever
// the table entries it chooses between agree, as the hardware does. The
// fold runs only for an unknown select: Icarus takes eight times longer
// through the function than through an index. A continuous assignment, not
// a process waiting for a change of A: a table whose inputs are constant
// from time zero must still drive its output.
static const char LutModel[] = "module \\$lut (A, Y);\n"
                               "parameter WIDTH = 0;\n"
                               "parameter [(1 << WIDTH) - 1:0] LUT = 0;\n"
                               "input [WIDTH-1:0] A;\n"
                               "output Y;\n"
                               "function fold(input [(1 << WIDTH) - 1:0] t, input [WIDTH-1:0] s);\n"
                               "    integer k, j;\n"
                               "    reg [(1 << WIDTH) - 1:0] v;\n"
                               "    begin\n"
                               "        v = t;\n"
                               "        for (k = WIDTH - 1; k >= 0; k = k - 1)\n"
                               "            for (j = 0; j < (1 << k); j = j + 1)\n"
                               "                v[j] = s[k] ? v[j + (1 << k)] : v[j];\n"
                               "        fold = v[0];\n"
                               "    end\n"
                               "endfunction\n"
                               "assign Y = ^A !== 1'bx ? LUT[A] : fold(LUT, A);\n"
                               "endmodule";

bool readYosysLibrary(const QString &dataDir, QMap<QString, QString> &library, QString &error)
{
    for (const char *name : {"simcells.v", "simlib.v"}) {
        QFile file(dataDir + QLatin1Char('/') + QLatin1String(name));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            error = QCoreApplication::translate("IPCore::SimulationLibrary",
                                                "Cannot read the cell library \"%1\": %2.")
                            .arg(file.fileName(), file.errorString());
            return false;
        }
        const QMap<QString, QString> found = modules(QString::fromUtf8(file.readAll()));
        for (auto it = found.cbegin(); it != found.cend(); ++it)
            library.insert(it.key(), it.value());
    }
    library.insert(QStringLiteral("$lut"), QLatin1String(LutModel));
    return true;
}

} // namespace IPCore::SimulationLibrary
