#include "hdltemplates.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

namespace IPCore::HdlTemplates {

// IEEE 1364-2005, and "return", which SystemVerilog tools reserve; Verilog is
// case-sensitive.
static const QSet<QString> &verilogKeywords()
{
    static const QSet<QString> words = [] {
        QSet<QString> set;
        for (const char *word : {"always",
                                 "and",
                                 "assign",
                                 "automatic",
                                 "begin",
                                 "buf",
                                 "bufif0",
                                 "bufif1",
                                 "case",
                                 "casex",
                                 "casez",
                                 "cell",
                                 "cmos",
                                 "config",
                                 "deassign",
                                 "default",
                                 "defparam",
                                 "design",
                                 "disable",
                                 "edge",
                                 "else",
                                 "end",
                                 "endcase",
                                 "endconfig",
                                 "endfunction",
                                 "endgenerate",
                                 "endmodule",
                                 "endprimitive",
                                 "endspecify",
                                 "endtable",
                                 "endtask",
                                 "event",
                                 "for",
                                 "force",
                                 "forever",
                                 "fork",
                                 "function",
                                 "generate",
                                 "genvar",
                                 "highz0",
                                 "highz1",
                                 "if",
                                 "ifnone",
                                 "incdir",
                                 "include",
                                 "initial",
                                 "inout",
                                 "input",
                                 "instance",
                                 "integer",
                                 "join",
                                 "large",
                                 "liblist",
                                 "library",
                                 "localparam",
                                 "macromodule",
                                 "medium",
                                 "module",
                                 "nand",
                                 "negedge",
                                 "nmos",
                                 "nor",
                                 "noshowcancelled",
                                 "not",
                                 "notif0",
                                 "notif1",
                                 "or",
                                 "output",
                                 "parameter",
                                 "pmos",
                                 "posedge",
                                 "primitive",
                                 "pull0",
                                 "pull1",
                                 "pulldown",
                                 "pullup",
                                 "pulsestyle_ondetect",
                                 "pulsestyle_onevent",
                                 "rcmos",
                                 "real",
                                 "realtime",
                                 "reg",
                                 "release",
                                 "repeat",
                                 "rnmos",
                                 "rpmos",
                                 "rtran",
                                 "rtranif0",
                                 "rtranif1",
                                 "scalared",
                                 "showcancelled",
                                 "signed",
                                 "small",
                                 "specify",
                                 "specparam",
                                 "strong0",
                                 "strong1",
                                 "supply0",
                                 "supply1",
                                 "table",
                                 "task",
                                 "time",
                                 "tran",
                                 "tranif0",
                                 "tranif1",
                                 "tri",
                                 "tri0",
                                 "tri1",
                                 "triand",
                                 "trior",
                                 "trireg",
                                 "unsigned",
                                 "use",
                                 "uwire",
                                 "vectored",
                                 "wait",
                                 "wand",
                                 "weak0",
                                 "weak1",
                                 "while",
                                 "wire",
                                 "wor",
                                 "xnor",
                                 "xor",
                                 "return"})
            set.insert(QLatin1String(word));
        return set;
    }();
    return words;
}

// IEEE 1076-2008, lower case; VHDL ignores case.
static const QSet<QString> &vhdlReserved()
{
    static const QSet<QString> words = [] {
        QSet<QString> set;
        for (const char *word : {"abs",
                                 "access",
                                 "after",
                                 "alias",
                                 "all",
                                 "and",
                                 "architecture",
                                 "array",
                                 "assert",
                                 "assume",
                                 "assume_guarantee",
                                 "attribute",
                                 "begin",
                                 "block",
                                 "body",
                                 "buffer",
                                 "bus",
                                 "case",
                                 "component",
                                 "configuration",
                                 "constant",
                                 "context",
                                 "cover",
                                 "default",
                                 "disconnect",
                                 "downto",
                                 "else",
                                 "elsif",
                                 "end",
                                 "entity",
                                 "exit",
                                 "fairness",
                                 "file",
                                 "for",
                                 "force",
                                 "function",
                                 "generate",
                                 "generic",
                                 "group",
                                 "guarded",
                                 "if",
                                 "impure",
                                 "in",
                                 "inertial",
                                 "inout",
                                 "is",
                                 "label",
                                 "library",
                                 "linkage",
                                 "literal",
                                 "loop",
                                 "map",
                                 "mod",
                                 "nand",
                                 "new",
                                 "next",
                                 "nor",
                                 "not",
                                 "null",
                                 "of",
                                 "on",
                                 "open",
                                 "or",
                                 "others",
                                 "out",
                                 "package",
                                 "parameter",
                                 "port",
                                 "postponed",
                                 "procedure",
                                 "process",
                                 "property",
                                 "protected",
                                 "pure",
                                 "range",
                                 "record",
                                 "register",
                                 "reject",
                                 "release",
                                 "rem",
                                 "report",
                                 "restrict",
                                 "restrict_guarantee",
                                 "return",
                                 "rol",
                                 "ror",
                                 "select",
                                 "sequence",
                                 "severity",
                                 "shared",
                                 "signal",
                                 "sla",
                                 "sll",
                                 "sra",
                                 "srl",
                                 "strong",
                                 "subtype",
                                 "then",
                                 "to",
                                 "transport",
                                 "type",
                                 "unaffected",
                                 "units",
                                 "until",
                                 "use",
                                 "variable",
                                 "vmode",
                                 "vprop",
                                 "vunit",
                                 "wait",
                                 "when",
                                 "while",
                                 "with",
                                 "xnor",
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

bool isVhdlReserved(const QString &word)
{
    return vhdlReserved().contains(word.toLower());
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
    if (basic.match(name).hasMatch() && !isVhdlReserved(name))
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

// How to use the instance, as comment lines starting with `mark`: which of
// the delivered files to compile for what.
static QString usage(const QString &mark, const QString &fileName, bool vhdl)
{
    const QString netlist = fileName + (vhdl ? QStringLiteral(".vhd") : QStringLiteral(".v"));
    const QString model = fileName + (vhdl ? QStringLiteral(".vho") : QStringLiteral(".vo"));
    const QString rtl = fileName + QStringLiteral("_rtl");
    return QStringLiteral(
                   "%1 Compile it with either\n"
                   "%1   %2 (the netlist, for synthesis) or %3 (the simulation model), or\n"
                   "%1   the readable Verilog core in %4/ where one is delivered: its .v files\n"
                   "%1   with %4/ on the include path. Its table (.dat) is read with $readmemh\n"
                   "%1   relative to the working directory: run the tool in %4/, or copy the\n"
                   "%1   .dat file to where the tool runs.\n")
            .arg(mark, netlist, model, rtl);
}

QString verilogTemplate(const YosysNetlist &netlist, const QString &fileName)
{
    const QString module = verilogIdentifier(netlist.moduleName);
    const int width = longestName(netlist, verilogIdentifier);
    QString text = QStringLiteral("// Instantiation template of %1.\n").arg(module)
                   + usage(QStringLiteral("//"), fileName, false)
                   + QStringLiteral("//\n// Ports:\n");
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

QString vhdlTemplate(const YosysNetlist &netlist, const QString &fileName)
{
    const QString entity = vhdlIdentifier(netlist.moduleName);
    const int width = longestName(netlist, vhdlIdentifier);
    QString text = QStringLiteral("-- Component declaration and instantiation template of %1.\n"
                                  "-- Needs: library ieee; use ieee.std_logic_1164.all;\n")
                           .arg(entity)
                   + usage(QStringLiteral("--"), fileName, true) + QStringLiteral("\n");
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
