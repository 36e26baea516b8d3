// The synthesis runner on a small design: the files it leaves, its failures
// and Cancel, and refusing a second start; the simulation model and the VHDL
// netlist it makes of a synthesized design.
#include "decode.h"
#include "environmentvariable.h"
#include "hostrecorder.h"
#include "processstep.h"
#include "synthesishelper.h"
#include "toolrun.h"
#include "vhdlnetlistwriter.h"
#include "yosysnetlist.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Fixture = DDS2_SOURCE_DIR "/tests/fixtures/synth";

// WORK with the defines and the table of the small design; its arguments.
IPCore::SynthesizeArgs prepareWork(const QString &work, bool vhdl)
{
    QDir().mkpath(work);
    writeFile(work + "/top_define.vh", "`define module_name mini_top\n");
    writeFile(work + "/mini.dat", "3 a 1 8 f 6 d 4 b 2 9 0 7 e 5 c\n");
    IPCore::SynthesizeArgs args;
    args.workDir = work;
    args.coreName = "mini";
    args.fileName = "top";
    args.options.insert("impl_name", "rev_1");
    args.options.insert("write_vhdl", vhdl);
    args.options.insert("include_paths", QStringList{work, Fixture});
    args.options.insert("source_files", QStringList{Fixture + "/mini.v"});
    return args;
}

// The same stimulus in both languages: a 16-bit LFSR drives the inputs,
// and every output is printed in binary after each rising edge.
const char *const VerilogBench = R"(module tb;
  reg clk = 0, rst_n = 0;
  reg [15:0] lfsr = 16'hace1;
  wire [7:0] acc; wire [3:0] rom, cnt; wire [1:0] ce, mix; wire neg; wire [0:2] up;
  mini_top dut(clk, rst_n, lfsr[0], lfsr[1] & lfsr[2], lfsr[15:8], acc, rom, cnt, ce, neg, mix, up);
  integer i;
  initial for (i = 0; i < 200; i = i + 1) begin
    rst_n = i >= 3;
    #5 clk = 1;
    #1 $display("%b %b %b %b %b %b %b", acc, rom, cnt, ce, neg, mix, up);
    lfsr = {lfsr[14:0], lfsr[15] ^ lfsr[13] ^ lfsr[12] ^ lfsr[10]};
    #4 clk = 0;
  end
endmodule
)";

const char *const VhdlBench = R"(library ieee;
use ieee.std_logic_1164.all;
use std.textio.all;
entity tb is end;
architecture sim of tb is
  signal clk, rst_n, neg : std_logic := '0';
  signal lfsr : std_logic_vector(15 downto 0) := x"ACE1";
  signal acc : std_logic_vector(7 downto 0);
  signal rom, cnt : std_logic_vector(3 downto 0);
  signal ce, mix : std_logic_vector(1 downto 0);
  signal up : std_logic_vector(0 to 2);
begin
  dut : entity work.mini_top port map (clk, rst_n, lfsr(0), lfsr(1) and lfsr(2),
      lfsr(15 downto 8), acc, rom, cnt, ce, neg, mix, up);
  process
  begin
    for i in 0 to 199 loop
      rst_n <= '1' when i >= 3 else '0';
      wait for 5 ns; clk <= '1';
      wait for 1 ns;
      write(output, to_string(acc) & " " & to_string(rom) & " " & to_string(cnt) & " "
                    & to_string(ce) & " " & to_string(neg) & " " & to_string(mix) & " "
                    & to_string(up) & LF);
      lfsr <= lfsr(14 downto 0) & (lfsr(15) xor lfsr(13) xor lfsr(12) xor lfsr(10));
      wait for 4 ns; clk <= '0';
    end loop;
    wait;
  end process;
end;
)";

// A simulation's samples, one a line, any unknown value as 'x'.
QString samples(const QString &output)
{
    return output.trimmed().toLower().replace('u', 'x').replace('z', 'x');
}

