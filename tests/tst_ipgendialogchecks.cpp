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

template<typename W>
W *annotated(W *widget, const char *option)
{
    widget->setObjectName(option);
    widget->setProperty("ipOption", QString(option));
    return widget;
}

/// A generator dialog with one widget of each kind the options address. Its
/// accept() does what the test asks: finish, fail with a box, or stop.
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
        combo = annotated(new QComboBox, "Mode");
        combo->addItems({"Fast", "Small"});
        lockedCombo = annotated(new QComboBox, "Locked list");
        lockedCombo->addItems({"Fast", "Small"});
        lockedCombo->setEnabled(false);
        edit = annotated(new QLineEdit, "Clock");
        edit->setValidator(new QRegExpValidator(QRegExp("^\\d{1,3}$"), edit));
        spin = annotated(new QSpinBox, "Width");
        spin->setRange(4, 25);
        check = annotated(new QCheckBox, "Enable");
        disabledCheck = annotated(new QCheckBox, "Locked");
        disabledCheck->setEnabled(false);
        group = annotated(new QGroupBox, "Output");
        auto *groupLayout = new QVBoxLayout(group);
        for (const char *name : {"sine", "cosine", "both"}) {
            auto *radio = new QRadioButton(group);
            radio->setObjectName(name);
            groupLayout->addWidget(radio);
        }
        group->findChild<QRadioButton *>("sine")->setChecked(true);
        group->findChild<QRadioButton *>("both")->setEnabled(false);
        label = annotated(new QLabel("100MHz"), "Rate");
        for (QWidget *w : {static_cast<QWidget *>(combo),
                           static_cast<QWidget *>(edit),
                           static_cast<QWidget *>(spin),
                           static_cast<QWidget *>(check),
                           static_cast<QWidget *>(disabledCheck),
                           static_cast<QWidget *>(group),
                           static_cast<QWidget *>(label),
                           static_cast<QWidget *>(lockedCombo)})
            layout->addWidget(w);
        uiAddTab(page, "Options");
        connect(edit, &QLineEdit::editingFinished, this, [this] { ++editsFinished; });
    }

    void initialize() override {}
    bool loadConfigFile(const QString &) override { return true; }

    void accept() override
    {
        ++accepts;
        switch (m_outcome) {
        case Finish:
            done(QDialog::Accepted);
            break;
        case FailWithBox:
            QMessageBox(
                    QMessageBox::NoIcon, "Error", "Rpeat define in defines.", QMessageBox::Ok, this)
                    .exec();
            break;
        case FailWithHostError: {
            // As a synthesis run does: the runner reports later.
            auto *runner = new IPCore::SynthesisHelper(this);
            Q_UNUSED(runner)
            QTimer::singleShot(10, this, [] {
                IPCore::showErrorMsgs("Core generation occur errors.", {"yosys failed"});
            });
            break;
        }
        case StopSilently:
            break;
        }
    }

    QComboBox *combo;
    QComboBox *lockedCombo;
    QLineEdit *edit;
    QSpinBox *spin;
    QCheckBox *check;
    QCheckBox *disabledCheck;
    QGroupBox *group;
    QLabel *label;
    int accepts = 0;
    int editsFinished = 0;

private:
    Outcome m_outcome;
};

/// A core whose dialog is the fixture, for the scripted entry points.
class FixtureCore : public TE::TE_IPCore_Def::BaseIPCoreInterface
{
public:
    FixtureDialog::Outcome outcome = FixtureDialog::Finish;
    QString dir;

