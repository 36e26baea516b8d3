// The generator dialog's checks on what a user or a script enters: options
// applied as a user would, output names and folders, files about to be
// replaced, and the batch and scripted runs.
#include "batchjob.h"
#include "hostrecorder.h"
#include "ipcore.h"
#include "ipgendialog.h"
#include "messageboxanswerer.h"
#include "messagerecorder.h"
#include "outputchecks.h"
#include "synthesishelper.h"
#include "toolrun.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QRegExpValidator>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace IPCore::OutputChecks;

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
        m_page = new QWidget(this);
        auto *mode = add<QComboBox>("Mode");
        auto *locked = add<QComboBox>("Locked list");
        for (QComboBox *combo : {mode, locked})
            combo->addItems({"Fast", "Small"});
        locked->setEnabled(false);
        auto *clock = add<QLineEdit>("Clock");
        clock->setText("100");
        clock->setValidator(new QRegExpValidator(QRegExp("^\\d{1,3}$"), clock));
        add<QSpinBox>("Width")->setRange(4, 25);
        add<QCheckBox>("Enable");
        add<QCheckBox>("Locked")->setEnabled(false);
        auto *group = add<QGroupBox>("Output");
        for (const char *name : {"sine", "cosine", "both"}) {
            auto *radio = new QRadioButton(group);
            radio->setObjectName(name);
            radio->setChecked(radio->objectName() == "sine");
            radio->setEnabled(radio->objectName() != "both");
        }
        add<QLabel>("Rate")->setText("100MHz");
        uiAddTab(m_page, "Options");
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
        if (auto *label = qobject_cast<QLabel *>(w))
            return label->text();
        for (QRadioButton *radio : w->findChildren<QRadioButton *>()) {
            if (radio->isChecked())
                return radio->objectName();
        }
        return w->metaObject()->userProperty().read(w).toString();
    }

    int accepts = 0;
    int editsFinished = 0;

private:
    template<typename W>
    W *add(const char *option)
    {
        auto *widget = new W(m_page);
        widget->setObjectName(option);
        widget->setProperty("ipOption", QString(option));
        return widget;
    }

    Outcome m_outcome;
    QWidget *m_page;
};

} // namespace

class tst_IPGenDialogChecks : public QObject
{
    Q_OBJECT
private slots:
    void setProperty_data();
    void setProperty();
    void names_data();
    void names();
    void fileOptions_data();
    void fileOptions();
    void batchExec_data();
    void batchExec();
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
    row("spin box above range", "Width", "26", "4 to 25", "4");
    row("check box on", "Enable", "true", "", "true");
    row("check box bad value", "Enable", "maybe", "true or false", "false");
    row("disabled check box unchanged", "Locked", "false", "", "false");
    row("disabled check box changed", "Locked", "true", "cannot be changed", "false");
    row("radio by name", "Output", "cosine", "", "cosine");
    row("radio unknown", "Output", "tangent", "\"sine\", \"cosine\", \"both\"", "sine");
    row("radio disabled", "Output", "both", "cannot be chosen", "sine");
    row("label", "Rate", "200MHz", "read-only", "100MHz");
    row("unknown option", "Nope", "1", "no such option; the options are \"Clock\", \"Enable\"", "");
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
    QMap<QString, QVariant> options{{key, value}};
    if (shown.isEmpty()) // beside an unknown option, a good one is applied all the same
        options.insert("Width", 20);
    QStringList errors;
    dialog.setProperty(options, errors);
    QCOMPARE(errors.size(), error.isEmpty() ? 0 : 1);
    QVERIFY2(error.isEmpty()
                     || (errors.first().startsWith("Option \"" + key + "\": ")
                         && errors.first().contains(error)),
             qPrintable(errors.join('|')));
    QCOMPARE(dialog.shown(shown.isEmpty() ? "Width" : key), shown.isEmpty() ? "20" : shown);
    // Applied as a user would: the change signals the rules listen to fire.
    QCOMPARE(comboChanged.count(), key == "Mode" && error.isEmpty() ? 1 : 0);
    QCOMPARE(toggled.count(), key == "Enable" && error.isEmpty() ? 1 : 0);
    QCOMPARE(dialog.editsFinished, key == "Clock" && error.isEmpty() ? 1 : 0);
}

void tst_IPGenDialogChecks::names_data()
{
    QTest::addColumn<bool>("module"); // false: a file name
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("problem"); // a word the problem names; empty: accepted
    const auto row = [](bool module, const char *name, QString problem) {
        QTest::addRow("%s \"%s\"", module ? "module" : "file", name)
                << module << QString::fromUtf8(name) << problem;
    };
    row(true, "dds2_Top9", "");
    row(true, "Module", ""); // Verilog keywords are case-sensitive
    row(true, "", "empty");
    for (const char *name :
         {"2dds", "_dds", "dds_", "dds__ii", "dds$1", "dds-ii", "d\xc3\xa4s", "\\dds"})
        row(true, name, "identifier");
    for (const char *name : {"module", "uwire"})
        row(true, name, "Verilog");
    for (const char *name : {"entity", "SIGNAL", "context"})
        row(true, name, "VHDL");
    for (const char *name : {"dds_ii", "dds.v2", "my dds"})
        row(false, name, "");
    for (const char *name :
         {"", "   ", "out/dds", "out\\dds", "c:dds", "dds*", "dds\tii", ".", "..", "dds.", "dds "})
        row(false, name, "file name");
}

