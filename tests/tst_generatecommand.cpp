#include "toolrun.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

/// Runs ipgen generate; its exit code, with everything it printed in `output`.
int ipgen(const QStringList &args, QString &output)
{
    return runTool(IPGEN_BINARY, QStringList{"generate"} + args, QDir::tempPath(), &output);
}

} // namespace

// Each generation that gets past its checks runs a real synthesis: few of them.
class tst_GenerateCommand : public QObject
{
    Q_OBJECT
private slots:
    void generatesAndReopens();
    void refused_data();
    void refused();
};

// A core generated from settings, then again into the same place: ipgen asks
// before it replaces the files, and a reopened configuration keeps its options
// and takes the new ones.
void tst_GenerateCommand::generatesAndReopens()
{
    QTemporaryDir dir;
    QStringList args{"--device", "RQ9A/RQ9A-50", "--dir", dir.path(), "--module", "dds_top"};
    for (const char *setting : {"NumberOfChannels=4",
                                "NoiseShaping_sys=Phase Dithering",
                                "PhaseIncrementProgrammability=programmable_inc",
                                "Output=cosine",
                                "channel2_column1=3.5",
                                "channel4_column1=15"})
        args << "--set" << setting;
    QString out;
    QVERIFY2(ipgen(args, out) == 0, qPrintable(out));
    // Above 100 MHz / (2 x 4) the core makes the alias; every entry stays as given.
    QVERIFY2(out.contains("Channel 4 (chan_id_o 3): 15 MHz lies above its Nyquist frequency of "
                          "12.5 MHz")
                     && out.contains("alias at 10 MHz") && !out.contains("Channel 2")
                     && !out.contains("replaced") && !out.contains("propagateSizeHints"),
             qPrintable(out));
    const QString defines = dir.filePath("temp/dds_ii/dds_ii_top_defines.vh");
    for (const QString &line : {"^wrote " + dir.filePath("dds_ii.v") + "$",
                                "^wrote " + defines,
                                QString("^pin clk_i input wire$"),
                                QString("^pin \\w+\\[\\d+:0\\] output bus$")}) {
        QVERIFY2(out.contains(QRegularExpression(line, QRegularExpression::MultilineOption)),
                 qPrintable(line + " in\n" + out));
    }
    QCOMPARE(readFile(dir.filePath("temp/dds_ii/top_define.vh")),
             QString("`define module_name dds_top\n"));

    // The delivered RTL costs something on the reference part, against 100 MHz.
    if (!QStandardPaths::findExecutable("nextpnr-ice40").isEmpty()) {
        QVERIFY(runTool(IPGEN_BINARY, {"estimate", dir.filePath("dds_ii.ipc")}, dir.path(), &out)
                >= 0);
        QVERIFY2(out.contains(QRegularExpression("dds_ii: [1-9]\\d+ logic cells \\(of 7680\\), "
                                                 "\\d+ RAM blocks \\(of 32\\)"))
                         && out.contains(QRegularExpression("Fmax [0-9.]+ MHz: (meets|does not "
                                                            "meet) 100 MHz")),
                 qPrintable(out));
    }

    QCOMPARE(ipgen(args, out), 1);
    QVERIFY2(out.contains("Overwrite Files: These files exist and will be replaced:")
                     && out.contains("Pass --overwrite") && !out.contains("wrote"),
             qPrintable(out));
    const QStringList reopen{dir.filePath("dds_ii.ipc"), "--dir", dir.path(), "--overwrite"};
    QVERIFY2(ipgen(reopen + QStringList{"--set", "channel3_column1=7"}, out) == 0, qPrintable(out));
    const QString text = readFile(defines);
    QVERIFY2(!text.contains("`define SINE_OUT"), qPrintable(text));
    // 100 MHz over 4 channels at 25 bits: 3.5 and 7 MHz are F * 4 / 100 * 2^25.
    for (const char *line : {"`define DEFINE_FPGA_TYPE \"Nimbra\"\n",
                             "`define DEFINE_CH_NUM 4\n",
                             "`define DEFINE_PHASE_DITHER \"YES\"\n",
                             "`define DEFINE_PINC_TYPE \"Programmable\"\n",
                             "`define COSSINE_OUT\n",
                             "`define DEFINE_PINC1_INIT 25'h47ae14\n",
                             "`define DEFINE_PINC2_INIT 25'h8f5c29\n"})
        QVERIFY2(text.contains(line), qPrintable(text));

    // --keys lists the options with the configuration's values and writes nothing.
    QVERIFY2(ipgen(reopen + QStringList{"--keys"}, out) == 0, qPrintable(out));
    for (const QString &line : {QString("^channel3_column1  text: matching .+; now \"7\"$"),
                                QString("^NumberOfChannels  list: \"1\", .+, \"16\"; now \"4\"$"),
                                QString("^PhaseWidth  integer: 4 to 48; now \"\\d+\" \\(cannot "),
                                QString("^Output  choice: .+; now \"cosine\"$")})
        QVERIFY2(out.contains(QRegularExpression(line, QRegularExpression::MultilineOption)),
                 qPrintable(line + " in\n" + out));
    QVERIFY2(!out.contains("wrote"), qPrintable(out));

    // The parameter selection resets the channel entries it is given after.
    QVERIFY2(ipgen(reopen
                           + QStringList{"--set",
                                         "channel1_column1=10",
                                         "--set",
                                         "ParameterSelection=Hardware Parameters"},
                   out)
                     == 0,
             qPrintable(out));
    QVERIFY2(out.contains("warning: --set channel1_column1=10 was replaced by the rule of a later "
                          "setting; the core was generated with channel1_column1=147AE1")
                     && !out.contains("ParameterSelection=Hardware Parameters was"),
             qPrintable(out));
}

