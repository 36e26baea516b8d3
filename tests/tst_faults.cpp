// Faults that users and shared machines cause: each ends with a clear
// message, and nothing that was complete before is lost or replaced by a
// half-written file.
#include "dialogdriver.h"
#include "environmentvariable.h"
#include "hostrecorder.h"
#include "messageboxanswerer.h"
#include "messagerecorder.h"
#include "synthesishelper.h"
#include "toolrun.h"

#include <QDirIterator>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char Device[] = "RQ3B/RQ4K-01";

// Stand-ins for Yosys, by what they do.
QByteArray standIn(const QString &behaviour, const QString &root)
{
    if (behaviour == "fails")
        return "#!/bin/sh\necho 'ERROR: the stand-in refuses the design'\nexit 3\n";
    if (behaviour == "is killed")
        return "#!/bin/sh\nkill -9 $$\n";
    if (behaviour == "hangs")
        return "#!/bin/sh\nexec sleep 300\n";
    // Holds the run in the synthesis until the test releases it.
    return QStringLiteral("#!/bin/sh\ntouch started\nwhile [ ! -e \"%1/release\" ]; do sleep "
                          "0.1; done\necho 'ERROR: released'\nexit 1\n")
            .arg(root)
            .toUtf8();
}

// The PATH for a run: unchanged for the real Yosys, without one when it is
// missing, else the stand-in in `bin` before the system's tools.
QByteArray searchPath(const QString &yosys, const QString &bin)
{
    if (yosys.isEmpty())
        return QByteArray();
    return yosys == "missing" ? bin.toUtf8() : bin.toUtf8() + ":/usr/bin:/bin";
}

// A small tmpfs at `dir`, unmounted again with the object.
class SmallDisk
{
public:
    explicit SmallDisk(const QString &dir)
        : m_dir(dir)
    {
        QDir().mkpath(dir);
        m_mounted = runTool("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", dir}, dir) == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            runTool("umount", {m_dir}, QDir::rootPath());
    }
    bool mounted() const { return m_mounted; }

private:
    QString m_dir;
    bool m_mounted = false;
};

// Every file below `root` with its bytes.
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        files.insert(QDir(root).relativeFilePath(path),
                     file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    }
    return files;
}

QByteArray edited(const QByteArray &config, const QString &edit)
{
    if (edit == "garbage") {
        QByteArray bytes(4096, Qt::Uninitialized);
        for (char &byte : bytes)
            byte = char(QRandomGenerator::global()->bounded(256));
        return bytes;
    }
    if (edit == "thousands of keys") {
        QByteArray more = config;
        for (int i = 0; i < 5000; ++i)
            more += QStringLiteral("extra_key_%1=%1\n").arg(i).toUtf8();
        return more;
    }
    const QByteArray key = edit.section('=', 0, 0).toUtf8() + '=';
    QList<QByteArray> lines = config.split('\n');
    for (QByteArray &line : lines) {
        if (line.startsWith(key))
            line = edit.toUtf8();
    }
    return lines.join('\n');
}

class Dialog : public IPDDSYN::dds2dlg
{
public:
    using IPDDSYN::dds2dlg::dds2dlg;
    void allowOverwrite() { overwriteAllowed = true; }
};

} // namespace

class tst_Faults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void batch_data();
    void batch();
    void concurrentRuns_data();
    void concurrentRuns();
    void dialogKeepsSettings_data();
    void dialogKeepsSettings();

private:
    QTemporaryDir m_base;
    QByteArray m_config; // a configuration file as the generator writes it
};

void tst_Faults::initTestCase()
{
    // A run whose synthesis fails has written the configuration file.
    QVERIFY(writeFile(m_base.filePath("bin/yosys"), standIn("fails", QString()), true));
    EnvironmentVariable path("PATH", m_base.filePath("bin").toUtf8());
    runTool(IPGEN_BINARY, {"generate", "--device", Device, "--dir", "first"}, m_base.path());
    m_config = readFile(m_base.filePath("first/dds_ii.ipc")).toUtf8();
    QVERIFY(m_config.contains("version=1.0"));
}

