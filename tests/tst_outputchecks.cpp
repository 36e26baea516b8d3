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
    QTest::newRow("plain") << "dds_ii"
                           << "";
    QTest::newRow("digits after the first letter") << "dds2_top9"
                                                   << "";
    QTest::newRow("upper case") << "DDS_Top"
                                << "";
    QTest::newRow("Verilog keyword in other case is legal") << "Module"
                                                            << "";
    QTest::newRow("empty") << ""
                           << "empty";
    QTest::newRow("leading digit") << "2dds"
                                   << "identifier";
    QTest::newRow("leading underscore") << "_dds"
                                        << "identifier";
    QTest::newRow("trailing underscore") << "dds_"
                                         << "identifier";
    QTest::newRow("double underscore") << "dds__ii"
                                       << "identifier";
    QTest::newRow("dollar is Verilog only") << "dds$1"
                                            << "identifier";
    QTest::newRow("dash") << "dds-ii"
                          << "identifier";
    QTest::newRow("blank") << "dds ii"
                           << "identifier";
    QTest::newRow("non-ASCII letter") << QString::fromUtf8("d\xc3\xa4s") << "identifier";
    QTest::newRow("escaped Verilog name") << "\\dds"
                                          << "identifier";
    QTest::newRow("Verilog keyword") << "module"
                                     << "Verilog";
    QTest::newRow("Verilog-only keyword") << "wire"
                                          << "Verilog";
    QTest::newRow("late Verilog keyword") << "uwire"
                                          << "Verilog";
    QTest::newRow("VHDL keyword") << "entity"
                                  << "VHDL";
    QTest::newRow("VHDL keyword upper case") << "SIGNAL"
                                             << "VHDL";
    QTest::newRow("VHDL keyword mixed case") << "Architecture"
                                             << "VHDL";
    QTest::newRow("VHDL-2008 keyword") << "context"
                                       << "VHDL";
}

void tst_OutputChecks::moduleName()
{
    QFETCH(QString, name);
    QFETCH(QString, problem);
    const QString found = moduleNameProblem(name);
    if (problem.isEmpty())
        QVERIFY2(found.isEmpty(), qPrintable(found));
    else
        QVERIFY2(found.contains(problem), qPrintable(found));
}

void tst_OutputChecks::fileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("plain") << "dds_ii" << true;
    QTest::newRow("dot inside") << "dds.v2" << true;
    QTest::newRow("blank inside") << "my dds" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks only") << "   " << false;
    QTest::newRow("slash") << "out/dds" << false;
    QTest::newRow("backslash") << "out\\dds" << false;
    QTest::newRow("colon") << "c:dds" << false;
    QTest::newRow("star") << "dds*" << false;
    QTest::newRow("quote") << "dds\"" << false;
    QTest::newRow("control character") << "dds\tii" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("trailing dot") << "dds." << false;
    QTest::newRow("trailing blank") << "dds " << false;
}

void tst_OutputChecks::fileName()
{
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    const QString problem = fileNameProblem(name);
    QCOMPARE(problem.isEmpty(), accepted);
    if (!accepted)
        QVERIFY2(problem.contains("file name"), qPrintable(problem));
}

void tst_OutputChecks::outputDirectory_data()
{
    QTest::addColumn<QString>("relative"); // below a temporary directory holding the file "plain"
    QTest::addColumn<QString>("problem");
    QTest::newRow("existing directory") << "."
                                        << "";
    QTest::newRow("missing, parent exists") << "out"
                                            << "";
    QTest::newRow("missing several levels") << "a/b/c"
                                            << "";
    QTest::newRow("is a file") << "plain"
                               << "is a file";
    QTest::newRow("below a file") << "plain/out"
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
    plain.close();
    const QString found = outputDirectoryProblem(dir.path() + "/" + relative);
    if (problem.isEmpty())
        QVERIFY2(found.isEmpty(), qPrintable(found));
    else
        QVERIFY2(found.contains(problem), qPrintable(found));
    QVERIFY(!QFileInfo::exists(dir.filePath("out")));
    QVERIFY(outputDirectoryProblem("").contains("No output directory"));
}

QTEST_GUILESS_MAIN(tst_OutputChecks)
#include "tst_outputchecks.moc"
