#include "cossinlut.h"
#include "dialogfixture.h"
#include "hostrecorder.h"
#include "messageboxanswerer.h"
#include "messagerecorder.h"

#include <QDir>
#include <QLoggingCategory>
#include <QMessageBox>
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
/// message box and host error answered and recorded.
struct Session
{
    explicit Session(const QString &device = "RQ3B/RQ4K-01")
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
        if (driver.button(button)->isChecked() != on)
            driver.button(button)->click();
    }
    QString ipc() const { return dir.filePath("dds_ii.ipc"); }

    QTemporaryDir dir;
    HostRecorder host;
    MessageBoxAnswerer answerer;
    IPCore::MessageRecorder recorder;
    DialogDriver driver;
};

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
    QFile::remove(path);
    QSettings file(path, QSettings::IniFormat);
    if (version.isValid())
        file.setValue("version", version);
    file.beginGroup("Config");
    for (auto it = options.cbegin(); it != options.cend(); ++it)
        file.setValue(it.key(), it.value());
}

int tableMessages = 0;
QtMessageHandler otherMessages = nullptr;

void countTableMessages(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (qstrcmp(context.category, "dds2.table") == 0)
        ++tableMessages;
    else
        otherMessages(type, context, text);
}

} // namespace

class tst_Generation : public QObject
{
    Q_OBJECT
private slots:
    void workedExample();
    void tableFile_data();
    void tableFile();
    void missingWorkingDirectory();
    void validation_data();
    void validation();
    void acceptStops_data();
    void acceptStops();
    void configRoundTrip();
    void editedConfig_data();
    void editedConfig();
};

// One 1 MHz channel of a 100 MHz clock, 1 Hz resolution, 72 dB.
void tst_Generation::workedExample()
{
    Session s;
    const DialogDriver &d = s.driver;
    QVERIFY(d.choose("cfgOptions", "Phase Generator and SIN COS LUT"));
    QVERIFY(d.choose("numOfChannels", "1"));
    QVERIFY(d.choose("paraSelection", "System Parameters"));
    d.type("sysClk", "100");
    d.type("freqResolution", "1");
    d.type("SFDR", "72");
    QVERIFY(d.choose("NS_sys", "None"));
    for (const char *on : {"fixed_inc", "none_off", "sinAndcos", "hasPhaseOut"})
        s.check(on);
    s.check("channelIDOut", false);
    s.check("resync", false);
    QVERIFY(d.choose("latency", "14"));
    d.edit("freq0")->setText("1");
    d.edit("phase0")->setText("0");
    QVERIFY(s.makeWorkingDirectory());
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
    const QStringList lines = fileLines(s.work("dds_ii_top_defines.vh"));
    QCOMPARE(lines.size(), expected.size());
    for (int i = 0; i < lines.size(); ++i)
        QCOMPARE(lines.at(i), expected.at(i));
    QCOMPARE(fileLines(s.work("top_define.vh")), QStringList{"`define module_name dds_ii_top"});
    const QStringList table = fileLines(s.work("cos_sin_lut.dat"));
    QCOMPARE(table.size(), 512);
    QCOMPARE(table.last(), QString("5a75a7"));
}

void tst_Generation::tableFile_data()
{
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("P");
    QTest::addColumn<int>("T");
    QTest::newRow("W=16 N=256") << 16 << 8 << 0;
    QTest::newRow("N=8 holds entry 1") << 8 << 13 << 10;
    QTest::newRow("N=2 holds entry 0") << 12 << 1 << 0;
}