void tst_Faults::batch_data()
{
    QTest::addColumn<QString>("place"); // the output folder: "folder", "under a file", "small disk"
    QTest::addColumn<QString>("config"); // the edit of the configuration file, or "" for none
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("yosys"); // "" the real one, "missing", or a stand-in
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    const QStringList none;
    const QStringList lut{"--set", "ConfiguationOptions=Phase Generator Only"};
    QTest::newRow("output folder under a file")
            << "under a file"
            << "" << none << "" << 1 << "is a file: choose another directory";
    QTest::newRow("disk full at the configuration file")
            << "full disk"
            << "as written" << none << "" << 1 << "Cannot write the configuration file";
    QTest::newRow("disk full at the table") << "small disk"
                                            << "as written"
                                            << QStringList{"--set",
                                                           "ParameterSelection=Hardware Parameters",
                                                           "--set",
                                                           "PhaseWidth=32",
                                                           "--set",
                                                           "OutputWidth=16"}
                                            << "" << 1 << "Failed to generate data file.";
    QTest::newRow("disk full at the netlist") << "small disk"
                                              << "as written" << none << "" << 1 << "is full";
    QTest::newRow("Yosys missing") << "folder"
                                   << "" << none << "missing" << 1
                                   << "VeltoSynthesis needs Yosys, which is not on the PATH";
    QTest::newRow("Yosys fails") << "folder"
                                 << "" << none << "fails" << 1
                                 << "ERROR: the stand-in refuses the design";
    QTest::newRow("Yosys killed") << "folder"
                                  << "" << none << "is killed" << 1 << "stopped unexpectedly";
    QTest::newRow("Yosys hangs") << "folder"
                                 << "" << none << "hangs" << 1 << "did not finish within 2 s";
    QTest::newRow("plug-in without data") << "folder"
                                          << "" << QStringList{"--plugins", "plugins"} << "" << 1
                                          << "The HDL sources of the core are missing";
    QTest::newRow("wrong version") << "folder"
                                   << "version=1.1" << none << "" << 1
                                   << "This version of specified IP Config file is incompatible";
    QTest::newRow("binary garbage") << "folder"
                                    << "garbage" << none << "" << 1
                                    << "This version of specified IP Config file is incompatible";
    QTest::newRow("huge clock") << "folder"
                                << "SystemClock=1e308" << none << "" << 1
                                << "\"SystemClock\" is \"1e308\", outside 0.01 to 500 MHz";
    QTest::newRow("huge width") << "folder"
                                << "PhaseWidth=99999999999999999999" << lut << "" << 0
                                << "dds_ii.v";
    QTest::newRow("value the list does not offer")
            << "folder"
            << "NumberOfChannels=17" << none << "" << 1 << "\"NumberOfChannels\" has no choice";
    QTest::newRow("thousands of keys") << "folder"
                                       << "thousands of keys" << lut << "" << 0 << "dds_ii.v";
    QTest::newRow("file name with spaces")
            << "folder"
            << "" << lut + QStringList{"--file", "my dds"} << "" << 0 << "my dds.v";
    QTest::newRow("file name non-ASCII")
            << "folder"
            << "" << lut + QStringList{"--file", "größe"} << "" << 0 << "größe.v";
    QTest::newRow("file name of 1,000 characters")
            << "folder"
            << "" << QStringList{"--file", QString(1000, 'f')} << "" << 1 << "is 1000 bytes long";
    QTest::newRow("module name non-ASCII") << "folder"
                                           << "" << QStringList{"--module", "größe"} << "" << 1
                                           << "is not a legal Verilog and VHDL identifier";
    QTest::newRow("module name a Verilog keyword")
            << "folder"
            << "" << QStringList{"--module", "module"} << "" << 1 << "is a Verilog keyword";
    QTest::newRow("module name of 1,000 characters")
            << "folder"
            << "" << lut + QStringList{"--module", QString(1000, 'm')} << "" << 0 << "dds_ii.v";
}

