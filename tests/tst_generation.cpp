#include "devicecatalogue.h"
#include "dialogdriver.h"
#include "environmentvariable.h"
#include "hostrecorder.h"
#include "messageboxanswerer.h"
#include "messagerecorder.h"
#include "synthesishelper.h"
#include "toolrun.h"

#include <QDir>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QStringList fileLines(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {"<missing " + path + ">"};
    const QByteArray text = file.readAll();
    if (!text.endsWith('\n'))
        return {"<unterminated " + path + ">"};
    return QString::fromUtf8(text.left(text.size() - 1)).split('\n');
}

/// A new dds_ii dialog generating into a temporary directory, with every
/// message box and host error answered and recorded.
struct Session
{
    Session() { dialog()->setCreating(dir.path(), DEV::DeviceCatalogue::find("RQ3B/RQ4K-01")); }

    IPDDSYN::dds2dlg *dialog() const { return driver.dialog(); }
    QString work(const QString &name) const { return dir.path() + "/temp/dds_ii/" + name; }
    bool makeWorkingDirectory() const { return QDir().mkpath(work(QString())); }
    QString ipc() const { return dir.filePath("dds_ii.ipc"); }

    QTemporaryDir dir;
    HostRecorder host;
    IPCore::MessageBoxAnswerer answerer;
    IPCore::MessageRecorder recorder;
    DialogDriver driver;
};

} // namespace

class tst_Generation : public QObject
{
    Q_OBJECT
private slots:
    void workedExample();
    void missingWorkingDirectory();
    void validation_data();
    void validation();
    void acceptStops_data();
    void acceptStops();
    void configRoundTrip();
    void editedConfig_data();
    void editedConfig();
};

// One 1 MHz channel of a 100 MHz clock, 1 Hz resolution, 72 dB, replacing a
// longer table file.
void tst_Generation::workedExample()
{
    Session s;
    QVERIFY(writeFile(s.work("cos_sin_lut.dat"), QByteArray(4096, 'x')));
    const DialogDriver &d = s.driver;
    QVERIFY(d.choose("cfgOptions", "Phase Generator and SIN COS LUT"));
    QVERIFY(d.choose("numOfChannels", "1"));
    QVERIFY(d.choose("paraSelection", "System Parameters"));
    d.type("sysClk", "100");
    d.type("freqResolution", "1");
    d.type("SFDR", "72");
    QVERIFY(d.choose("NS_sys", "None"));
    for (const char *on : {"fixed_inc", "none_off", "sinAndcos", "hasPhaseOut"})
        s.driver.check(on);
    s.driver.check("channelIDOut", false);
    s.driver.check("resync", false);
    QVERIFY(d.choose("latency", "14"));
    d.edit("freq0")->setText("1");
    d.edit("phase0")->setText("0");
    QVERIFY(s.dialog()->generateCoreFiles());
    QCOMPARE(s.recorder.messages(), QStringList());

    QStringList expected{"`define DEFINE_FPGA_TYPE \"RQ3B\"",
                         "`define DEFINE_WORKMODE 0",
                         "`define DEFINE_CH_NUM 1",
                         "`define DEFINE_OUTPUT_WIDTH 12",
                         "`define DEFINE_PHASE_WIDTH 27",
                         "`define DEFINE_PHASE_DITHER \"NO\"",
                         "`define DEFINE_TAYLOR_CORR \"NO\"",
                         "`define DEFINE_TRUNC_WIDTH 15",
                         "`define DEFINE_PINC_TYPE \"Fixed\"",
                         "`define DEFINE_POFF_TYPE \"None\"",
                         "`define SINE_OUT",
                         "`define COSSINE_OUT",
                         "`define PHASE_OUT",
                         "`define DEFINE_DELAY 7",
                         "`define DEFINE_PINC0_INIT 27'h147ae1",
                         "`define DEFINE_POFF0_INIT 27'h0"};
    for (const char *digit :
         {"1", "2", "3", "4", "5", "6", "7", "8", "9", "A", "B", "C", "D", "E", "F"})
        expected << QString("`define DEFINE_PINC%1_INIT 27'h0").arg(digit)
                 << QString("`define DEFINE_POFF%1_INIT 27'h0").arg(digit);
    expected << "`define DEFINE_FILENAME \"cos_sin_lut.dat\"";
    QCOMPARE(fileLines(s.work("dds_ii_top_defines.vh")), expected);
    QCOMPARE(fileLines(s.work("top_define.vh")), QStringList{"`define module_name dds_ii_top"});
    const QStringList table = fileLines(s.work("cos_sin_lut.dat"));
    QCOMPARE(table.size(), 512);
    QCOMPARE(table.first() + ' ' + table.last(), QString("37fe 5a75a7"));
}

