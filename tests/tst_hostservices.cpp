// What the user sees of the host: the error box with its details, the
// viewer of delivered files, the project list, and the batch mode's
// standard streams.
#include "batchservices.h"
#include "guiservices.h"
#include "ipcore.h"
#include "project.h"
#include "toolrun.h"

#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class tst_HostServices : public QObject
{
    Q_OBJECT
private slots:
    void errorBox_data();
    void errorBox();
    void viewerIsReadOnly();
    void projectAddsAndPersists_data();
    void projectAddsAndPersists();
    void batchErrorsGoToStandardError();
};

void tst_HostServices::errorBox_data()
{
    QTest::addColumn<QStringList>("details");
    QTest::addColumn<QString>("shown"); // the box's text, informative text and details
    QTest::newRow("one detail") << QStringList{"ERROR: syntax error"}
                                << "errors.|ERROR: syntax error|ERROR: syntax error";
    QTest::newRow("several, empty ones dropped")
            << QStringList{"ERROR: a", "", "line 2", "line 3"}
            << "errors.|ERROR: a\n(2 more lines in the details)|ERROR: a\nline 2\nline 3";
}

void tst_HostServices::errorBox()
{
    QFETCH(QStringList, details);
    QFETCH(QString, shown);
    GuiServices services(qApp);
    QString seen;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box && box->objectName() == "errorList");
        seen = box->text() + '|' + box->informativeText() + '|' + box->detailedText();
        box->accept();
    });
    QSignalSpy errorsShown(&services, &Core::HostServices::errorsShown);
    IPCore::showErrorMsgs("Core generation occur errors.", details);
    QCOMPARE(seen, "Core generation occur " + shown);
    QCOMPARE(errorsShown.count(), 1);
}

void tst_HostServices::viewerIsReadOnly()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("top.v"), "module top;\nendmodule\n"));
    GuiServices services(qApp);
    Core::HostServices::current()->openEditor(dir.filePath("top.v"), false);
    QCOMPARE(services.openEditors().size(), 1);
    auto *viewer = qobject_cast<QPlainTextEdit *>(services.openEditors().first());
    QVERIFY(viewer && viewer->isReadOnly());
    QCOMPARE(viewer->toPlainText(), QString("module top;\nendmodule\n"));
    QVERIFY(viewer->windowTitle().startsWith("top.v"));
}

void tst_HostServices::projectAddsAndPersists_data()
{
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QStringList>("listed"); // empty: refused
    QTest::newRow("in the order added, once each")
            << QStringList{"b.v", "a.v", "b.v"} << QStringList{"b.v", "a.v"};
    QTest::newRow("subfolder has its own project")
            << QStringList{"top.v", "sub/x.v"} << QStringList{"top.v"};
    // A folder below a regular file cannot exist, even for root.
    QTest::newRow("unwritable folder") << QStringList{"file/top.v"} << QStringList{};
}

void tst_HostServices::projectAddsAndPersists()
{
    QFETCH(QStringList, added);
    QFETCH(QStringList, listed);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath("sub") && writeFile(dir.filePath("file"), {}));
    for (const QString &name : added) {
        QString error;
        const bool ok = Core::Project::addFiles({dir.filePath(name)}, error);
        QCOMPARE(ok, !listed.isEmpty());
        QVERIFY2(ok || error.contains("file/ipgen.ipproj"), qPrintable(error));
    }
    QStringList expected;
    for (const QString &name : listed)
        expected << dir.filePath(name);
    QCOMPARE(Core::Project::files(dir.path()), expected);
    if (added.contains("sub/x.v"))
        QCOMPARE(Core::Project::files(dir.filePath("sub")), QStringList{dir.filePath("sub/x.v")});
}

void tst_HostServices::batchErrorsGoToStandardError()
{
    // Run in a child so that its standard streams can be read.
    if (qEnvironmentVariableIsSet("HOSTSERVICES_CHILD")) {
        BatchServices services(qApp);
        IPCore::showErrorMsgs("Yosys could not synthesize top.", {"ERROR: one", "ERROR: two"});
        Core::HostServices::current()->openEditor("/o/top.v", false);
        services.addFilesToProject({"/o/top.v"});
        return;
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOSTSERVICES_CHILD", "1");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {"batchErrorsGoToStandardError"});
    QVERIFY(child.waitForFinished(30000));
    const QString err = QString::fromLocal8Bit(child.readAllStandardError());
    const QString out = QString::fromLocal8Bit(child.readAllStandardOutput());
    QVERIFY2(err.contains("error: Yosys could not synthesize top.\n  ERROR: one\n  ERROR: two\n"),
             qPrintable(err));
    QVERIFY2(out.contains("open: /o/top.v\nadded to project: /o/top.v\n"), qPrintable(out));
    QVERIFY(!out.contains("ERROR"));
}

QTEST_MAIN(tst_HostServices)
#include "tst_hostservices.moc"
