#include "dialogfixture.h"
#include "messageboxanswerer.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

Run ipgen(const QStringList &args)
{
    QProcess process;
    process.start(IPGEN_BINARY, QStringList{"generate"} + args);
    Run run;
    if (!process.waitForFinished(240000)) {
        run.err = "ipgen did not finish: " + process.errorString();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

// Each generation that gets past its checks runs a real synthesis: few of them.
class tst_GenerateCommand : public QObject
{
    Q_OBJECT
private slots:
    void sameFilesAsTheDialog_data();
    void sameFilesAsTheDialog();
    void reopenNeedsConsentToOverwrite();
    void refused_data();
    void refused();
};

void tst_GenerateCommand::sameFilesAsTheDialog_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QStringList>("settings");
    QTest::newRow("four channels, dithering") << "RQ9A/RQ9A-50"
                                              << QStringList{"NumberOfChannels=4",
                                                             "NoiseShaping_sys=Phase Dithering",
                                                             "channel2_column1=3.5",
                                                             "channel4_column1=20"};
    QTest::newRow("hardware mode, programmable")
            << "RQ6A/RQ4K-09"
            << QStringList{"ParameterSelection=Hardware Parameters",
                           "PhaseWidth=32",
                           "OutputWidth=16",
                           "PhaseIncrementProgrammability=programmable_inc",
                           "Output=cosine",
                           "channel1_column1=1A2b"};
}

void tst_GenerateCommand::sameFilesAsTheDialog()
{
    QFETCH(QString, device);
    QFETCH(QStringList, settings);
    QTemporaryDir batchDir;
    QStringList args{"--device", device, "--dir", batchDir.path(), "--module", "dds_top"};
    for (const QString &setting : settings)
        args << "--set" << setting;
    const Run run = ipgen(args);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));

    // The same settings entered in the dialog.
    QTemporaryDir guiDir;
    MessageBoxAnswerer answerer;
    IPDDSYN::dds2dlg dialog(dialogInfo());
    dialog.setCreating(guiDir.path(), DEV::DeviceCatalogue::find(device));
    dialog.uiSetModuleName("dds_top");
    for (const QString &setting : settings) {
        QStringList errors;
        dialog.setProperty({{setting.section('=', 0, 0), setting.section('=', 1)}}, errors);
        QCOMPARE(errors, QStringList());
    }
    QVERIFY(QDir().mkpath(guiDir.path() + "/temp/dds_ii"));
    QVERIFY(dialog.generateCoreFiles());
    for (const char *file : {"top_define.vh", "dds_ii_top_defines.vh", "cos_sin_lut.dat"}) {
        const QString path = QString("temp/dds_ii/") + file;
        QCOMPARE(contents(batchDir.filePath(path)), contents(guiDir.filePath(path)));
    }
    QSettings batchConfig(batchDir.filePath("dds_ii.ipc"), QSettings::IniFormat);
    QSettings guiConfig(guiDir.filePath("dds_ii.ipc"), QSettings::IniFormat);
    QCOMPARE(batchConfig.allKeys(), guiConfig.allKeys());
    for (const QString &key : batchConfig.allKeys())
        QCOMPARE(batchConfig.value(key), guiConfig.value(key));
    for (const QString &line : {"^wrote " + batchDir.filePath("dds_ii.v") + "$",
                                "^wrote " + batchDir.filePath("temp/dds_ii/dds_ii_top_defines.vh"),
                                QString("^pin clk_i input wire$"),
                                QString("^pin \\w+\\[\\d+:0\\] output bus$")}) {
        QVERIFY2(run.out.contains(QRegularExpression(line, QRegularExpression::MultilineOption)),
                 qPrintable(line + " in\n" + run.out));
    }
}

// A configuration reopened into the same place asks before it replaces the
// files, then keeps its options and takes the new ones.
void tst_GenerateCommand::reopenNeedsConsentToOverwrite()
{
    QTemporaryDir dir;
    const QStringList args{"--device",
                           "RQ3B/RQ4K-01",
                           "--dir",
                           dir.path(),
                           "--set",
                           "NumberOfChannels=3",
                           "--set",
                           "channel3_column1=7"};
    Run run = ipgen(args);
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QString defines = dir.filePath("temp/dds_ii/dds_ii_top_defines.vh");
    QVERIFY(QFile::remove(defines));

    run = ipgen(args);
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("Overwrite Files: These files exist and will be replaced:"),
             qPrintable(run.err));
    QVERIFY2(run.err.contains("Pass --overwrite"), qPrintable(run.err));
    QVERIFY(!run.out.contains("wrote") && !QFileInfo::exists(defines));

    run = ipgen({dir.filePath("dds_ii.ipc"),
                 "--dir",
                 dir.path(),
                 "--overwrite",
                 "--set",
                 "channel2_column1=2"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    const QString text = contents(defines);
    // 7 MHz of 100 MHz over 3 channels at 25 bits: 7 * 3 / 100 * 2^25.
    for (const char *line : {"`define DEFINE_CH_NUM 3\n",
                             "`define DEFINE_PINC2_INIT 25'h6b851f\n",
                             "`define DEFINE_PINC1_INIT 25'h1eb852\n"})
        QVERIFY2(text.contains(line), qPrintable(text));
    QSettings config(dir.filePath("dds_ii.ipc"), QSettings::IniFormat);
    QCOMPARE(config.value("target_device").toString(), QString("RQ4K01-BG256"));
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
    const QString out = dir.filePath("out");
    args.replaceInStrings(QRegularExpression("^OUT$"), out);
    if (args.first() == "OLD") {
        args.first() = dir.filePath("old.ipc");
        QSettings file(args.first(), QSettings::IniFormat);
        file.setValue("version", "1.1");
        file.setValue("type", "dds_ii");
        file.setValue("target_device", "RQ4K01-BG256");
    }
    const Run run = ipgen(args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(error), qPrintable(run.err));
    if (exitCode == 1)
        QVERIFY2(run.err.contains("ipgen generate: dds_ii was not generated:"),
                 qPrintable(run.err));
    QVERIFY(!run.out.contains("wrote"));
    QVERIFY(!QFileInfo::exists(out + "/dds_ii.ipc"));
    QVERIFY(!QFileInfo::exists(out + "/temp/dds_ii/dds_ii_top_defines.vh"));
}

QTEST_MAIN(tst_GenerateCommand)
#include "tst_generatecommand.moc"
