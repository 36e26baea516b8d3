#include "vhdlbench.h"

#include "errorreport.h"
#include "translate.h"

#include <QMap>
#include <QRegularExpression>
#include <QStringList>

namespace DdsRtl {

namespace {

// Stimulus fields in the order of stimulusLine(), by the port each drives.
const char *const InputFields[] = {"rst_n_i",
                                   "phase_valid_i",
                                   "phase_i",
                                   "phase_inc_i",
                                   "phase_off_i",
                                   "phase_resync_i",
                                   "phase_tlast_i",
                                   "config_valid_i",
                                   "config_inc_i",
                                   "config_off_i",
                                   "config_tlast_i"};

// Response fields in the order of parseResponseLine(); absent ports read 0.
const char *const OutputFields[] = {"data_valid_o",
                                    "chan_id_o",
                                    "phase_out_o",
                                    "sine_o",
                                    "cosine_o",
                                    "phase_tlast_missing_o",
                                    "phase_tlast_unexpected_o",
                                    "config_tlast_missing_o",
                                    "config_tlast_unexpected_o"};

const char BenchHead[] = R"(library ieee;
use ieee.std_logic_1164.all;
use std.textio.all;

entity dds_tb is
end entity;

architecture bench of dds_tb is
    type field_array is array (0 to 10) of std_logic_vector(63 downto 0);

    function hex_digit(c : character) return std_logic_vector is
    begin
        case c is
            when '0' => return "0000"; when '1' => return "0001";
            when '2' => return "0010"; when '3' => return "0011";
            when '4' => return "0100"; when '5' => return "0101";
            when '6' => return "0110"; when '7' => return "0111";
            when '8' => return "1000"; when '9' => return "1001";
            when 'a' | 'A' => return "1010"; when 'b' | 'B' => return "1011";
            when 'c' | 'C' => return "1100"; when 'd' | 'D' => return "1101";
            when 'e' | 'E' => return "1110"; when 'f' | 'F' => return "1111";
            when others => return "XXXX";
        end case;
    end function;

    -- The hexadecimal fields of one stimulus line.
    procedure read_fields(l : inout line; fields : out field_array; good : out boolean) is
        variable c : character;
        variable ok : boolean;
        variable v : std_logic_vector(63 downto 0);
    begin
        good := false;
        for i in field_array'range loop
            v := (others => '0');
            c := ' ';
            while c = ' ' loop
                read(l, c, ok);
                if not ok then
                    return;
                end if;
            end loop;
            while ok and c /= ' ' loop
                v := v(59 downto 0) & hex_digit(c);
                read(l, c, ok);
            end loop;
            fields(i) := v;
        end loop;
        good := true;
    end procedure;

