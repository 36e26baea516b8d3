#include "baseipcoreinterface.h"
#include "batchjob.h"
#include "hostrecorder.h"
#include "ipcore.h"
#include "ipgendialog.h"
#include "messageboxanswerer.h"
#include "messagerecorder.h"
#include "synthesishelper.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QRegExpValidator>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QtTest>

namespace {

/// A generator dialog with one widget of each kind the options address,
/// named after its option. Its accept() does what the test asks: finish,
/// fail with a box, fail later as a synthesis run does, or stop.
class FixtureDialog : public IPCore::IPGenDialog
{
    Q_OBJECT
public:
    enum Outcome { Finish, FailWithBox, FailWithHostError, StopSilently };

    explicit FixtureDialog(Outcome outcome = Finish)
        : m_outcome(outcome)
    {
        auto *page = new QWidget(this);
        auto *layout = new QVBoxLayout(page);
        auto *mode = add<QComboBox>(layout, "Mode");
        auto *locked = add<QComboBox>(layout, "Locked list");
        for (QComboBox *combo : {mode, locked})
            combo->addItems({"Fast", "Small"});
        locked->setEnabled(false);
        auto *clock = add<QLineEdit>(layout, "Clock");
        clock->setText("100");
        clock->setValidator(new QRegExpValidator(QRegExp("^\\d{1,3}$"), clock));
        add<QSpinBox>(layout, "Width")->setRange(4, 25);
        add<QCheckBox>(layout, "Enable");
        add<QCheckBox>(layout, "Locked")->setEnabled(false);
        auto *group = add<QGroupBox>(layout, "Output");
        auto *groupLayout = new QVBoxLayout(group);
        for (const char *name : {"sine", "cosine", "both"}) {
            auto *radio = new QRadioButton(group);
            radio->setObjectName(name);
            groupLayout->addWidget(radio);
        }
        group->findChild<QRadioButton *>("sine")->setChecked(true);
        group->findChild<QRadioButton *>("both")->setEnabled(false);
        add<QLabel>(layout, "Rate")->setText("100MHz");
        uiAddTab(page, "Options");
        connect(clock, &QLineEdit::editingFinished, this, [this] { ++editsFinished; });
    }

    void initialize() override {}
    bool loadConfigFile(const QString &) override { return true; }

    void accept() override
    {
        ++accepts;
        if (m_outcome == Finish) {
            done(QDialog::Accepted);
        } else if (m_outcome == FailWithBox) {
            QMessageBox(
                    QMessageBox::NoIcon, "Error", "Rpeat define in defines.", QMessageBox::Ok, this)
                    .exec();
        } else if (m_outcome == FailWithHostError) {
            new IPCore::SynthesisHelper(this);
            QTimer::singleShot(10, this, [] {
                IPCore::showErrorMsgs("Core generation occur errors.", {"yosys failed"});
            });
        }
    }

    /// What the option's widget shows.
    QString shown(const QString &option) const
    {
        QWidget *w = findChild<QWidget *>(option);
        if (auto *combo = qobject_cast<QComboBox *>(w))
            return combo->currentText();
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            return edit->text();
        if (auto *spin = qobject_cast<QSpinBox *>(w))
            return QString::number(spin->value());
        if (auto *check = qobject_cast<QCheckBox *>(w))
            return check->isChecked() ? "true" : "false";
        for (QRadioButton *radio : w->findChildren<QRadioButton *>()) {
            if (radio->isChecked())
                return radio->objectName();
        }
        return static_cast<QLabel *>(w)->text();
    }

    int accepts = 0;
    int editsFinished = 0;

private:
    template<typename W>
    W *add(QLayout *layout, const char *option)
    {
        auto *widget = new W;
        widget->setObjectName(option);
        widget->setProperty("ipOption", QString(option));
        layout->addWidget(widget);
        return widget;
    }

