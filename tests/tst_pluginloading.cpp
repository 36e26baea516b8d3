#include "baseipcoreinterface.h"
#include "devicecatalogue.h"
#include "ipplugin.h"
#include "toolrun.h"

#include <QFile>
#include <QImage>
#include <QPluginLoader>
#include <QProcess>
#include <QResource>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using TE::TE_IPCore_Def::BaseIPCoreInterface;
using TE::TE_IPCore_Def::IPPlugin;

static const QString pluginPath = QStringLiteral(DDS2_PLUGIN_DIR "/libdds2.so");

/// A copy of the plug-in in a folder of its own, with a spec file of the
/// test's choosing, and a loader that really unloads it.
class PluginCopy
{
public:
    explicit PluginCopy(const QByteArray *spec)
    {
        QFile::copy(pluginPath, m_dir.filePath("libdds2.so"));
        if (spec)
            writeFile(m_dir.filePath("dds2.ipspec"), *spec);
        loader.setFileName(m_dir.filePath("libdds2.so"));
        loader.setLoadHints(QLibrary::LoadHints());
    }
    QString dir() const { return m_dir.path(); }
    QPluginLoader loader;

private:
    QTemporaryDir m_dir;
};

class tst_PluginLoading : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void imagesFollowLibraryLifetime();
    void metadata();
    void exportsOnlyEntryPoints();
    void interfacesAreIndependent();
    void specAnswers();
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
    const QString image = "://image/module.png";
    QVERIFY(!QFile::exists(image));
    PluginCopy copy(nullptr);
    QVERIFY2(copy.loader.load(), qPrintable(copy.loader.errorString()));
    for (const char *name : {"://image/module.png", "://image/exclamation.png"}) {
        QCOMPARE(QResource(QString::fromLatin1(name)).compressionAlgorithm(),
                 QResource::NoCompression);
        const QImage picture(QString::fromLatin1(name));
        QCOMPARE(picture.size(), QSize(32, 32));
        QVERIFY(picture.hasAlphaChannel());
    }
    QVERIFY(copy.loader.unload());
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

void tst_PluginLoading::metadata()
{
    QFile file(pluginPath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray image = file.readAll();
    const int at = image.indexOf("QTMETADATA !");
    QVERIFY(at >= 0);
    QCOMPARE(image.indexOf("QTMETADATA !", at + 1), -1);
    QCOMPARE(image.mid(at + 12, 4), QByteArray("\x00\x05\x0f\x00", 4));
    const QJsonObject meta = m_loader->metaData();
    QCOMPARE(meta.value("IID").toString(), QString("IPDDSYN.DDS2Package/1.0"));
    QCOMPARE(meta.value("className").toString(), QString("DDS2Package"));
    QVERIFY(!meta.contains("MetaData"));
}

void tst_PluginLoading::exportsOnlyEntryPoints()
{
    QProcess nm;
    nm.start("nm", {"-D", "--defined-only", pluginPath});
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

void tst_PluginLoading::interfacesAreIndependent()
{
    const QList<BaseIPCoreInterface *> one = interfacesOf(*m_loader, DDS2_PLUGIN_DIR);
    const QList<BaseIPCoreInterface *> two = interfacesOf(*m_loader, DDS2_PLUGIN_DIR);
    QCOMPARE(one.size(), 1);
    QCOMPARE(two.size(), 1);
    QVERIFY(one.first() != two.first());
    delete one.first();
    QCOMPARE(two.first()->id(), QString("dds_ii"));
    QVERIFY(!two.first()->name().isEmpty());
    delete two.first();
}

// The category as a list even when it is one word, and the device lists
// each in its role: swapping them would invert both answers.
void tst_PluginLoading::specAnswers()
{
    const QByteArray spec = "[ipcore]\nid=x\nname=X\nversion=1\ncategory=DSP\n"
                            "[ipcore.device]\nsupported=RQ3B\nunsupported=RQ6A\n";
    PluginCopy copy(&spec);
    const QList<BaseIPCoreInterface *> cores = interfacesOf(copy.loader, copy.dir());
    QCOMPARE(cores.size(), 1);
    std::unique_ptr<BaseIPCoreInterface> core(cores.first());
    QCOMPARE(core->category(), QStringList{"DSP"});
    QVERIFY(core->supportsDevice(DEV::DeviceCatalogue::find("RQ3B/RQ3B-08")));
    QVERIFY(!core->supportsDevice(DEV::DeviceCatalogue::find("RQ6A/RQ6A-12")));
    QVERIFY(!core->supportsDevice(DEV::DeviceCatalogue::find("RQ9A/RQ9A-25")));
    core.reset();
    QVERIFY(copy.loader.unload());
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
    const QString kind = setup.section(' ', 0, 0);
    const QString device = setup.contains(' ') ? setup.section(' ', 1) : "RQ3B/RQ4K-01";
    const QString dds = plugins.filePath("dds_ii/");
    QVERIFY(QDir().mkpath(dds) && QFile::copy(pluginPath, dds + "libdds2.so"));
    if (kind == "badspec")
        QVERIFY(writeFile(dds + "dds2.ipspec", "[ipcore]\nname=broken\n"));
    else if (kind != "nospec")
        QVERIFY(QFile::copy(DDS2_PLUGIN_DIR "/dds2.ipspec", dds + "dds2.ipspec"));
    if (kind == "notplugin")
        QVERIFY(writeFile(plugins.filePath("junk/libjunk.so"), "not an ELF file"));
    if (kind == "other")
        QVERIFY(QDir().mkpath(plugins.filePath("other"))
                && QFile::copy(OTHER_PLUGIN, plugins.filePath("other/libotherplugin.so")));

    QProcess ipgen;
    ipgen.start(IPGEN_BINARY, {"list", "--plugins", plugins.path(), "--device", device});
    QVERIFY(ipgen.waitForFinished(60000));
    const QString out = QString::fromUtf8(ipgen.readAllStandardOutput());
    const QString err = QString::fromUtf8(ipgen.readAllStandardError());
    QVERIFY2(ipgen.exitCode() == exitCode, qPrintable(out + err));
    QVERIFY2(out.contains(expectedOut), qPrintable(out));
    QVERIFY2(err.contains(expectedErr), qPrintable(err));
    if (exitCode == 0)
        QVERIFY2(out.contains("dds_ii\n  name:"), qPrintable(out));
}

QTEST_MAIN(tst_PluginLoading)
#include "tst_pluginloading.moc"