void tst_Generation::missingWorkingDirectory()
{
    Session s;
    // Without the working directory the table file cannot be written: the
    // message, the configuration written, no defines file.
    QVERIFY(!s.dialog()->generateCoreFiles());
    QCOMPARE(s.recorder.messages(), QStringList{"Error: Failed to generate data file."});
    QVERIFY(QFileInfo::exists(s.ipc()));
    QVERIFY(!QFileInfo::exists(s.work("top_define.vh")));
    QVERIFY(!QFileInfo::exists(s.work("dds_ii_top_defines.vh")));

    // Without a table the first defines file is the one reported.
    QVERIFY(s.driver.choose("cfgOptions", "Phase Generator Only"));
    QVERIFY(!s.dialog()->generateCoreFiles());
    QCOMPARE(s.recorder.messages().size(), 2);
    QVERIFY2(s.recorder.messages().last().contains(s.work("top_define.vh")),
             qPrintable(s.recorder.messages().last()));
}

// The dialog hands the table check its mode, clock, channel count, phase
// width, headings and which columns are in use, and reports a fault.
void tst_Generation::validation_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("offset");
    QTest::addColumn<QStringList>("entries"); // name=text
    QTest::addColumn<QString>("message");
    const QString sys = "System Parameters";
    const QString rangeError = "There is an error in the %1 line of %2.";
    QTest::newRow("at clock over channels") << sys << "fixed_off" << QStringList{"freq1=25"}
                                            << rangeError.arg(2).arg("Output Freqency(MHz)");
    QTest::newRow("phase of a full turn")
            << sys << "fixed_off" << QStringList{"phase2=1"}
            << rangeError.arg(3).arg("Phase Offset Angle(*2 pi Radians)");
    QTest::newRow("no offset leaves phases unchecked")
            << sys << "none_off" << QStringList{"phase0=5"} << QString();
    QTest::newRow("hardware beyond the phase width")
            << QString("Hardware Parameters") << "fixed_off" << QStringList{"freq0=FFFFFFFFFFFF"}
            << rangeError.arg(1).arg("Phase Increment Value(Hex)");
}

void tst_Generation::validation()
{
    QFETCH(QString, mode);
    QFETCH(QString, offset);
    QFETCH(QStringList, entries);
    QFETCH(QString, message);
    Session s;
    QVERIFY(s.driver.choose("paraSelection", mode));
    QVERIFY(s.driver.choose("numOfChannels", "4"));
    s.driver.check(offset);
    // The table rules run before the entries are typed.
    for (int i = 0; i < 4; ++i) {
        s.driver.edit(QString("freq%1").arg(i))->setText("1");
        s.driver.edit(QString("phase%1").arg(i))->setText("0");
    }
    for (const QString &entry : entries)
        s.driver.edit(entry.section('=', 0, 0))->setText(entry.section('=', 1));
    QCOMPARE(s.dialog()->checkInputData(), message.isEmpty());
    QCOMPARE(s.recorder.messages(),
             message.isEmpty() ? QStringList() : QStringList{"Error: " + message});
}

