#include "outputchecks.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace IPCore::OutputChecks;

class tst_OutputChecks : public QObject
{
    Q_OBJECT
private slots:
    void moduleName_data();
    void moduleName();
    void fileName_data();
    void fileName();
    void outputDirectory_data();
    void outputDirectory();
};

void tst_OutputChecks::moduleName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("problem"); // a word the problem names; empty: accepted
    const auto row = [](const char *name, QString problem) {
        QTest::newRow(qPrintable('"' + QString::fromUtf8(name) + '"'))
                << QString::fromUtf8(name) << problem;
    };
    row("dds2_Top9", "");
    row("Module", ""); // Verilog keywords are case-sensitive
    row("", "empty");
    for (const char *name :
         {"2dds", "_dds", "dds_", "dds__ii", "dds$1", "dds-ii", "d\xc3\xa4s", "\\dds"})
        row(name, "identifier");
    for (const char *name : {"module", "uwire"})
        row(name, "Verilog");
    for (const char *name : {"entity", "SIGNAL", "context"})
        row(name, "VHDL");
}

void tst_OutputChecks::moduleName()
{
    QFETCH(QString, name);
    QFETCH(QString, problem);
    const QString found = moduleNameProblem(name);
    QVERIFY2(problem.isEmpty() ? found.isEmpty() : found.contains(problem), qPrintable(found));
}

void tst_OutputChecks::fileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    const auto row = [](QString name, bool accepted) {
        QTest::newRow(qPrintable('"' + name + '"')) << name << accepted;
    };
    for (const char *name : {"dds_ii", "dds.v2", "my dds"})
        row(name, true);
    for (const char *name :
         {"", "   ", "out/dds", "out\\dds", "c:dds", "dds*", "dds\tii", ".", "..", "dds.", "dds "})
        row(name, false);
}

void tst_OutputChecks::fileName()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    const QString problem = fileNameProblem(name);
    QCOMPARE(problem.isEmpty(), accepted);
    QVERIFY2(accepted || problem.contains("file name"), qPrintable(problem));
}

void tst_OutputChecks::outputDirectory_data()
{
    QTest::addColumn<QString>("relative"); // below a temporary directory holding the file "plain"
    QTest::addColumn<QString>("problem");
    QTest::newRow("existing directory") << "." << QString();
    QTest::newRow("missing several levels") << "a/b/c" << QString();
    QTest::newRow("is a file") << "plain"
                               << "plain\" is a file";
    QTest::newRow("deep below a file") << "plain/a/b"
                                       << "plain\" is a file";
}

void tst_OutputChecks::outputDirectory()
{
    QFETCH(QString, relative);
    QFETCH(QString, problem);
    QTemporaryDir dir;
    QFile plain(dir.filePath("plain"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    const QString found = outputDirectoryProblem(dir.filePath(relative));
    QVERIFY2(problem.isEmpty() ? found.isEmpty() : found.contains(problem), qPrintable(found));
    // Checking creates nothing.
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
             QStringList{"plain"});
    QVERIFY(outputDirectoryProblem(" ").contains("No output directory"));
}

QTEST_GUILESS_MAIN(tst_OutputChecks)
#include "tst_outputchecks.moc"
