#include "baseipcoreinterface.h"
#include "devicecatalogue.h"
#include "ipplugin.h"

#include <QFile>
#include <QImage>
#include <QPluginLoader>
#include <QPointer>
#include <QProcess>
#include <QResource>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using TE::TE_IPCore_Def::BaseIPCoreInterface;
using TE::TE_IPCore_Def::IPPlugin;

static const QString pluginPath = QStringLiteral(DDS2_PLUGIN_DIR "/libdds2.so");

/// A copy of the plug-in in a folder of its own, with a spec file of the test's choosing.
class PluginCopy
{
public:
    explicit PluginCopy(const QByteArray *spec)
    {
        QFile::copy(pluginPath, m_dir.filePath(QStringLiteral("libdds2.so")));
        if (spec) {
            QFile file(m_dir.filePath(QStringLiteral("dds2.ipspec")));
            file.open(QIODevice::WriteOnly);
            file.write(*spec);
        }
    }
    QString dir() const { return m_dir.path(); }
    QString library() const { return m_dir.filePath(QStringLiteral("libdds2.so")); }

private:
    QTemporaryDir m_dir;
};

class tst_PluginLoading : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void imagesFollowLibraryLifetime();
    void metadataBlock();
    void metadataObject();
    void exportsOnlyEntryPoints();
    void metacast_data();
    void metacast();
    void newPackageAfterDelete();
    void interfacesAreIndependent();
    void brokenSpecGivesNoCore_data();
    void brokenSpecGivesNoCore();
    void catalogueAnswers();
    void singleCategoryIsListOfOne();
    void supportsDeviceListOrder_data();
    void supportsDeviceListOrder();
    void imagesAreUncompressedPngs();
    void ipgenList_data();
    void ipgenList();

private:
    QList<BaseIPCoreInterface *> interfacesOf(QPluginLoader &loader, const QString &dir);
    std::unique_ptr<QPluginLoader> m_loader;
};

void tst_PluginLoading::initTestCase()
{
    QVERIFY2(QFile::exists(pluginPath), qPrintable(pluginPath));
}

// Runs before any other test loads the plug-in: Qt 5 keeps plug-ins mapped
// unless the loader is told otherwise, and the images would stay registered.
void tst_PluginLoading::imagesFollowLibraryLifetime()
{
    const QString image = QStringLiteral("://image/module.png");
    QVERIFY(!QFile::exists(image));
    PluginCopy copy(nullptr);
    QPluginLoader loader(copy.library());
    loader.setLoadHints(QLibrary::LoadHints());
    QVERIFY2(loader.load(), qPrintable(loader.errorString()));
    QVERIFY(QFile::exists(image));
    QVERIFY(QFile::exists(QStringLiteral("://image/exclamation.png")));
    QVERIFY(loader.unload());
    QVERIFY(!QFile::exists(image));

    m_loader = std::make_unique<QPluginLoader>(pluginPath);
    QVERIFY2(m_loader->load(), qPrintable(m_loader->errorString()));
}

QList<BaseIPCoreInterface *> tst_PluginLoading::interfacesOf(QPluginLoader &loader,
                                                             const QString &dir)
{
    auto *plugin = qobject_cast<IPPlugin *>(loader.instance());
    if (!plugin)
        return {};
    plugin->setPluginDir(dir);
    return plugin->interfaces();
}

