#include "dialogfixture.h"
#include "hostrecorder.h"
#include "messageboxanswerer.h"
#include "messagerecorder.h"
#include "workedexample.h"

#include <QCheckBox>
#include <QDir>
#include <QMessageBox>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
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
/// message box answered and recorded.
struct Session
{
    explicit Session(const QString &device = "RQ3B/RQ4K-01")
        : driver(new IPDDSYN::dds2dlg(dialogInfo()))
    {
        dialog()->setCreating(dir.path(), DEV::DeviceCatalogue::find(device));
    }

    IPDDSYN::dds2dlg *dialog() const { return driver.dialog(); }
    QString work(const QString &name = QString()) const
    {
        return dir.path() + "/temp/dds_ii" + (name.isEmpty() ? QString() : "/" + name);
    }
    bool makeWorkingDirectory() const { return QDir().mkpath(work()); }
    void check(const QString &button, bool on = true) const
    {
        QAbstractButton *b = driver.button(button);
        if (b->isChecked() != on)
            b->click();
    }
    void setOutputDirectory(const QString &path) const { driver.edit("outputDir")->setText(path); }
    QStringList defines() const { return fileLines(work("dds_ii_top_defines.vh")); }

    QTemporaryDir dir;
    MessageBoxAnswerer answerer;
    IPCore::MessageRecorder recorder;
    DialogDriver driver;
};

// The worked example's settings.
void setUpExample(const Session &s)
{
    QVERIFY(s.driver.choose("cfgOptions", "Phase Generator and SIN COS LUT"));
    QVERIFY(s.driver.choose("numOfChannels", "1"));
    QVERIFY(s.driver.choose("paraSelection", "System Parameters"));
    s.driver.type("sysClk", "100");
    s.driver.type("freqResolution", "1");
    s.driver.type("SFDR", "72");
    QVERIFY(s.driver.choose("NS_sys", "None"));
    s.check("fixed_inc");
    s.check("none_off");
    s.check("sinAndcos");
    s.check("hasPhaseOut");
    s.check("channelIDOut", false);
    s.check("resync", false);
    QVERIFY(s.driver.choose("latency", "14"));
    s.driver.edit("freq0")->setText("1");
    s.driver.edit("phase0")->setText("0");
}

QMap<QString, QVariant> configGroup(const QString &path)
{
    QSettings file(path, QSettings::IniFormat);
    file.beginGroup("Config");
    QMap<QString, QVariant> map;
    for (const QString &key : file.childKeys())
        map.insert(key, file.value(key));
    return map;
}

void writeConfig(const QString &path,
                 const QVariant &version,
                 const QMap<QString, QVariant> &options)
{
    QSettings file(path, QSettings::IniFormat);
    if (version.isValid())
        file.setValue("version", version);
    file.beginGroup("Config");
    for (auto it = options.cbegin(); it != options.cend(); ++it)
        file.setValue(it.key(), it.value());
    file.endGroup();
    file.sync();
}

} // namespace

class tst_Generation : public QObject
{
    Q_OBJECT
private slots:
    void workedExample();
    void tableFile_data();
    void tableFile();
    void deviceGroups_data();
    void deviceGroups();
    void hardwareMode();
    void generatorOnlyWritesNoTable();
    void missingWorkingDirectory();
    void unwritableOutputDirectory();
    void blockedWorkingDirectory();
    void errorBoxLooksTheSame();
    void validation_data();
    void validation();
    void acceptStops_data();
    void acceptStops();
    void configRoundTrip();
    void rejectedVersions_data();
    void rejectedVersions();
    void missingKeys_data();
    void missingKeys();
    void unknownParameterModeWritesNoTable();
};