    Outcome m_outcome;
};

/// A core whose dialog is the fixture, for the scripted entry points.
class FixtureCore : public TE::TE_IPCore_Def::BaseIPCoreInterface
{
public:
    FixtureDialog::Outcome outcome = FixtureDialog::Finish;

    void createCore(const QString &dir, const DEV::DeviceArg &device) override
    {
        FixtureDialog dialog(outcome);
        dialog.setCreating(dir, device);
        dialog.exec();
    }
    void openCore(const QString &, const QString &) override {}
    bool loadSpec() override { return true; }
    QString version() override { return "1.0"; }
    QString id() override { return "fixture"; }
    QString name() override { return "Fixture"; }
    QStringList category() override { return {}; }
    QString summary() override { return {}; }
    bool supportsDevice(const DEV::DeviceArg &) override { return true; }
};

} // namespace

class tst_IPGenDialogChecks : public QObject
{
    Q_OBJECT
private slots:
    void setProperty_data();
    void setProperty();
    void unknownOption();
    void fileOptions_data();
    void fileOptions();
    void existingFilesAreQuestioned_data();
    void existingFilesAreQuestioned();
    void batchExec_data();
    void batchExec();
    void scriptedCreate();
};

void tst_IPGenDialogChecks::setProperty_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("error"); // part of the error; empty: applied
    QTest::addColumn<QString>("shown"); // what the widget shows afterwards
    const auto row
            = [](const char *name, QString key, QString value, QString error, QString shown) {
                  QTest::newRow(name) << key << value << error << shown;
              };
    row("combo item", "Mode", "Small", "", "Small");
    row("combo item in other case", "Mode", "small", "\"Fast\", \"Small\"", "Fast");
    row("disabled combo", "Locked list", "Small", "stays \"Fast\" of \"Fast\", \"Small\"", "Fast");
    row("line edit", "Clock", "250", "", "250");
    row("line edit against validator", "Clock", "2.5", "not a valid entry", "100");
    row("spin box", "Width", "25", "", "25");
    row("spin box below range", "Width", "3", "4 to 25", "4");
    row("spin box above range", "Width", "26", "4 to 25", "4");
    row("spin box no number", "Width", "twelve", "4 to 25", "4");
    row("check box on", "Enable", "true", "", "true");
    row("check box bad value", "Enable", "maybe", "true or false", "false");
    row("disabled check box unchanged", "Locked", "false", "", "false");
    row("disabled check box changed", "Locked", "true", "cannot be changed", "false");
    row("radio by name", "Output", "cosine", "", "cosine");
    row("radio unknown", "Output", "tangent", "\"sine\", \"cosine\", \"both\"", "sine");
    row("radio disabled", "Output", "both", "cannot be chosen", "sine");
    row("label", "Rate", "200MHz", "read-only", "100MHz");
}

void tst_IPGenDialogChecks::setProperty()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, error);
    QFETCH(QString, shown);
    FixtureDialog dialog;
    QSignalSpy comboChanged(dialog.findChild<QComboBox *>("Mode"),
                            qOverload<int>(&QComboBox::currentIndexChanged));
    QSignalSpy toggled(dialog.findChild<QCheckBox *>("Enable"), &QCheckBox::toggled);
    QStringList errors;
    dialog.setProperty({{key, value}}, errors);
    QCOMPARE(errors.size(), error.isEmpty() ? 0 : 1);
    if (!error.isEmpty()) {
        QVERIFY2(errors.first().contains(error), qPrintable(errors.first()));
        QVERIFY2(errors.first().startsWith("Option \"" + key + "\": "), qPrintable(errors.first()));
    }
    QCOMPARE(dialog.shown(key), shown);
    // Applied as a user would: the change signals the rules listen to fire.
    QCOMPARE(comboChanged.count(), key == "Mode" && error.isEmpty() ? 1 : 0);
    QCOMPARE(toggled.count(), key == "Enable" && error.isEmpty() ? 1 : 0);
    QCOMPARE(dialog.editsFinished, key == "Clock" && error.isEmpty() ? 1 : 0);
}