void tst_PluginLoading::metadataBlock()
{
    QFile file(pluginPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray image = file.readAll();
    const int at = image.indexOf("QTMETADATA !");
    QVERIFY(at >= 0);
    QCOMPARE(image.indexOf("QTMETADATA !", at + 1), -1);
    const QByteArray header = image.mid(at + 12, 4);
    QCOMPARE(header, QByteArray("\x00\x05\x0f\x00", 4));
}

void tst_PluginLoading::metadataObject()
{
    const QJsonObject meta = m_loader->metaData();
    QCOMPARE(meta.value(QStringLiteral("IID")).toString(),
             QStringLiteral("IPDDSYN.DDS2Package/1.0"));
    QCOMPARE(meta.value(QStringLiteral("className")).toString(), QStringLiteral("DDS2Package"));
    QVERIFY(!meta.contains(QStringLiteral("MetaData")));
}

void tst_PluginLoading::exportsOnlyEntryPoints()
{
    QProcess nm;
    nm.start(QStringLiteral("nm"),
             {QStringLiteral("-D"), QStringLiteral("--defined-only"), pluginPath});
    QVERIFY(nm.waitForFinished());
    QCOMPARE(nm.exitCode(), 0);
    QStringList symbols;
    const QList<QByteArray> lines = nm.readAllStandardOutput().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() == 3)
            symbols << QString::fromLatin1(fields.at(2));
    }
    symbols.sort();
    QCOMPARE(symbols, (QStringList{"qt_plugin_instance", "qt_plugin_query_metadata"}));
}

void tst_PluginLoading::metacast_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("isNull");
    QTest::addColumn<bool>("isPackage");

    QTest::newRow("null name") << QByteArray() << true << false;
    QTest::newRow("own class") << QByteArray("IPDDSYN::DDS2Package") << false << true;
    QTest::newRow("host interface id")
            << QByteArray("com.veltoware.plugins.IPPlugin/1.0") << false << true;
    QTest::newRow("metadata id defers to base")
            << QByteArray("IPDDSYN.DDS2Package/1.0") << true << false;
    QTest::newRow("base class") << QByteArray("TE::TE_IPCore_Def::IPPlugin") << false << true;
    QTest::newRow("QObject") << QByteArray("QObject") << false << true;
    QTest::newRow("case differs") << QByteArray("ipddsyn::dds2package") << true << false;
}

void tst_PluginLoading::metacast()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, isNull);
    QFETCH(bool, isPackage);

    QObject *package = m_loader->instance();
    QVERIFY(package);
    void *cast = package->qt_metacast(name.isNull() ? nullptr : name.constData());
    QCOMPARE(cast == nullptr, isNull);
    if (isPackage)
        QCOMPARE(static_cast<QObject *>(static_cast<IPPlugin *>(cast)), package);
}

void tst_PluginLoading::newPackageAfterDelete()
{
    QPointer<QObject> first = m_loader->instance();
    QVERIFY(first);
    QCOMPARE(QString::fromLatin1(first->metaObject()->className()),
             QStringLiteral("IPDDSYN::DDS2Package"));
    first->QObject::setProperty("marked", true);
    delete first.data();
    QVERIFY(first.isNull());

    QObject *second = m_loader->instance();
    QVERIFY(second);
    QVERIFY(!second->property("marked").isValid());
    QVERIFY(qobject_cast<IPPlugin *>(second));
    QCOMPARE(m_loader->instance(), second);
}

void tst_PluginLoading::interfacesAreIndependent()
{
    const QList<BaseIPCoreInterface *> one
            = interfacesOf(*m_loader, QStringLiteral(DDS2_PLUGIN_DIR));
    const QList<BaseIPCoreInterface *> two
            = interfacesOf(*m_loader, QStringLiteral(DDS2_PLUGIN_DIR));
    QCOMPARE(one.size(), 1);
    QCOMPARE(two.size(), 1);
    QVERIFY(one.first() != two.first());
    delete one.first();
    QCOMPARE(two.first()->id(), QStringLiteral("dds_ii"));
    QVERIFY(!two.first()->name().isEmpty());
    delete two.first();
}

void tst_PluginLoading::brokenSpecGivesNoCore_data()
{
    QTest::addColumn<bool>("present");
    QTest::addColumn<QByteArray>("spec");
    QTest::newRow("missing") << false << QByteArray();
    QTest::newRow("empty") << true << QByteArray();
    QTest::newRow("no version") << true << QByteArray("[ipcore]\nid=dds_ii\nname=DDS II\n");
    QTest::newRow("binary") << true
                            << QByteArray("\x7f"
                                          "ELF\x02\x01\x01\0\0\0\xff\xfe[ipcore\n\0\0",
                                          21);
    QTest::newRow("truncated") << true << QByteArray("[ipcore]\nid=dds_ii\nname=DDS II\nvers");
}