void tst_Generation::workedExample()
{
    Session s;
    setUpExample(s);
    QVERIFY(s.makeWorkingDirectory());
    QVERIFY(s.dialog()->generateCoreFiles());
    QCOMPARE(s.recorder.messages(), QStringList());

    const QStringList expected = workedExampleLines("RQ3B");
    const QStringList lines = s.defines();
    QCOMPARE(lines.size(), 47);
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(lines.at(i), expected.at(i));
    QCOMPARE(fileLines(s.work("top_define.vh")), QStringList{"`define module_name dds_ii_top"});
    const QStringList table = fileLines(s.work("cos_sin_lut.dat"));
    QCOMPARE(table.size(), 512);
    QCOMPARE(table.last(), QString("5a75a7"));
    QVERIFY(QFileInfo::exists(s.dir.filePath("dds_ii.ipc")));
}

void tst_Generation::tableFile_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("P");
    QTest::addColumn<int>("T");
    QTest::addColumn<QStringList>("expected"); // all lines, or first and last of many
    QTest::addColumn<int>("count");
    QTest::newRow("W=8 N=16") << 8 << 20 << 16 << QStringList{"3074", "5959"} << 2;
    QTest::newRow("W=12 N=64") << 12 << 27 << 21 << QStringList{"c97f4", "5a75a7"} << 8;
    QTest::newRow("W=16 N=256") << 16 << 8 << 0 << QStringList{"3247ff4", "5a815a81"} << 32;
    QTest::newRow("N=8 holds entry 1") << 8 << 13 << 10 << QStringList{"5959"} << 1;
    QTest::newRow("N=4 holds entry 0") << 8 << 2 << 0 << QStringList{"7e"} << 1;
    QTest::newRow("N=2 holds entry 0") << 12 << 1 << 0 << QStringList{"7fe"} << 1;
}

void tst_Generation::tableFile()
{
    QFETCH(int, W);
    QFETCH(int, P);
    QFETCH(int, T);
    QFETCH(QStringList, expected);
    QFETCH(int, count);
    Session s;
    QVERIFY(s.makeWorkingDirectory());
    // A second generation replaces the file.
    QFile old(s.work("cos_sin_lut.dat"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(4096, 'x'));
    old.close();
    QVERIFY(s.dialog()->generateCosSinLutFile(W, P, T));
    const QStringList lines = fileLines(s.work("cos_sin_lut.dat"));
    QCOMPARE(lines.size(), count);
    QCOMPARE(lines.first(), expected.first());
    QCOMPARE(lines.last(), expected.last());
    for (const QString &line : lines)
        QVERIFY2(!line.startsWith('0') && line == line.toLower(), qPrintable(line));
}

void tst_Generation::deviceGroups_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("family");
    QTest::newRow("group A") << "RQ9C/RQ9C-50"
                             << "Nimbra";
    QTest::newRow("group B series") << "RQ3H/RQ3H-60"
                                    << "RQ3B";
    QTest::newRow("group B device") << "RQ3B/RQ4K-01"
                                    << "RQ3B";
    QTest::newRow("group C series") << "RQ6D/RQ6D-85"
                                    << "RQ6A";
    QTest::newRow("group C device") << "RQ6A/RQ4K-09"
                                    << "RQ6A";
    QTest::newRow("other") << "RQ1A/RQ1A-01"
                           << "Other";
}

void tst_Generation::deviceGroups()
{
    QFETCH(QString, device);
    QFETCH(QString, family);
    Session s(device);
    QVERIFY(s.makeWorkingDirectory());
    QVERIFY(s.dialog()->generateCoreFiles());
    QCOMPARE(s.defines().first(), QString("`define DEFINE_FPGA_TYPE \"%1\"").arg(family));
    QSettings ipc(s.dir.filePath("dds_ii.ipc"), QSettings::IniFormat);
    QCOMPARE(ipc.value("target_device").toString(), DEV::DeviceCatalogue::find(device).id());
}

