// Loading the plug-in as a host does: its metadata, exports, resources and
// the answers its spec file gives, and the host's refusals of what is no core;
// then the generator dialog it opens, in real windows on an X server of its own.
#include "baseipcoreinterface.h"
#include "devicecatalogue.h"
#include "ipgendialog.h"
#include "ipplugin.h"
#include "modalwatcher.h"
#include "portfigureview.h"
#include "toolrun.h"

#include <QAbstractButton>
#include <QImage>
#include <QMessageBox>
#include <QPluginLoader>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include <memory>

using TE::TE_IPCore_Def::BaseIPCoreInterface;

static const QString pluginPath = QStringLiteral(DDS2_PLUGIN_DIR "/libdds2.so");

class tst_PluginLoading : public QObject
{
    Q_OBJECT
private slots:
    void imagesFollowLibraryLifetime();
    void metadata();
    void exportsOnlyEntryPoints();
    void interfacesAreIndependent();
    void spec_data();
    void spec();
    void ipgenList_data();
    void ipgenList();
    void realWindow();
    void helpLooksInPluginDataFolder_data();
    void helpLooksInPluginDataFolder();
    void rejectedConfigurationShowsNoDialog();

private:
    QList<BaseIPCoreInterface *> interfacesOf(const QString &dir);
    std::unique_ptr<QPluginLoader> m_loader;
};

// Runs before any other test loads the plug-in: Qt 5 keeps plug-ins mapped
// unless the loader is told otherwise, and the images would stay registered.
void tst_PluginLoading::imagesFollowLibraryLifetime()
{
    const QString image = "://image/module.png";
    QVERIFY(!QFile::exists(image));
    QTemporaryDir dir;
    QVERIFY(QFile::copy(pluginPath, dir.filePath("libdds2.so")));
    QPluginLoader copy(dir.filePath("libdds2.so"));
    copy.setLoadHints(QLibrary::LoadHints());
    QVERIFY2(copy.load(), qPrintable(copy.errorString()));
    QCOMPARE(QImage(image).size(), QSize(32, 32));
    QVERIFY(copy.unload());
    QVERIFY(!QFile::exists(image));

    m_loader = std::make_unique<QPluginLoader>(pluginPath);
    QVERIFY2(m_loader->load(), qPrintable(m_loader->errorString()));
}

QList<BaseIPCoreInterface *> tst_PluginLoading::interfacesOf(const QString &dir)
{
    auto *plugin = qobject_cast<TE::TE_IPCore_Def::IPPlugin *>(m_loader->instance());
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
    QVERIFY(at >= 0 && image.indexOf("QTMETADATA !", at + 1) < 0); // one block of metadata
    QCOMPARE(image.mid(at + 12, 4), QByteArray("\x00\x05\x0f\x00", 4));
    const QJsonObject meta = m_loader->metaData();
    QCOMPARE(meta.value("IID").toString(), QString("IPDDSYN.DDS2Package/1.0"));
    QCOMPARE(meta.value("className").toString(), QString("DDS2Package"));
}

void tst_PluginLoading::exportsOnlyEntryPoints()
{
    QString out;
    QCOMPARE(
            runTool("nm", {"-D", "--defined-only", "--format=just-symbols", pluginPath}, ".", &out),
            0);
    QStringList symbols = out.split('\n', Qt::SkipEmptyParts);
    symbols.sort();
    QCOMPARE(symbols, (QStringList{"qt_plugin_instance", "qt_plugin_query_metadata"}));
}

void tst_PluginLoading::interfacesAreIndependent()
{
    const QList<BaseIPCoreInterface *> one = interfacesOf(DDS2_PLUGIN_DIR);
    const QList<BaseIPCoreInterface *> two = interfacesOf(DDS2_PLUGIN_DIR);
    QVERIFY(one.size() == 1 && two.size() == 1 && one.first() != two.first());
    delete one.first();
    QCOMPARE(two.first()->id(), QString("dds_ii"));
    delete two.first();
}