void tst_IPGenDialogChecks::unknownOption()
{
    FixtureDialog dialog;
    QStringList errors;
    dialog.setProperty({{"Nope", "1"}, {"Width", "20"}}, errors);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains("\"Nope\": no such option; the options are \"Clock\", "
                                     "\"Enable\", \"LANG\", \"Locked\", \"Locked list\""),
             qPrintable(errors.first()));
    // The good option of the same map is applied all the same.
    QCOMPARE(dialog.shown("Width"), QString("20"));
}

void tst_IPGenDialogChecks::fileOptions_data()
{
    QTest::addColumn<QString>("dir"); // below a temporary directory holding the file "plain"
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("problems");
    QTest::newRow("fine") << "out" << QString("dds_ii") << 0;
    QTest::newRow("directory below a file") << "plain/out" << QString("dds_ii") << 1;
    QTest::newRow("file name with a directory") << "out" << QString("sub/dds") << 1;
    QTest::newRow("both wrong") << "plain" << QString() << 2;
}

void tst_IPGenDialogChecks::fileOptions()
{
    QFETCH(QString, dir);
    QFETCH(QString, file);
    QFETCH(int, problems);
    QTemporaryDir tmp;
    QFile plain(tmp.filePath("plain"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    FixtureDialog dialog;
    dialog.setCreating(tmp.filePath(dir), DEV::DeviceArg());
    dialog.uiSetDefaultFileName(file);
    QCOMPARE(dialog.checkFileOptions().size(), problems);
    // Checking creates nothing.
    QVERIFY(!QFileInfo::exists(tmp.filePath("out")));
}

void tst_IPGenDialogChecks::existingFilesAreQuestioned_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<bool>("asked");
    QTest::newRow("nothing there") << "" << false;
    QTest::newRow("other core's file") << "other.v" << false;
    for (const char *name : {"dds.v", "dds.vhd", "dds_tmp.v", "dds.vo", "dds.ipc"})
        QTest::newRow(name) << name << true;
}

void tst_IPGenDialogChecks::existingFilesAreQuestioned()
{
    QFETCH(QString, existing);
    QFETCH(bool, asked);
    QTemporaryDir tmp;
    QFile file(tmp.filePath(existing));
    QVERIFY(existing.isEmpty() || file.open(QIODevice::WriteOnly));
    FixtureDialog dialog;
    dialog.setCreating(tmp.path(), DEV::DeviceArg());
    dialog.uiSetDefaultFileName("dds");
    {
        // The answerer takes the default answer, which keeps the files.
        MessageBoxAnswerer answerer;
        IPCore::MessageRecorder recorder;
        QCOMPARE(dialog.checkFileExisting(), !asked);
        QCOMPARE(recorder.messages().size(), asked ? 1 : 0);
        if (asked)
            QVERIFY(recorder.messages().first().contains(tmp.filePath(existing)));
    }
    if (!asked)
        return;
    // Answering Yes allows the overwrite.
    QTimer::singleShot(0, [] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        box->button(QMessageBox::Yes)->click();
    });
    QVERIFY(dialog.checkFileExisting());
}

