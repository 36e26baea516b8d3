#include "vhdlnetlistwriter.h"

#include "hdltemplates.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <algorithm>

namespace IPCore {

using HdlTemplates::vhdlIdentifier;

static QString bitText(const NetBit &bit)
{
    if (!bit.isConstant())
        return QStringLiteral("n%1").arg(bit.net);
    return QStringLiteral("'%1'").arg(QLatin1Char(bit.constant == 'x' || bit.constant == 'z'
                                                          ? char(bit.constant - 'a' + 'A')
                                                          : bit.constant));
}

static QString level(QChar polarity)
{
    return polarity == QLatin1Char('P') ? QStringLiteral("'1'") : QStringLiteral("'0'");
}

// Parsed name of a fine-grained flip-flop cell of Yosys's internal library.
struct FlipFlop
{
    QChar clock;      // 'P' rising, 'N' falling
    QChar reset;      // polarity, or null
    QChar set;        // polarity, or null (set/reset flip-flops only)
    QChar resetValue; // '0' or '1' for single-reset flip-flops
    QChar enable;     // polarity, or null
    bool syncReset = false;
    bool resetOverEnable = true; // false: $_SDFFCE_, reset only when enabled
};

static bool parseFlipFlop(const QString &type, FlipFlop &ff)
{
    static const QRegularExpression pattern(
            QStringLiteral("^\\$_(DFF|DFFE|SDFF|SDFFE|SDFFCE|DFFSR|DFFSRE)_([NP01]+)_$"));
    const QRegularExpressionMatch match = pattern.match(type);
    if (!match.hasMatch())
        return false;
    const QString kind = match.captured(1);
    const QString code = match.captured(2);
    const bool enabled = kind.endsWith(QLatin1Char('E'));
    ff = FlipFlop();
    ff.clock = code.at(0);
    if (kind == QLatin1String("DFF") || kind == QLatin1String("DFFE")) {
        // DFF_P, DFFE_PP: no reset; DFF_PN0, DFFE_PN0P: asynchronous reset.
        const int resetLength = code.size() - 1 - (enabled ? 1 : 0);
        if (resetLength == 2) {
            ff.reset = code.at(1);
            ff.resetValue = code.at(2);
        } else if (resetLength != 0) {
            return false;
        }
    } else if (kind.startsWith(QLatin1String("SDFF"))) {
        if (code.size() != 3 + (enabled ? 1 : 0))
            return false;
        ff.syncReset = true;
        ff.reset = code.at(1);
        ff.resetValue = code.at(2);
        ff.resetOverEnable = kind != QLatin1String("SDFFCE");
    } else {
        if (code.size() != 3 + (enabled ? 1 : 0))
            return false;
        ff.set = code.at(1);
        ff.reset = code.at(2);
    }
    if (enabled)
        ff.enable = code.at(code.size() - 1);
    for (QChar c : {ff.clock, ff.reset, ff.set, ff.enable}) {
        if (!c.isNull() && c != QLatin1Char('P') && c != QLatin1Char('N'))
            return false;
    }
    return true;
}

static QString pin(const NetlistCell &cell, const char *name)
{
    const QVector<NetBit> bits = cell.connections.value(QLatin1String(name));
    return bits.isEmpty() ? QStringLiteral("'X'") : bitText(bits.first());
}

static bool flipFlopProcess(const NetlistCell &cell, const FlipFlop &ff, QString &out)
{
    const QVector<NetBit> clock = cell.connections.value(QStringLiteral("C"));
    if (clock.isEmpty() || clock.first().isConstant())
        return false;
    const QString q = pin(cell, "Q");
    const QString d = pin(cell, "D");
    const QString clk = pin(cell, "C");
    const QString edge = ff.clock == QLatin1Char('P') ? QStringLiteral("rising_edge(%1)").arg(clk)
                                                      : QStringLiteral("falling_edge(%1)").arg(clk);
    QStringList sensitivity{clk};
    QString asyncPart;
    if (!ff.set.isNull()) {
        asyncPart
                = QStringLiteral("        if %1 = %2 then\n            %3 <= '0';\n"
                                 "        elsif %4 = %5 then\n            %3 <= '1';\n        els")
                          .arg(pin(cell, "R"), level(ff.reset), q, pin(cell, "S"), level(ff.set));
        sensitivity << pin(cell, "S") << pin(cell, "R");
    } else if (!ff.reset.isNull() && !ff.syncReset) {
        asyncPart = QStringLiteral("        if %1 = %2 then\n            %3 <= '%4';\n        els")
                            .arg(pin(cell, "R"), level(ff.reset), q, ff.resetValue);
        sensitivity << pin(cell, "R");
    } else {
        asyncPart = QStringLiteral("        ");
    }
    QString body = QStringLiteral("%1 <= %2;").arg(q, d);
    if (ff.syncReset && ff.resetOverEnable) {
        body = QStringLiteral("if %1 = %2 then %3 <= '%4'; ")
                       .arg(pin(cell, "R"), level(ff.reset), q, ff.resetValue)
               + (ff.enable.isNull() ? QStringLiteral("else %1 end if;").arg(body)
                                     : QStringLiteral("elsif %1 = %2 then %3 end if;")
                                               .arg(pin(cell, "E"), level(ff.enable), body));
    } else if (ff.syncReset) {
        body = QStringLiteral("if %1 = %2 then if %3 = %4 then %5 <= '%6'; else %7 end if; end if;")
                       .arg(pin(cell, "E"),
                            level(ff.enable),
                            pin(cell, "R"),
                            level(ff.reset),
                            q,
                            ff.resetValue,
                            body);
    } else if (!ff.enable.isNull()) {
        body = QStringLiteral("if %1 = %2 then %3 end if;")
                       .arg(pin(cell, "E"), level(ff.enable), body);
    }
    sensitivity.removeAll(QStringLiteral("'0'"));
    sensitivity.removeAll(QStringLiteral("'1'"));
    sensitivity.removeDuplicates();
    out += QStringLiteral(
                   "    process (%1)\n    begin\n%2if %3 then\n            %4\n        end if;\n"
                   "    end process;\n")
                   .arg(sensitivity.join(QStringLiteral(", ")), asyncPart, edge, body);
    return true;
}

static bool gateStatement(const NetlistCell &cell, QString &out)
{
    const QString a = pin(cell, "A");
    const QString b = pin(cell, "B");
    const QString y = pin(cell, "Y");
    static const QMap<QString, QString> binary{
            {QStringLiteral("$_AND_"), QStringLiteral("%1 and %2")},
            {QStringLiteral("$_NAND_"), QStringLiteral("%1 nand %2")},
            {QStringLiteral("$_OR_"), QStringLiteral("%1 or %2")},
            {QStringLiteral("$_NOR_"), QStringLiteral("%1 nor %2")},
            {QStringLiteral("$_XOR_"), QStringLiteral("%1 xor %2")},
            {QStringLiteral("$_XNOR_"), QStringLiteral("%1 xnor %2")},
            {QStringLiteral("$_ANDNOT_"), QStringLiteral("%1 and not %2")},
            {QStringLiteral("$_ORNOT_"), QStringLiteral("%1 or not %2")},
    };
    QString expression;
    if (cell.type == QLatin1String("$_BUF_"))
        expression = a;
    else if (cell.type == QLatin1String("$_NOT_"))
        expression = QStringLiteral("not %1").arg(a);
    else if (binary.contains(cell.type))
        expression = binary.value(cell.type).arg(a, b);
    else if (cell.type == QLatin1String("$_MUX_"))
        expression = QStringLiteral("%1 when %2 = '1' else %3").arg(b, pin(cell, "S"), a);
    else if (cell.type == QLatin1String("$_NMUX_"))
        expression = QStringLiteral("not %1 when %2 = '1' else not %3").arg(b, pin(cell, "S"), a);
    else
        return false;
    out += QStringLiteral("    %1 <= %2;\n").arg(y, expression);
    return true;
}

// Bits as a std_logic_vector expression, most significant first.
static QString vectorText(const QVector<NetBit> &bits)
{
    QStringList parts;
    for (int i = int(bits.size()) - 1; i >= 0; --i)
        parts << bitText(bits.at(i));
    return bits.size() == 1 ? QStringLiteral("(0 => %1)").arg(parts.first())
                            : parts.join(QStringLiteral(" & "));
}

static bool lutStatement(const NetlistCell &cell, QString &out)
{
    const QVector<NetBit> inputs = cell.connections.value(QStringLiteral("A"));
    const QString table = cell.parameters.value(QStringLiteral("LUT"));
    if (inputs.isEmpty() || table.size() != (1 << inputs.size())
        || !QRegularExpression(QStringLiteral("^[01xz]+$")).match(table).hasMatch())
        return false;
    out += QStringLiteral("    %1 <= lut(\"%2\", %3);\n")
                   .arg(pin(cell, "Y"), table.toUpper(), vectorText(inputs));
    return true;
}

static int intParameter(const NetlistCell &cell, const char *name)
{
    return cell.parameters.value(QLatin1String(name)).toInt(nullptr, 2);
}

// Bit `i` of a parameter whose text is most significant bit first.
static QChar parameterBit(const NetlistCell &cell, const char *name, int i)
{
    const QString text = cell.parameters.value(QLatin1String(name));
    return i < text.size() ? text.at(text.size() - 1 - i) : QLatin1Char('0');
}

// The `count` bits of `text` (most significant first) from bit `from`, as a
// std_logic_vector literal.
static QString literal(const QString &text, int from, int count)
{
    return QLatin1Char('"') + text.mid(text.size() - from - count, count).toUpper()
           + QLatin1Char('"');
}

static bool isConstant(const QVector<NetBit> &bits, char value)
{
    return std::all_of(bits.cbegin(), bits.cend(), [value](const NetBit &bit) {
        return bit.isConstant() && bit.constant == value;
    });
}

// A read-only memory as a constant array, with an asynchronous or clocked
// process per read port. Resettable read ports and write ports are refused.
static bool
memoryStatements(const NetlistCell &cell, int number, QString &declarations, QString &out)
{
    const int width = intParameter(cell, "WIDTH");
    const int size = intParameter(cell, "SIZE");
    const int abits = intParameter(cell, "ABITS");
    const int ports = intParameter(cell, "RD_PORTS");
    const QString init = cell.parameters.value(QStringLiteral("INIT"));
    const QVector<NetBit> address = cell.connections.value(QStringLiteral("RD_ADDR"));
    const QVector<NetBit> data = cell.connections.value(QStringLiteral("RD_DATA"));
    const QVector<NetBit> clock = cell.connections.value(QStringLiteral("RD_CLK"));
    const QVector<NetBit> enable = cell.connections.value(QStringLiteral("RD_EN"));
    if (cell.type != QLatin1String("$mem_v2") || intParameter(cell, "WR_PORTS") != 0
        || intParameter(cell, "OFFSET") != 0 || width <= 0 || size <= 0 || ports <= 0
        || init.size() != width * size || address.size() != ports * abits
        || data.size() != ports * width || clock.size() != ports || enable.size() != ports
        || cell.parameters.value(QStringLiteral("RD_WIDE_CONTINUATION")).contains(QLatin1Char('1'))
        || !isConstant(cell.connections.value(QStringLiteral("RD_ARST")), '0')
        || !isConstant(cell.connections.value(QStringLiteral("RD_SRST")), '0'))
        return false;

    const QString name = QStringLiteral("mem%1").arg(number);
    QStringList words;
    for (int k = 0; k < size; ++k)
        words << literal(init, k * width, width);
    declarations
            += QStringLiteral("    type %1_t is array (0 to %2) of std_logic_vector(%3 downto 0);\n"
                              "    constant %1 : %1_t := (\n        %4);\n"
                              "    -- A word, or unknown for an unknown or missing address.\n"
                              "    function %1_word(sel : std_logic_vector) return "
                              "std_logic_vector is\n"
                              "        constant i : integer := index(sel);\n"
                              "    begin\n"
                              "        if i < 0 or i > %2 then\n"
                              "            return (%3 downto 0 => 'X');\n"
                              "        end if;\n"
                              "        return %1(i);\n"
                              "    end function;\n")
                       .arg(name)
                       .arg(size - 1)
                       .arg(width - 1)
                       .arg(size == 1 ? QStringLiteral("0 => ") + words.first()
                                      : words.join(QStringLiteral(",\n        ")));
    for (int p = 0; p < ports; ++p) {
        const QString q = QStringLiteral("%1_q%2").arg(name).arg(p);
        const QString read = QStringLiteral("%1 <= %2_word(%3);")
                                     .arg(q, name, vectorText(address.mid(p * abits, abits)));
        declarations += QStringLiteral("    signal %1 : std_logic_vector(%2 downto 0) := %3;\n")
                                .arg(q)
                                .arg(width - 1)
                                .arg(literal(cell.parameters.value(QStringLiteral("RD_INIT_VALUE")),
                                             p * width,
                                             width));
        if (parameterBit(cell, "RD_CLK_ENABLE", p) != QLatin1Char('1')) {
            out += QStringLiteral("    ") + read + QLatin1Char('\n');
        } else {
            const NetBit &clk = clock.at(p);
            const NetBit &en = enable.at(p);
            if (clk.isConstant() || (en.isConstant() && en.constant != '1'))
                return false;
            const QString edge = parameterBit(cell, "RD_CLK_POLARITY", p) == QLatin1Char('1')
                                         ? QStringLiteral("rising_edge")
                                         : QStringLiteral("falling_edge");
            const QString body = en.isConstant() ? read
                                                 : QStringLiteral("if %1 = '1' then %2 end if;")
                                                           .arg(bitText(en), read);
            out += QStringLiteral("    process (%1)\n    begin\n        if %2(%1) then\n"
                                  "            %3\n        end if;\n    end process;\n")
                           .arg(bitText(clk), edge, body);
        }
        for (int j = 0; j < width; ++j)
            out += QStringLiteral("    %1 <= %2(%3);\n")
                           .arg(bitText(data.at(p * width + j)), q)
                           .arg(j);
    }
    return true;
}

bool VhdlNetlistWriter::write(const YosysNetlist &netlist, QString &text, QString &error)
{
    QString statements;
    QString memoryDeclarations;
    int memories = 0;
    QSet<int> nets;
    for (const NetlistCell &cell : netlist.cells) {
        FlipFlop ff;
        bool written = false;
        if (cell.type == QLatin1String("$lut"))
            written = lutStatement(cell, statements);
        else if (cell.type.startsWith(QLatin1String("$mem")))
            written = memoryStatements(cell, memories++, memoryDeclarations, statements);
        else if (parseFlipFlop(cell.type, ff))
            written = flipFlopProcess(cell, ff, statements);
        else
            written = gateStatement(cell, statements);
        if (!written) {
            error = tr("The VHDL netlist cannot express cell \"%1\" of type \"%2\".")
                            .arg(cell.name, cell.type);
            return false;
        }
        for (const QVector<NetBit> &bits : cell.connections) {
            for (const NetBit &bit : bits) {
                if (!bit.isConstant())
                    nets.insert(bit.net);
            }
        }
    }

    QString portStatements;
    for (const NetlistPort &port : netlist.ports) {
        if (port.direction == NetlistPort::Inout) {
            error = tr("The VHDL netlist cannot express the bidirectional port \"%1\".")
                            .arg(port.name);
            return false;
        }
        const QString name = vhdlIdentifier(port.name);
        for (int i = 0; i < port.width(); ++i) {
            const NetBit &bit = port.bits.at(i);
            const QString element
                    = port.bus ? QStringLiteral("%1(%2)").arg(name).arg(port.index(i)) : name;
            if (!bit.isConstant())
                nets.insert(bit.net);
            if (port.direction == NetlistPort::Input) {
                if (!bit.isConstant())
                    portStatements += QStringLiteral("    %1 <= %2;\n").arg(bitText(bit), element);
            } else {
                portStatements += QStringLiteral("    %1 <= %2;\n").arg(element, bitText(bit));
            }
        }
    }

    QList<int> sorted = nets.values();
    std::sort(sorted.begin(), sorted.end());
    QString declarations = memoryDeclarations;
    for (int net : qAsConst(sorted)) {
        const char init = netlist.initValues.value(net, 0);
        declarations += init ? QStringLiteral("    signal n%1 : std_logic := '%2';\n")
                                        .arg(net)
                                        .arg(QLatin1Char(init))
                             : QStringLiteral("    signal n%1 : std_logic;\n").arg(net);
    }

    const QString entity = vhdlIdentifier(netlist.moduleName);
    const QString package = vhdlIdentifier(netlist.moduleName + QStringLiteral("_cells"));
    text = QStringLiteral(
                   "-- Structural VHDL netlist of %1: generic look-up tables, flip-flops "
                   "and memories.\n\n"
                   "library ieee;\n"
                   "use ieee.std_logic_1164.all;\n\n"
                   "package %2 is\n"
                   "    -- The number a select vector spells, or -1 when a bit is unknown.\n"
                   "    function index(sel : std_logic_vector) return integer;\n"
                   "    -- Output of a look-up table; table'left is the entry of the all-ones "
                   "input.\n"
                   "    function lut(table : std_logic_vector; sel : std_logic_vector) return "
                   "std_logic;\n"
                   "end package;\n\n"
                   "package body %2 is\n"
                   "    function index(sel : std_logic_vector) return integer is\n"
                   "        constant s : std_logic_vector(sel'length - 1 downto 0) := sel;\n"
                   "        variable result : natural := 0;\n"
                   "    begin\n"
                   "        for i in s'range loop\n"
                   "            result := result * 2;\n"
                   "            if s(i) = '1' or s(i) = 'H' then\n"
                   "                result := result + 1;\n"
                   "            elsif s(i) /= '0' and s(i) /= 'L' then\n"
                   "                return -1;\n"
                   "            end if;\n"
                   "        end loop;\n"
                   "        return result;\n"
                   "    end function;\n\n"
                   "    function lut(table : std_logic_vector; sel : std_logic_vector) return "
                   "std_logic is\n"
                   "        constant t : std_logic_vector(table'length - 1 downto 0) := table;\n"
                   "        constant i : integer := index(sel);\n"
                   "    begin\n"
                   "        if i < 0 then\n"
                   "            return 'X';\n"
                   "        end if;\n"
                   "        return t(i);\n"
                   "    end function;\n"
                   "end package body;\n\n"
                   "library ieee;\n"
                   "use ieee.std_logic_1164.all;\n"
                   "use work.%2.all;\n\n"
                   "entity %1 is\n")
                   .arg(entity, package)
           + HdlTemplates::vhdlPortClause(netlist, 4)
           + QStringLiteral("end entity;\n\narchitecture netlist of %1 is\n").arg(entity)
           + declarations + QStringLiteral("begin\n") + portStatements + statements
           + QStringLiteral("end architecture;\n");
    return true;
}

} // namespace IPCore