void tst_PluginLoading::spec_data()
{
    QTest::addColumn<QByteArray>("spec");
    QTest::addColumn<QString>("device");
    QTest::addColumn<int>("supported"); // -1: the spec is refused, and no core offered
    // The category a list even when it is one word, a quoted value keeps its commas.
    const QByteArray core = "[ipcore]\nid=a\nname=b\nversion=1\ncategory=DSP\n"
                            "[ipcore.doc]\nsummary=\"one, two\"\n[ipcore.device]\n";
    const auto row = [](const char *name, QByteArray spec, QString device, int supported) {
        QTest::newRow(name) << spec << device << supported;
    };
    row("empty lists allow all", core, "RQ3B/RQ4K-01", 1);
    row("series in a list", core + "supported=RQ9A, RQ3B\n", "RQ3B/RQ4K-01", 1);
    row("device supported", core + "supported=RQ4K-01\n", "RQ3B/RQ4K-01", 1);
    row("not in supported", core + "supported=RQ3B\n", "RQ6A/RQ6A-12", 0);
    row("unsupported wins", core + "supported=RQ3B\nunsupported=RQ4K-01\n", "RQ3B/RQ4K-01", 0);
    row("unsupported only", core + "unsupported=RQ1A\n", "RQ1A/RQ1A-01", 0);
    row("blank entries ignored", core + "supported=\" \"\nunsupported=\n", "RQ3B/RQ3B-08", 1);
    row("no version", "[ipcore]\nid=a\nname=b\n", "", -1);
    row("blank name", "[ipcore]\nid=a\nname=\" \"\nversion=1\n", "", -1);
    row("unterminated section", "[ipcore\nid=a\nname=b\nversion=1\n", "", -1);
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char((i * 7919) & 0xff));
    row("binary", binary, "", -1);
}

// The spec file as the plug-in reads it through the host's parser.
void tst_PluginLoading::spec()
{
    QFETCH(QByteArray, spec);
    QFETCH(QString, device);
    QFETCH(int, supported);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("dds2.ipspec"), spec));
    const QList<BaseIPCoreInterface *> cores = interfacesOf(dir.path());
    QCOMPARE(cores.size(), supported < 0 ? 0 : 1);
    if (cores.isEmpty())
        return;
    std::unique_ptr<BaseIPCoreInterface> core(cores.first());
    QCOMPARE(core->category(), QStringList{"DSP"});
    QCOMPARE(core->summary(), QString("one, two"));
    const DEV::DeviceArg arg = DEV::DeviceCatalogue::find(device);
    QVERIFY2(arg.isValid(), qPrintable(device));
    QCOMPARE(core->supportsDevice(arg), bool(supported));
}

void tst_PluginLoading::ipgenList_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("expectedOut");
    QTest::addColumn<QString>("expectedErr");
    const auto row = [](const char *name, QString setup, int exitCode, QString out, QString err) {
        QTest::newRow(name) << setup << exitCode << out << err;
    };
    const QString listed = "dds_ii\n  name:";
    row("catalogue", "plugin RQ3B/RQ4K-01", 0, "device RQ3B/RQ4K-01: supported", "");
    row("unsupported device", "plugin RQ1A/RQ1A-01", 0, ": not supported", "");
    row("missing spec", "nospec", 1, "", "provides no core: there is no spec file");
    row("broken spec", "badspec", 1, "", "dds2.ipspec\": it is unreadable");
    row("not a plug-in", "notplugin", 1, listed, "is not a plug-in");
    row("other interface",
        "other",
        1,
        listed,
        "its interface id is \"org.example.OtherPlugin/1.0\"");
    row("unknown device", "plugin XX/YY", 2, "", "unknown device \"XX/YY\"");
}

void tst_PluginLoading::ipgenList()
{
    QFETCH(QString, setup);
    QFETCH(int, exitCode);
    QFETCH(QString, expectedOut);
    QFETCH(QString, expectedErr);
    QTemporaryDir plugins;
    const QString kind = setup.section(' ', 0, 0);
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
    QStringList args{"list", "--plugins", plugins.path()};
    if (setup.contains(' '))
        args << "--device" << setup.section(' ', 1);
    QProcess ipgen;
    ipgen.start(IPGEN_BINARY, args);
    QVERIFY(ipgen.waitForFinished(60000));
    const QString out = QString::fromUtf8(ipgen.readAllStandardOutput());
    const QString err = QString::fromUtf8(ipgen.readAllStandardError());
    QVERIFY2(ipgen.exitCode() == exitCode, qPrintable(out + err));
    QVERIFY2(out.contains(expectedOut), qPrintable(out));
    QVERIFY2(err.contains(expectedErr), qPrintable(err));
}

