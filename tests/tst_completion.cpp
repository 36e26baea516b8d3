// Delivery of a finished synthesis run by the generator dialog: what is
// copied, derived, opened and added, and which errors the user sees.
#include "delivery.h"
#include "dialogfixture.h"
#include "hostrecorder.h"
#include "messageboxanswerer.h"
#include "synthesishelper.h"
#include "toolrun.h"

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

} // namespace

class tst_Completion : public QObject
{
    Q_OBJECT
private slots:
    void deliveryPlan_data();
    void deliveryPlan();
    void synthesisRecord_data();
    void synthesisRecord();
    void completion_data();
    void completion();
    void failedRunThenAcceptAgain();
};

void tst_Completion::deliveryPlan_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("plan"); // A from, B from, C from, D netlist, E/F target
    const QString w = "/o/temp/dds_ii/";
    QTest::newRow("VeltoSynthesis, Verilog")
            << "VeltoSynthesis" << 0
            << QStringList{
                       w + "top.vg", w + "top_tmp.v", "", w + "top.vg", "/o/top.v", "/o/top_tmp.v"};
    QTest::newRow("VeltoSynthesis, VHDL") << "VeltoSynthesis" << 1
                                          << QStringList{w + "top.vhg",
                                                         w + "top_tmp.vhd",
                                                         w + "top.vho",
                                                         w + "top.vg",
                                                         "/o/top.vhd",
                                                         "/o/top_tmp.vhd"};
    QTest::newRow("Synplify Pro, Verilog") << "Synplify Pro" << 0
                                           << QStringList{w + "rev_1/top.vm",
                                                          w + "top_tmp.v",
                                                          "",
                                                          w + "rev_1/top.vm",
                                                          "/o/top.v",
                                                          "/o/top_tmp.v"};
    QTest::newRow("Synplify Pro, VHDL reads the .vhm, decodes the .vm")
            << "Synplify Pro" << 1
            << QStringList{w + "rev_1/top.vhm",
                           w + "top_tmp.vhd",
                           "",
                           w + "rev_1/top.vm",
                           "/o/top.vhd",
                           "/o/top_tmp.vhd"};
    QTest::newRow("unknown tool: only the template paths")
            << "synplify pro" << 0 << QStringList{"", w + "top_tmp.v", "", "", "", "/o/top_tmp.v"};
}

void tst_Completion::deliveryPlan()
{
    QFETCH(QString, tool);
    QFETCH(int, language);
    QFETCH(QStringList, plan);
    const IPDDSYN::Generation::DeliveryPlan p
            = IPDDSYN::Generation::deliveryPlan(tool, language, "/o", "top");
    QCOMPARE((QStringList{p.netlistFrom,
                          p.templateFrom,
                          p.vhoFrom,
                          p.decodeNetlist,
                          p.netlistTo,
                          p.templateTo}),
             plan);
    QCOMPARE(p.vhoTo, p.vhoFrom.isEmpty() ? QString() : QString("/o/top.vho"));
    QCOMPARE(p.voFile, p.decodeNetlist.isEmpty() ? QString() : QString("/o/top.vo"));
    QCOMPARE(p.opened, (QStringList{p.netlistTo, p.templateTo}));
    QCOMPARE(p.added, QStringList{p.netlistTo});
}

void tst_Completion::synthesisRecord_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("disableIo");
    QTest::addColumn<int>("selector");
    QTest::newRow("Verilog, VeltoSynthesis") << "VeltoSynthesis" << 0 << false << 1;
    QTest::newRow("VHDL, Synplify Pro, I/O insertion disabled") << "Synplify Pro" << 1 << true << 0;
}

// What startSynthesis hands the runner, read back from the runner itself.
void tst_Completion::synthesisRecord()
{
    QFETCH(QString, tool);
    QFETCH(int, language);
    QFETCH(bool, disableIo);
    QFETCH(int, selector);
    HostRecorder host;
    QTemporaryDir dir;
    DialogDriver driver(new Dialog(dialogInfo()));
    driver.edit("outputDir")->setText(dir.path());
    driver.edit("fileName")->setText("top");
    driver.dialog()->uiSetSynthesisTool(tool);
    driver.dialog()->uiSetLanguageIndex(language);
    if (driver.button("checkDisableIOInsertion")->isChecked() != disableIo)
        driver.button("checkDisableIOInsertion")->click();
    driver.dialog()->startSynthesis();
    auto *runner = driver.dialog()->findChild<IPCore::SynthesisHelper *>();
    QVERIFY(runner);
    QSignalSpy done(runner, &IPCore::SynthesisHelper::finished);
    QVERIFY(done.wait(10000)); // nothing was generated: the run fails at once
    QCOMPARE(int(runner->synthesizeTool()), selector);
    const IPCore::SynthesizeArgs args = runner->args();
    const QString data = DDS2_PLUGIN_DIR "/data";
    QCOMPARE(args.workDir, dir.path() + "/temp/dds_ii");
    QCOMPARE(args.coreName, QString("dds_ii"));
    QCOMPARE(args.fileName, QString("top"));
    QCOMPARE(args.device.id(), driver.dialog()->device().id());
    QCOMPARE(args.options.value("impl_name").toString(), QString("rev_1"));
    QCOMPARE(args.options.value("disable_io").toBool(), disableIo);
    QCOMPARE(args.options.value("write_vhdl").toBool(), language == 1);
    QCOMPARE(args.options.value("include_paths").toStringList(), (QStringList{args.workDir, data}));
    QCOMPARE(args.options.value("source_files").toStringList(),
             (QStringList{data + "/dds_ii_top.v", data + "/dds_ii_core_encryption.v"}));
    QCOMPARE(args.options.size(), 5);
    QCOMPARE(host.summaries.size(), 1);
}

