// ipgen generate: a core generated, replaced and reopened; then the faults
// that users and shared machines cause, each ending with a clear message and
// nothing that was complete before lost or replaced by a half-written file.
#include "environmentvariable.h"
#include "toolrun.h"

#include <QDirIterator>
#include <QLockFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

/// Runs ipgen generate; its exit code, with everything it printed in `output`.
int ipgen(const QStringList &args, QString &output)
{
    return runTool(IPGEN_BINARY, QStringList{"generate"} + args, QDir::tempPath(), &output);
}

const char Device[] = "RQ3B/RQ4K-01";

// Stand-ins for Yosys, by what they do.
QByteArray standIn(const QString &behaviour)
{
    if (behaviour == "fails")
        return "#!/bin/sh\necho 'ERROR: the stand-in refuses the design'\nexit 3\n";
    if (behaviour == "is killed")
        return "#!/bin/sh\nkill -9 $$\n";
    return "#!/bin/sh\nexec sleep 300\n";
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

} // namespace

class tst_GenerateCommand : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void generatesAndReopens();
    void batch_data();
    void batch();
    void refusedCalls_data();
    void refusedCalls();

private:
    QTemporaryDir m_base;
    QByteArray m_config; // a configuration file as the generator writes it
};

void tst_GenerateCommand::initTestCase()
{
    // A run whose synthesis fails has written the configuration file.
    QVERIFY(writeFile(m_base.filePath("bin/yosys"), standIn("fails"), true));
    EnvironmentVariable path("PATH", m_base.filePath("bin").toUtf8());
    runTool(IPGEN_BINARY, {"generate", "--device", Device, "--dir", "first"}, m_base.path());
    m_config = readFile(m_base.filePath("first/dds_ii.ipc")).toUtf8();
    QVERIFY(m_config.contains("version=1.0"));
}

void tst_GenerateCommand::batch_data()
{
    // "; "-separated: the output folder ("under a file", "small disk", "full disk", "in use" by
    // another generation, "other folder in use"; else a new one), "yosys missing" or a stand-in for
    // Yosys, "config EDIT" to start from a configuration.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const auto row = [](const char *name, QString setup, QStringList args, int code, QString text) {
        QTest::newRow(name) << setup << args << code << text;
    };
    const QString incompatible = "This version of specified IP Config file is incompatible";
    const QStringList lut{"--set", "ConfiguationOptions=Phase Generator Only"};
    const QStringList wide{"--set",
                           "ParameterSelection=Hardware Parameters",
                           "--set",
                           "PhaseWidth=32",
                           "--set",
                           "OutputWidth=16"};
    row("output folder under a file", "under a file", {}, 1, "is a file: choose another directory");
    row("disk full at the configuration file",
        "full disk; config as written",
        {},
        1,
        "Cannot write the configuration file");
    row("disk full at the table", "small disk; config as written", wide, 1, "Failed to generate");
    row("disk full at the netlist", "small disk; config as written", {}, 1, "is full");
    row("output folder in use", "in use", {}, 1, "another generation (process");
    row("another folder in use", "other folder in use", lut, 0, "dds_ii.v");
    row("Yosys missing", "yosys missing", {}, 1, "VeltoSynthesis needs Yosys, which is not on");
    row("Yosys fails", "yosys fails", {}, 1, "ERROR: the stand-in refuses the design");
    row("Yosys killed", "yosys is killed", {}, 1, "stopped unexpectedly");
    row("Yosys hangs", "yosys hangs", {}, 1, "did not finish within 2 s");
    row("plug-in without data", "", {"--plugins", "plugins"}, 1, "HDL sources of the core are");
    row("wrong version", "config version=1.1", {}, 1, incompatible);
    row("binary garbage", "config garbage", {}, 1, incompatible);
    row("huge clock", "config SystemClock=1e308", {}, 1, "is \"1e308\", outside 0.01 to 500 MHz");
    row("huge width", "config PhaseWidth=99999999999999999999", lut, 0, "dds_ii.v");
    row("value the list does not offer",
        "config NumberOfChannels=17",
        {},
        1,
        "\"NumberOfChannels\" has no choice");
    row("list item not offered",
        "",
        {"--set", "NumberOfChannels=17"},
        1,
        "Option \"NumberOfChannels\": \"17\" is not offered; choose one of \"1\", \"2\"");
    row("channel entry out of range",
        "",
        {"--set", "channel1_column1=200"},
        1,
        "There is an error in the 1 line of Output Freqency(MHz).");
    row("unknown tool", "", {"--tool", "Quartz"}, 1, "Synthesis tool \"Quartz\" is unknown");
    row("thousands of keys", "config thousands of keys", lut, 0, "dds_ii.v");
    row("file name with spaces", "", lut + QStringList{"--file", "my dds"}, 0, "my dds.v");
    row("file name non-ASCII", "", lut + QStringList{"--file", "größe"}, 0, "größe.v");
    row("file name of 1,000 characters", "", {"--file", QString(1000, 'f')}, 1, "is 1000 bytes");
    row("module name non-ASCII", "", {"--module", "größe"}, 1, "not a legal Verilog and VHDL");
    row("module name a Verilog keyword", "", {"--module", "module"}, 1, "is a Verilog keyword");
    row("module name of 1,000 characters",
        "",
        lut + QStringList{"--module", QString(1000, 'm')},
        0,
        "dds_ii.v");
}