// A module "cells" with inputs a, b, c and a 2-bit output y around one cell "u".
QByteArray cellNetlist(const QByteArray &type,
                       const QByteArray &connections,
                       const QByteArray &parameters = "{}",
                       const QByteArray &extraPort = QByteArray())
{
    return R"({"modules": {"cells": {"attributes": {"top": "00000000000000000000000000000001"},
      "ports": {"a": {"direction": "input", "bits": [2]}, "b": {"direction": "input", "bits": [3]},
                "c": {"direction": "input", "bits": [4]},
                "y": {"direction": "output", "bits": [5, "1"]})"
           + extraPort + R"(},
      "cells": {"u": {"hide_name": 1, "type": ")"
           + type + R"(", "parameters": )" + parameters + R"(, "attributes": {}, "connections": )"
           + connections + R"(}},
      "netnames": {"y": {"hide_name": 0, "bits": [5, "1"], "attributes": {"init": "x0"}}}}}})";
}

} // namespace

class tst_SynthesisHelper : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void yosysRun();
    void failures_data();
    void failures();
    void processStep_data();
    void processStep();
    void decode_data();
    void decode();
    void vhdlCells_data();
    void vhdlCells();
};

void tst_SynthesisHelper::initTestCase()
{
    for (const char *tool : {"yosys", "ghdl", "iverilog"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(tool)));
    }
}

void tst_SynthesisHelper::yosysRun()
{
    QTemporaryDir dir;
    const QString work = dir.filePath("work");
    IPCore::SynthesisHelper helper;
    helper.setArgs(prepareWork(work, true));
    QStringList messages;
    connect(&helper, &IPCore::SynthesisHelper::finished, this, [&](int exitCode) {
        messages << QString::number(exitCode) + " " + helper.errorMsg();
    });
    helper.start();
    helper.start();              // refused, and the run goes on
    QVERIFY(messages.isEmpty()); // start() returns first, in every case
    QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 2, 120000);
    QVERIFY2(messages.at(0).startsWith("1 A synthesis run is already in progress"),
             qPrintable(messages.at(0)));
    QVERIFY2(messages.at(1) == "0 ", qPrintable(helper.detailErrorMsgs().join('\n')));
    QCOMPARE(helper.detailErrorMsgs(), QStringList());
    QVERIFY(readFile(work + "/synthesis.log").contains("Printing statistics"));
    for (const char *name : {"top.vg", "top_tmp.v", "top.vhg", "top.vho", "top_tmp.vhd"})
        QVERIFY2(QFileInfo(work + "/" + name).size() > 0, name);

    // The templates list the ports in declaration order, with their widths.
    const QString verilogTemplate = readFile(work + "/top_tmp.v");
    QVERIFY(verilogTemplate.contains("output [0:2]    up_o"));
    QVERIFY(verilogTemplate.indexOf(".rst_n_i") < verilogTemplate.indexOf(".inc_i"));
    QVERIFY(readFile(work + "/top_tmp.vhd").contains("up_o    : out std_logic_vector(0 to 2)"));
    QCOMPARE(readFile(work + "/top.vho"), readFile(work + "/top.vhg"));

    // The VHDL netlist behaves like the Verilog one, cycle by cycle.
    const QString sim = dir.filePath("sim");
    QVERIFY(writeFile(sim + "/tb.vhd", VhdlBench));
    QVERIFY(writeFile(sim + "/tb.v", VerilogBench));
    QString log;
    QVERIFY2(runTool("ghdl", {"-c", "--std=08", work + "/top.vhg", "tb.vhd", "-r", "tb"}, sim, &log)
                     == 0,
             qPrintable(log));
    const QString fromVhdl = samples(log);
    QString message;
    QCOMPARE(IPCore::decode(sim, work + "/top.vg", sim + "/top.vo", message), 0);
    QVERIFY2(runTool("iverilog", {"-o", "tb.vvp", "tb.v", "top.vo"}, sim, &log) == 0,
             qPrintable(log));
    QCOMPARE(runTool("vvp", {"-n", "tb.vvp"}, sim, &log), 0);
    QCOMPARE(fromVhdl, samples(log));
    const QStringList lines = fromVhdl.split('\n');
    QVERIFY(lines.size() == 200 && QSet<QString>(lines.begin(), lines.end()).size() > 100);
}

