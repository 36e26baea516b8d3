#include "devicecatalogue.h"
#include "ipcore.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_IpInfoSpec : public QObject
{
    Q_OBJECT
private slots:
    void parses_data();
    void parses();
    void commonInfo_data();
    void commonInfo();
    void supported_data();
    void supported();
    void catalogueFindsDevices();

private:
    QString write(const QByteArray &content);
    QTemporaryDir m_dir;
    int m_count = 0;
};

QString tst_IpInfoSpec::write(const QByteArray &content)
{
    const QString path = m_dir.filePath(QStringLiteral("spec%1.ipspec").arg(m_count++));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(path));
    file.write(content);
    return path;
}

void tst_IpInfoSpec::parses_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");

    const QByteArray spec = "[ipcore]\nid=dds_ii\nname=DDS II\nversion=2.0\ncategory=DSP\n"
                            "list=a, b\n[ipcore.doc]\nsummary=\"one, two\"\n";
    QTest::newRow("section key") << spec << "ipcore.id" << QVariant(QStringLiteral("dds_ii"));
    QTest::newRow("nested section")
            << spec << "ipcore.doc.summary" << QVariant(QStringLiteral("one, two"));
    QTest::newRow("single value as list")
            << spec << "ipcore.category" << QVariant(QStringList{"DSP"});
    QTest::newRow("comma list") << spec << "ipcore.list" << QVariant(QStringList{"a", "b"});
    QTest::newRow("missing key") << spec << "ipcore.label" << QVariant(QString());
}

void tst_IpInfoSpec::parses()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, key);
    QFETCH(QVariant, value);

    const QMap<QString, QVariant> info = IPCore::processIPInfoSpec(write(content));
    if (value.userType() == QMetaType::QStringList)
        QCOMPARE(info.value(key).toStringList(), value.toStringList());
    else
        QCOMPARE(info.value(key).toString(), value.toString());
}

void tst_IpInfoSpec::commonInfo_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("complete");
    QTest::newRow("all three") << QByteArray("[ipcore]\nid=a\nname=b\nversion=1\n") << true;
    QTest::newRow("no version") << QByteArray("[ipcore]\nid=a\nname=b\n") << false;
    QTest::newRow("blank name") << QByteArray("[ipcore]\nid=a\nname=\" \"\nversion=1\n") << false;
    QTest::newRow("wrong section") << QByteArray("[core]\nid=a\nname=b\nversion=1\n") << false;
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char((i * 7919) & 0xff));
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("binary") << binary << false;
    QTest::newRow("truncated") << QByteArray("[ipcore]\nid=dds_ii\nna") << false;
    QTest::newRow("unterminated section")
            << QByteArray("[ipcore\nid=dds_ii\nname=x\nversion=1\n") << false;
}

// Whatever the parser makes of a broken file, the host must refuse it as a core spec.
void tst_IpInfoSpec::commonInfo()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, complete);
    QCOMPARE(IPCore::checkCommonInfo(IPCore::processIPInfoSpec(write(content))), complete);
}

void tst_IpInfoSpec::supported_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<QStringList>("unsupported");
    QTest::addColumn<QStringList>("supported");
    QTest::addColumn<bool>("result");

    QTest::newRow("empty lists allow all")
            << "RQ3B/RQ4K-01" << QStringList() << QStringList() << true;
    QTest::newRow("series supported")
            << "RQ3B/RQ4K-01" << QStringList() << QStringList{"RQ3B"} << true;
    QTest::newRow("device supported")
            << "RQ3B/RQ4K-01" << QStringList() << QStringList{"RQ4K-01"} << true;
    QTest::newRow("not in supported")
            << "RQ6A/RQ6A-12" << QStringList() << QStringList{"RQ3B"} << false;
    QTest::newRow("unsupported wins")
            << "RQ3B/RQ4K-01" << QStringList{"RQ4K-01"} << QStringList{"RQ3B"} << false;
    QTest::newRow("unsupported only")
            << "RQ1A/RQ1A-01" << QStringList{"RQ1A"} << QStringList() << false;
    QTest::newRow("case matters") << "RQ3B/RQ3B-08" << QStringList() << QStringList{"rq3b"}
                                  << false;
    QTest::newRow("blank entries ignored")
            << "RQ3B/RQ3B-08" << QStringList{""} << QStringList{" "} << true;
}

void tst_IpInfoSpec::supported()
{
    QFETCH(QString, device);
    QFETCH(QStringList, unsupported);
    QFETCH(QStringList, supported);
    QFETCH(bool, result);
    const DEV::DeviceArg arg = DEV::DeviceCatalogue::find(device);
    QVERIFY2(arg.isValid(), qPrintable(device));
    QCOMPARE(IPCore::isSupported(arg, unsupported, supported), result);
}

void tst_IpInfoSpec::catalogueFindsDevices()
{
    const QList<DEV::DeviceArg> devices = DEV::DeviceCatalogue::devices();
    QSet<QString> ids;
    for (const DEV::DeviceArg &device : devices) {
        QVERIFY2(!ids.contains(device.id()), qPrintable(device.id()));
        ids.insert(device.id());
        QCOMPARE(DEV::DeviceCatalogue::find(device.displayName()).id(), device.id());
        QCOMPARE(DEV::DeviceCatalogue::findById(device.id()).displayName(), device.displayName());
    }
    for (const char *name : {"RQ9A", "RQ9H", "RQ3A", "RQ3H", "RQ6A", "RQ6D", "RQ1A"}) {
        const bool found
                = std::any_of(devices.cbegin(), devices.cend(), [name](const DEV::DeviceArg &d) {
                      return d.series() == QLatin1String(name);
                  });
        QVERIFY2(found, name);
    }
    QCOMPARE(DEV::DeviceCatalogue::find(QStringLiteral("RQ3B/RQ4K-01")).device(),
             QStringLiteral("RQ4K-01"));
    QCOMPARE(DEV::DeviceCatalogue::find(QStringLiteral("RQ6A/RQ4K-09")).device(),
             QStringLiteral("RQ4K-09"));
    QVERIFY(!DEV::DeviceCatalogue::find(QStringLiteral("RQ3B")).isValid());
}

QTEST_GUILESS_MAIN(tst_IpInfoSpec)
#include "tst_ipinfospec.moc"