void tst_IPGenDialogChecks::names()
{
    QFETCH(bool, module);
    QFETCH(QString, name);
    QFETCH(QString, problem);
    QString found;
    QCOMPARE(module ? checkModuleName(name, found) : checkFileName(name, found), problem.isEmpty());
    QVERIFY2(problem.isEmpty() ? found.isEmpty() : found.contains(problem), qPrintable(found));
}

void tst_IPGenDialogChecks::fileOptions_data()
{
    QTest::addColumn<QString>("dir"); // below a temporary directory holding the file "plain"
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("existing"); // a file made in the directory first
    QTest::addColumn<QString>("problems"); // joined by '|'
    QTest::addColumn<bool>("asked");       // whether to replace existing files
    const auto row = [](const char *name,
                        QString dir,
                        QString file,
                        QString existing,
                        QString problems,
                        bool asked) {
        QTest::newRow(name) << dir << file << existing << problems << asked;
    };
    row("existing directory", ".", "dds", "", "", false);
    row("missing several levels", "a/b/c", "dds", "", "", false);
    row("is a file", "plain", "dds", "", "plain\" is a file", false);
    row("deep below a file", "plain/a/b", "dds", "", "plain\" is a file", false);
    row("both wrong", "plain", "sub/dds", "", "plain\" is a file|file name", false);
    row("other core's file", ".", "dds", "other.v", "", false);
    row("template exists", ".", "dds", "dds_tmp.v", "", true);
    row("configuration exists", ".", "dds", "dds.ipc", "", true);
}

void tst_IPGenDialogChecks::fileOptions()
{
    QFETCH(QString, dir);
    QFETCH(QString, file);
    QFETCH(QString, existing);
    QFETCH(QString, problems);
    QFETCH(bool, asked);
    QTemporaryDir tmp;
    QVERIFY(writeFile(tmp.filePath("plain"), {}));
    QVERIFY(existing.isEmpty() || writeFile(tmp.filePath(existing), {}));
    FixtureDialog dialog;
    dialog.setCreating(QDir::cleanPath(tmp.filePath(dir)), DEV::DeviceArg());
    dialog.uiSetDefaultFileName(file);
    const QStringList found = dialog.checkFileOptions();
    const QStringList expected = problems.split('|', Qt::SkipEmptyParts);
    QCOMPARE(found.size(), expected.size());
    for (int i = 0; i < found.size(); ++i)
        QVERIFY2(found.at(i).contains(expected.at(i)), qPrintable(found.at(i)));
    QString error;
    QVERIFY(!checkOutputDirectory(" ", error) && error.contains("No output directory"));
    // The answerer takes the default answer, which keeps the files.
    IPCore::MessageBoxAnswerer answerer;
    IPCore::MessageRecorder recorder;
    QCOMPARE(dialog.checkFileExisting(), !asked);
    QCOMPARE(recorder.messages().size(), asked ? 1 : 0);
    QVERIFY(!asked || recorder.messages().first().contains(tmp.filePath(existing)));
    // Checking creates nothing.
    QCOMPARE(QDir(tmp.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(),
             existing.isEmpty() ? 1 : 2);
}

void tst_IPGenDialogChecks::batchExec_data()
{
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QStringList>("options"); // key=value
    QTest::addColumn<QString>("tool");
    QTest::addColumn<int>("accepts");
    QTest::addColumn<QString>("error"); // empty: accepted
    const auto row = [](const char *name,
                        FixtureDialog::Outcome outcome,
                        QStringList options,
                        QString tool,
                        int accepts,
                        QString error) {
        QTest::newRow(name) << int(outcome) << options << tool << accepts << error;
    };
    row("finishes", FixtureDialog::Finish, {"Width=20", "Mode=Small"}, "", 1, "");
    row("bad option stops before OK",
        FixtureDialog::Finish,
        {"Width=20", "Width=30"},
        "",
        0,
        "Option \"Width\": \"30\" is outside");
    row("unknown tool stops before OK",
        FixtureDialog::Finish,
        {},
        "Quartz",
        0,
        "\"VeltoSynthesis\"");
    row("error box", FixtureDialog::FailWithBox, {}, "", 1, "Error: Rpeat define in defines.");
    row("host error while synthesising",
        FixtureDialog::FailWithHostError,
        {},
        "",
        1,
        "Core generation occur errors.\n  yosys failed");
    row("silent stop does not hang",
        FixtureDialog::StopSilently,
        {},
        "",
        1,
        "stopped without finishing");
}

void tst_IPGenDialogChecks::batchExec()
{
    QFETCH(int, outcome);
    QFETCH(QStringList, options);
    QFETCH(QString, tool);
    QFETCH(int, accepts);
    QFETCH(QString, error);
    HostRecorder services(true);
    IPCore::MessageBoxAnswerer answerer;
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

QTEST_MAIN(tst_IPGenDialogChecks)
#include "tst_ipgendialogchecks.moc"