void tst_Completion::completion_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("work"); // files laid out in WORK; "!" marks a broken netlist
    QTest::addColumn<QStringList>("delivered"); // files in OUT afterwards
    QTest::addColumn<QString>("detail");        // part of the error details, empty on success

    QTest::newRow("VeltoSynthesis Verilog")
            << "VeltoSynthesis" << 0 << 0 << QStringList{"top.vg", "top_tmp.v"}
            << QStringList{"top.v", "top_tmp.v", "top.vo"} << "";
    QTest::newRow("VeltoSynthesis VHDL with .vho")
            << "VeltoSynthesis" << 1 << 0
            << QStringList{"top.vg", "top.vhg", "top_tmp.vhd", "top.vho"}
            << QStringList{"top.vhd", "top_tmp.vhd", "top.vho", "top.vo"} << "";
    QTest::newRow("VeltoSynthesis VHDL without .vho")
            << "VeltoSynthesis" << 1 << 0 << QStringList{"top.vg", "top.vhg", "top_tmp.vhd"}
            << QStringList{"top.vhd", "top_tmp.vhd", "top.vo"} << "";
    QTest::newRow("Synplify Pro Verilog")
            << "Synplify Pro" << 0 << 0 << QStringList{"rev_1/top.vm", "top_tmp.v"}
            << QStringList{"top.v", "top_tmp.v", "top.vo"} << "";
    QTest::newRow("Synplify Pro VHDL")
            << "Synplify Pro" << 1 << 0
            << QStringList{"rev_1/top.vm", "rev_1/top.vhm", "top_tmp.vhd", "top.vho"}
            << QStringList{"top.vhd", "top_tmp.vhd", "top.vo"} << "";
    QTest::newRow("missing netlist: no template copy, no decode")
            << "VeltoSynthesis" << 0 << 0 << QStringList{"top_tmp.v"} << QStringList{} << "top.vg";
    QTest::newRow("missing wrapper") << "VeltoSynthesis" << 0 << 0 << QStringList{"top.vg"}
                                     << QStringList{"top.v"} << "top_tmp.v";
    QTest::newRow("missing VHDL netlist: .vho still copied")
            << "VeltoSynthesis" << 1 << 0 << QStringList{"top.vg", "top_tmp.vhd", "top.vho"}
            << QStringList{"top.vho"} << "top.vhg";
    QTest::newRow("Synplify Pro VHDL missing .vhm")
            << "Synplify Pro" << 1 << 0 << QStringList{"rev_1/top.vm", "top_tmp.vhd"}
            << QStringList{} << "rev_1/top.vhm";
    QTest::newRow("decode failure")
            << "VeltoSynthesis" << 0 << 0 << QStringList{"!top.vg", "top_tmp.v"}
            << QStringList{"top.v", "top_tmp.v"} << "is not a Verilog netlist";
    QTest::newRow("non-zero exit code: nothing copied")
            << "VeltoSynthesis" << 0 << 1 << QStringList{"top.vg", "top_tmp.v"} << QStringList{}
            << "";
}