// The file replaces an older one, a word a line in lower-case hex without
// leading zeros; the table diagnostics stay silent unless their category is
// enabled, then log the widths, every packed entry and every word but the last.
void tst_Generation::tableFile()
{
    QFETCH(int, W);
    QFETCH(int, P);
    QFETCH(int, T);
    Session s;
    QVERIFY(s.makeWorkingDirectory());
    QFile old(s.work("cos_sin_lut.dat"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(4096, 'x'));
    old.close();
    tableMessages = 0;
    otherMessages = qInstallMessageHandler(countTableMessages);
    const bool quiet = s.dialog()->generateCosSinLutFile(W, P, T);
    const int quietMessages = tableMessages;
    QLoggingCategory::setFilterRules("dds2.table.debug=true");
    const bool logged = s.dialog()->generateCosSinLutFile(W, P, T);
    QLoggingCategory::setFilterRules(QString());
    qInstallMessageHandler(otherMessages);
    QVERIFY(quiet && logged);
    QCOMPARE(quietMessages, 0);
    QStringList words;
    for (quint64 word : IPDDSYN::Generation::cosSinLutWords(W, P, T))
        words << QString::number(word, 16);
    QCOMPARE(tableMessages, 1 + (1 << (P - T)) / 2 + words.size() - 1);
    QCOMPARE(fileLines(s.work("cos_sin_lut.dat")), words);
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

    // Once it exists, a generator without a table names no table file.
    QVERIFY(s.makeWorkingDirectory());
    QVERIFY(s.dialog()->generateCoreFiles());
    QCOMPARE(fileLines(s.work("dds_ii_top_defines.vh")).last(),
             QString("`define DEFINE_FILENAME \"NULL\""));
    QVERIFY(!QFileInfo::exists(s.work("cos_sin_lut.dat")));
}

// The dialog hands the table check its mode, clock, channel count, phase
// width, headings and which columns are in use, and shows a fault in the
// generator's own error box.
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
    s.check(offset);
    // The table rules run before the entries are typed.
    for (int i = 0; i < 4; ++i) {
        s.driver.edit(QString("freq%1").arg(i))->setText("1");
        s.driver.edit(QString("phase%1").arg(i))->setText("0");
    }
    for (const QString &entry : entries)
        s.driver.edit(entry.section('=', 0, 0))->setText(entry.section('=', 1));
    bool boxSeen = false;
    QTimer::singleShot(0, s.dialog(), [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QVERIFY(!box->iconPixmap().isNull() && !box->windowIcon().isNull());
        QCOMPARE(box->standardButtons(), QMessageBox::Ok);
        QCOMPARE(box->parentWidget(), s.dialog());
        boxSeen = true;
    });
    QCOMPARE(s.dialog()->checkInputData(), message.isEmpty());
    QCOMPARE(s.recorder.messages(),
             message.isEmpty() ? QStringList() : QStringList{"Error: " + message});
    QCOMPARE(boxSeen, !message.isEmpty());
}

// OK stops at the first problem, says so once and leaves no configuration.
void tst_Generation::acceptStops_data()
{
    // file:NAME makes a file in the output directory, dir:PATH moves the
    // output directory below it; module:NAME and freq0:TEXT fill those in.
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("workingDirectory");
    QTest::newRow("output directory below a file")
            << QStringList{"file:plain", "dir:plain/out"} << "plain\" is a file" << false;
    QTest::newRow("module name is a keyword")
            << QStringList{"module:entity"} << "Error: The module name \"entity\"" << false;
    QTest::newRow("working directory blocked by a file")
            << QStringList{"file:temp"} << "Cannot create the working directory of DDS II."
            << false;
    QTest::newRow("empty channel entry")
            << QStringList{"freq0:"} << "Error: There is empty data in the 1 line." << true;
}