// OK stops at the first problem, says so once, keeps what was entered and
// writes nothing; without Yosys the core files are written but no netlist.
void tst_Generation::acceptStops_data()
{
    QTest::addColumn<QString>("file");      // made in the output directory first
    QTest::addColumn<QString>("outputDir"); // below the first one; empty keeps it
    QTest::addColumn<QString>("module");
    QTest::addColumn<bool>("yosys");
    QTest::addColumn<QString>("message");
    QTest::newRow("output directory below a file")
            << QString("plain") << "plain/out" << QString() << true << "plain\" is a file";
    QTest::newRow("module name is a keyword")
            << QString() << QString() << "entity" << true << "Error: The module name \"entity\"";
    QTest::newRow("working directory blocked by a file")
            << "temp" << QString() << QString() << true
            << "Cannot create the working directory of DDS II.";
    QTest::newRow("Yosys missing") << QString() << QString() << QString() << false << "needs Yosys";
}

void tst_Generation::acceptStops()
{
    QFETCH(QString, file);
    QFETCH(QString, outputDir);
    QFETCH(QString, module);
    QFETCH(bool, yosys);
    QFETCH(QString, message);
    Session s;
    const EnvironmentVariable path("PATH", yosys ? QByteArray() : s.dir.filePath("bin").toUtf8());
    if (!file.isEmpty())
        QVERIFY(writeFile(s.dir.filePath(file), QByteArray()));
    if (!outputDir.isEmpty())
        s.driver.edit("outputDir")->setText(s.dir.filePath(outputDir));
    if (!module.isEmpty())
        s.dialog()->uiSetModuleName(module);
    QVERIFY(s.driver.choose("numOfChannels", "4"));
    s.driver.type("freq1", "3.5");
    s.dialog()->accept();
    if (auto *runner = s.dialog()->findChild<IPCore::SynthesisHelper *>()) {
        QSignalSpy done(runner, &IPCore::SynthesisHelper::finished);
        QVERIFY(done.wait(60000));
    }
    QCOMPARE(s.recorder.messages().size(), 1);
    QVERIFY2(s.recorder.messages().first().contains(message),
             qPrintable(s.recorder.messages().first()));
    QCOMPARE(s.dialog()->result(), int(QDialog::Rejected));
    QCOMPARE(s.driver.find<QComboBox>("numOfChannels")->currentText(), QString("4"));
    QCOMPARE(s.driver.edit("freq1")->text(), QString("3.5"));
    QVERIFY(!QFileInfo::exists(s.dir.filePath("dds_ii.v")));
    if (yosys)
        QCOMPARE(QDir(s.dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 file.isEmpty() ? QStringList() : QStringList{file});
}

// Opening a written configuration restores every widget: writing it again
// gives the same options.
void tst_Generation::configRoundTrip()
{
    Session first;
    const DialogDriver &d = first.driver;
    QVERIFY(d.choose("numOfChannels", "4"));
    QVERIFY(d.choose("paraSelection", "Hardware Parameters"));
    QVERIFY(d.choose("NS_hard", "Phase Dithering"));
    d.find<QSpinBox>("phaseWidth")->setValue(30);
    d.find<QSpinBox>("outputWidth")->setValue(14);
    for (const char *on : {"streaming_inc", "resync", "programmable_off", "cosine", "channelIDOut"})
        first.driver.check(on);
    first.driver.check("hasPhaseOut", false);
    first.driver.check("checkDisableIOInsertion",
                       !d.button("checkDisableIOInsertion")->isChecked());
    QVERIFY(d.choose("latency", "11"));
    for (int i = 0; i < 16; ++i)
        d.edit(QString("phase%1").arg(i))->setText(QString::number(0x10 + i, 16).toUpper());
    d.edit("freq3")->setText("abc");
    first.dialog()->uiSetSynthesisTool("Synplify Pro");
    first.dialog()->uiSetLanguageIndex(1);
    first.dialog()->uiSetModuleName("my_dds");
    QVERIFY(first.makeWorkingDirectory());
    QVERIFY(first.dialog()->generateCoreFiles());
    QSettings written(first.ipc(), QSettings::IniFormat);
    written.beginGroup("Config");
    QCOMPARE(written.childKeys().size(), 53);
    written.endGroup();
    QCOMPARE(written.value("version").toString(), QString("1.0"));
    QCOMPARE(written.value("type").toString(), QString("dds_ii"));
    QCOMPARE(written.value("module").toString(), QString("my_dds"));
    QCOMPARE(written.value("target_device").toString(), QString("RQ4K01-BG256"));
    // The hardware widths and noise shaping reach the defines and the table.
    const QString defines = readFile(first.work("dds_ii_top_defines.vh"));
    for (const char *line : {"PHASE_WIDTH 30\n",
                             "OUTPUT_WIDTH 14\n",
                             "PHASE_DITHER \"YES\"\n",
                             "TAYLOR_CORR \"NO\"\n",
                             "TRUNC_WIDTH 18\n",
                             "POFF0_INIT 30'h10\n"})
        QVERIFY2(defines.contains(QString("`define DEFINE_") + line), qPrintable(defines));
    QCOMPARE(fileLines(first.work("cos_sin_lut.dat")).size(), (1 << 12) / 8);

    const QStringList text = fileLines(first.ipc());
    IPDDSYN::dds2dlg second(DialogDriver::info());
    QVERIFY(second.setOpening(first.ipc(), QString()));
    QVERIFY(QFile::remove(first.ipc()));
    QVERIFY(second.generateCoreFiles());
    QCOMPARE(fileLines(first.ipc()), text);
    QCOMPARE(first.recorder.messages(), QStringList());
}

// A configuration file edited by hand: another version is refused and
// changes nothing; a missing key leaves its widget at a defined state.
void tst_Generation::editedConfig_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("missing"); // a key of the Config group, or the group itself
    QTest::newRow("version 1.1") << "1.1" << QString();
    for (const char *key : {"Disable_IO_Insertion", "Output", "Config"})
        QTest::newRow(qPrintable(QString("no %1").arg(key))) << "1.0" << QString(key);
}