void tst_Completion::completion()
{
    QFETCH(QString, tool);
    QFETCH(int, language);
    QFETCH(int, exitCode);
    QFETCH(QStringList, work);
    QFETCH(QStringList, delivered);
    QFETCH(QString, detail);
    HostRecorder host;
    QTemporaryDir dir;
    const QString out = dir.path() + "/out";
    DialogDriver driver;
    driver.edit("outputDir")->setText(out);
    driver.edit("fileName")->setText("top");
    driver.dialog()->uiSetSynthesisTool(tool);
    driver.dialog()->uiSetLanguageIndex(language);
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

    QStringList present = QDir(out).entryList(QDir::Files);
    present.removeAll("ipgen.ipproj");
    present.sort();
    delivered.sort();
    QCOMPARE(present, delivered);
    const bool success = exitCode == 0 && detail.isEmpty();
    QCOMPARE(driver.dialog()->result(), success ? int(QDialog::Accepted) : int(QDialog::Rejected));
    if (success) {
        const QString netlist = out + (language == 1 ? "/top.vhd" : "/top.v");
        const QString wrapper = out + (language == 1 ? "/top_tmp.vhd" : "/top_tmp.v");
        QCOMPARE(host.opened, (QStringList{netlist, wrapper}));
        QCOMPARE(host.readOnlyFlags, (QList<bool>{false, false}));
        QCOMPARE(host.added, QStringList{netlist});
        QVERIFY(host.summaries.isEmpty());
        QFile vo(out + "/top.vo");
        QVERIFY(vo.open(QIODevice::ReadOnly));
        QVERIFY(vo.readAll().contains("module \\$_DFF_P_"));
        return;
    }
    QVERIFY(host.opened.isEmpty());
    QVERIFY(host.added.isEmpty());
    QCOMPARE(host.summaries, QStringList{"Core generation occur errors."});
    if (exitCode != 0) {
        QVERIFY(host.details.first().isEmpty()); // no runner, so no details of its own
    } else {
        QVERIFY2(host.details.first().join('\n').contains(detail),
                 qPrintable(host.details.first().join('\n')));
    }
}

// A failing run, then a good one from the same dialog: one runner, one
// connection, one completion per run, and a delivered core that closes it.
void tst_Completion::failedRunThenAcceptAgain()
{
    if (QStandardPaths::findExecutable("yosys").isEmpty())
        QSKIP("yosys is not installed");
    MessageBoxAnswerer answerer;
    HostRecorder host;
    QTemporaryDir dir;
    // A Synplify Pro that refuses the design, with its own error lines.
    QVERIFY(writeFile(dir.filePath("bin/synplify_pro"),
                      "#!/bin/sh\necho '@E: CS187 |Expecting endmodule'\n"
                      "echo '@E: CG389 |Reference to undefined module'\nexit 2\n",
                      true));
    PathPrefix path(dir.filePath("bin"));
    auto *dialog = new Dialog(dialogInfo());
    DialogDriver driver(dialog);
    dialog->allowOverwrite();
    driver.edit("outputDir")->setText(dir.path());
    driver.edit("fileName")->setText("top");
    driver.edit("moduleName")->setText("my_dds");
    dialog->uiSetSynthesisTool("Synplify Pro");
    dialog->accept();
    auto *runner = dialog->findChild<IPCore::SynthesisHelper *>();
    QVERIFY2(runner, "the accept did not reach the synthesis");
    QSignalSpy done(runner, &IPCore::SynthesisHelper::finished);
    QVERIFY(done.wait(60000));
    QCOMPARE(done.first().first().toInt(), 2);
    QCOMPARE(host.summaries, QStringList{runner->errorMsg()});
    QVERIFY2(host.summaries.first().startsWith("Synplify Pro could not synthesize my_dds"),
             qPrintable(host.summaries.first()));
    // Exactly the tool's error lines: no copy was tried, so nothing else.
    QCOMPARE(host.details.first(),
             (QStringList{"@E: CS187 |Expecting endmodule",
                          "@E: CG389 |Reference to undefined module"}));
    QVERIFY(!QFileInfo::exists(dir.filePath("top.v")));
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QVERIFY(!runner->progressDlg() || !runner->progressDlg()->isVisible());

    dialog->uiSetSynthesisTool("VeltoSynthesis");
    dialog->accept();
    QCOMPARE(dialog->findChildren<IPCore::SynthesisHelper *>().size(), 1);
    QVERIFY(runner->progressDlg() && runner->progressDlg()->isVisible());
    QVERIFY(done.wait(240000));
    QTest::qWait(50); // a second connection would deliver twice
    QCOMPARE(done.count(), 2);
    QVERIFY2(done.last().first().toInt() == 0,
             qPrintable(runner->errorMsg() + runner->detailErrorMsgs().join('\n')));
    QCOMPARE(host.summaries.size(), 1);
    QCOMPARE(host.opened, (QStringList{dir.path() + "/top.v", dir.path() + "/top_tmp.v"}));
    QCOMPARE(host.added, QStringList{dir.path() + "/top.v"});
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QVERIFY(!runner->progressDlg()->isVisible());
    QVERIFY(QFileInfo(dir.path() + "/top.vo").size() > 0);
    QFile netlist(dir.path() + "/top.v");
    QVERIFY(netlist.open(QIODevice::ReadOnly));
    QVERIFY(netlist.readAll().contains("module my_dds("));
}

QTEST_MAIN(tst_Completion)
#include "tst_completion.moc"
