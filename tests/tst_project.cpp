#include "ipcore.h"
#include "project.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_Project : public QObject
{
    Q_OBJECT
private slots:
    void addsAndPersists_data();
    void addsAndPersists();
    void unwritableFolderIsReported();
};

void tst_Project::addsAndPersists_data()
{
    QTest::addColumn<QStringList>("batches");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("one file") << QStringList{"top.v"} << QStringList{"top.v"};
    QTest::newRow("added twice, listed once")
            << QStringList{"top.v", "top.v"} << QStringList{"top.v"};
    QTest::newRow("order of adding kept") << QStringList{"b.v", "a.v"} << QStringList{"b.v", "a.v"};
    QTest::newRow("subfolder has its own project")
            << QStringList{"top.v", "sub/x.v"} << QStringList{"top.v"};
}

void tst_Project::addsAndPersists()
{
    QFETCH(QStringList, batches);
    QFETCH(QStringList, listed);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("sub")));
    for (const QString &name : batches) {
        QString error;
        QVERIFY2(Core::Project::addFiles({dir.filePath(name)}, error), qPrintable(error));
    }
    QStringList expected;
    for (const QString &name : listed)
        expected << dir.filePath(name);
    QCOMPARE(Core::Project::files(dir.path()), expected);
    if (batches.contains(QStringLiteral("sub/x.v")))
        QCOMPARE(Core::Project::files(dir.filePath(QStringLiteral("sub"))),
                 QStringList{dir.filePath("sub/x.v")});
}

void tst_Project::unwritableFolderIsReported()
{
    QTemporaryDir dir;
    QFile blocker(dir.filePath(QStringLiteral("file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    // A folder below a regular file cannot exist, even for root.
    QString error;
    QVERIFY(!Core::Project::addFiles({dir.filePath(QStringLiteral("file/top.v"))}, error));
    QVERIFY2(error.contains(QStringLiteral("file/ipgen.ipproj")), qPrintable(error));
}

QTEST_GUILESS_MAIN(tst_Project)
#include "tst_project.moc"