void tst_SynthesisHelper::failures_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("tool");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("detail");
    const auto row
            = [](const char *name, QString fault, int tool, QString message, QString detail) {
                  QTest::newRow(name) << fault << tool << message << detail;
              };
    row("Verilog syntax error", "syntax", 1, "Yosys could not synthesize mini_top", "ERROR:");
    row("no module name", "nodefine", 1, "top_define.vh", "");
    row("missing source file", "nosource", 1, "sources of the core are missing", "gone.v");
    row("missing working directory", "nowork", 1, "does not exist", "");
    row("Synplify Pro not installed", "", 0, "\"synplify_pro\" is not on the PATH", "");
    row("cancelled from the progress window", "cancel", 1, "cancelled", "");
}

void tst_SynthesisHelper::failures()
{
    QFETCH(QString, fault);
    QFETCH(int, tool);
    QFETCH(QString, message);
    QFETCH(QString, detail);
    if (tool == 0 && !QStandardPaths::findExecutable("synplify_pro").isEmpty())
        QSKIP("synplify_pro is installed");
    QTemporaryDir dir;
    const QString work = dir.filePath("work");
    IPCore::SynthesizeArgs args = prepareWork(work, false);
    const char *const results[] = {"top.vg", "top_tmp.v", "top.vho", "rev_1/top.vm"};
    if (fault == "syntax") {
        QVERIFY(writeFile(
                dir.filePath("broken.v"),
                "`include \"top_define.vh\"\nmodule `module_name (input a);\n  wire = ;\n"));
        args.options.insert("source_files", QStringList{dir.filePath("broken.v")});
    } else if (fault == "nodefine") {
        QFile::remove(work + "/top_define.vh");
    } else if (fault == "nosource") {
        args.options.insert("source_files", QStringList{dir.filePath("gone.v")});
    } else if (fault == "nowork") {
        args.workDir = dir.filePath("nowhere");
    } else if (fault == "cancel") {
        QVERIFY(writeFile(
                dir.filePath("bin/yosys"), "#!/bin/sh\necho $$ > pid.txt\nsleep 60\n", true));
        // Results of an earlier run must not pass for this one's.
        for (const char *name : results)
            QVERIFY(writeFile(work + "/" + name, "stale"));
    }
    EnvironmentVariable path("PATH", dir.filePath("bin").toUtf8() + ':' + qgetenv("PATH"));
    HostRecorder host;
    IPCore::SynthesisHelper helper;
    helper.setSynthesizeTool(IPCore::SynthesisHelper::SynthesizeTool(tool));
    helper.setArgs(args);
    helper.showProgressDlg();
    QSignalSpy done(&helper, &IPCore::SynthesisHelper::finished);
    helper.start();
    QCOMPARE(done.count(), 0); // start() returns first, in every case
    QString pid;
    if (fault == "cancel") {
        QTRY_VERIFY(QFileInfo::exists(work + "/pid.txt"));
        pid = readFile(work + "/pid.txt").trimmed();
        QVERIFY(QFileInfo::exists("/proc/" + pid));
        helper.progressDlg()->findChild<QAbstractButton *>("cancelSynthesis")->click();
    }
    QVERIFY(done.wait(60000));
    QTest::qWait(50);
    QCOMPARE(done.count(), 1);
    QVERIFY(done.first().first().toInt() != 0);
    QVERIFY2(helper.errorMsg().contains(message) && !helper.errorMsg().contains('\n'),
             qPrintable(helper.errorMsg()));
    QVERIFY2(helper.detailErrorMsgs().join('\n').contains(detail),
             qPrintable(helper.detailErrorMsgs().join('\n')));
    QVERIFY(!helper.isRunning());
    for (const char *name : results)
        QVERIFY2(!QFileInfo::exists(work + "/" + name), name);
    QTRY_VERIFY(pid.isEmpty() || !QFileInfo::exists("/proc/" + pid)
                || readFile("/proc/" + pid + "/stat").contains(") Z "));
}