    function hex(v : std_logic_vector) return string is
        constant digits : positive := (v'length + 3) / 4;
        variable padded : std_logic_vector(digits * 4 - 1 downto 0) := (others => '0');
        variable s : string(1 to digits);
        variable nibble : std_logic_vector(3 downto 0);
        constant map_hex : string(1 to 16) := "0123456789abcdef";
        variable n : natural;
    begin
        padded(v'length - 1 downto 0) := v;
        for d in 0 to digits - 1 loop
            nibble := padded(padded'left - 4 * d downto padded'left - 4 * d - 3);
            n := 0;
            for b in 3 downto 0 loop
                n := n * 2;
                if nibble(b) = '1' then
                    n := n + 1;
                end if;
            end loop;
            s(d + 1) := map_hex(n + 1);
        end loop;
        return s;
    end function;

    function known(v : std_logic_vector) return boolean is
    begin
        for i in v'range loop
            if v(i) /= '0' and v(i) /= '1' then
                return false;
            end if;
        end loop;
        return true;
    end function;

)";

template<size_t N>
bool listed(const QString &name, const char *const (&fields)[N])
{
    for (const char *field : fields) {
        if (name == QLatin1String(field))
            return true;
    }
    return false;
}

bool knownPort(const QString &name, bool input)
{
    return input ? name == QLatin1String("clk_i") || listed(name, InputFields)
                 : listed(name, OutputFields);
}

QString portType(const QString &msb)
{
    return msb.isEmpty() ? QStringLiteral("std_logic")
                         : QStringLiteral("std_logic_vector(%1 downto 0)").arg(msb);
}

} // namespace

bool vhdlTestBench(const QString &templateText, QString &bench, QString &error)
{
    // Comment lines are the user's to read, not the bench's.
    QStringList code;
    for (const QString &line : templateText.split(QLatin1Char('\n'))) {
        if (!line.trimmed().startsWith(QLatin1String("--")))
            code << line;
    }
    const QString text = code.join(QLatin1Char('\n'));
    static const QRegularExpression component(
            QStringLiteral("component\\s+\\w+.*?end\\s+component\\s*;"),
            QRegularExpression::DotMatchesEverythingOption
                    | QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch declaration = component.match(text);
    const QString instance
            = declaration.hasMatch() ? text.mid(declaration.capturedEnd()).trimmed() : QString();
    if (!declaration.hasMatch() || !instance.contains(QLatin1String("port map")))
        return IPCore::fail(error,
                            tr("The instantiation template has no component declaration "
                               "followed by an instance."));

    static const QRegularExpression portLine(
            QStringLiteral("^\\s*(\\w+)\\s*:\\s*(in|out)\\s+std_logic"
                           "(?:_vector\\s*\\(\\s*(\\d+)\\s+downto\\s+0\\s*\\))?\\s*;?\\s*$"),
            QRegularExpression::MultilineOption | QRegularExpression::CaseInsensitiveOption);
    QMap<QString, QString> inputs, outputs; // name -> msb, empty for a single bit
    QString declarations;
    for (auto it = portLine.globalMatch(declaration.captured()); it.hasNext();) {
        const QRegularExpressionMatch port = it.next();
        const QString name = port.captured(1).toLower();
        const bool input = port.captured(2).compare(QLatin1String("in"), Qt::CaseInsensitive) == 0;
        if (!knownPort(name, input))
            return IPCore::fail(error,
                                tr("The instantiation template has the port \"%1\", which the "
                                   "test bench does not know.")
                                        .arg(name));
        (input ? inputs : outputs).insert(name, port.captured(3));
        declarations += QStringLiteral("    signal %1 : %2%3;\n")
                                .arg(name,
                                     portType(port.captured(3)),
                                     input ? (port.captured(3).isEmpty()
                                                      ? QStringLiteral(" := '0'")
                                                      : QStringLiteral(" := (others => '0')"))
                                           : QString());
    }
    if (!inputs.contains(QStringLiteral("clk_i")) || !inputs.contains(QStringLiteral("rst_n_i"))
        || !outputs.contains(QStringLiteral("data_valid_o")))
        return IPCore::fail(error,
                            tr("The instantiation template lacks clk_i, rst_n_i or data_valid_o."));

    QString drive;
    for (int i = 0; i < int(sizeof(InputFields) / sizeof(*InputFields)); ++i) {
        const QString name = QLatin1String(InputFields[i]);
        if (!inputs.contains(name))
            continue;
        const QString msb = inputs.value(name);
        drive += msb.isEmpty() ? QStringLiteral("            %1 <= f(%2)(0);\n").arg(name).arg(i)
                               : QStringLiteral("            %1 <= f(%2)(%3 downto 0);\n")
                                         .arg(name)
                                         .arg(i)
                                         .arg(msb);
    }
    QStringList sampled, written;
    for (const char *field : OutputFields) {
        const QString name = QLatin1String(field);
        if (!outputs.contains(name)) {
            written << QStringLiteral("\"0\"");
            continue;
        }
        const QString vector
                = outputs.value(name).isEmpty() ? QStringLiteral("(0 => %1)").arg(name) : name;
        sampled << QStringLiteral("known(%1)").arg(vector);
        written << QStringLiteral("hex(%1)").arg(vector);
    }

    bench = QLatin1String(BenchHead) + declarations + QLatin1Char('\n') + declaration.captured()
            + QStringLiteral("\nbegin\n") + instance + QStringLiteral("\n\n");
    bench += QStringLiteral(
                     "    process\n"
                     "        file stimulus : text open read_mode is \"stimulus.txt\";\n"
                     "        file response : text open write_mode is \"response.txt\";\n"
                     "        variable l, o : line;\n"
                     "        variable f : field_array;\n"
                     "        variable good : boolean;\n"
                     "    begin\n"
                     "        while not endfile(stimulus) loop\n"
                     "            readline(stimulus, l);\n"
                     "            read_fields(l, f, good);\n"
                     "            exit when not good;\n"
                     "%1"
                     "            wait for 5 ns;\n"
                     "            clk_i <= '1';\n"
                     "            wait for 1 ns;\n"
                     "            assert rst_n_i = '0' or (%2)\n"
                     "                report \"FATAL: unknown output after \" & time'image(now)\n"
                     "                severity failure;\n"
                     "            write(o, string'(%3));\n"
                     "            writeline(response, o);\n"
                     "            wait for 4 ns;\n"
                     "            clk_i <= '0';\n"
                     "        end loop;\n"
                     "        wait;\n"
                     "    end process;\n"
                     "end architecture;\n")
                     .arg(drive,
                          sampled.join(QStringLiteral(" and ")),
                          written.join(QStringLiteral(" & \" \" & ")));
    return true;
}

} // namespace DdsRtl
