// What the generator dialog delivers from a synthesis run, and which errors
// the user sees; then the core synthesized for real and its netlists checked
// against the RTL and in other tools.
#include "dialogdriver.h"
#include "environmentvariable.h"
#include "hostrecorder.h"
#include "messageboxanswerer.h"
#include "synthesishelper.h"
#include "toolrun.h"
#include "yosysnetlist.h"

#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A gate-level netlist using one cell of the simulation library.
const char *const Netlist = "module top(clk, d, q);\n"
                            "  input clk;\n  input d;\n  output q;\n"
                            "  \\$_DFF_P_  q_reg (\n    .C(clk),\n    .D(d),\n    .Q(q)\n  );\n"
                            "endmodule\n";

class Dialog : public IPDDSYN::dds2dlg
{
public:
    using IPDDSYN::dds2dlg::dds2dlg;
    void allowOverwrite() { overwriteAllowed = true; }
};

/// Sets the dialog to deliver `top` into `out` with `tool`, in VHDL or Verilog.
void deliverAs(const DialogDriver &driver, const QString &out, const QString &tool, bool vhdl)
{
    driver.edit("outputDir")->setText(out);
    driver.edit("fileName")->setText("top");
    driver.dialog()->uiSetSynthesisTool(tool);
    driver.dialog()->uiSetLanguageIndex(vhdl ? 1 : 0);
}

/// A delivery as the user sees it succeed: netlist and wrapper opened for
/// editing, the netlist and the readable core in top_rtl/ added to the
/// project, the dialog accepted.
void checkDelivered(const HostRecorder &host, const QDialog *dialog, const QString &out, bool vhdl)
{
    const QString netlist = out + (vhdl ? "/top.vhd" : "/top.v");
    QCOMPARE(host.opened, (QStringList{netlist, out + (vhdl ? "/top_tmp.vhd" : "/top_tmp.v")}));
    QStringList rtl = QDir(out + "/top_rtl").entryList(QDir::Files, QDir::Name);
    QVERIFY2(rtl.size() >= 4 && rtl.contains("dds_ii_top_defines.vh"), qPrintable(rtl.join(' ')));
    rtl.replaceInStrings(QRegularExpression("^"), out + "/top_rtl/");
    QStringList added = host.added.mid(1);
    added.sort();
    QCOMPARE(added.join(" "), rtl.join(" "));
    QCOMPARE(host.added.first(), netlist);
    QVERIFY(host.summaries.isEmpty());
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
}

QString range(const IPCore::NetlistPort &port)
{
    return port.bus ? QStringLiteral("[%1:0]").arg(port.width() - 1) : QString();
}

// Drives every input but the clock and reset with $random and prints every
// output after each rising edge; or, `plain` as a user's first bench is,
// holds the inputs at all ones, keeps reset low for eight clocks and prints
// the outputs whenever data_valid_o is high.
QString testBench(const IPCore::YosysNetlist &netlist, int cycles, bool plain)
{
    QString decl, drive, show, format;
    QStringList connections;
    for (const IPCore::NetlistPort &port : netlist.ports) {
        connections << QStringLiteral(".%1(%1)").arg(port.name);
        if (port.direction == IPCore::NetlistPort::Output) {
            decl += QStringLiteral("  wire %1 %2;\n").arg(range(port), port.name);
            format += " %h";
            show += ", " + port.name;
        } else {
            const bool driven = port.name != "clk_i" && port.name != "rst_n_i";
            decl += QStringLiteral("  reg %1 %2 = %3;\n")
                            .arg(range(port), port.name, plain && driven ? "~0" : "0");
            if (driven && !plain)
                drive += QStringLiteral("      %1 = $random(seed);\n").arg(port.name);
        }
    }
    return QStringLiteral("module tb;\n%1  integer seed = 1, i;\n  %2 dut(%3);\n"
                          "  initial begin\n    for (i = 0; i < %4; i = i + 1) begin\n"
                          "      rst_n_i = i >= %8;\n      #5 clk_i = 1;\n"
                          "      #1 if (%9) $display(\"%6\"%5);\n%7      #4 clk_i = 0;\n"
                          "    end\n    $finish;\n  end\nendmodule\n")
            .arg(decl, netlist.moduleName, connections.join(", "))
            .arg(cycles)
            .arg(show, format.trimmed(), drive)
            .arg(plain ? 8 : 4)
            .arg(plain ? "data_valid_o" : "1");
}

} // namespace