void tst_SynthesisHelper::processStep_data()
{
    using Step = IPCore::ProcessStep;
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("message"); // empty: the step succeeded

    QTest::newRow("exits 0") << "sh"
                             << "echo out" << false << int(Step::Exited) << "";
    QTest::newRow("exits 3") << "sh"
                             << "echo why; exit 3" << false << int(Step::Exited)
                             << "sh failed (exit code 3):\nwhy";
    QTest::newRow("crashes") << "sh"
                             << "kill -SEGV $$" << false << int(Step::Crashed) << "sh failed";
    QTest::newRow("hangs") << "sh"
                           << "exec sleep 30" << false << int(Step::TimedOut)
                           << "sh did not finish within 1 s and was stopped.";
    QTest::newRow("cancelled") << "sh"
                               << "exec sleep 30" << true << int(Step::Cancelled)
                               << "sh was cancelled.";
    QTest::newRow("missing program")
            << "no-such-tool-here"
            << "" << false << int(Step::FailedToStart) << "no-such-tool-here did not start";
}

void tst_SynthesisHelper::processStep()
{
    QFETCH(QString, program);
    QFETCH(QString, script);
    QFETCH(bool, cancel);
    QFETCH(int, outcome);
    QFETCH(QString, message);

    IPCore::ProcessStep step;
    step.setTimeout(1000);
    QSignalSpy done(&step, &IPCore::ProcessStep::finished);
    QVERIFY(step.start(program, {"-c", script}));
    QVERIFY(!step.start(program, {})); // one run at a time
    if (cancel) {
        step.cancel();
        QVERIFY(!step.isRunning()); // reaped at once; the report follows
        QCOMPARE(done.count(), 0);
    }
    QVERIFY(done.wait(10000));
    QTest::qWait(50);
    QCOMPARE(done.count(), 1);
    const auto got = done.first().first().value<IPCore::ProcessStep::Outcome>();
    QCOMPARE(int(got), outcome);
    const QString failure = step.failureMessage(got, done.first().last().toInt());
    QVERIFY2(message.isEmpty() ? failure.isEmpty() : failure.startsWith(message),
             qPrintable(failure));
    if (message.isEmpty())
        QCOMPARE(step.output(), QString("out\n"));
}

void tst_SynthesisHelper::decode_data()
{
    QTest::addColumn<QByteArray>("netlist"); // empty: no netlist file at all
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing netlist") << QByteArray() << 1 << "does not exist";
    QTest::newRow("not a netlist")
            << QByteArray("@E: synthesis failed\n") << 3 << "is not a Verilog netlist";
    QTest::newRow("vendor cell without a model") << QByteArray(
            "module top(input a, output y);\n  VENDOR_LUT2 #(.INIT(4'h1)) u (.I0(a), .O(y));\n"
            "endmodule\n") << 5 << "VENDOR_LUT2";
    // The model must drive its output although its inputs never change.
    QTest::newRow("table on constant inputs") << QByteArray(
            "module top(output y);\n  \\$lut #(.WIDTH(2), .LUT(4'h8)) u (.A(2'b11), .Y(y));\n"
            "endmodule\n") << 0 << "";
}

