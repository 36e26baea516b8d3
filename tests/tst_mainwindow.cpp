#include "codeview.h"
#include "editorarea.h"
#include "ipgendialog.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "project.h"
#include "projectpanel.h"
#include "spectrumview.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTextBlock>
#include <QTreeWidget>
#include <QtTest>

/// ipgen's main window on a real X server, with the real plug-in folder.
class tst_MainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void catalogueAndDevice_data();
    void catalogueAndDevice();
    void generateThenReopen();
    void verify_data();
    void verify();

private:
    /// Accepts the output-directory question with `dir`.
    static ModalWatcher::Handler chooseDirectory(const QString &dir);

    QTemporaryDir m_settings;
    QTemporaryDir m_generated; // the core generateThenReopen delivers, verified after it
};

void tst_MainWindow::initTestCase()
{
    if (QGuiApplication::platformName() != "xcb")
        QSKIP("needs an X server: run under xvfb-run -a");
    // Settings of this run only: runs side by side must not clear each other's.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    QCoreApplication::setOrganizationName("ipgen");
    QCoreApplication::setApplicationName("tst_mainwindow");
}

ModalWatcher::Handler tst_MainWindow::chooseDirectory(const QString &dir)
{
    return [dir](QWidget *modal) {
        auto *files = qobject_cast<QFileDialog *>(modal);
        QVERIFY2(files, modal->metaObject()->className());
        files->setDirectory(dir);
        static_cast<QDialog *>(files)->accept();
    };
}

void tst_MainWindow::catalogueAndDevice_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<bool>("supported");
    QTest::newRow("supported device") << "RQ3B/RQ4K-01" << true;
    QTest::newRow("device outside the core's families") << "RQ1A/RQ1A-02" << false;
}

void tst_MainWindow::catalogueAndDevice()
{
    QFETCH(QString, device);
    QFETCH(bool, supported);
    {
        MainWindow window(DDS2_PLUGIN_DIR "/..");
        QCOMPARE(window.pluginProblems(), QStringList());
        auto *tree = window.findChild<QTreeWidget *>("catalogue");
        QCOMPARE(tree->topLevelItemCount(), 1);
        QTreeWidgetItem *category = tree->topLevelItem(0);
        QCOMPARE(category->text(0), QString("DSP"));
        QCOMPARE(category->child(0)->text(0), QString("Waveform Synthesis"));
        QTreeWidgetItem *core = category->child(0)->child(0);
        QCOMPARE(core->text(0), QString("DDS II"));
        QVERIFY(!core->icon(0).isNull());
        QCOMPARE(tree->currentItem(), core);

        auto *devices = window.findChild<QComboBox *>("device");
        devices->setCurrentIndex(devices->findText(device));
        QCOMPARE(devices->currentText(), device);
        QCOMPARE(window.findChild<QAction *>("newCore")->isEnabled(), supported);
        const QString summary = window.findChild<QLabel *>("coreSummary")->text();
        QVERIFY2(summary.contains(supported ? "Supports " + device : "Does not support " + device),
                 qPrintable(summary));
    }
    // The next start offers the device chosen last.
    MainWindow again(DDS2_PLUGIN_DIR "/..");
    QCOMPARE(again.findChild<QComboBox *>("device")->currentText(), device);
}