void tst_Generation::hardwareMode()
{
    Session s;
    QVERIFY(s.driver.choose("paraSelection", "Hardware Parameters"));
    QVERIFY(s.driver.choose("NS_hard", "Taylor Series Corrected"));
    s.driver.spin("phaseWidth")->setValue(48);
    s.driver.spin("outputWidth")->setValue(25);
    s.check("programmable_inc");
    s.check("programmable_off");
    s.driver.edit("freq0")->setText("147AE1");
    s.driver.edit("phase0")->setText("ff");
    QVERIFY(s.makeWorkingDirectory());
    QVERIFY(s.dialog()->generateCoreFiles());
    const QStringList lines = s.defines();
    const int phaseWidth = lines.indexOf("`define DEFINE_PHASE_WIDTH 48");
    QVERIFY(phaseWidth > 0);
    QCOMPARE(lines.mid(phaseWidth, 5),
             QStringList({"`define DEFINE_PHASE_WIDTH 48",
                          "`define DEFINE_OUTPUT_WIDTH 25",
                          "`define DEFINE_PHASE_DITHER \"NO\"",
                          "`define DEFINE_TAYLOR_CORR \"YES\"",
                          "`define DEFINE_TRUNC_WIDTH 34"}));
    QCOMPARE(lines.count("`define CONFIG_EN"), 1);
    QVERIFY(lines.contains("`define DEFINE_PINC0_INIT 48'h147AE1"));
    QVERIFY(lines.contains("`define DEFINE_POFF0_INIT 48'hff"));
    // 2^(48 - 34) entries: 2048 lines.
    QCOMPARE(fileLines(s.work("cos_sin_lut.dat")).size(), 2048);
}

void tst_Generation::generatorOnlyWritesNoTable()
{
    Session s;
    QVERIFY(s.driver.choose("cfgOptions", "Phase Generator Only"));
    s.check("sine");
    QVERIFY(s.makeWorkingDirectory());
    QVERIFY(s.dialog()->generateCoreFiles());
    const QStringList lines = s.defines();
    QCOMPARE(lines.last(), QString("`define DEFINE_FILENAME \"NULL\""));
    QVERIFY(!lines.contains("`define SINE_OUT"));
    QVERIFY(!QFileInfo::exists(s.work("cos_sin_lut.dat")));
}

void tst_Generation::missingWorkingDirectory()
{
    Session s;
    // The table file cannot be opened: the message, the configuration
    // written, no defines file.
    QVERIFY(!s.dialog()->generateCoreFiles());
    QCOMPARE(s.recorder.messages(), QStringList{"Error: Failed to generate data file."});
    QVERIFY(QFileInfo::exists(s.dir.filePath("dds_ii.ipc")));
    QVERIFY(!QFileInfo::exists(s.work("top_define.vh")));
    QVERIFY(!QFileInfo::exists(s.work("dds_ii_top_defines.vh")));

    // Without a table the host's writer reports the first defines file.
    QVERIFY(s.driver.choose("cfgOptions", "Phase Generator Only"));
    QVERIFY(!s.dialog()->generateCoreFiles());
    QCOMPARE(s.recorder.messages().size(), 2);
    QVERIFY2(s.recorder.messages().last().contains(s.work("top_define.vh")),
             qPrintable(s.recorder.messages().last()));
}

