// ipgen verify on real generated cores: the verdict, the exit code, the
// spectrum picture, and a configuration whose core was never delivered.
#include "estimatereport.h"
#include "toolrun.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TestVerify : public QObject
{
    Q_OBJECT

private slots:
    void verify_data();
    void verify();
    void estimateReport_data();
    void estimateReport();
};

void TestVerify::verify_data()
{
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<double>("bar"); // the SFDR bench/quality.md holds such a core to

    QTest::newRow("default core") << QStringList() << 0 << 72.0;
    QTest::newRow("Taylor, W=14 from SFDR 84, two channels")
            << QStringList{"--set",
                           "NoiseShaping_sys=Taylor Series Corrected",
                           "--set",
                           "SpuriousFreeDynamicRange=84",
                           "--set",
                           "NumberOfChannels=2"}
            << 0 << 84.0;
    // The same bar as the Verilog model: GHDL on the .vho gives the same samples.
    QTest::newRow("VHDL, streamed increment, programmed offset, 4 channels (GHDL)")
            << QStringList{"--language",
                           "vhdl",
                           "--set",
                           "NumberOfChannels=4",
                           "--set",
                           "PhaseIncrementProgrammability=streaming_inc",
                           "--set",
                           "PhaseOffsetProgrammability=programmable_off",
                           "--set",
                           "ChannelIDout=true"}
            << 1 << 71.9;
    QTest::newRow("synthesis failed, no delivered core")
            << QStringList{"--tool", "Synplify Pro"} << 2 << 0.0;
}

void TestVerify::verify()
{
    QFETCH(QStringList, settings);
    QFETCH(int, exitCode);
    QFETCH(double, bar);

    QTemporaryDir dir;
    QString output;
    runTool(IPGEN_BINARY,
            QStringList{"generate", "--device", "RQ3B/RQ4K-01", "--dir", dir.path()} + settings,
            dir.path(),
            &output);
    QVERIFY2(QFile::exists(dir.filePath("dds_ii.ipc")), qPrintable(output));
    QCOMPARE(runTool(IPGEN_BINARY, {"verify", dir.filePath("dds_ii.ipc")}, dir.path(), &output),
             exitCode);
    const QString png = dir.filePath("dds_ii_spectrum.png");
    if (exitCode == 2) {
        QVERIFY2(output.contains("run 'ipgen generate"), qPrintable(output));
        QVERIFY(!QFile::exists(png));
        return;
    }
    const QRegularExpressionMatch verdict
            = QRegularExpression(
                      "dds_ii: SFDR ([0-9.]+) dBc \\(asked [0-9.]+ dB\\): (PASS|FAIL), SNR "
                      "[0-9.]+ dB, record [0-9]+ samples")
                      .match(output);
    QVERIFY2(verdict.hasMatch(), qPrintable(output));
    QVERIFY2(verdict.captured(1).toDouble() >= bar, qPrintable(output));
    QCOMPARE(verdict.captured(2), QString(exitCode == 0 ? "PASS" : "FAIL"));
    const QString model = settings.contains("vhdl") ? "dds_ii.vho with the test bench (GHDL)"
                                                    : "dds_ii.vo with the test bench (Icarus";
    QVERIFY2(output.contains(model), qPrintable(output));
    QCOMPARE(QImage(png).size(), QSize(1000, 600));
    QVERIFY2(QFileInfo(png).size() > 10000 && QFileInfo(png).size() < 1000000,
             qPrintable(QString::number(QFileInfo(png).size())));
}

// nextpnr-ice40's report read into the figures and the verdict; "" is an unreadable report.
void TestVerify::estimateReport_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<double>("clockMHz");
    QTest::addColumn<QString>("summary");
    const QByteArray utilization
            = R"("utilization": {"ICESTORM_LC": {"available": 7680, "used": 940},
        "ICESTORM_RAM": {"available": 32, "used": 3}, "SB_IO": {"available": 256, "used": 54}})";
    QTest::newRow("hx8k, meets")
            << "{" + utilization + R"(, "fmax": {"clk": {"achieved": 81.67, "constraint": 80}}})"
            << 80.0
            << "x: 940 logic cells (of 7680), 3 RAM blocks (of 32), 0 DSPs (of 0)\n"
               "x: Fmax 81.7 MHz: meets 80 MHz";
    QTest::newRow("two clocks: the slower one counts")
            << "{" + utilization
                       + R"(, "fmax": {"a": {"achieved": 120.0}, "b": {"achieved": 99.96}}})"
            << 100.0 << "x: Fmax 100.0 MHz: does not meet 100 MHz";
    QTest::newRow("up5k DSPs") << QByteArray(R"({"utilization": {"ICESTORM_LC": {"available": 5280,
        "used": 12}, "ICESTORM_DSP": {"available": 8, "used": 2}}, "fmax": {"c": {"achieved": 50}}})")
                               << 25.0
                               << "x: 12 logic cells (of 5280), 0 RAM blocks (of 0), 2 DSPs (of 8)";
    QTest::newRow("no clock") << "{" + utilization + "}" << 100.0 << "";
    QTest::newRow("not JSON") << QByteArray("Info: placed") << 100.0 << "";
}

void TestVerify::estimateReport()
{
    QFETCH(QByteArray, json);
    QFETCH(double, clockMHz);
    QFETCH(QString, summary);
    EstimateFigures figures;
    QString error;
    const bool ok = Estimate::parseNextpnrReport(json, figures, error);
    QCOMPARE(ok, !summary.isEmpty());
    QCOMPARE(error.isEmpty(), ok);
    if (!ok)
        return;
    const QString text = Estimate::summary("x", figures, clockMHz, "PART");
    QVERIFY2(text.contains(summary), qPrintable(text));
    QVERIFY2(text.contains("estimate on PART, a reference part"), qPrintable(text));
}

QTEST_GUILESS_MAIN(TestVerify)
#include "tst_verify.moc"