void tst_Generation::acceptStops()
{
    QFETCH(QStringList, setup);
    QFETCH(QString, message);
    QFETCH(bool, workingDirectory);
    Session s;
    QString blocker;
    for (const QString &step : setup) {
        const QString value = step.section(':', 1);
        if (step.startsWith("file:")) {
            QFile file(s.dir.filePath(blocker = value));
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else if (step.startsWith("dir:")) {
            s.driver.edit("outputDir")->setText(s.dir.filePath(value));
        } else if (step.startsWith("module:")) {
            s.dialog()->uiSetModuleName(value);
        } else {
            s.driver.edit("freq0")->setText(value);
        }
    }
    s.dialog()->accept();
    QCOMPARE(s.recorder.messages().size(), 1);
    QVERIFY2(s.recorder.messages().first().contains(message),
             qPrintable(s.recorder.messages().first()));
    QCOMPARE(s.dialog()->result(), int(QDialog::Rejected));
    // Nothing written: no configuration, at most an empty working directory.
    QStringList left = QDir(s.dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    left.removeOne(blocker);
    QCOMPARE(left, workingDirectory ? QStringList{"temp"} : QStringList());
    if (workingDirectory)
        QCOMPARE(QDir(s.work()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
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
    d.spin("phaseWidth")->setValue(30);
    d.spin("outputWidth")->setValue(14);
    for (const char *on : {"streaming_inc", "resync", "programmable_off", "cosine", "channelIDOut"})
        first.check(on);
    first.check("hasPhaseOut", false);
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
    const QMap<QString, QVariant> written = configGroup(first.ipc());
    QCOMPARE(written.size(), 53);
    QCOMPARE(written.value("resync").toString(), QString("true"));
    QCOMPARE(written.value("PhaseIncrementProgrammability").toString(), QString("streaming_inc"));
    QCOMPARE(written.value("channel4_column1").toString(), QString("abc"));
    QSettings header(first.ipc(), QSettings::IniFormat);
    QCOMPARE(header.value("version").toString(), QString("1.0"));
    QCOMPARE(header.value("type").toString(), QString("dds_ii"));
    QCOMPARE(header.value("module").toString(), QString("my_dds"));
    QCOMPARE(header.value("target_device").toString(), QString("RQ4K01-BG256"));
    // The hardware widths and noise shaping reach the defines and the table.
    const QStringList lines = fileLines(first.work("dds_ii_top_defines.vh"));
    const int phaseWidth = lines.indexOf("`define DEFINE_PHASE_WIDTH 30");
    QVERIFY(phaseWidth > 0);
    QCOMPARE(lines.mid(phaseWidth + 1, 4),
             QStringList({"`define DEFINE_OUTPUT_WIDTH 14",
                          "`define DEFINE_PHASE_DITHER \"YES\"",
                          "`define DEFINE_TAYLOR_CORR \"NO\"",
                          "`define DEFINE_TRUNC_WIDTH 18"}));
    QVERIFY(lines.contains("`define DEFINE_POFF0_INIT 30'h10"));
    QCOMPARE(fileLines(first.work("cos_sin_lut.dat")).size(), (1 << 12) / 8);

    IPDDSYN::dds2dlg second(dialogInfo());
    QVERIFY(second.setOpening(first.ipc(), QString()));
    QCOMPARE(second.moduleName(), QString("my_dds"));
    QVERIFY(QFile::remove(first.ipc()));
    QVERIFY(second.generateCoreFiles());
    const QMap<QString, QVariant> rewritten = configGroup(first.ipc());
    for (auto it = written.cbegin(); it != written.cend(); ++it)
        QCOMPARE(it.key() + "=" + rewritten.value(it.key()).toString(),
                 it.key() + "=" + it.value().toString());
    QCOMPARE(first.recorder.messages(), QStringList());
}

// A configuration file edited by hand: another version is refused and
// changes nothing; a missing key leaves its widget at a defined state.
void tst_Generation::editedConfig_data()
{
    QTest::addColumn<QVariant>("version");
    QTest::addColumn<QString>("missing"); // a key of the Config group, or the group itself
    for (const char *version : {"1.1", "1.0.0", ""})
        QTest::newRow(qPrintable(QString("version \"%1\"").arg(version)))
                << QVariant(version) << QString();
    QTest::newRow("no version") << QVariant() << QString();
    for (const char *key :
         {"Disable_IO_Insertion", "NumberOfChannels", "PhaseWidth", "Output", "Config"})
        QTest::newRow(qPrintable(QString("no %1").arg(key))) << QVariant("1.0") << QString(key);
}

void tst_Generation::editedConfig()
{
    QFETCH(QVariant, version);
    QFETCH(QString, missing);
    Session s;
    s.check("checkDisableIOInsertion", false);
    s.check("sinAndcos");
    QVERIFY(s.driver.choose("paraSelection", "Hardware Parameters"));
    s.driver.spin("phaseWidth")->setValue(40);
    QVERIFY(s.makeWorkingDirectory());
    QVERIFY(s.dialog()->generateCoreFiles());
    QMap<QString, QVariant> options = configGroup(s.ipc());
    QCOMPARE(options.remove(missing), missing.isEmpty() || missing == "Config" ? 0 : 1);
    writeConfig(s.ipc(), version, missing == "Config" ? QMap<QString, QVariant>() : options);

    IPDDSYN::dds2dlg opened(dialogInfo());
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
    QCOMPARE(combo("numOfChannels")->currentIndex(), missing == "NumberOfChannels" ? -1 : 0);
    QCOMPARE(phaseWidth->value(), missing == "PhaseWidth" ? phaseWidth->minimum() : 40);
    // A missing radio key picks the group's first button.
    QCOMPARE(button("sine")->isChecked(), missing == "Output");
    QCOMPARE(button("sinAndcos")->isChecked(), missing != "Output");
}

QTEST_MAIN(tst_Generation)
#include "tst_generation.moc"