void tst_IPGenDialogChecks::batchExec_data()
{
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QStringList>("options"); // key=value
    QTest::addColumn<QString>("tool");
    QTest::addColumn<int>("accepts");
    QTest::addColumn<QString>("error"); // empty: accepted
    QTest::newRow("finishes") << int(FixtureDialog::Finish) << QStringList{"Width=20", "Mode=Small"}
                              << QString() << 1 << QString();
    QTest::newRow("bad option stops before OK")
            << int(FixtureDialog::Finish) << QStringList{"Width=20", "Width=30"} << QString() << 0
            << "Option \"Width\": \"30\" is outside";
    QTest::newRow("unknown tool stops before OK")
            << int(FixtureDialog::Finish) << QStringList{} << "Quartz" << 0 << "\"VeltoSynthesis\"";
    QTest::newRow("error box") << int(FixtureDialog::FailWithBox) << QStringList{} << QString() << 1
                               << "Error: Rpeat define in defines.";
    QTest::newRow("host error while synthesising")
            << int(FixtureDialog::FailWithHostError) << QStringList{} << QString() << 1
            << "Core generation occur errors.\n  yosys failed";
    QTest::newRow("silent stop does not hang") << int(FixtureDialog::StopSilently) << QStringList{}
                                               << QString() << 1 << "stopped without finishing";
}

void tst_IPGenDialogChecks::batchExec()
{
    QFETCH(int, outcome);
    QFETCH(QStringList, options);
    QFETCH(QString, tool);
    QFETCH(int, accepts);
    QFETCH(QString, error);
    HostRecorder services(true);
    MessageBoxAnswerer answerer;
    IPCore::BatchJob job(qApp);
    job.synthesisTool = tool;
    job.fileName = "custom";
    job.language = "VHDL";
    for (const QString &option : options)
        job.options << qMakePair(option.section('=', 0, 0), QVariant(option.section('=', 1)));
    FixtureDialog dialog{FixtureDialog::Outcome(outcome)};
    QTemporaryDir tmp;
    dialog.setCreating(tmp.path(), DEV::DeviceArg());
    QCOMPARE(dialog.exec() == QDialog::Accepted, error.isEmpty());
    QVERIFY(job.ran);
    QCOMPARE(job.accepted, error.isEmpty());
    QCOMPARE(dialog.accepts, accepts);
    QVERIFY2(error.isEmpty() ? job.errors.isEmpty() : job.errors.join('|').contains(error),
             qPrintable(job.errors.join('|')));
    if (error.isEmpty())
        QCOMPARE(dialog.shown("Width") + dialog.shown("Mode"), QString("20Small"));
    QCOMPARE(job.fileBaseName, QString("custom"));
    QCOMPARE(dialog.uiLanguageIndex(), 1);
    QCOMPARE(job.createPath, tmp.path());
    QVERIFY(!dialog.isVisible());
}

void tst_IPGenDialogChecks::scriptedCreate()
{
    FixtureCore core;
    QTemporaryDir tmp;
    QStringList errors;
    {
        HostRecorder interactive(false);
        QVERIFY(!core.createByTcl(tmp.path(), DEV::DeviceArg(), {}, errors));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains("batch mode"), qPrintable(errors.first()));
    }
    HostRecorder services(true);
    MessageBoxAnswerer answerer;
    errors.clear();
    QVERIFY(core.createByTcl(tmp.path(), DEV::DeviceArg(), {{"Width", 9}}, errors));
    QCOMPARE(errors, QStringList());
    // No job is left behind for a later dialog.
    QCOMPARE(IPCore::BatchJob::current(), nullptr);

    core.outcome = FixtureDialog::FailWithBox;
    QVERIFY(!core.createByTcl(tmp.path(), DEV::DeviceArg(), {}, errors));
    QCOMPARE(errors, QStringList({"Error: Rpeat define in defines."}));

    core.outcome = FixtureDialog::Finish;

    // A job the caller installed serves several runs; a run whose dialog
    // never ran does not pass for the one before.
    IPCore::BatchJob job(qApp);
    errors.clear();
    QVERIFY(core.createByTcl(tmp.path(), DEV::DeviceArg(), {}, errors));
    QVERIFY(!core.openByTcl(tmp.filePath("fixture.ipc"), QString(), {}, errors));
    QCOMPARE(errors, QStringList{"The core's dialog did not run."});
}

QTEST_MAIN(tst_IPGenDialogChecks)
#include "tst_ipgendialogchecks.moc"