    void createCore(const QString &d, const DEV::DeviceArg &device) override
    {
        FixtureDialog dialog(outcome);
        dialog.setCreating(d, device);
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
    void setPropertyOnUnknownOption();
    void fileOptions_data();
    void fileOptions();
    void moduleName();
    void existingFilesAreQuestioned_data();
    void existingFilesAreQuestioned();
    void acceptCollectsReports();
    void batchExec_data();
    void batchExec();
    void scriptedCreate();
    void scriptedCreateNeedsBatchHost();
};

void tst_IPGenDialogChecks::setProperty_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("error"); // part of the error; empty: applied
    QTest::addColumn<QString>("shown"); // what the widget shows afterwards
    QTest::newRow("combo item") << "Mode"
                                << "Small"
                                << ""
                                << "Small";
    QTest::newRow("combo item in other case") << "Mode"
                                              << "small"
                                              << "\"Fast\", \"Small\""
                                              << "Fast";
    QTest::newRow("combo item missing") << "Mode"
                                        << "Tiny"
                                        << "not offered"
                                        << "Fast";
    QTest::newRow("disabled combo") << "Locked list"
                                    << "Small"
                                    << "stays \"Fast\" of \"Fast\", \"Small\""
                                    << "Fast";
    QTest::newRow("line edit") << "Clock"
                               << "250"
                               << ""
                               << "250";
    QTest::newRow("line edit against validator") << "Clock"
                                                 << "2.5"
                                                 << "not a valid entry"
                                                 << "100";
    QTest::newRow("line edit too long") << "Clock"
                                        << "1000"
                                        << "not a valid entry"
                                        << "100";
    QTest::newRow("spin box") << "Width"
                              << "25"
                              << ""
                              << "25";
    QTest::newRow("spin box below range") << "Width"
                                          << "3"
                                          << "4 to 25"
                                          << "12";
    QTest::newRow("spin box above range") << "Width"
                                          << "26"
                                          << "4 to 25"
                                          << "12";
    QTest::newRow("spin box no number") << "Width"
                                        << "twelve"
                                        << "4 to 25"
                                        << "12";
    QTest::newRow("check box on") << "Enable"
                                  << "true"
                                  << ""
                                  << "true";
    QTest::newRow("check box bad value") << "Enable"
                                         << "maybe"
                                         << "true or false"
                                         << "false";
    QTest::newRow("disabled check box unchanged") << "Locked"
                                                  << "false"
                                                  << ""
                                                  << "false";
    QTest::newRow("disabled check box changed") << "Locked"
                                                << "true"
                                                << "cannot be changed"
                                                << "false";
    QTest::newRow("radio by name") << "Output"
                                   << "cosine"
                                   << ""
                                   << "cosine";
    QTest::newRow("radio unknown") << "Output"
                                   << "tangent"
                                   << "\"sine\", \"cosine\", \"both\""
                                   << "sine";
    QTest::newRow("radio disabled") << "Output"
                                    << "both"
                                    << "cannot be chosen"
                                    << "sine";
    QTest::newRow("label") << "Rate"
                           << "200MHz"
                           << "read-only"
                           << "100MHz";
}

static QString shownBy(FixtureDialog &dialog, const QString &key)
{
    if (key == "Mode")
        return dialog.combo->currentText();
    if (key == "Locked list")
        return dialog.lockedCombo->currentText();
    if (key == "Clock")
        return dialog.edit->text();
    if (key == "Width")
        return QString::number(dialog.spin->value());
    if (key == "Enable")
        return dialog.check->isChecked() ? "true" : "false";
    if (key == "Locked")
        return dialog.disabledCheck->isChecked() ? "true" : "false";
    if (key == "Output") {
        for (QRadioButton *radio : dialog.group->findChildren<QRadioButton *>()) {
            if (radio->isChecked())
                return radio->objectName();
        }
        return {};
    }
    return dialog.label->text();
}

void tst_IPGenDialogChecks::setProperty()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, error);
    QFETCH(QString, shown);
    FixtureDialog dialog;
    dialog.edit->setText("100");
    dialog.spin->setValue(12);
    QSignalSpy comboChanged(dialog.combo, qOverload<int>(&QComboBox::currentIndexChanged));
    QSignalSpy toggled(dialog.check, &QCheckBox::toggled);
    QStringList errors;
    dialog.setProperty(QMap<QString, QVariant>{{key, value}}, errors);
    if (error.isEmpty()) {
        QCOMPARE(errors, QStringList());
    } else {
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().contains(error), qPrintable(errors.first()));
        QVERIFY2(errors.first().contains(key), qPrintable(errors.first()));
    }
    QCOMPARE(shownBy(dialog, key), shown);
    // Applied as a user would: the change signals the rules listen to fire.
    QCOMPARE(comboChanged.count(), key == "Mode" && error.isEmpty() ? 1 : 0);
    QCOMPARE(toggled.count(), key == "Enable" && error.isEmpty() ? 1 : 0);
    QCOMPARE(dialog.editsFinished, key == "Clock" && error.isEmpty() ? 1 : 0);
}

