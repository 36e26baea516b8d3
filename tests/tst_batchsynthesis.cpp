// `ipgen generate` waits for the synthesis: a failed run gives its errors
// and a non-zero exit, delivers nothing and keeps the run's inputs.
#include "toolrun.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class tst_BatchSynthesis : public QObject
{
    Q_OBJECT
private slots:
    void failedRunIsReported_data();
    void failedRunIsReported();
};

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
    // Both tools on the PATH: the Synplify Pro flow also reads the ports with Yosys.
    if (QStandardPaths::findExecutable("yosys").isEmpty())
        QSKIP("yosys is not installed");
    QVERIFY(writeFile(dir.filePath("bin/" + program),
                      "#!/bin/sh\necho 'ERROR: stand-in refuses the design.'\nexit 4\n",
                      true));
    QProcess ipgen;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PATH", dir.filePath("bin") + ":" + env.value("PATH"));
    ipgen.setProcessEnvironment(env);
    const QString out = dir.filePath("out");
    ipgen.start(IPGEN_BINARY,
                {"generate",
                 "--device",
                 "RQ3B/RQ4K-01",
                 "--dir",
                 out,
                 "--file",
                 "top",
                 "--module",
                 "dds",
                 "--tool",
                 tool});
    QVERIFY(ipgen.waitForFinished(120000));
    const QString err = QString::fromLocal8Bit(ipgen.readAllStandardError());
    QVERIFY2(ipgen.exitCode() != 0, qPrintable(err));
    QVERIFY2(err.contains(summary), qPrintable(err));
    QVERIFY2(err.contains("ERROR: stand-in refuses the design."), qPrintable(err));
    QVERIFY(!QFileInfo::exists(out + "/top.v"));
    QVERIFY(!ipgen.readAllStandardOutput().contains("added to project"));
    // The inputs of the run stay for another attempt.
    QVERIFY(QFileInfo::exists(out + "/temp/dds_ii/dds_ii_top_defines.vh"));
    QVERIFY(QFileInfo::exists(out + "/temp/dds_ii/synthesis.log"));
}

QTEST_GUILESS_MAIN(tst_BatchSynthesis)
#include "tst_batchsynthesis.moc"