// Usage errors exit 2, refused settings and configurations 1, and neither
// leaves a configuration or defines behind. "OLD" stands for a configuration
// file of another version.
void tst_GenerateCommand::refused_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("error");
    const QStringList base{"--device", "RQ3B/RQ4K-01", "--dir", "OUT"};
    QTest::newRow("list item not offered")
            << base + QStringList{"--set", "NumberOfChannels=17"} << 1
            << "Option \"NumberOfChannels\": \"17\" is not offered; choose one of \"1\", \"2\"";
    QTest::newRow("channel entry out of range")
            << base + QStringList{"--set", "channel1_column1=200"} << 1
            << "There is an error in the 1 line of Output Freqency(MHz).";
    QTest::newRow("unknown tool") << base + QStringList{"--tool", "Quartz"} << 1
                                  << "Synthesis tool \"Quartz\" is unknown";
    QTest::newRow("configuration of another version")
            << QStringList{"OLD", "--dir", "OUT"} << 1
            << "Error: This version of specified IP Config file is incompatible with current IP "
               "Core Generator.";
    QTest::newRow("no directory") << QStringList(base.mid(0, 2)) << 2 << "--dir is required";
    QTest::newRow("no device") << QStringList(base.mid(2)) << 2 << "--device is required";
    QTest::newRow("unknown device")
            << QStringList{"--device", "RQ0/X", "--dir", "OUT"} << 2 << "unknown device \"RQ0/X\"";
    QTest::newRow("setting without value")
            << base + QStringList{"--set", "Latency"} << 2 << "--set \"Latency\" is not KEY=VALUE";
    QTest::newRow("missing configuration") << QStringList{"/nonexistent.ipc", "--dir", "OUT"} << 2
                                           << "\"/nonexistent.ipc\" does not exist";
    QTest::newRow("bad language") << base + QStringList{"--language", "c"} << 2
                                  << "--language takes verilog or vhdl";
}

void tst_GenerateCommand::refused()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, error);
    QTemporaryDir dir;
    const QString target = dir.filePath("out");
    args.replaceInStrings(QRegularExpression("^OUT$"), target);
    if (args.first() == "OLD") {
        args.first() = dir.filePath("old.ipc");
        QVERIFY(writeFile(args.first(), "version=1.1\ntype=dds_ii\ntarget_device=RQ4K01-BG256\n"));
    }
    QString out;
    QCOMPARE(ipgen(args, out), exitCode);
    QVERIFY2(out.contains(error), qPrintable(out));
    if (exitCode == 1)
        QVERIFY2(out.contains("ipgen generate: dds_ii was not generated:"), qPrintable(out));
    QVERIFY(!out.contains("wrote"));
    QVERIFY(!QFileInfo::exists(target + "/dds_ii.ipc"));
    QVERIFY(!QFileInfo::exists(target + "/temp/dds_ii/dds_ii_top_defines.vh"));
}

QTEST_GUILESS_MAIN(tst_GenerateCommand)
#include "tst_generatecommand.moc"