void tst_IPGenDialogChecks::setPropertyOnUnknownOption()
{
    FixtureDialog dialog;
    QStringList errors;
    dialog.setProperty({{"Nope", "1"}, {"Width", "20"}}, errors);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains("\"Nope\": no such option"), qPrintable(errors.first()));
    QVERIFY2(errors.first().contains("\"Clock\", \"Enable\""), qPrintable(errors.first()));
    // The good option of the same map is applied all the same.
    QCOMPARE(dialog.spin->value(), 20);
}

void tst_IPGenDialogChecks::fileOptions_data()
{
    QTest::addColumn<QString>("dir"); // relative to a temporary directory with a file "plain"
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("problems");
    QTest::newRow("fine") << "out"
                          << "dds_ii" << 0;
    QTest::newRow("directory below a file") << "plain/out"
                                            << "dds_ii" << 1;
    QTest::newRow("file name with a directory") << "out"
                                                << "sub/dds" << 1;
    QTest::newRow("both wrong") << "plain"
                                << "" << 2;
}

void tst_IPGenDialogChecks::fileOptions()
{
    QFETCH(QString, dir);
    QFETCH(QString, file);
    QFETCH(int, problems);
    QTemporaryDir tmp;
    QFile plain(tmp.filePath("plain"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    FixtureDialog dialog;
    dialog.setCreating(tmp.filePath(dir), DEV::DeviceArg());
    dialog.uiSetDefaultFileName(file);
    const QStringList found = dialog.checkFileOptions();
    QCOMPARE(found.size(), problems);
    // Checking creates nothing.
    QVERIFY(!QFileInfo::exists(tmp.filePath("out")));
}

void tst_IPGenDialogChecks::moduleName()
{
    MessageBoxAnswerer answerer;
    IPCore::MessageRecorder recorder;
    FixtureDialog dialog;
    dialog.uiSetModuleName("dds_top");
    QVERIFY(dialog.checkModuleName());
    QCOMPARE(recorder.messages(), QStringList());
    dialog.uiSetModuleName("entity");
    QVERIFY(!dialog.checkModuleName());
    QCOMPARE(recorder.messages().size(), 1);
    QVERIFY2(recorder.messages().first().startsWith("Error: The module name \"entity\""),
             qPrintable(recorder.messages().first()));
}

void tst_IPGenDialogChecks::existingFilesAreQuestioned_data()
{
    QTest::addColumn<QString>("existing");
    QTest::addColumn<bool>("asked");
    QTest::newRow("nothing there") << "" << false;
    QTest::newRow("other core's file") << "other.v" << false;
    QTest::newRow("netlist") << "dds.v" << true;
    QTest::newRow("VHDL wrapper") << "dds.vhd" << true;
    QTest::newRow("temporary netlist") << "dds_tmp.v" << true;
    QTest::newRow("simulation model") << "dds.vo" << true;
    QTest::newRow("configuration") << "dds.ipc" << true;
}

void tst_IPGenDialogChecks::existingFilesAreQuestioned()
{
    QFETCH(QString, existing);
    QFETCH(bool, asked);
    QTemporaryDir tmp;
    if (!existing.isEmpty()) {
        QFile file(tmp.filePath(existing));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
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

void tst_IPGenDialogChecks::acceptCollectsReports()
{
    MessageBoxAnswerer answerer;
    FixtureDialog failing(FixtureDialog::FailWithBox);
    QStringList errors{"earlier"};
    static_cast<IPCore::IPGenDialog &>(failing).accept(errors);
    QCOMPARE(failing.accepts, 1);
    QCOMPARE(errors, QStringList({"earlier", "Error: Rpeat define in defines."}));

    FixtureDialog finishing(FixtureDialog::Finish);
    errors.clear();
    static_cast<IPCore::IPGenDialog &>(finishing).accept(errors);
    QCOMPARE(finishing.accepts, 1);
    QCOMPARE(errors, QStringList());
    QCOMPARE(finishing.result(), int(QDialog::Accepted));
}

void tst_IPGenDialogChecks::batchExec_data()
{
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QStringList>("options"); // key=value
    QTest::addColumn<QString>("tool");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("accepts");
    QTest::addColumn<QString>("error");
    QTest::newRow("finishes") << int(FixtureDialog::Finish) << QStringList{"Width=20", "Mode=Small"}
                              << "" << true << 1 << "";
    QTest::newRow("bad option stops before OK")
            << int(FixtureDialog::Finish) << QStringList{"Width=20", "Width=30"} << "" << false << 0
            << "Option \"Width\": \"30\" is outside";
    QTest::newRow("unknown tool stops before OK") << int(FixtureDialog::Finish) << QStringList{}
                                                  << "Quartz" << false << 0 << "\"VeltoSynthesis\"";
    QTest::newRow("error box") << int(FixtureDialog::FailWithBox) << QStringList{} << "" << false
                               << 1 << "Error: Rpeat define in defines.";
    QTest::newRow("host error while synthesising")
            << int(FixtureDialog::FailWithHostError) << QStringList{} << "" << false << 1
            << "Core generation occur errors.\n  yosys failed";
    QTest::newRow("silent stop does not hang") << int(FixtureDialog::StopSilently) << QStringList{}
                                               << "" << false << 1 << "stopped without finishing";
}

void tst_IPGenDialogChecks::batchExec()
{
    QFETCH(int, outcome);
    QFETCH(QStringList, options);
    QFETCH(QString, tool);
    QFETCH(bool, accepted);
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
    const int result = dialog.exec();
    QCOMPARE(result == QDialog::Accepted, accepted);
    QVERIFY(job.ran);
    QCOMPARE(job.accepted, accepted);
    QCOMPARE(dialog.accepts, accepts);
    if (error.isEmpty()) {
        QCOMPARE(job.errors, QStringList());
        QCOMPARE(dialog.spin->value(), 20);
        QCOMPARE(dialog.combo->currentText(), QString("Small"));
    } else {
        QVERIFY2(job.errors.join('|').contains(error), qPrintable(job.errors.join('|')));
    }
    QCOMPARE(job.fileBaseName, QString("custom"));
    QCOMPARE(dialog.uiLanguageIndex(), 1);
    QCOMPARE(job.createPath, tmp.path());
    QVERIFY(!dialog.isVisible());
}

void tst_IPGenDialogChecks::scriptedCreate()
{
    HostRecorder services(true);
    MessageBoxAnswerer answerer;
    FixtureCore core;
    QTemporaryDir tmp;
    QStringList errors;
    QVERIFY(core.createByTcl(tmp.path(), DEV::DeviceArg(), {{"Width", 9}}, errors));
    QCOMPARE(errors, QStringList());
    // No job is left behind for a later dialog.
    QCOMPARE(IPCore::BatchJob::current(), nullptr);

    core.outcome = FixtureDialog::FailWithBox;
    QVERIFY(!core.createByTcl(tmp.path(), DEV::DeviceArg(), {}, errors));
    QCOMPARE(errors, QStringList({"Error: Rpeat define in defines."}));

    errors.clear();
    core.outcome = FixtureDialog::Finish;
    QVERIFY(!core.createByTcl(tmp.path(), DEV::DeviceArg(), {{"Width", 99}}, errors));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().contains("outside the allowed range 4 to 25"),
             qPrintable(errors.first()));
}

void tst_IPGenDialogChecks::scriptedCreateNeedsBatchHost()
{
    HostRecorder services(false);
    FixtureCore core;
    QStringList errors;
    QVERIFY(!core.createByTcl("/tmp", DEV::DeviceArg(), {}, errors));
    QCOMPARE(errors.size(), 1);
    QVERIFY(errors.first().contains("batch mode"));
}

QTEST_MAIN(tst_IPGenDialogChecks)
#include "tst_ipgendialogchecks.moc"