void tst_PluginLoading::brokenSpecGivesNoCore()
{
    QFETCH(bool, present);
    QFETCH(QByteArray, spec);
    PluginCopy copy(present ? &spec : nullptr);
    QPluginLoader loader(copy.library());
    loader.setLoadHints(QLibrary::LoadHints());
    QVERIFY2(loader.load(), qPrintable(loader.errorString()));
    QVERIFY(interfacesOf(loader, copy.dir()).isEmpty());
    QVERIFY(loader.unload());
}

void tst_PluginLoading::catalogueAnswers()
{
    const QList<BaseIPCoreInterface *> cores
            = interfacesOf(*m_loader, QStringLiteral(DDS2_PLUGIN_DIR));
    QCOMPARE(cores.size(), 1);
    std::unique_ptr<BaseIPCoreInterface> core(cores.first());
    QCOMPARE(core->id(), QStringLiteral("dds_ii"));
    QCOMPARE(core->version(), QStringLiteral("2.0"));
    QCOMPARE(core->category(), (QStringList{"DSP", "Waveform Synthesis"}));
    QVERIFY(core->summary().contains(QStringLiteral("sixteen")));
    QVERIFY(core->supportsDevice(DEV::DeviceCatalogue::find(QStringLiteral("RQ3B/RQ4K-01"))));
    QVERIFY(!core->supportsDevice(DEV::DeviceCatalogue::find(QStringLiteral("RQ1A/RQ1A-01"))));
    const QMap<QString, QVariant> info = core->getIpinfoMap();
    QCOMPARE(info.value(QStringLiteral("ipcore.id")).toString(), QStringLiteral("dds_ii"));
}

void tst_PluginLoading::singleCategoryIsListOfOne()
{
    const QByteArray spec = "[ipcore]\nid=x\nname=X\nversion=1\ncategory=DSP\n";
    PluginCopy copy(&spec);
    QPluginLoader loader(copy.library());
    loader.setLoadHints(QLibrary::LoadHints());
    const QList<BaseIPCoreInterface *> cores = interfacesOf(loader, copy.dir());
    QCOMPARE(cores.size(), 1);
    QCOMPARE(cores.first()->category(), QStringList{QStringLiteral("DSP")});
    delete cores.first();
    QVERIFY(loader.unload());
}

void tst_PluginLoading::supportsDeviceListOrder_data()
{
    QTest::addColumn<QString>("device");
    QTest::addColumn<bool>("supported");
    // supported=RQ3B, unsupported=RQ6A: swapping the lists would invert both answers.
    QTest::newRow("in supported list") << "RQ3B/RQ3B-08" << true;
    QTest::newRow("in unsupported list") << "RQ6A/RQ6A-12" << false;
    QTest::newRow("in neither") << "RQ9A/RQ9A-25" << false;
}

void tst_PluginLoading::supportsDeviceListOrder()
{
    QFETCH(QString, device);
    QFETCH(bool, supported);
    const QByteArray spec = "[ipcore]\nid=x\nname=X\nversion=1\n"
                            "[ipcore.device]\nsupported=RQ3B\nunsupported=RQ6A\n";
    PluginCopy copy(&spec);
    QPluginLoader loader(copy.library());
    loader.setLoadHints(QLibrary::LoadHints());
    const QList<BaseIPCoreInterface *> cores = interfacesOf(loader, copy.dir());
    QCOMPARE(cores.size(), 1);
    QCOMPARE(cores.first()->supportsDevice(DEV::DeviceCatalogue::find(device)), supported);
    delete cores.first();
    QVERIFY(loader.unload());
}

void tst_PluginLoading::imagesAreUncompressedPngs()
{
    const QList<QPair<QString, qint64>> images
            = {{QStringLiteral("://image/module.png"), 2869},
               {QStringLiteral("://image/exclamation.png"), 2009}};
    for (const auto &image : images) {
        QResource resource(image.first);
        QVERIFY2(resource.isValid(), qPrintable(image.first));
        QCOMPARE(resource.compressionAlgorithm(), QResource::NoCompression);
        QCOMPARE(resource.size(), image.second);
        const QImage picture(image.first);
        QCOMPARE(picture.size(), QSize(32, 32));
        QVERIFY(picture.hasAlphaChannel());
    }
}

