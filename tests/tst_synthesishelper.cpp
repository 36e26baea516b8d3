// The synthesis runner on a small design and on stand-in tools: the files
// each flow leaves, its failures, Cancel, and refusing a second start.
#include "hostrecorder.h"
#include "ipcore.h"
#include "synthesishelper.h"
#include "toolrun.h"

#include <QAbstractButton>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Fixture = DDS2_SOURCE_DIR "/tests/fixtures/synth";

// WORK with the defines and the table of the small design; its arguments.
IPCore::SynthesizeArgs
prepareWork(const QString &work, bool vhdl, const QString &source = Fixture + "/mini.v")
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
    args.options.insert("source_files", QStringList{source});
    return args;
}

// The same stimulus in both languages: a 16-bit LFSR drives the inputs,
// and every output is printed in binary after each rising edge.
const char *const VerilogBench = R"(module tb;
  reg clk_i = 0, rst_n_i = 0;
  reg [15:0] lfsr = 16'hace1;
  wire [7:0] acc_o; wire [3:0] rom_o, cnt_o; wire [1:0] ce_o, mix_o; wire neg_o; wire [0:2] up_o;
  integer i;
  mini_top dut(.clk_i(clk_i), .rst_n_i(rst_n_i), .en_i(lfsr[0]), .clr_i(lfsr[1] & lfsr[2]),
               .inc_i(lfsr[15:8]), .acc_o(acc_o), .rom_o(rom_o), .cnt_o(cnt_o), .ce_o(ce_o),
               .neg_o(neg_o), .mix_o(mix_o), .up_o(up_o));
  initial begin
    for (i = 0; i < 200; i = i + 1) begin
      if (i == 3) rst_n_i = 1;
      #5 clk_i = 1;
      #1 $display("%b %b %b %b %b %b %b", acc_o, rom_o, cnt_o, ce_o, neg_o, mix_o, up_o);
      lfsr = {lfsr[14:0], lfsr[15] ^ lfsr[13] ^ lfsr[12] ^ lfsr[10]};
      #4 clk_i = 0;
    end
    $finish;
  end
endmodule
)";

const char *const VhdlBench = R"(library ieee;
use ieee.std_logic_1164.all;
use std.textio.all;
entity tb is
end entity;
architecture sim of tb is
  signal clk_i, rst_n_i : std_logic := '0';
  signal lfsr : std_logic_vector(15 downto 0) := x"ACE1";
  signal acc_o : std_logic_vector(7 downto 0);
  signal rom_o, cnt_o : std_logic_vector(3 downto 0);
  signal ce_o, mix_o : std_logic_vector(1 downto 0);
  signal neg_o : std_logic;
  signal up_o : std_logic_vector(0 to 2);
  signal clr : std_logic;
begin
  clr <= lfsr(1) and lfsr(2);
  dut : entity work.mini_top port map (clk_i => clk_i, rst_n_i => rst_n_i, en_i => lfsr(0),
      clr_i => clr, inc_i => lfsr(15 downto 8), acc_o => acc_o, rom_o => rom_o, cnt_o => cnt_o,
      ce_o => ce_o, neg_o => neg_o, mix_o => mix_o, up_o => up_o);
  process
    variable l : line;
  begin
    for i in 0 to 199 loop
      if i = 3 then rst_n_i <= '1'; end if;
      wait for 5 ns; clk_i <= '1';
      wait for 1 ns;
      write(l, to_string(acc_o) & " " & to_string(rom_o) & " " & to_string(cnt_o) & " "
               & to_string(ce_o) & " " & to_string(neg_o) & " " & to_string(mix_o) & " "
               & to_string(up_o));
      writeline(output, l);
      lfsr <= lfsr(14 downto 0) & (lfsr(15) xor lfsr(13) xor lfsr(12) xor lfsr(10));
      wait for 4 ns; clk_i <= '0';
    end loop;
    wait;
  end process;
end architecture;
)";