void tst_Faults::batch()
{
    QFETCH(QString, place);
    QFETCH(QString, config);
    QFETCH(QStringList, args);
    QFETCH(QString, yosys);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    QTemporaryDir root;
    QString out = root.filePath("out");
    std::unique_ptr<SmallDisk> disk;
    if (place.endsWith("disk")) {
        disk = std::make_unique<SmallDisk>(out);
        if (!disk->mounted())
            QSKIP("a small tmpfs cannot be mounted here (mounting needs root)");
    } else if (place == "under a file") {
        QVERIFY(writeFile(root.filePath("blocker"), "a regular file\n"));
        out = root.filePath("blocker/out");
    }
    // What a failure must keep: an earlier configuration and netlist.
    QStringList command{"generate", "--dir", out, "--overwrite"};
    if (config.isEmpty()) {
        command << "--device" << Device;
    } else {
        const QByteArray text = config == "as written" ? m_config : edited(m_config, config);
        QVERIFY(writeFile(out + "/dds_ii.ipc", text));
        command << out + "/dds_ii.ipc";
    }
    if (QFileInfo(out).isDir())
        QVERIFY(writeFile(out + "/dds_ii.v", "// the previous netlist\n"));
    if (place == "full disk")
        writeFile(out + "/filler", QByteArray(64 * 1024, '\0'));
    if (args.contains("--plugins")) {
        QVERIFY(writeFile(root.filePath("plugins/dds_ii/dds2.ipspec"),
                          readFile(DDS2_PLUGIN_DIR "/dds2.ipspec").toUtf8()));
        QVERIFY(QFile::copy(DDS2_PLUGIN_DIR "/libdds2.so",
                            root.filePath("plugins/dds_ii/libdds2.so")));
    }
    for (QString &arg : args) {
        if (arg == "plugins")
            arg = root.filePath("plugins");
    }
    if (!yosys.isEmpty() && yosys != "missing")
        QVERIFY(writeFile(root.filePath("bin/yosys"), standIn(yosys, root.path()), true));
    EnvironmentVariable path("PATH", searchPath(yosys, root.filePath("bin")));
    EnvironmentVariable timeout("IPGEN_SYNTHESIS_TIMEOUT",
                                yosys == "hangs" ? QByteArray("2") : QByteArray());
    const QMap<QString, QByteArray> before = snapshot(root.path());

    QString output;
    QCOMPARE(runTool(IPGEN_BINARY, command + args, root.path(), &output), exitCode);
    QVERIFY2(output.contains(message), qPrintable(output));
    if (exitCode == 0) {
        QVERIFY2(readFile(out + '/' + message).contains("module "), qPrintable(output));
        return;
    }
    // Files that were there are unchanged, but for the configuration of what
    // was entered, written in full; no result and no half file is left.
    const QMap<QString, QByteArray> after = snapshot(root.path());
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        const bool configuration = it.key().endsWith(".ipc") && it.value().contains("version=1.0")
                                   && it.value().contains("\nresync=");
        QVERIFY2(it.value() == before.value(it.key()) || configuration
                         || (!before.contains(it.key()) && it.key().startsWith("out/temp/")),
                 qPrintable(it.key()));
    }
    for (const QString &file : before.keys())
        QVERIFY2(after.contains(file), qPrintable(file));
}

void tst_Faults::concurrentRuns_data()
{
    QTest::addColumn<QString>("secondDir");
    QTest::addColumn<int>("secondExit");
    QTest::addColumn<QString>("secondMessage");

    QTest::newRow("two runs into different folders") << "other" << 1 << "ERROR: released";
    QTest::newRow("two runs into the same folder") << "out" << 1 << "another generation (process";
}