// The simulation model refuses clearly what it cannot model, and its cell
// models hold no time-zero race.
void tst_SynthesisHelper::decode()
{
    QFETCH(QByteArray, netlist);
    QFETCH(int, result);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString source = dir.filePath("work/top.vg");
    QVERIFY(netlist.isEmpty() || writeFile(source, netlist));
    QString text;
    QCOMPARE(IPCore::decode(dir.path(), source, "top.vo", text), result);
    QVERIFY2(text.contains(message), qPrintable(text));
    QCOMPARE(QFileInfo::exists(dir.filePath("top.vo")), result == 0);
    if (result != 0)
        return;
    QCOMPARE(levelSensitiveProcess(readFile(dir.filePath("top.vo"))), QString());
    QVERIFY(writeFile(dir.filePath("tb.v"),
                      "module tb;\n  wire y;\n  top dut(y);\n  initial #1 $display(\"%b\", y);\n"
                      "endmodule\n"));
    QString log;
    QVERIFY2(runTool("iverilog", {"-o", "tb.vvp", "tb.v", "top.vo"}, dir.path(), &log) == 0,
             qPrintable(log));
    QCOMPARE(runTool("vvp", {"-n", "tb.vvp"}, dir.path(), &log), 0);
    QCOMPARE(log.trimmed(), QString("1"));
}

void tst_SynthesisHelper::vhdlCells_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<QString>("expected"); // a line of the netlist, or part of the error
    QTest::addColumn<bool>("written");
    const QByteArray ff = R"({"C": [2], "D": [3], "Q": [5], "R": [4], "S": [3], "E": [4]})";
    const QByteArray inout = R"(, "io": {"direction": "inout", "bits": [6]})";
    QTest::newRow("set/reset flip-flop: reset wins")
            << cellNetlist("$_DFFSR_PNN_", ff)
            << "if n4 = '0' then\n            n5 <= '0';\n        elsif n3 = '0' then" << true;
    QTest::newRow("set/reset flip-flop with enable")
            << cellNetlist("$_DFFSRE_NPPP_", ff) << "falling_edge(n2)" << true;
    QTest::newRow("two-input table on a constant") << cellNetlist(
            "$lut", R"({"A": [2, "0"], "Y": [5]})", R"({"LUT": "0110", "WIDTH": "10"})")
                                                   << "n5 <= lut(\"0110\", '0' & n2);" << true;
    QTest::newRow("unmapped multiplier") << cellNetlist("$mul", R"({"A": [2], "B": [3], "Y": [5]})")
                                         << "cannot express cell \"u\" of type \"$mul\"" << false;
    QTest::newRow("memory with a write port")
            << cellNetlist("$mem_v2",
                           R"({"RD_ADDR": [2], "RD_DATA": [5], "RD_CLK": [3], "RD_EN": ["1"],
                               "WR_ADDR": [2], "WR_DATA": [4], "WR_CLK": [3], "WR_EN": [4]})",
                           R"({"WIDTH": "1", "SIZE": "10", "ABITS": "1", "RD_PORTS": "1",
                               "WR_PORTS": "1", "INIT": "01", "RD_CLK_ENABLE": "1"})")
            << "cannot express cell \"u\" of type \"$mem_v2\"" << false;
    QTest::newRow("bidirectional port")
            << cellNetlist("$_NOT_", R"({"A": [2], "Y": [5]})", "{}", inout)
            << "bidirectional port \"io\"" << false;
}

// The VHDL netlist for the cells a generic Yosys mapping can leave, and a
// clear refusal for what it cannot express.
void tst_SynthesisHelper::vhdlCells()
{
    QFETCH(QByteArray, json);
    QFETCH(QString, expected);
    QFETCH(bool, written);
    IPCore::YosysNetlist netlist;
    QString error;
    QVERIFY2(IPCore::YosysNetlist::parse(json, "cells.json", QString(), netlist, error),
             qPrintable(error));
    QString text;
    QCOMPARE(IPCore::VhdlNetlistWriter::write(netlist, text, error), written);
    QVERIFY2((written ? text : error).contains(expected), qPrintable(written ? text : error));
    if (!written)
        return;
    QVERIFY(text.contains("signal n5 : std_logic := '0';")); // the init value is kept
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("cells.vhd"), text.toUtf8()));
    QString log;
    QVERIFY2(runTool("ghdl", {"-c", "--std=93", "cells.vhd", "-e", "cells"}, dir.path(), &log) == 0,
             qPrintable(log + text));
}

QTEST_MAIN(tst_SynthesisHelper)
#include "tst_synthesishelper.moc"