void tst_GenerateCommand::batch()
{
    QFETCH(QString, setup);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QString place, config, yosys;
    for (const QString &part : setup.split("; ", Qt::SkipEmptyParts)) {
        if (part.startsWith("config "))
            config = part.mid(7);
        else if (part.startsWith("yosys "))
            yosys = part.mid(6);
        else
            place = part;
    }
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
    // A generation in progress holds its folder's lock, and only that folder's.
    std::unique_ptr<QLockFile> lock;
    if (place.endsWith("in use")) {
        const QString held = place == "in use" ? out : root.filePath("other");
        QVERIFY(QDir().mkpath(held));
        lock = std::make_unique<QLockFile>(held + "/.ipgen.lock");
        QVERIFY(lock->tryLock());
    }
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
        QVERIFY(writeFile(root.filePath("bin/yosys"), standIn(yosys), true));
    EnvironmentVariable path("PATH", searchPath(yosys, root.filePath("bin")));
    EnvironmentVariable timeout("IPGEN_SYNTHESIS_TIMEOUT",
                                yosys == "hangs" ? QByteArray("2") : QByteArray());
    const QMap<QString, QByteArray> before = snapshot(root.path());

    QString output;
    QCOMPARE(runTool(IPGEN_BINARY, command + args, root.path(), &output), exitCode);
    QVERIFY2(output.contains(message), qPrintable(output));
    QVERIFY(exitCode != 1 || place == "in use"
            || output.contains("ipgen generate: dds_ii was not generated:"));
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

// A wrong call is refused with a message that says what to do, before a dialog
// opens or a file is written.
void tst_GenerateCommand::refusedCalls_data()
{
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    // The tag is the call given to env, "ipgen" standing for the built binary.
    QTest::newRow("ipgen create --device XX/YY --dir /tmp/x")
            << 2 << "unknown device \"XX/YY\"; 'ipgen devices'";
    QTest::newRow("ipgen create --dir /tmp/x")
            << 2 << "both --device SERIES/DEVICE and --dir DIR are needed";
    QTest::newRow("ipgen create --device RQ3B/RQ4K-01 --dir ipgen")
            << 2 << "is a file; --dir needs a directory";
    QTest::newRow("ipgen create --device RQ3B/RQ4K-01 --dir /tmp/x --core nco")
            << 1 << "no core \"nco\" among the plug-ins (found: dds_ii)";
    QTest::newRow("ipgen create --device RQ1A/RQ1A-01 --dir /tmp/x")
            << 1 << "core \"dds_ii\" does not support device RQ1A/RQ1A-01";
    QTest::newRow("ipgen create --colour red") << 2 << "'ipgen create --help' lists the options";
    QTest::newRow("-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ipgen create --device "
                  "RQ3B/RQ4K-01 --dir /tmp/x")
            << 2 << "needs a display";
    QTest::newRow("ipgen open") << 2 << "name exactly one configuration file (.ipc)";
    QTest::newRow("ipgen open /nonexistent/dds_ii.ipc")
            << 2 << "\"/nonexistent/dds_ii.ipc\" does not exist";
    QTest::newRow("ipgen open ipgen --device RQ3B/none") << 2 << "unknown device \"RQ3B/none\"";
    QTest::newRow("ipgen generate --device RQ3B/RQ4K-01") << 2 << "--dir is required";
    QTest::newRow("ipgen generate --dir /tmp/x") << 2 << "--device is required";
    QTest::newRow("ipgen generate --device RQ0/X --dir /tmp/x") << 2 << "unknown device \"RQ0/X\"";
    QTest::newRow("ipgen generate --device RQ3B/RQ4K-01 --dir /tmp/x --set Latency")
            << 2 << "--set \"Latency\" is not KEY=VALUE";
    QTest::newRow("ipgen generate /nonexistent.ipc --dir /tmp/x")
            << 2 << "\"/nonexistent.ipc\" does not exist";
    QTest::newRow("ipgen generate --device RQ3B/RQ4K-01 --dir /tmp/x --language c")
            << 2 << "--language takes verilog or vhdl";
}

void tst_GenerateCommand::refusedCalls()
{
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QStringList call
            = QString(QTest::currentDataTag()).replace("ipgen", IPGEN_BINARY).split(' ');
    QString output;
    QCOMPARE(runTool("env", call, QDir::currentPath(), &output), exitCode);
    QVERIFY2(output.contains(message) && !output.contains("wrote"), qPrintable(output));
}

QTEST_GUILESS_MAIN(tst_GenerateCommand)
#include "tst_generatecommand.moc"