// A core generated into an empty folder, then its configuration reopened in a new window and
// cancelled, which writes nothing.
void tst_MainWindow::generateThenReopen()
{
    const QTemporaryDir &out = m_generated;
    const QString netlist = out.filePath("dds_ii.v");
    {
        MainWindow window(DDS2_PLUGIN_DIR "/..");
        auto *devices = window.findChild<QComboBox *>("device");
        devices->setCurrentIndex(devices->findText("RQ3B/RQ4K-01"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!window.findChild<QAction *>("verifyCore")->isEnabled());
        QString device;
        ModalWatcher watcher(
                {chooseDirectory(out.path()), [&](QWidget *modal) {
                     device = qobject_cast<IPCore::IPGenDialog *>(modal)->device().displayName();
                     auto *channels = modal->findChild<QComboBox *>("numOfChannels");
                     channels->setCurrentIndex(channels->findText("4"));
                     ModalWatcher::press(modal, QDialogButtonBox::Ok);
                 }});
        window.findChild<QAction *>("newCore")->trigger();
        QCOMPARE(watcher.handled(), 2);
        QCOMPARE(device, QString("RQ3B/RQ4K-01"));
        QVERIFY2(window.statusBar()->currentMessage().startsWith("Generated"),
                 qPrintable(window.statusBar()->currentMessage()));
        auto *project = window.findChild<QListWidget *>("projectFiles");
        // The netlist, then the readable core: two sources, two defines, the table.
        QCOMPARE(project->count(), 6);
        QCOMPARE(project->item(0)->text(), QString("dds_ii.v"));
        QCOMPARE(project->findItems("dds_ii_rtl/", Qt::MatchStartsWith).size(), 5);

        // Completion opened the netlist and its template in tabs, highlighted.
        auto *editors = window.findChild<EditorArea *>();
        QCOMPARE(editors->count(), 2);
        QCOMPARE(editors->tabText(0), QString("dds_ii.v"));
        QCOMPARE(editors->tabText(1), QString("dds_ii_tmp.v"));
        CodeView *view = editors->view(netlist);
        QVERIFY(view && view->isReadOnly());
        QTextBlock block = view->document()->begin();
        while (block.isValid() && !block.text().startsWith("module"))
            block = block.next();
        QVERIFY(block.isValid());
        QTRY_VERIFY(!block.layout()->formats().isEmpty());
        window.resize(900, 640);
        window.close();
    }
    // A new window has the same size, shows the same project and reopens the configuration.
    MainWindow window(DDS2_PLUGIN_DIR "/..");
    QCOMPARE(window.size(), QSize(900, 640));
    QCOMPARE(window.findChild<QListWidget *>("projectFiles")->count(), 6);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QStringList files = QDir(out.path()).entryList(QDir::AllEntries, QDir::Time);
    QString channels;
    ModalWatcher watcher({[&](QWidget *modal) {
        channels = modal->findChild<QComboBox *>("numOfChannels")->currentText();
        ModalWatcher::press(modal, QDialogButtonBox::Cancel);
    }});
    window.openConfigurationFile(out.filePath("dds_ii.ipc"));
    QCOMPARE(watcher.handled(), 1);
    QCOMPARE(channels, QString("4"));
    QCOMPARE(window.statusBar()->currentMessage(), QString("Nothing generated."));
    QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries, QDir::Time), files);
    QCOMPARE(QSettings().value("recentConfigurations").toStringList().value(0),
             out.filePath("dds_ii.ipc"));
}

void tst_MainWindow::verify_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("picked"); // a second core of the project, picked in the panel
    QTest::addColumn<QString>("status");
    QTest::newRow("cancelled") << "verifyCore" << true << ""
                               << "^Verification of dds_ii cancelled\\.$";
    QTest::newRow("the picked core, not the first")
            << "verifyCore" << false << "other.v"
            << "^other: SFDR -?\\d+\\.\\d dBc .*: (PASS|FAIL), ";
    QTest::newRow("estimate")
            << "estimateCore" << false << ""
            << "^dds_ii: Fmax [0-9.]+ MHz: (meets|does not meet) 100 MHz \\(System Clock\\)$";
}

void tst_MainWindow::verify()
{
    QFETCH(QString, action);
    QFETCH(bool, cancel);
    QFETCH(QString, picked);
    QFETCH(QString, status);
    const QDir dir(m_generated.path());
    if (!picked.isEmpty()) {
        // The same delivery under another name, listed after the first.
        for (const char *suffix : {".ipc", ".vo", ".v"}) {
            QFile::remove(dir.filePath("other") + suffix);
            QVERIFY(QFile::copy(dir.filePath("dds_ii") + suffix, dir.filePath("other") + suffix));
        }
        QString error;
        QVERIFY2(Core::Project::addFiles({dir.filePath(picked)}, error), qPrintable(error));
    }
    MainWindow window(DDS2_PLUGIN_DIR "/..");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (!picked.isEmpty())
        window.findChild<ProjectPanel *>()->setCurrentFile(dir.filePath(picked));
    auto *job = window.findChild<QAction *>(action);
    QVERIFY(job->isEnabled());
    job->trigger();
    QVERIFY(!job->isEnabled());
    QVERIFY(!window.findChild<QAction *>("verifyCore")->isEnabled());
    auto *progress = window.findChild<QProgressDialog *>("jobProgress");
    QVERIFY(progress && progress->isVisible());
    if (cancel)
        progress->cancel();
    auto *editors = window.findChild<EditorArea *>();
    // A loaded machine takes half a minute to simulate the default core.
    QTRY_VERIFY_WITH_TIMEOUT(job->isEnabled(), 180000);
    QVERIFY(!window.findChild<QProgressDialog *>("jobProgress"));
    const QString message = window.statusBar()->currentMessage();
    QVERIFY2(QRegularExpression(status).match(message).hasMatch(), qPrintable(message));
    if (action == "estimateCore") {
        auto *box = window.findChild<QMessageBox *>("estimateResult");
        QVERIFY(box && box->text().contains("logic cells"));
        box->close();
        return;
    }
    const int tabs = editors->count();
    const QString name = picked.isEmpty() ? "dds_ii" : "other";
    QCOMPARE(tabs > 0 && editors->tabText(tabs - 1) == name + " spectrum", !cancel);
    QCOMPARE(qobject_cast<SpectrumView *>(editors->currentWidget()) != nullptr, !cancel);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
