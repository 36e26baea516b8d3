// Delivery of a finished synthesis run by the generator dialog: what is
// copied, derived, opened and added, and which errors the user sees.
#include "dialogfixture.h"
#include "hostrecorder.h"
#include "toolrun.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// A gate-level netlist using one cell of the simulation library.
const char *const Netlist = "module top(clk, d, q);\n"
                            "  input clk;\n  input d;\n  output q;\n"
                            "  \\$_DFF_P_  q_reg (\n    .C(clk),\n    .D(d),\n    .Q(q)\n  );\n"
                            "endmodule\n";

} // namespace

class tst_Completion : public QObject
{
    Q_OBJECT
private slots:
    void completion_data();
    void completion();
};

void tst_Completion::completion_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("work"); // files laid out in WORK; "!" marks a broken netlist
    QTest::addColumn<QStringList>("delivered"); // files in OUT afterwards
    QTest::addColumn<QString>("detail");        // part of the error details, empty on success

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
        QVERIFY(readFile(out + "/top.vo").contains("module \\$_DFF_P_"));
        return;
    }
    QVERIFY(host.opened.isEmpty());
    QVERIFY(host.added.isEmpty());
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

QTEST_MAIN(tst_Completion)
#include "tst_completion.moc"