class tst_SynthesisRun : public QObject
{
    Q_OBJECT
private slots:
    void completion_data();
    void completion();
    void coreSynthesizes_data();
    void coreSynthesizes();
};

void tst_SynthesisRun::completion_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<bool>("vhdl");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("work"); // files laid out in WORK; "!" marks a broken netlist
    QTest::addColumn<QStringList>("delivered"); // files in OUT afterwards, sorted
    QTest::addColumn<QString>("detail");        // part of the error details, empty on success

    QTest::newRow("VeltoSynthesis VHDL without .vho")
            << "VeltoSynthesis" << true << 0 << QStringList{"top.vg", "top.vhg", "top_tmp.vhd"}
            << QStringList{"top.vhd", "top.vo", "top_tmp.vhd"} << "";
    QTest::newRow("Synplify Pro Verilog")
            << "Synplify Pro" << false << 0 << QStringList{"rev_1/top.vm", "top_tmp.v"}
            << QStringList{"top.v", "top.vo", "top_tmp.v"} << "";
    QTest::newRow("Synplify Pro VHDL")
            << "Synplify Pro" << true << 0
            << QStringList{"rev_1/top.vm", "rev_1/top.vhm", "top_tmp.vhd", "top.vho"}
            << QStringList{"top.vhd", "top.vo", "top_tmp.vhd"} << "";
    QTest::newRow("missing netlist: no template copy, no decode")
            << "VeltoSynthesis" << false << 0 << QStringList{"top_tmp.v"} << QStringList{}
            << "top.vg";
    QTest::newRow("missing wrapper") << "VeltoSynthesis" << false << 0 << QStringList{"top.vg"}
                                     << QStringList{"top.v"} << "top_tmp.v";
    QTest::newRow("missing VHDL netlist: .vho still copied")
            << "VeltoSynthesis" << true << 0 << QStringList{"top.vg", "top_tmp.vhd", "top.vho"}
            << QStringList{"top.vho"} << "top.vhg";
    QTest::newRow("decode failure")
            << "VeltoSynthesis" << false << 0 << QStringList{"!top.vg", "top_tmp.v"}
            << QStringList{"top.v", "top_tmp.v"} << "is not a Verilog netlist";
    QTest::newRow("non-zero exit code: nothing copied")
            << "VeltoSynthesis" << false << 1 << QStringList{"top.vg", "top_tmp.v"} << QStringList{}
            << "";
}

void tst_SynthesisRun::completion()
{
    QFETCH(QString, tool);
    QFETCH(bool, vhdl);
    QFETCH(int, exitCode);
    QFETCH(QStringList, work);
    QFETCH(QStringList, delivered);
    QFETCH(QString, detail);
    HostRecorder host;
    QTemporaryDir dir;
    const QString out = dir.path() + "/out";
    DialogDriver driver;
    deliverAs(driver, out, tool, vhdl);
    // Generation wrote the defines before the synthesis started.
    for (const char *defines : {"top_define.vh", "dds_ii_top_defines.vh"})
        QVERIFY(writeFile(out + "/temp/dds_ii/" + defines, "`define DEFINE_CH_NUM 1\n"));
    for (QString name : work) {
        const bool broken = name.startsWith('!');
        name.remove('!');
        const QByteArray content
                = name.endsWith(".vg") || name.endsWith(".vm")
                          ? (broken ? QByteArray("not a netlist\n") : QByteArray(Netlist))
                          : name.toUtf8() + '\n';
        QVERIFY(writeFile(out + "/temp/dds_ii/" + name, content));
    }
    QVERIFY(QMetaObject::invokeMethod(
            driver.dialog(), "onGenerationFinished", Q_ARG(int, exitCode)));

    QStringList present = QDir(out).entryList(QDir::Files, QDir::Name);
    present.removeAll("ipgen.ipproj");
    QCOMPARE(present, delivered);
    if (exitCode == 0 && detail.isEmpty()) {
        checkDelivered(host, driver.dialog(), out, vhdl);
        QVERIFY(readFile(out + "/top.vo").contains("module \\$_DFF_P_"));
        return;
    }
    QCOMPARE(driver.dialog()->result(), int(QDialog::Rejected));
    QCOMPARE(host.opened + host.added, QStringList());
    QCOMPARE(host.summaries, QStringList{"Core generation occur errors."});
    // A non-zero exit without a runner has no details of its own.
    QVERIFY2(exitCode != 0 ? host.details.first().isEmpty()
                           : host.details.first().join('\n').contains(detail),
             qPrintable(host.details.first().join('\n')));
    // The run's inputs stay for another attempt.
    for (const QString &name : work)
        QVERIFY2(QFileInfo::exists(out + "/temp/dds_ii/" + QString(name).remove('!')),
                 qPrintable(name));
}

