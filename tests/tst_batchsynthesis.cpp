// `ipgen generate` waits for the synthesis and reports its outcome: the
// delivered files and exit 0, or the run's errors and a non-zero exit.
#include "toolrun.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run ipgen(const QStringList &args, const QString &pathPrefix = QString())
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!pathPrefix.isEmpty())
        env.insert("PATH", pathPrefix + ":" + env.value("PATH"));
    process.setProcessEnvironment(env);
    process.start(IPGEN_BINARY, QStringList{"generate"} + args);
    Run run;
    if (!process.waitForFinished(240000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

} // namespace

class tst_BatchSynthesis : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void delivers_data();
    void delivers();
    void failedRunIsReported_data();
    void failedRunIsReported();
};

void tst_BatchSynthesis::initTestCase()
{
    if (QStandardPaths::findExecutable("yosys").isEmpty())
        QSKIP("yosys is not installed");
}

void tst_BatchSynthesis::delivers_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("delivered");
    QTest::addColumn<QString>("standIn"); // a synplify_pro put on the PATH, or none
    QTest::newRow("default core, Verilog")
            << QStringList{} << QStringList{"top.v", "top_tmp.v", "top.vo"} << "";
    QTest::newRow("table only, VHDL")
            << QStringList{"--language", "vhdl", "--set", "ConfiguationOptions=SIN COS LUT Only"}
            << QStringList{"top.vhd", "top_tmp.vhd", "top.vho", "top.vo"} << "";
    QTest::newRow("Synplify Pro stand-in")
            << QStringList{"--tool", "Synplify Pro"} << QStringList{"top.v", "top_tmp.v", "top.vo"}
            << "#!/bin/sh\nout=$(sed -n 's/^project -result_file \"\\(.*\\)\"$/\\1/p' \"$2\")\n"
               "printf 'module dds(clk_i, q);\\n  input clk_i;\\n  output q;\\n  assign q = "
               "1'\"'\"'b0;\\nendmodule\\n' > \"$out\"\n";
}

void tst_BatchSynthesis::delivers()
{
    QFETCH(QStringList, args);
    QFETCH(QStringList, delivered);
    QFETCH(QString, standIn);
    QTemporaryDir dir;
    const QString out = dir.filePath("out");
    if (!standIn.isEmpty())
        QVERIFY(writeFile(dir.filePath("bin/synplify_pro"), standIn.toUtf8(), true));
    const Run run = ipgen(
            QStringList{
                    "--device", "RQ3B/RQ4K-01", "--dir", out, "--file", "top", "--module", "dds"}
                    + args,
            standIn.isEmpty() ? QString() : dir.filePath("bin"));
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    for (const QString &name : delivered) {
        QVERIFY2(run.out.contains("wrote " + out + "/" + name + "\n"), qPrintable(run.out));
        QVERIFY2(QFileInfo(out + "/" + name).size() > 0, qPrintable(name));
    }
    const QString netlist = out + "/" + delivered.first();
    QVERIFY2(run.out.contains("added to project: " + netlist), qPrintable(run.out));
    if (delivered.first().endsWith(".vhd") && !QStandardPaths::findExecutable("ghdl").isEmpty()) {
        QProcess ghdl;
        ghdl.setWorkingDirectory(dir.path());
        ghdl.start("ghdl", {"-a", netlist});
        QVERIFY(ghdl.waitForFinished(60000));
        QVERIFY2(ghdl.exitCode() == 0, ghdl.readAllStandardError().constData());
    }
}

void tst_BatchSynthesis::failedRunIsReported_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("summary");
    QTest::newRow("Yosys fails") << "VeltoSynthesis"
                                 << "yosys"
                                 << "Yosys could not synthesize dds";
    QTest::newRow("Synplify Pro fails") << "Synplify Pro"
                                        << "synplify_pro"
                                        << "Synplify Pro could not synthesize dds";
}

void tst_BatchSynthesis::failedRunIsReported()
{
    QFETCH(QString, tool);
    QFETCH(QString, program);
    QFETCH(QString, summary);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("bin/" + program),
                      "#!/bin/sh\necho 'ERROR: stand-in refuses the design.'\nexit 4\n",
                      true));
    const QString out = dir.filePath("out");
    const Run run = ipgen({"--device",
                           "RQ3B/RQ4K-01",
                           "--dir",
                           out,
                           "--file",
                           "top",
                           "--module",
                           "dds",
                           "--tool",
                           tool},
                          dir.filePath("bin"));
    QVERIFY(run.exitCode != 0);
    QVERIFY2(run.err.contains(summary), qPrintable(run.err));
    QVERIFY2(run.err.contains("ERROR: stand-in refuses the design."), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(out + "/top.v"));
    QVERIFY(!run.out.contains("added to project"));
    // The inputs of the run stay for another attempt.
    QVERIFY(QFileInfo::exists(out + "/temp/dds_ii/dds_ii_top_defines.vh"));
    QVERIFY(QFileInfo::exists(out + "/temp/dds_ii/synthesis.log"));
}

QTEST_GUILESS_MAIN(tst_BatchSynthesis)
#include "tst_batchsynthesis.moc"