void tst_Faults::concurrentRuns()
{
    QFETCH(QString, secondDir);
    QFETCH(int, secondExit);
    QFETCH(QString, secondMessage);

    QTemporaryDir root;
    QVERIFY(writeFile(root.filePath("bin/yosys"), standIn("waits", root.path()), true));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PATH", root.filePath("bin") + ':' + environment.value("PATH"));
    const auto start = [&](QProcess &run, const QString &dir, const QString &channels) {
        run.setProcessEnvironment(environment);
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(IPGEN_BINARY,
                  {"generate",
                   "--device",
                   Device,
                   "--dir",
                   root.filePath(dir),
                   "--set",
                   "NumberOfChannels=" + channels});
    };
    const auto channels = [&](const QString &dir) {
        return QSettings(root.filePath(dir + "/dds_ii.ipc"), QSettings::IniFormat)
                .value("Config/NumberOfChannels")
                .toString();
    };
    QProcess first, second;
    const auto release = qScopeGuard([&] {
        writeFile(root.filePath("release"), "");
        first.waitForFinished();
        second.waitForFinished();
    });
    start(first, "out", "2");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(root.filePath("out/temp/dds_ii/started")), 60000);
    const QMap<QString, QByteArray> firstFiles = snapshot(root.filePath("out"));
    start(second, secondDir, "4");
    if (secondDir == "out") {
        QVERIFY(second.waitForFinished());
        QCOMPARE(snapshot(root.filePath("out")), firstFiles);
    } else {
        // Both are in the synthesis at once.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(root.filePath("other/temp/dds_ii/started")), 60000);
        QVERIFY(first.state() == QProcess::Running);
        QCOMPARE(channels("other"), QString("4"));
    }
    writeFile(root.filePath("release"), "");
    QVERIFY(first.waitForFinished());
    QVERIFY(second.state() == QProcess::NotRunning || second.waitForFinished());
    QVERIFY(QString(first.readAll()).contains("ERROR: released"));
    QCOMPARE(second.exitCode(), secondExit);
    const QString secondOutput = second.readAll();
    QVERIFY2(secondOutput.contains(secondMessage), qPrintable(secondOutput));
    QCOMPARE(channels("out"), QString("2"));
}

void tst_Faults::dialogKeepsSettings_data()
{
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("message");

    // Both run without Yosys on the PATH.
    QTest::newRow("output folder under a file") << "under a file"
                                                << "is a file: choose another directory";
    QTest::newRow("Yosys missing") << "folder"
                                   << "needs Yosys";
}

void tst_Faults::dialogKeepsSettings()
{
    QFETCH(QString, place);
    QFETCH(QString, message);

    QTemporaryDir root;
    QString out = root.filePath("out");
    if (place == "under a file") {
        QVERIFY(writeFile(root.filePath("blocker"), ""));
        out = root.filePath("blocker/out");
    }
    EnvironmentVariable path("PATH", searchPath("missing", root.filePath("bin")));
    IPCore::MessageBoxAnswerer answerer;
    HostRecorder host;
    IPCore::MessageRecorder recorder;
    auto *dialog = new Dialog(DialogDriver::info());
    DialogDriver driver(dialog);
    dialog->allowOverwrite();
    driver.edit("outputDir")->setText(out);
    QVERIFY(driver.choose("numOfChannels", "4"));
    driver.type("freq1", "3.5");

    dialog->accept();
    if (auto *runner = dialog->findChild<IPCore::SynthesisHelper *>()) {
        QSignalSpy done(runner, &IPCore::SynthesisHelper::finished);
        QVERIFY(done.wait(60000));
    }
    QVERIFY2(recorder.messages().join('\n').contains(message),
             qPrintable(recorder.messages().join('\n')));
    QVERIFY(dialog->result() != QDialog::Accepted);
    QCOMPARE(driver.find<QComboBox>("numOfChannels")->currentText(), QString("4"));
    QCOMPARE(driver.edit("freq1")->text(), QString("3.5"));
    QVERIFY(!QFile::exists(out + "/dds_ii.v"));
}

QTEST_MAIN(tst_Faults)
#include "tst_faults.moc"