// Lines of a simulation's output that hold samples, any unknown value as 'x'.
QStringList samples(const QString &output)
{
    QStringList lines;
    for (QString line : output.split('\n')) {
        line = line.trimmed().toLower().replace('u', 'x').replace('z', 'x');
        if (!line.isEmpty() && QRegularExpression("^[01x ]+$").match(line).hasMatch())
            lines << line;
    }
    return lines;
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
    void synplifyStandIn_data();
    void synplifyStandIn();
    void cancelFromProgressWindow();
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

    const QString verilogTemplate = readFile(work + "/top_tmp.v");
    QVERIFY(verilogTemplate.contains("mini_top u_mini_top ("));
    for (const char *port :
         {"input  [7:0]    inc_i", "output [0:2]    up_o", "input           clk_i"})
        QVERIFY2(verilogTemplate.contains(port), port);
    // The ports in declaration order.
    QVERIFY(verilogTemplate.indexOf(".rst_n_i") < verilogTemplate.indexOf(".inc_i"));
    QVERIFY(verilogTemplate.indexOf(".inc_i") < verilogTemplate.indexOf(".acc_o"));
    const QString vhdlTemplate = readFile(work + "/top_tmp.vhd");
    QVERIFY(vhdlTemplate.contains("component mini_top"));
    QVERIFY(vhdlTemplate.contains("up_o    : out std_logic_vector(0 to 2)"));
    QVERIFY(vhdlTemplate.contains("u_mini_top : mini_top"));
    QCOMPARE(readFile(work + "/top.vho"), readFile(work + "/top.vhg"));

    // The VHDL netlist behaves like the Verilog one, cycle by cycle.
    const QString sim = dir.filePath("sim");
    QVERIFY(writeFile(sim + "/tb.vhd", VhdlBench));
    QVERIFY(writeFile(sim + "/tb.v", VerilogBench));
    QString log;
    QVERIFY2(runTool("ghdl", {"-a", "--std=08", work + "/top.vhg", "tb.vhd"}, sim, &log) == 0,
             qPrintable(log));
    QVERIFY2(runTool("ghdl", {"--elab-run", "--std=08", "tb"}, sim, &log) == 0, qPrintable(log));
    const QStringList fromVhdl = samples(log);
    QString message;
    QCOMPARE(IPCore::decode(sim, work + "/top.vg", sim + "/top.vo", message), 0);
    QVERIFY2(runTool("iverilog", {"-o", "tb.vvp", "tb.v", "top.vo"}, sim, &log) == 0,
             qPrintable(log));
    QCOMPARE(runTool("vvp", {"-n", "tb.vvp"}, sim, &log), 0);
    QCOMPARE(fromVhdl.join("\n"), samples(log).join("\n"));
    QVERIFY(QSet<QString>(fromVhdl.begin(), fromVhdl.end()).size() > 100);
}

void tst_SynthesisHelper::failures_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("tool");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("detail");
    QTest::newRow("Verilog syntax error") << "syntax" << 1 << "Yosys could not synthesize mini_top"
                                          << "ERROR:";
    QTest::newRow("no module name") << "nodefine" << 1 << "top_define.vh"
                                    << "";
    QTest::newRow("missing source file") << "nosource" << 1 << "sources of the core are missing"
                                         << "gone.v";
    QTest::newRow("missing working directory") << "nowork" << 1 << "does not exist"
                                               << "";
    QTest::newRow("Synplify Pro not installed") << "" << 0 << "\"synplify_pro\" is not on the PATH"
                                                << "";
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
    if (fault == "syntax") {
        QVERIFY(writeFile(dir.filePath("broken.v"),
                          "`include \"top_define.vh\"\nmodule `module_name (input a);\n  wire = "
                          ";\nendmodule\n"));
        args.options.insert("source_files", QStringList{dir.filePath("broken.v")});
    } else if (fault == "nodefine") {
        QFile::remove(work + "/top_define.vh");
    } else if (fault == "nosource") {
        args.options.insert("source_files", QStringList{dir.filePath("gone.v")});
    } else if (fault == "nowork") {
        args.workDir = dir.filePath("nowhere");
    }
    IPCore::SynthesisHelper helper;
    helper.setSynthesizeTool(IPCore::SynthesisHelper::SynthesizeTool(tool));
    helper.setArgs(args);
    QSignalSpy done(&helper, &IPCore::SynthesisHelper::finished);
    helper.start();
    QCOMPARE(done.count(), 0); // start() returns first, in every case
    QVERIFY(done.wait(60000));
    QTest::qWait(20);
    QCOMPARE(done.count(), 1);
    QVERIFY(done.first().first().toInt() != 0);
    QVERIFY2(helper.errorMsg().contains(message), qPrintable(helper.errorMsg()));
    QVERIFY(!helper.errorMsg().contains('\n'));
    if (!detail.isEmpty())
        QVERIFY2(helper.detailErrorMsgs().join('\n').contains(detail),
                 qPrintable(helper.detailErrorMsgs().join('\n')));
    QVERIFY(!helper.isRunning());
    QVERIFY(!QFileInfo::exists(work + "/top.vg"));
    if (fault == "syntax")
        QVERIFY(readFile(work + "/synthesis.log").contains("ERROR:"));
}

