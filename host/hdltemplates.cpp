#include "hdltemplates.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

namespace IPCore::HdlTemplates {

static const QSet<QString> &verilogKeywords()
{
    static const QSet<QString> words = [] {
        QSet<QString> set;
        for (const char *word :
             {"always",       "and",        "assign",      "begin",       "buf",
              "case",         "casex",      "casez",       "cmos",        "deassign",
              "default",      "defparam",   "disable",     "edge",        "else",
              "end",          "endcase",    "endfunction", "endgenerate", "endmodule",
              "endprimitive", "endspecify", "endtask",     "event",       "for",
              "force",        "forever",    "fork",        "function",    "generate",
              "genvar",       "if",         "initial",     "inout",       "input",
              "integer",      "join",       "localparam",  "module",      "nand",
              "negedge",      "nor",        "not",         "or",          "output",
              "parameter",    "posedge",    "real",        "reg",         "repeat",
              "signed",       "specify",    "supply0",     "supply1",     "task",
              "time",         "tri",        "wait",        "while",       "wire",
              "wor",          "xnor",       "xor",         "automatic",   "macromodule",
              "primitive",    "bufif0",     "bufif1",      "notif0",      "notif1",
              "pullup",       "pulldown",   "specparam",   "nmos",        "pmos",
              "tran",         "return"})
            set.insert(QLatin1String(word));
        return set;
    }();
    return words;
}

static const QSet<QString> &vhdlReserved()
{
    static const QSet<QString> words = [] {
        QSet<QString> set;
        for (const char *word :
             {"abs",          "access",     "after",      "alias",     "all",       "and",
              "architecture", "array",      "assert",     "attribute", "begin",     "block",
              "body",         "buffer",     "bus",        "case",      "component", "configuration",
              "constant",     "disconnect", "downto",     "else",      "elsif",     "end",
              "entity",       "exit",       "file",       "for",       "function",  "generate",
              "generic",      "group",      "guarded",    "if",        "impure",    "in",
              "inertial",     "inout",      "is",         "label",     "library",   "linkage",
              "literal",      "loop",       "map",        "mod",       "nand",      "new",
              "next",         "nor",        "not",        "null",      "of",        "on",
              "open",         "or",         "others",     "out",       "package",   "port",
              "postponed",    "procedure",  "process",    "pure",      "range",     "record",
              "register",     "reject",     "rem",        "report",    "return",    "rol",
              "ror",          "select",     "severity",   "signal",    "shared",    "sla",
              "sll",          "sra",        "srl",        "subtype",   "then",      "to",
              "transport",    "type",       "unaffected", "units",     "until",     "use",
              "variable",     "wait",       "when",       "while",     "with",      "xnor",
              "xor"})
            set.insert(QLatin1String(word));
        return set;
    }();
    return words;
}

bool isVerilogKeyword(const QString &word)
{
    return verilogKeywords().contains(word);
}

QString verilogIdentifier(const QString &name)
{
    static const QRegularExpression simple(QStringLiteral("^[A-Za-z_][A-Za-z0-9_$]*$"));
    if (simple.match(name).hasMatch() && !isVerilogKeyword(name))
        return name;
    return QLatin1Char('\\') + name + QLatin1Char(' ');
}

QString vhdlIdentifier(const QString &name)
{
    static const QRegularExpression basic(QStringLiteral("^[A-Za-z](_?[A-Za-z0-9])*$"));
    if (basic.match(name).hasMatch() && !vhdlReserved().contains(name.toLower()))
        return name;
    QString escaped = name;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('\\') + escaped + QLatin1Char('\\');
}

QString vhdlPortType(const NetlistPort &port)
{
    if (!port.bus)
        return QStringLiteral("std_logic");
    const int low = port.offset;
    const int high = port.offset + port.width() - 1;
    return port.upto ? QStringLiteral("std_logic_vector(%1 to %2)").arg(low).arg(high)
                     : QStringLiteral("std_logic_vector(%1 downto %2)").arg(high).arg(low);
}

static QString vhdlMode(const NetlistPort &port)
{
    switch (port.direction) {
    case NetlistPort::Output:
        return QStringLiteral("out");
    case NetlistPort::Inout:
        return QStringLiteral("inout");
    case NetlistPort::Input:
        break;
    }
    return QStringLiteral("in");
}

static QString verilogDirection(const NetlistPort &port)
{
    switch (port.direction) {
    case NetlistPort::Output:
        return QStringLiteral("output");
    case NetlistPort::Inout:
        return QStringLiteral("inout");
    case NetlistPort::Input:
        break;
    }
    return QStringLiteral("input");
}

static QString verilogRange(const NetlistPort &port)
{
    if (!port.bus)
        return QString();
    const int low = port.offset;
    const int high = port.offset + port.width() - 1;
    return port.upto ? QStringLiteral("[%1:%2]").arg(low).arg(high)
                     : QStringLiteral("[%1:%2]").arg(high).arg(low);
}

static int longestName(const YosysNetlist &netlist, QString (*identifier)(const QString &))
{
    int width = 0;
    for (const NetlistPort &port : netlist.ports)
        width = qMax(width, int(identifier(port.name).size()));
    return width;
}

// "u_NAME" when the module name is a plain identifier in the language.
static QString instanceLabel(const YosysNetlist &netlist, const QString &identifier)
{
    return identifier == netlist.moduleName ? QStringLiteral("u_") + netlist.moduleName
                                            : QStringLiteral("u_inst");
}

QString vhdlPortClause(const YosysNetlist &netlist, int indent)
{
    const QString pad(indent, QLatin1Char(' '));
    const int width = longestName(netlist, vhdlIdentifier);
    QStringList lines;
    for (const NetlistPort &port : netlist.ports) {
        lines << QStringLiteral("%1    %2 : %3 %4")
                         .arg(pad,
                              vhdlIdentifier(port.name).leftJustified(width),
                              vhdlMode(port).leftJustified(3),
                              vhdlPortType(port));
    }
    return pad + QStringLiteral("port (\n") + lines.join(QStringLiteral(";\n")) + QLatin1Char('\n')
           + pad + QStringLiteral(");\n");
}

QString verilogTemplate(const YosysNetlist &netlist)
{
    const QString module = verilogIdentifier(netlist.moduleName);
    const int width = longestName(netlist, verilogIdentifier);
    QString text = QStringLiteral("// Instantiation template of %1.\n//\n// Ports:\n").arg(module);
    for (const NetlistPort &port : netlist.ports) {
        text += QStringLiteral("//   %1 %2 %3\n")
                        .arg(verilogDirection(port).leftJustified(6),
                             verilogRange(port).leftJustified(8),
                             verilogIdentifier(port.name));
    }
    text += QStringLiteral("\n%1 %2 (\n").arg(module, instanceLabel(netlist, module));
    QStringList connections;
    for (const NetlistPort &port : netlist.ports) {
        const QString name = verilogIdentifier(port.name);
        connections << QStringLiteral("    .%1 (%2)").arg(name.leftJustified(width), name);
    }
    text += connections.join(QStringLiteral(",\n")) + QStringLiteral("\n);\n");
    return text;
}

QString vhdlTemplate(const YosysNetlist &netlist)
{
    const QString entity = vhdlIdentifier(netlist.moduleName);
    const int width = longestName(netlist, vhdlIdentifier);
    QString text = QStringLiteral("-- Component declaration and instantiation template of %1.\n"
                                  "-- Needs: library ieee; use ieee.std_logic_1164.all;\n\n")
                           .arg(entity);
    text += QStringLiteral("component %1\n").arg(entity) + vhdlPortClause(netlist, 4)
            + QStringLiteral("end component;\n\n");
    text += QStringLiteral("%1 : %2\n    port map (\n").arg(instanceLabel(netlist, entity), entity);
    QStringList associations;
    for (const NetlistPort &port : netlist.ports) {
        const QString name = vhdlIdentifier(port.name);
        associations << QStringLiteral("        %1 => %2").arg(name.leftJustified(width), name);
    }
    text += associations.join(QStringLiteral(",\n")) + QStringLiteral("\n    );\n");
    return text;
}

} // namespace IPCore::HdlTemplates
