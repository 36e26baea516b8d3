// Real Yosys runs of the core: the netlist has the user's module and the
// ports of the figure, and its simulation model behaves like the RTL.
#include "dialogfixture.h"
#include "ipcore.h"
#include "messageboxanswerer.h"
#include "synthesishelper.h"
#include "toolrun.h"
#include "yosysnetlist.h"

#include <QProcess>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

class tst_SynthesisRun : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void coreSynthesizes_data();
    void coreSynthesizes();
};

namespace {

QString portLabel(const IPCore::NetlistPort &port)
{
    return port.bus ? QStringLiteral("%1[%2:0]").arg(port.name).arg(port.width() - 1) : port.name;
}

// Drives every input but the clock and reset with a fixed pseudo-random
// sequence and prints every output after each rising edge.
QString testBench(const IPCore::YosysNetlist &netlist, int cycles)
{
    QString decl, drive, show, format;
    for (const IPCore::NetlistPort &port : netlist.ports) {
        const QString range
                = port.bus ? QStringLiteral("[%1:0] ").arg(port.width() - 1) : QString();
        if (port.direction == IPCore::NetlistPort::Output) {
            decl += QStringLiteral("  wire %1%2;\n").arg(range, port.name);
            format += QStringLiteral(" %h");
            show += QStringLiteral(", %1").arg(port.name);
        } else {
            decl += QStringLiteral("  reg %1%2 = 0;\n").arg(range, port.name);
            if (port.name != "clk_i" && port.name != "rst_n_i")
                drive += QStringLiteral("      %1 = $random(seed);\n").arg(port.name);
        }
    }
    QStringList connections;
    for (const IPCore::NetlistPort &port : netlist.ports)
        connections << QStringLiteral(".%1(%1)").arg(port.name);
    return QStringLiteral("module tb;\n%1"
                          "  integer seed = 1, i;\n"
                          "  %2 dut(%3);\n"
                          "  initial begin\n"
                          "    rst_n_i = 0;\n"
                          "    for (i = 0; i < %4; i = i + 1) begin\n"
                          "      if (i == 4) rst_n_i = 1;\n"
                          "      #5 clk_i = 1;\n"
                          "      #1 $display(\"%6\"%5);\n"
                          "%7"
                          "      #4 clk_i = 0;\n"
                          "    end\n"
                          "    $finish;\n"
                          "  end\n"
                          "endmodule\n")
            .arg(decl, netlist.moduleName, connections.join(", "))
            .arg(cycles)
            .arg(show, format.trimmed(), drive);
}

} // namespace