void tst_SynthesisHelper::synplifyStandIn_data()
{
    QTest::addColumn<bool>("vhdl");
    QTest::newRow("Verilog") << false;
    QTest::newRow("VHDL") << true;
}

// A stand-in synplify_pro checks how it is called and writes the netlists
// where the project asks for them.
void tst_SynthesisHelper::synplifyStandIn()
{
    QFETCH(bool, vhdl);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("bin/synplify_pro"),
                      "#!/bin/sh\n[ \"$1\" = -batch ] && [ \"$2\" = top.prj ] || exit 9\n"
                      "out=$(sed -n 's/^project -result_file \"\\(.*\\)\"$/\\1/p' \"$2\")\n"
                      "echo 'module mini_top(clk_i);\n  input clk_i;\nendmodule' > \"$out\"\n"
                      "grep -q '^set_option -write_vhdl 1' \"$2\" && echo 'entity mini_top is "
                      "end;' > \"${out%.vm}.vhm\"\nexit 0\n",
                      true));
    PathPrefix path(dir.filePath("bin"));
    const QString work = dir.filePath("work");
    IPCore::SynthesisHelper helper;
    helper.setSynthesizeTool(IPCore::SynthesisHelper::SynplifyPro);
    helper.setArgs(prepareWork(work, vhdl));
    QSignalSpy done(&helper, &IPCore::SynthesisHelper::finished);
    helper.start();
    QVERIFY(done.wait(60000));
    QVERIFY2(done.first().first().toInt() == 0, qPrintable(helper.errorMsg()));
    const QString project = readFile(work + "/top.prj");
    for (const QString &line : {"add_file -verilog \"" + Fixture + "/mini.v\"\n",
                                QString("set_option -top_module \"mini_top\"\n"),
                                "set_option -include_path \"" + work + ";" + Fixture + "\"\n"})
        QVERIFY2(project.contains(line), qPrintable(project));
    QVERIFY(QFileInfo(work + "/rev_1/top.vm").size() > 0);
    QCOMPARE(QFileInfo::exists(work + "/rev_1/top.vhm"), vhdl);
    QVERIFY(readFile(work + "/top_tmp.v").contains("mini_top u_mini_top ("));
    QCOMPARE(QFileInfo::exists(work + "/top_tmp.vhd"), vhdl);
    // The VHDL netlist comes from the tool: ours is not written beside it.
    QVERIFY(!QFileInfo::exists(work + "/top.vhg"));
}

void tst_SynthesisHelper::cancelFromProgressWindow()
{
    HostRecorder host;
    QTemporaryDir dir;
    const QString bin = dir.filePath("bin");
    QVERIFY(writeFile(bin + "/yosys", "#!/bin/sh\necho $$ > pid.txt\nexec sleep 60\n", true));
    PathPrefix path(bin);
    const QString work = dir.filePath("work");
    IPCore::SynthesisHelper helper;
    helper.setArgs(prepareWork(work, false));
    // Results of an earlier run must not pass for this one's.
    for (const char *name : {"top.vg", "top_tmp.v", "top.vho", "rev_1/top.vm"})
        QVERIFY(writeFile(work + "/" + name, "stale"));
    helper.setProgressDlgWindowTitle("Mini");
    helper.showProgressDlg();
    QWidget *window = helper.progressDlg();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->windowTitle(), QString("Mini"));
    QSignalSpy done(&helper, &IPCore::SynthesisHelper::finished);
    helper.start();
    QTRY_VERIFY(QFileInfo::exists(work + "/pid.txt"));
    const QString pid = readFile(work + "/pid.txt").trimmed();
    QVERIFY(QFileInfo::exists("/proc/" + pid));
    window->findChild<QAbstractButton *>("cancelSynthesis")->click();
    QVERIFY(done.wait(10000));
    QVERIFY(done.first().first().toInt() != 0);
    QVERIFY(helper.errorMsg().contains("cancelled"));
    for (const char *name : {"top.vg", "top_tmp.v", "top.vho", "rev_1/top.vm"})
        QVERIFY2(!QFileInfo::exists(work + "/" + name), name);
    QTRY_VERIFY(!QFileInfo::exists("/proc/" + pid)
                || readFile("/proc/" + pid + "/stat").contains(") Z "));
    QTest::qWait(50);
    QCOMPARE(done.count(), 1);
}

QTEST_MAIN(tst_SynthesisHelper)
#include "tst_synthesishelper.moc"