void tst_SynthesisRun::coreSynthesizes_data()
{
    QTest::addColumn<QStringList>("settings"); // as ipgen generate --set takes them
    QTest::addColumn<bool>("vhdl");
    QTest::newRow("default core, Verilog") << QStringList{} << false;
    QTest::newRow("phase generator only, 8 channels programmable")
            << QStringList{"ConfiguationOptions=Phase Generator Only",
                           "NumberOfChannels=8",
                           "PhaseIncrementProgrammability=programmable_inc",
                           "ChannelIDout=true"}
            << false;
    QTest::newRow("sin cos lut only, hardware widths, VHDL")
            << QStringList{"ConfiguationOptions=SIN COS LUT Only",
                           "ParameterSelection=Hardware Parameters",
                           "PhaseWidth=10",
                           "OutputWidth=10"}
            << true;
}

void tst_SynthesisRun::coreSynthesizes()
{
    QFETCH(QStringList, settings);
    QFETCH(bool, vhdl);
    for (const char *tool : {"yosys", "iverilog", "vvp", "ghdl", "verilator"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(tool)));
    }
    IPCore::MessageBoxAnswerer answerer;
    HostRecorder host;
    QTemporaryDir dir;
    const QString out = dir.path(), work = dir.filePath("temp/dds_ii"), module = "my_dds";
    // A Synplify Pro that keeps its project and refuses the design.
    QVERIFY(writeFile(dir.filePath("bin/synplify_pro"),
                      "#!/bin/sh\ncp \"$2\" project.txt\necho '@W: CG360 |unused'\n"
                      "echo '@E: CS187 |Expecting endmodule'\n"
                      "echo '@E: CG389 |Reference to undefined module'\nexit 2\n",
                      true));
    EnvironmentVariable path("PATH", dir.filePath("bin").toUtf8() + ':' + qgetenv("PATH"));
    auto *dialog = new Dialog(DialogDriver::info());
    DialogDriver driver(dialog);
    dialog->allowOverwrite();
    deliverAs(driver, out, "Synplify Pro", vhdl);
    dialog->uiSetModuleName(module);
    for (const QString &setting : settings) {
        QStringList errors;
        dialog->setProperty({{setting.section('=', 0, 0), setting.section('=', 1)}}, errors);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    }
    driver.button("checkDisableIOInsertion")->setChecked(!vhdl);
    dialog->accept();
    auto *runner = dialog->findChild<IPCore::SynthesisHelper *>();
    QVERIFY2(runner, "the accept did not reach the synthesis");
    QSignalSpy done(runner, &IPCore::SynthesisHelper::finished);
    QVERIFY(done.wait(60000));
    QCOMPARE(done.first().first().toInt(), 2);
    QCOMPARE(host.summaries.size(), 1);
    QVERIFY2(host.summaries.first().startsWith("Synplify Pro could not synthesize my_dds"),
             qPrintable(host.summaries.first()));
    // Exactly the tool's error lines: no copy was tried, so nothing else.
    QCOMPARE(host.details.first().join('|'),
             QString("@E: CS187 |Expecting endmodule|@E: CG389 |Reference to undefined module"));
    const QString project = readFile(work + "/project.txt");
    for (const char *line :
         {vhdl ? "set_option -disable_io_insertion 0\n" : "set_option -disable_io_insertion 1\n",
          "set_option -part \"RQ4K-01\"\n",
          "impl -add rev_1 -type fpga\n",
          vhdl ? "set_option -write_vhdl 1\n" : "set_option -write_vhdl 0\n"})
        QVERIFY2(project.contains(line), qPrintable(project));
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QVERIFY(!runner->progressDlg()->isVisible());

    // Accepted again with Yosys: the same runner, one completion per run.
    dialog->uiSetSynthesisTool("VeltoSynthesis");
    dialog->accept();
    QCOMPARE(dialog->findChildren<IPCore::SynthesisHelper *>().size(), 1);
    QVERIFY(runner->progressDlg()->isVisible());
    QVERIFY(done.wait(240000));
    QTest::qWait(50); // a second connection would deliver twice
    QCOMPARE(done.count(), 2);
    QVERIFY2(done.last().first().toInt() == 0,
             qPrintable(runner->errorMsg() + runner->detailErrorMsgs().join('\n')));
    host.summaries.clear();
    checkDelivered(host, dialog, out, vhdl);
    const QString netlistFile = out + (vhdl ? "/top.vhd" : "/top.v");
    QVERIFY(!runner->progressDlg()->isVisible());
    QVERIFY(readFile(netlistFile).contains(vhdl ? "entity my_dds is" : "module my_dds("));
    QCOMPARE(QFileInfo::exists(out + "/top.vho"), vhdl);

    // The netlist's top module has the figure's ports.
    IPCore::YosysNetlist netlist;
    QString error;
    QVERIFY2(IPCore::YosysNetlist::read(work + "/top.json", module, netlist, error),
             qPrintable(error));
    QSet<QString> ports, pins;
    for (const IPCore::NetlistPort &port : netlist.ports)
        ports << QString::number(port.direction == IPCore::NetlistPort::Output) + port.name
                         + range(port);
    for (const Utils::PinFigure &pin : dialog->figurePins())
        pins << QString::number(pin.side()) + pin.label();
    QCOMPARE(ports, pins);

    // The simulation model, and the Verilog netlist, each alone in a folder
    // without the tables, against the delivered RTL simulated in its own
    // folder as the template says, with two benches.
    const QString sim = dir.filePath("sim"), delivered = out + "/top_rtl";
    QVERIFY(QDir().mkpath(sim));
    QStringList models{out + "/top.vo"};
    if (!vhdl)
        models << netlistFile;
    for (const QString &model : qAsConst(models)) {
        QCOMPARE(levelSensitiveProcess(readFile(model)), QString());
        QString log;
        QVERIFY2(runTool("verilator", {"--lint-only", model}, sim, &log) == 0, qPrintable(log));
    }
    if (!vhdl) {
        QString log;
        QVERIFY2(runTool("yosys",
                         {"-q",
                          "-p",
                          "read_verilog " + netlistFile + "; hierarchy -check -top " + module},
                         sim,
                         &log)
                         == 0,
                 qPrintable(log));
    }
    for (const bool plain : {false, true}) {
        QVERIFY(writeFile(sim + "/tb.v", testBench(netlist, 300, plain).toUtf8()));
        QString log, rtl;
        const QStringList rtlArgs{"-o",
                                  sim + "/rtl.vvp",
                                  "-I",
                                  ".",
                                  sim + "/tb.v",
                                  "dds_ii_top.v",
                                  "dds_ii_core_encryption.v"};
        QVERIFY2(runTool("iverilog", rtlArgs, delivered, &log) == 0, qPrintable(log));
        QCOMPARE(runTool("vvp", {"-n", sim + "/rtl.vvp"}, delivered, &rtl), 0);
        const QStringList rtlLines = rtl.split('\n');
        for (const QString &model : qAsConst(models)) {
            QString gate;
            QVERIFY2(runTool("iverilog", {"-o", "gate.vvp", "tb.v", model}, sim, &log) == 0,
                     qPrintable(log));
            QCOMPARE(runTool("vvp", {"-n", "gate.vvp"}, sim, &gate), 0);
            const QStringList gateLines = gate.split('\n');
            QCOMPARE(gateLines.size(), rtlLines.size());
            QSet<QString> distinct;
            for (int i = 0; i < rtlLines.size(); ++i) {
                // Before its reset the random bench sees unknown values in the RTL.
                if (!plain && rtlLines.at(i).contains('x', Qt::CaseInsensitive))
                    continue;
                QCOMPARE(gateLines.at(i), rtlLines.at(i));
                distinct << rtlLines.at(i);
            }
            // A stuck core would compare equal too: the samples must move.
            QVERIFY2(distinct.size() > (plain ? 1 : 50),
                     qPrintable(QString::number(distinct.size())));
        }
    }
    // The VHDL netlist stands alone.
    if (vhdl) {
        QString log;
        QVERIFY2(runTool("ghdl", {"-a", "--std=93", netlistFile}, sim, &log) == 0, qPrintable(log));
        QVERIFY2(runTool("ghdl", {"-e", "--std=93", module}, sim, &log) == 0, qPrintable(log));
    }
}

QTEST_MAIN(tst_SynthesisRun)
#include "tst_synthesisrun.moc"