void tst_PluginLoading::ipgenList_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expectedOut");
    QTest::addColumn<QString>("expectedErr");

    QTest::newRow("catalogue") << "plugin" << 0 << "device RQ3B/RQ4K-01: supported"
                               << "";
    QTest::newRow("unsupported device") << "plugin RQ1A/RQ1A-01" << 0 << "not supported"
                                        << "";
    QTest::newRow("missing spec") << "nospec" << 1 << ""
                                  << "provides no core: there is no spec file";
    QTest::newRow("broken spec") << "badspec" << 1 << ""
                                 << "dds2.ipspec\": it is unreadable";
    QTest::newRow("not a plug-in") << "notplugin" << 1 << "dds_ii"
                                   << "is not a plug-in";
    QTest::newRow("other interface") << "other" << 1 << "dds_ii"
                                     << "its interface id is \"org.example.OtherPlugin/1.0\"";
    QTest::newRow("unknown device") << "plugin XX/YY" << 2 << ""
                                    << "unknown device \"XX/YY\"";
}

void tst_PluginLoading::ipgenList()
{
    QFETCH(QString, setup);
    QFETCH(int, exitCode);
    QFETCH(QString, expectedOut);
    QFETCH(QString, expectedErr);

    QTemporaryDir plugins;
    const QStringList words = setup.split(QLatin1Char(' '));
    const QString kind = words.first();
    const QString device = words.value(1, QStringLiteral("RQ3B/RQ4K-01"));
    QDir(plugins.path()).mkpath(QStringLiteral("dds_ii"));
    const QString dds = plugins.filePath(QStringLiteral("dds_ii/"));
    QVERIFY(QFile::copy(pluginPath, dds + QStringLiteral("libdds2.so")));
    if (kind != QLatin1String("nospec")) {
        if (kind == QLatin1String("badspec")) {
            QFile spec(dds + QStringLiteral("dds2.ipspec"));
            QVERIFY(spec.open(QIODevice::WriteOnly));
            spec.write("[ipcore]\nname=broken\n");
        } else {
            QVERIFY(QFile::copy(QStringLiteral(DDS2_PLUGIN_DIR "/dds2.ipspec"),
                                dds + QStringLiteral("dds2.ipspec")));
        }
    }
    if (kind == QLatin1String("notplugin")) {
        QDir(plugins.path()).mkpath(QStringLiteral("junk"));
        QFile junk(plugins.filePath(QStringLiteral("junk/libjunk.so")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not an ELF file");
    }
    if (kind == QLatin1String("other")) {
        QDir(plugins.path()).mkpath(QStringLiteral("other"));
        QVERIFY(QFile::copy(QStringLiteral(OTHER_PLUGIN),
                            plugins.filePath(QStringLiteral("other/libotherplugin.so"))));
    }

    QProcess ipgen;
    ipgen.start(QStringLiteral(IPGEN_BINARY),
                {QStringLiteral("list"),
                 QStringLiteral("--plugins"),
                 plugins.path(),
                 QStringLiteral("--device"),
                 device});
    QVERIFY(ipgen.waitForFinished(60000));
    const QString out = QString::fromUtf8(ipgen.readAllStandardOutput());
    const QString err = QString::fromUtf8(ipgen.readAllStandardError());
    QVERIFY2(ipgen.exitCode() == exitCode, qPrintable(out + err));
    QVERIFY2(out.contains(expectedOut), qPrintable(out));
    QVERIFY2(err.contains(expectedErr), qPrintable(err));
    if (exitCode == 0)
        QVERIFY2(out.contains(QStringLiteral("dds_ii\n  name:")), qPrintable(out));
}

QTEST_MAIN(tst_PluginLoading)
#include "tst_pluginloading.moc"