// A real mouse click on a real window changes the figure, which grows and is drawn anew; Cancel
// writes nothing.
void tst_PluginLoading::realWindow()
{
    QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    const std::unique_ptr<BaseIPCoreInterface> core(interfacesOf(DDS2_PLUGIN_DIR).value(0));
    QVERIFY(core);
    bool exposed = false, grown = false, redrawn = false;
    QStringList pins;
    ModalWatcher watcher({[&](QWidget *modal) {
        exposed = QTest::qWaitForWindowExposed(modal);
        modal->findChild<QTabWidget *>("tabs")->setCurrentIndex(1);
        auto *figure = modal->findChild<IPCore::PortFigureView *>();
        const QSize size = figure->sizeHint();
        const QImage drawn = figure->grab().toImage();
        for (const char *name : {"streaming_inc", "streaming_off"}) {
            auto *streaming = modal->findChild<QAbstractButton *>(name);
            QTest::mouseClick(streaming, Qt::LeftButton, {}, QPoint(8, streaming->height() / 2));
        }
        QTest::qWait(50);
        const QSize now = figure->sizeHint();
        grown = now.height() > size.height() && now.width() > size.width()
                && figure->minimumSizeHint() == now;
        redrawn = figure->grab().toImage() != drawn;
        for (const Utils::PinFigure &pin : qobject_cast<IPCore::IPGenDialog *>(modal)->figurePins())
            pins << pin.label();
        ModalWatcher::press(modal, QDialogButtonBox::Cancel);
    }});
    QTemporaryDir out;
    core->createCore(out.filePath("instance"), DEV::DeviceCatalogue::find("RQ3B/RQ4K-01"));
    QCOMPARE(watcher.handled(), 1);
    QVERIFY(!QFileInfo::exists(out.filePath("instance")));
    QVERIFY(exposed && grown && redrawn);
    QVERIFY2(pins.contains("phase_inc_i[26:0]") && pins.contains("phase_off_i[26:0]"),
             qPrintable(pins.join(' ')));
}

// The spec file may name a data folder of its own; the plug-in's folder wins, and that is where
// the dialog's Help looks: it shows the document there, or names the path when it is missing.
void tst_PluginLoading::helpLooksInPluginDataFolder_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("document there") << true;
    QTest::newRow("document missing") << false;
}

void tst_PluginLoading::helpLooksInPluginDataFolder()
{
    QFETCH(bool, present);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("dds2.ipspec"),
                      readFile(DDS2_PLUGIN_DIR "/dds2.ipspec").toUtf8()
                              + "\n[ipcore.dir]\ndata=/somewhere/else\n"));
    const QString helpPath = dir.filePath("data/dds_ii_help.html");
    QVERIFY(QDir(dir.path()).mkdir("data"));
    if (present)
        QVERIFY(QFile::copy(DDS2_PLUGIN_DIR "/data/dds_ii_help.html", helpPath));
    const std::unique_ptr<BaseIPCoreInterface> core(interfacesOf(dir.path()).value(0));
    QVERIFY(core);
    QString shown, message;
    ModalWatcher watcher({[&](QWidget *modal) {
                              QTimer::singleShot(0, [&, modal] {
                                  ModalWatcher::press(modal, QDialogButtonBox::Help);
                                  auto *browser = modal->findChild<QTextBrowser *>("helpBrowser");
                                  if (browser && browser->isVisible())
                                      shown = browser->source().toLocalFile();
                                  modal->close();
                              });
                          },
                          [&](QWidget *modal) {
                              if (auto *box = qobject_cast<QMessageBox *>(modal))
                                  message = box->text();
                              modal->close();
                          }});
    core->createCore(QDir::tempPath(), DEV::DeviceCatalogue::find("RQ3B/RQ4K-01"));
    QCOMPARE(watcher.handled(), present ? 1 : 2);
    QCOMPARE(shown, present ? helpPath : QString());
    QVERIFY2(present ? message.isEmpty() : message.contains(helpPath), qPrintable(message));
}

void tst_PluginLoading::rejectedConfigurationShowsNoDialog()
{
    const std::unique_ptr<BaseIPCoreInterface> core(interfacesOf(DDS2_PLUGIN_DIR).value(0));
    QVERIFY(core);
    QTemporaryDir out;
    const QString config = out.filePath("dds_ii.ipc");
    QVERIFY(writeFile(config, "[General]\nversion=1.1\ntype=dds_ii\n[Config]\nSystemClock=200\n"));
    QString shown;
    ModalWatcher watcher({[&](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            shown = box->text();
        modal->close();
    }});
    core->openCore(config, QString());
    QCoreApplication::processEvents();
    QCOMPARE(watcher.handled(), 1);
    QVERIFY2(shown.startsWith("This version of specified IP Config file is incompatible"),
             qPrintable(shown));
}

QTEST_MAIN(tst_PluginLoading)
#include "tst_pluginloading.moc"