void tst_SynthesisRun::initTestCase()
{
    for (const char *tool : {"yosys", "iverilog", "vvp"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            QSKIP(qPrintable(QStringLiteral("%1 is not installed").arg(tool)));
    }
}

void tst_SynthesisRun::coreSynthesizes_data()
{
    QTest::addColumn<QStringList>("settings"); // as ipgen generate --set takes them
    QTest::addColumn<bool>("vhdl");
    QTest::newRow("default core, Verilog") << QStringList{} << false;
    QTest::newRow("phase generator only, 2 channels programmable")
            << QStringList{"ConfiguationOptions=Phase Generator Only",
                           "NumberOfChannels=2",
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
    QTemporaryDir dir;
    const QString work = dir.filePath("temp/dds_ii");
    const QString module = "my_dds";

    // The inputs as the dialog writes them; the port figure it shows.
    MessageBoxAnswerer answerer;
    DialogDriver driver;
    IPDDSYN::dds2dlg *dialog = driver.dialog();
    driver.edit("outputDir")->setText(dir.path());
    dialog->uiSetModuleName(module);
    for (const QString &setting : settings) {
        QStringList errors;
        dialog->setProperty({{setting.section('=', 0, 0), setting.section('=', 1)}}, errors);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    }
    QVERIFY(QDir().mkpath(work));
    QVERIFY(dialog->generateCoreFiles());
    const QString data = DDS2_PLUGIN_DIR "/data";
    IPCore::SynthesizeArgs args;
    args.workDir = work;
    args.fileName = "top";
    args.options.insert("write_vhdl", vhdl);
    args.options.insert("include_paths", QStringList{work, data});
    const QStringList sources{data + "/dds_ii_top.v", data + "/dds_ii_core_encryption.v"};
    args.options.insert("source_files", sources);

    IPCore::SynthesisHelper helper;
    helper.setSynthesizeTool(IPCore::SynthesisHelper::VeltoSynthesis);
    helper.setArgs(args);
    QSignalSpy done(&helper, &IPCore::SynthesisHelper::finished);
    helper.start();
    QVERIFY(done.wait(240000));
    QCOMPARE(done.count(), 1);
    if (done.at(0).at(0).toInt() != 0)
        dir.setAutoRemove(false);
    QVERIFY2(done.at(0).at(0).toInt() == 0,
             qPrintable(helper.errorMsg() + "\n" + helper.detailErrorMsgs().join("\n")));
    QVERIFY(QFileInfo(work + "/top.vg").size() > 0);
    QVERIFY(QFileInfo(work + "/synthesis.log").size() > 0);

    // The netlist's top module: the user's name, the figure's ports.
    IPCore::YosysNetlist netlist;
    QString error;
    QVERIFY2(IPCore::YosysNetlist::read(work + "/top.json", module, netlist, error),
             qPrintable(error));
    QSet<QString> ports, pins;
    for (const IPCore::NetlistPort &port : netlist.ports)
        ports << QString::number(port.direction == IPCore::NetlistPort::Output) + portLabel(port);
    for (const Utils::PinFigure &pin : dialog->figurePins())
        pins << QString::number(pin.side()) + pin.label();
    QCOMPARE(ports, pins);
    QFile vg(work + "/top.vg");
    QVERIFY(vg.open(QIODevice::ReadOnly));
    QVERIFY(vg.readAll().contains("module " + module.toUtf8() + "("));

    // The simulation model, alone in another folder, against the RTL.
    const QString out = dir.filePath("out");
    QVERIFY(QDir().mkpath(out));
    QString message;
    QCOMPARE(IPCore::decode(out, work + "/top.vg", out + "/top.vo", message), 0);
    QVERIFY(writeFile(out + "/tb.v", testBench(netlist, 300).toUtf8()));
    QString log;
    QVERIFY2(runTool("iverilog",
                     QStringList{"-o",
                                 out + "/rtl.vvp",
                                 "-I",
                                 work,
                                 "-I",
                                 DDS2_PLUGIN_DIR "/data",
                                 out + "/tb.v"}
                             + sources,
                     work,
                     &log)
                     == 0,
             qPrintable(log));
    QVERIFY2(runTool("iverilog",
                     {"-o", out + "/gate.vvp", out + "/tb.v", out + "/top.vo"},
                     out,
                     &log)
                     == 0,
             qPrintable(log));
    QString rtl, gate;
    QCOMPARE(runTool("vvp", {"-n", out + "/rtl.vvp"}, work, &rtl), 0);
    QCOMPARE(runTool("vvp", {"-n", out + "/gate.vvp"}, out, &gate), 0);
    const QStringList rtlLines = rtl.split('\n');
    const QStringList gateLines = gate.split('\n');
    QCOMPARE(gateLines.size(), rtlLines.size());
    int compared = 0;
    QSet<QString> distinct;
    for (int i = 0; i < rtlLines.size(); ++i) {
        if (rtlLines.at(i).contains('x') || rtlLines.at(i).contains('X'))
            continue;
        QCOMPARE(gateLines.at(i), rtlLines.at(i));
        distinct << rtlLines.at(i);
        ++compared;
    }
    // A stuck core would compare equal too: the samples must move.
    QVERIFY2(compared > 200, qPrintable(QString::number(compared)));
    QVERIFY2(distinct.size() > 50, qPrintable(QString::number(distinct.size())));

    if (vhdl) {
        if (QStandardPaths::findExecutable("ghdl").isEmpty())
            QSKIP("ghdl is not installed");
        for (const char *name : {"/top.vhg", "/top.vho", "/top_tmp.vhd"})
            QVERIFY2(QFileInfo(work + name).size() > 0, name);
        QFile tmpl(work + "/top_tmp.vhd");
        QVERIFY(tmpl.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(tmpl.readAll());
        // The template's instance connects signals named after the ports.
        QStringList signalLines;
        for (const IPCore::NetlistPort &port : netlist.ports)
            signalLines << QStringLiteral("  signal %1 : %2;")
                                   .arg(port.name,
                                        port.bus ? QStringLiteral("std_logic_vector(%1 downto 0)")
                                                           .arg(port.width() - 1)
                                                 : QStringLiteral("std_logic"));
        const int instance = text.indexOf("u_" + module);
        QVERIFY(instance > 0);
        QVERIFY(writeFile(
                out + "/wrap.vhd",
                QStringList{
                        "library ieee;\nuse ieee.std_logic_1164.all;\nentity wrap is\nend entity;\n"
                        "architecture a of wrap is",
                        text.left(instance),
                        signalLines.join('\n'),
                        "begin",
                        text.mid(instance),
                        "end architecture;"}
                        .join('\n')
                        .toUtf8()));
        QCOMPARE(runTool("ghdl", {"-a", "--std=93", work + "/top.vhg"}, out, &log), 0);
        QVERIFY2(runTool("ghdl", {"-a", "--std=93", out + "/wrap.vhd"}, out, &log) == 0,
                 qPrintable(log));
        QVERIFY2(runTool("ghdl", {"-e", "--std=93", "wrap"}, out, &log) == 0, qPrintable(log));
    }
}

QTEST_MAIN(tst_SynthesisRun)
#include "tst_synthesisrun.moc"