void tst_Generation::editedConfig()
{
    QFETCH(QString, version);
    QFETCH(QString, missing);
    Session s;
    s.driver.check("checkDisableIOInsertion", false);
    s.driver.check("sinAndcos");
    QVERIFY(s.driver.choose("paraSelection", "Hardware Parameters"));
    s.driver.find<QSpinBox>("phaseWidth")->setValue(40);
    QVERIFY(s.makeWorkingDirectory());
    QVERIFY(s.dialog()->generateCoreFiles());
    {
        QSettings file(s.ipc(), QSettings::IniFormat);
        if (!missing.isEmpty()) {
            QVERIFY(missing == "Config" || file.contains("Config/" + missing));
            file.remove(missing == "Config" ? missing : "Config/" + missing);
        }
        file.setValue("version", version);
    }

    IPDDSYN::dds2dlg opened(DialogDriver::info());
    const bool accepted = opened.setOpening(s.ipc(), QString());
    const auto combo = [&](const char *name) { return opened.findChild<QComboBox *>(name); };
    const auto button = [&](const char *name) { return opened.findChild<QAbstractButton *>(name); };
    const QSpinBox *phaseWidth = opened.findChild<QSpinBox *>("phaseWidth");
    if (version != "1.0") {
        QVERIFY(!accepted);
        QCOMPARE(s.recorder.messages(),
                 QStringList{"Error: This version of specified IP Config file is incompatible "
                             "with current IP Core Generator."});
        QCOMPARE(combo("paraSelection")->currentText(), QString("System Parameters"));
        QVERIFY(phaseWidth->value() != 40);
        return;
    }
    QVERIFY(accepted);
    // Stored unchecked; a missing key counts as checked.
    QCOMPARE(button("checkDisableIOInsertion")->isChecked(),
             missing == "Disable_IO_Insertion" || missing == "Config");
    if (missing == "Config") {
        QCOMPARE(combo("cfgOptions")->currentIndex(), -1);
        QCOMPARE(combo("numOfChannels")->currentIndex(), -1);
        QCOMPARE(opened.findChild<QLineEdit *>("sysClk")->text(), QString());
        return;
    }
    QCOMPARE(phaseWidth->value(), 40);
    // A missing radio key picks the group's first button.
    QCOMPARE(button("sine")->isChecked(), missing == "Output");
    QCOMPARE(button("sinAndcos")->isChecked(), missing != "Output");
}

QTEST_MAIN(tst_Generation)
#include "tst_generation.moc"
