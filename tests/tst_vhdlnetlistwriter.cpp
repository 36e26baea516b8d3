// The structural VHDL netlist for the cells a generic Yosys mapping can
// leave, and a clear refusal for what it cannot express.
#include "toolrun.h"
#include "vhdlnetlistwriter.h"
#include "yosysnetlist.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// A module "cells" with ports a, b, c (inputs), y (2-bit output) around one cell.
QByteArray netlistWith(const QByteArray &cell, const QByteArray &extraPort = QByteArray())
{
    return R"({"modules": {"cells": {"attributes": {"top": "00000000000000000000000000000001"},
      "ports": {"a": {"direction": "input", "bits": [2]}, "b": {"direction": "input", "bits": [3]},
                "c": {"direction": "input", "bits": [4]},
                "y": {"direction": "output", "bits": [5, "1"]})"
           + extraPort + R"(},
      "cells": {"u": )"
           + cell + R"(},
      "netnames": {"y": {"hide_name": 0, "bits": [5, "1"], "attributes": {"init": "x0"}}}}}})";
}

QByteArray
cell(const QByteArray &type, const QByteArray &connections, const QByteArray &parameters = "{}")
{
    return R"({"hide_name": 1, "type": ")" + type + R"(", "parameters": )" + parameters
           + R"(, "attributes": {}, "connections": )" + connections + "}";
}

} // namespace

class tst_VhdlNetlistWriter : public QObject
{
    Q_OBJECT
private slots:
    void cells_data();
    void cells();
};

void tst_VhdlNetlistWriter::cells_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("expected"); // a line of the netlist, or part of the error
    QTest::addColumn<bool>("written");
    const QByteArray ff = R"({"C": [2], "D": [3], "Q": [5], "R": [4], "S": [3], "E": [4]})";
    QTest::newRow("set/reset flip-flop: reset wins")
            << netlistWith(cell("$_DFFSR_PNN_", ff))
            << "if n4 = '0' then\n            n5 <= '0';\n        elsif n3 = '0' then" << true;
    QTest::newRow("set/reset flip-flop with enable")
            << netlistWith(cell("$_DFFSRE_NPPP_", ff)) << "falling_edge(n2)" << true;
    QTest::newRow("synchronous reset to one")
            << netlistWith(cell("$_SDFF_PN1_", ff))
            << "if n4 = '0' then n5 <= '1'; else n5 <= n3; end if;" << true;
    QTest::newRow("two-input table on a constant") << netlistWith(
            cell("$lut", R"({"A": [2, "0"], "Y": [5]})", R"({"LUT": "0110", "WIDTH": "10"})"))
                                                   << "n5 <= lut(\"0110\", '0' & n2);" << true;
    QTest::newRow("one-input table") << netlistWith(
            cell("$lut", R"({"A": [2], "Y": [5]})", R"({"LUT": "01", "WIDTH": "1"})"))
                                     << "n5 <= lut(\"01\", (0 => n2));" << true;
    QTest::newRow("multiplexer") << netlistWith(
            cell("$_MUX_", R"({"A": [2], "B": [3], "S": [4], "Y": [5]})"))
                                 << "n5 <= n3 when n4 = '1' else n2;" << true;
    QTest::newRow("and-not gate") << netlistWith(
            cell("$_ANDNOT_", R"({"A": [2], "B": [3], "Y": [5]})"))
                                  << "n5 <= n2 and not n3;" << true;
    QTest::newRow("unmapped multiplier")
            << netlistWith(cell("$mul", R"({"A": [2], "B": [3], "Y": [5]})"))
            << "cannot express cell \"u\" of type \"$mul\"" << false;
    QTest::newRow("latch") << netlistWith(cell("$_DLATCH_P_", R"({"E": [2], "D": [3], "Q": [5]})"))
                           << "$_DLATCH_P_" << false;
    QTest::newRow("bidirectional port")
            << netlistWith(cell("$_NOT_", R"({"A": [2], "Y": [5]})"),
                           R"(, "io": {"direction": "inout", "bits": [6]})")
            << "bidirectional port \"io\"" << false;
}

void tst_VhdlNetlistWriter::cells()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, expected);
    QFETCH(bool, written);
    IPCore::YosysNetlist netlist;
    QString error;
    QVERIFY2(IPCore::YosysNetlist::parse(json, "cells.json", QString(), netlist, error),
             qPrintable(error));
    QCOMPARE(netlist.moduleName, QString("cells"));
    QString text;
    QCOMPARE(IPCore::VhdlNetlistWriter::write(netlist, text, error), written);
    if (!written) {
        QVERIFY2(error.contains(expected), qPrintable(error));
        return;
    }
    QVERIFY2(text.contains(expected), qPrintable(text));
    // Ports keep their order; a constant output bit is driven; the init value is kept.
    QVERIFY(text.indexOf("a : in ") < text.indexOf("y : out"));
    QVERIFY(text.contains("y(1) <= '1';"));
    QVERIFY(text.contains("signal n5 : std_logic := '0';"));
    if (QStandardPaths::findExecutable("ghdl").isEmpty())
        QSKIP("ghdl is not installed");
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("cells.vhd"), text.toUtf8()));
    QString log;
    QVERIFY2(runTool("ghdl", {"-a", "--std=93", "cells.vhd"}, dir.path(), &log) == 0,
             qPrintable(log + text));
    QVERIFY2(runTool("ghdl", {"-e", "--std=93", "cells"}, dir.path(), &log) == 0, qPrintable(log));
}

QTEST_GUILESS_MAIN(tst_VhdlNetlistWriter)
#include "tst_vhdlnetlistwriter.moc"