void tst_Generation::unwritableOutputDirectory()
{
    Session s;
    QFile plain(s.dir.filePath("plain"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    s.setOutputDirectory(s.dir.filePath("plain/out"));
    s.dialog()->accept();
    QCOMPARE(s.recorder.messages().size(), 1);
    QVERIFY2(s.recorder.messages().first().contains("is a file"),
             qPrintable(s.recorder.messages().first()));
    QCOMPARE(QDir(s.dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{"plain"});
    QVERIFY(!s.dialog()->isVisible() && s.dialog()->result() != QDialog::Accepted);
}

void tst_Generation::blockedWorkingDirectory()
{
    Session s;
    HostRecorder host(false);
    QFile blocker(s.dir.filePath("temp"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    s.dialog()->accept();
    QCOMPARE(host.summaries.size(), 1);
    QCOMPARE(host.summaries.first(), QString("Cannot create the working directory of DDS II."));
    QVERIFY(!QFileInfo::exists(s.dir.filePath("dds_ii.ipc")));
}

// The generator's own error box: title, pictures, a single OK button, over the dialog.
void tst_Generation::errorBoxLooksTheSame()
{
    Session s;
    s.driver.edit("freq0")->setText("");
    QMessageBox *seen = nullptr;
    bool checked = false;
    QTimer::singleShot(0, [&] {
        seen = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(seen);
        QCOMPARE(seen->windowTitle(), QString("Error"));
        QCOMPARE(seen->text(), QString("There is empty data in the 1 line."));
        QCOMPARE(seen->icon(), QMessageBox::NoIcon);
        QVERIFY(!seen->iconPixmap().isNull());
        QVERIFY(!seen->windowIcon().isNull());
        QCOMPARE(seen->buttons().size(), 1);
        QCOMPARE(seen->standardButton(seen->buttons().first()), QMessageBox::Ok);
        QCOMPARE(seen->parentWidget(), s.dialog());
        checked = true;
    });
    QVERIFY(!s.dialog()->checkInputData());
    QVERIFY(checked);
}

void tst_Generation::validation_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("channels");
    QTest::addColumn<QStringList>("entries"); // name=text
    QTest::addColumn<QString>("message");
    QTest::newRow("fine") << "System Parameters"
                          << "4" << QStringList{"freq0=1", "freq1=24.999", "freq2=0", "freq3=2"}
                          << "";
    QTest::newRow("frequency at the channel rate")
            << "System Parameters"
            << "4" << QStringList{"freq0=1", "freq1=25", "freq2=1", "freq3=1"}
            << "There is an error in the 2 line of Output Freqency(MHz).";
    QTest::newRow("empty entry beyond the count ignored")
            << "System Parameters"
            << "2" << QStringList{"freq0=1", "freq1=1", "freq5="} << "";
    QTest::newRow("empty row 3 and bad phase row 1")
            << "System Parameters"
            << "4" << QStringList{"freq0=1", "freq1=1", "freq2=", "freq3=1", "phase0=1"}
            << "There is an error in the 1 line of Phase Offset Angle(*2 pi Radians).";
    QTest::newRow("empty entry in row 3")
            << "System Parameters"
            << "4" << QStringList{"freq0=1", "freq1=1", "freq2=", "freq3=1"}
            << "There is empty data in the 3 line.";
    QTest::newRow("hardware beyond the phase width")
            << "Hardware Parameters"
            << "1" << QStringList{"freq0=FFFFFFFFFFFF"}
            << "There is an error in the 1 line of Phase Increment Value(Hex).";
}

void tst_Generation::validation()
{
    QFETCH(QString, mode);
    QFETCH(QString, channels);
    QFETCH(QStringList, entries);
    QFETCH(QString, message);
    Session s;
    QVERIFY(s.driver.choose("paraSelection", mode));
    QVERIFY(s.driver.choose("numOfChannels", channels));
    // Offsets fixed so that the phase column counts; the table rules run
    // before the entries are typed.
    s.check("fixed_off");
    for (int i = 0; i < 16; ++i)
        s.driver.edit(QString("phase%1").arg(i))->setText("0");
    for (const QString &entry : entries)
        s.driver.edit(entry.section('=', 0, 0))->setText(entry.section('=', 1));
    QCOMPARE(s.dialog()->checkInputData(), message.isEmpty());
    QCOMPARE(s.recorder.messages(),
             message.isEmpty() ? QStringList() : QStringList{"Error: " + message});
}

void tst_Generation::acceptStops_data()
{
    QTest::addColumn<QString>("module");
    QTest::addColumn<QString>("freq0");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("workingDirectory");
    QTest::newRow("module name is a keyword") << "entity"
                                              << "1"
                                              << "Error: The module name \"entity\"" << false;
    QTest::newRow("empty channel entry") << "dds_top"
                                         << ""
                                         << "Error: There is empty data in the 1 line." << true;
}

void tst_Generation::acceptStops()
{
    QFETCH(QString, module);
    QFETCH(QString, freq0);
    QFETCH(QString, message);
    QFETCH(bool, workingDirectory);
    Session s;
    s.dialog()->uiSetModuleName(module);
    s.driver.edit("freq0")->setText(freq0);
    s.dialog()->accept();
    QCOMPARE(s.recorder.messages().size(), 1);
    QVERIFY2(s.recorder.messages().first().startsWith(message),
             qPrintable(s.recorder.messages().first()));
    QCOMPARE(QFileInfo::exists(s.work()), workingDirectory);
    QVERIFY(!QFileInfo::exists(s.dir.filePath("dds_ii.ipc")));
    if (workingDirectory)
        QCOMPARE(QDir(s.work()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void tst_Generation::configRoundTrip()
{
    Session first;
    const DialogDriver &d = first.driver;
    QVERIFY(d.choose("numOfChannels", "4"));
    QVERIFY(d.choose("paraSelection", "Hardware Parameters"));
    QVERIFY(d.choose("NS_hard", "Phase Dithering"));
    d.spin("phaseWidth")->setValue(30);
    d.spin("outputWidth")->setValue(14);
    first.check("streaming_inc");
    first.check("resync");
    first.check("programmable_off");
    first.check("cosine");
    first.check("hasPhaseOut", false);
    first.check("channelIDOut");
    first.check("checkDisableIOInsertion", !d.button("checkDisableIOInsertion")->isChecked());
    QVERIFY(d.choose("latency", "11"));
    for (int i = 0; i < 16; ++i)
        d.edit(QString("phase%1").arg(i))->setText(QString::number(0x10 + i, 16).toUpper());
    d.edit("freq3")->setText("abc");
    first.dialog()->uiSetSynthesisTool("Synplify Pro");
    first.dialog()->uiSetLanguageIndex(1);
    first.dialog()->uiSetModuleName("my_dds");
    QVERIFY(first.makeWorkingDirectory());
    QVERIFY(first.dialog()->generateCoreFiles());
    const QString ipc = first.dir.filePath("dds_ii.ipc");
    const QMap<QString, QVariant> written = configGroup(ipc);
    QCOMPARE(written.size(), 53);
    QCOMPARE(written.value("resync").toString(), QString("true"));
    QCOMPARE(written.value("PhaseIncrementProgrammability").toString(), QString("streaming_inc"));
    QCOMPARE(written.value("channel4_column1").toString(), QString("abc"));
    QSettings header(ipc, QSettings::IniFormat);
    QCOMPARE(header.value("version").toString(), QString("1.0"));
    QCOMPARE(header.value("type").toString(), QString("dds_ii"));
    QCOMPARE(header.value("module").toString(), QString("my_dds"));

    // Opening restores every widget: writing again gives the same options.
    IPDDSYN::dds2dlg second(dialogInfo());
    QVERIFY(second.setOpening(ipc, QString()));
    QCOMPARE(second.moduleName(), QString("my_dds"));
    QVERIFY(QFile::remove(ipc));
    QVERIFY(second.generateCoreFiles());
    const QMap<QString, QVariant> rewritten = configGroup(ipc);
    for (auto it = written.cbegin(); it != written.cend(); ++it)
        QCOMPARE(rewritten.value(it.key()).toString() + " " + it.key(),
                 it.value().toString() + " " + it.key());
    QCOMPARE(first.recorder.messages(), QStringList());
}

void tst_Generation::rejectedVersions_data()
{
    QTest::addColumn<QVariant>("version");
    QTest::newRow("1.1") << QVariant("1.1");
    QTest::newRow("1.0.0") << QVariant("1.0.0");
    QTest::newRow("empty") << QVariant("");
    QTest::newRow("absent") << QVariant();
}

void tst_Generation::rejectedVersions()
{
    QFETCH(QVariant, version);
    QTemporaryDir dir;
    const QString path = dir.filePath("old.ipc");
    writeConfig(path,
                version,
                {{"NumberOfChannels", "8"}, {"ConfiguationOptions", "SIN COS LUT Only"}});
    MessageBoxAnswerer answerer;
    IPCore::MessageRecorder recorder;
    IPDDSYN::dds2dlg other(dialogInfo());
    QVERIFY(!other.setOpening(path, QString()));
    QCOMPARE(recorder.messages(),
             QStringList{"Error: This version of specified IP Config file is incompatible with "
                         "current IP Core Generator."});
    // The widgets keep what initialize gave them.
    QCOMPARE(other.findChild<QComboBox *>("numOfChannels")->currentText(), QString("1"));
    QCOMPARE(other.findChild<QComboBox *>("cfgOptions")->currentIndex(), 0);
}

void tst_Generation::missingKeys_data()
{
    QTest::addColumn<bool>("withGroup");
    QTest::addColumn<QString>("missing");
    QTest::newRow("no Disable_IO_Insertion") << true << "Disable_IO_Insertion";
    QTest::newRow("no NumberOfChannels") << true << "NumberOfChannels";
    QTest::newRow("no PhaseWidth") << true << "PhaseWidth";
    QTest::newRow("no Output radio key") << true << "Output";
    QTest::newRow("no Config group") << false << "";
}

void tst_Generation::missingKeys()
{
    QFETCH(bool, withGroup);
    QFETCH(QString, missing);
    Session s;
    s.check("checkDisableIOInsertion", false);
    s.check("sinAndcos");
    QVERIFY(s.driver.choose("paraSelection", "Hardware Parameters"));
    s.driver.spin("phaseWidth")->setValue(40);
    QVERIFY(s.makeWorkingDirectory());
    QVERIFY(s.dialog()->generateCoreFiles());
    const QString path = s.dir.filePath("dds_ii.ipc");
    QMap<QString, QVariant> options = configGroup(path);
    QVERIFY(options.remove(missing) == (missing.isEmpty() ? 0 : 1));
    QFile::remove(path);
    writeConfig(path, "1.0", withGroup ? options : QMap<QString, QVariant>());

    IPDDSYN::dds2dlg opened(dialogInfo());
    QVERIFY(opened.setOpening(path, QString()));
    const auto combo = [&](const char *name) { return opened.findChild<QComboBox *>(name); };
    const auto button = [&](const char *name) { return opened.findChild<QAbstractButton *>(name); };
    const QSpinBox *phaseWidth = opened.findChild<QSpinBox *>("phaseWidth");
    // Stored unchecked; a missing key counts as checked.
    QCOMPARE(button("checkDisableIOInsertion")->isChecked(),
             !withGroup || missing == "Disable_IO_Insertion");
    if (!withGroup) {
        QCOMPARE(combo("cfgOptions")->currentIndex(), -1);
        QCOMPARE(combo("numOfChannels")->currentIndex(), -1);
        QCOMPARE(opened.findChild<QLineEdit *>("sysClk")->text(), QString());
        return;
    }
    QCOMPARE(combo("numOfChannels")->currentIndex(), missing == "NumberOfChannels" ? -1 : 0);
    QCOMPARE(phaseWidth->value(), missing == "PhaseWidth" ? phaseWidth->minimum() : 40);
    // A missing radio key picks the group's first button.
    QCOMPARE(button("sine")->isChecked(), missing == "Output");
    QCOMPARE(button("sinAndcos")->isChecked(), missing != "Output");
}

// A mode the list does not offer (an edited file) leaves no widths to build
// the table from: reported, and no defines file claims a table.
void tst_Generation::unknownParameterModeWritesNoTable()
{
    Session s;
    QVERIFY(s.makeWorkingDirectory());
    QVERIFY(s.dialog()->generateCoreFiles());
    const QString path = s.dir.filePath("dds_ii.ipc");
    QMap<QString, QVariant> options = configGroup(path);
    options["ParameterSelection"] = "Expert Parameters";
    QVERIFY(QFile::remove(path));
    QVERIFY(QFile::remove(s.work("dds_ii_top_defines.vh")));
    writeConfig(path, "1.0", options);

    IPDDSYN::dds2dlg opened(dialogInfo());
    QVERIFY(opened.setOpening(path, QString()));
    QCOMPARE(opened.findChild<QComboBox *>("paraSelection")->currentIndex(), -1);
    QVERIFY(!opened.generateCoreFiles());
    QCOMPARE(s.recorder.messages(), QStringList{"Error: Failed to generate data file."});
    QVERIFY(!QFileInfo::exists(s.work("dds_ii_top_defines.vh")));
}

QTEST_MAIN(tst_Generation)
#include "tst_generation.moc"
