#include "baseipcoreinterface.h"
#include "devicecatalogue.h"
#include "ipgendialog.h"
#include "ipplugin.h"
#include "modalwatcher.h"
#include "toolrun.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QMessageBox>
#include <QPluginLoader>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include <memory>

/// Loads a plug-in folder the way the host does and keeps its one core.
class LoadedCore
{
public:
    explicit LoadedCore(const QString &dir = DDS2_PLUGIN_DIR)
        : m_loader(dir + "/libdds2.so")
    {
        auto *plugin = qobject_cast<TE::TE_IPCore_Def::IPPlugin *>(m_loader.instance());
        if (!plugin)
            return;
        plugin->setPluginDir(dir);
        const auto cores = plugin->interfaces();
        if (cores.size() == 1)
            m_core.reset(cores.first());
    }
    ~LoadedCore()
    {
        m_core.reset();
        delete m_loader.instance();
    }
    TE::TE_IPCore_Def::BaseIPCoreInterface *core() const { return m_core.get(); }
    void create(const QString &dir) const
    {
        m_core->createCore(dir, DEV::DeviceCatalogue::find("RQ3B/RQ4K-01"));
    }

private:
    QPluginLoader m_loader;
    std::unique_ptr<TE::TE_IPCore_Def::BaseIPCoreInterface> m_core;
};

/// The built plug-in in a folder of its own, its spec file followed by `extraSpec`, and an empty
/// data folder.
static QString copyPlugin(const QTemporaryDir &dir, const QByteArray &extraSpec)
{
    const QString plugin = DDS2_PLUGIN_DIR;
    QFile::copy(plugin + "/libdds2.so", dir.filePath("libdds2.so"));
    writeFile(dir.filePath("dds2.ipspec"),
              readFile(plugin + "/dds2.ipspec").toUtf8() + "\n" + extraSpec);
    QDir(dir.path()).mkdir("data");
    return dir.path();
}

/// How the host opens the generator dialog: from a loaded plug-in, or from `ipgen create/open`,
/// which refuse every wrong call with a message that says what to do, before any dialog opens.
class tst_DialogLaunch : public QObject
{
    Q_OBJECT
private slots:
    void helpLooksInPluginDataFolder_data();
    void helpLooksInPluginDataFolder();
    void cancelWritesNothing();
    void rejectedConfigurationShowsNoDialog();
    void refusedCalls_data();
    void refusedCalls();
};

// The spec file may name a data folder of its own; the plug-in's folder wins, and that is where
// the dialog's Help looks: it shows the document there, or names the path when it is missing.
void tst_DialogLaunch::helpLooksInPluginDataFolder_data()
{
    QTest::addColumn<bool>("present");
    QTest::newRow("document there") << true;
    QTest::newRow("document missing") << false;
}

void tst_DialogLaunch::helpLooksInPluginDataFolder()
{
    QFETCH(bool, present);
    QTemporaryDir dir;
    LoadedCore loaded(copyPlugin(dir, "[ipcore.dir]\ndata=/somewhere/else\n"));
    QVERIFY(loaded.core());
    const QString helpPath = dir.filePath("data/dds_ii_help.html");
    if (present)
        QVERIFY(QFile::copy(DDS2_PLUGIN_DIR "/data/dds_ii_help.html", helpPath));
    QString shown, message;
    ModalWatcher watcher({[&](QWidget *modal) {
                              QTimer::singleShot(0, [&, modal] {
                                  modal->findChild<QDialogButtonBox *>("buttons")
                                          ->button(QDialogButtonBox::Help)
                                          ->click();
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
    loaded.create(QDir::tempPath());
    QCOMPARE(watcher.handled(), present ? 1 : 2);
    QCOMPARE(shown, present ? helpPath : QString());
    QVERIFY2(present ? message.isEmpty() : message.contains(helpPath), qPrintable(message));
}

void tst_DialogLaunch::cancelWritesNothing()
{
    LoadedCore loaded;
    QVERIFY(loaded.core());
    QTemporaryDir out;
    const QString target = out.filePath("instance");
    for (int run = 0; run < 2; ++run) {
        ModalWatcher watcher({[&](QWidget *modal) {
            modal->findChild<QDialogButtonBox *>("buttons")
                    ->button(QDialogButtonBox::Cancel)
                    ->click();
        }});
        loaded.create(target);
        QCOMPARE(watcher.handled(), 1);
        QVERIFY(!QFileInfo::exists(target));
    }
}

void tst_DialogLaunch::rejectedConfigurationShowsNoDialog()
{
    LoadedCore loaded;
    QVERIFY(loaded.core());
    QTemporaryDir out;
    const QString config = out.filePath("dds_ii.ipc");
    QVERIFY(writeFile(config, "[General]\nversion=1.1\ntype=dds_ii\n[Config]\nSystemClock=200\n"));
    QStringList shown;
    ModalWatcher watcher({[&](QWidget *modal) {
        shown << modal->metaObject()->className();
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            shown << box->text();
        modal->close();
    }});
    loaded.core()->openCore(config, QString());
    QCoreApplication::processEvents();
    QCOMPARE(watcher.handled(), 1);
    QCOMPARE(shown,
             QStringList({"QMessageBox",
                          "This version of specified IP Config file is incompatible with current "
                          "IP Core Generator."}));
}

void tst_DialogLaunch::refusedCalls_data()
{
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    // The tag is the call; "DISPLAY=" in front runs it without any display.
    const auto row = [](const char *call, int exitCode, const char *message) {
        QTest::newRow(call) << exitCode << message;
    };
    row("create --device XX/YY --dir /tmp/x", 2, "unknown device \"XX/YY\"; 'ipgen devices'");
    row("create --device RQ3B/RQ4K-01", 2, "both --device SERIES/DEVICE and --dir DIR are needed");
    row("create --dir /tmp/x", 2, "both --device SERIES/DEVICE and --dir DIR are needed");
    row("create --device RQ3B/RQ4K-01 --dir " IPGEN_BINARY,
        2,
        "is a file; --dir needs a directory");
    row("create --device RQ3B/RQ4K-01 --dir /tmp/x --core nco",
        1,
        "no core \"nco\" among the plug-ins (found: dds_ii)");
    row("create --device RQ1A/RQ1A-01 --dir /tmp/x",
        1,
        "core \"dds_ii\" does not support device RQ1A/RQ1A-01");
    row("create --colour red", 2, "'ipgen create --help' lists the options");
    row("DISPLAY= create --device RQ3B/RQ4K-01 --dir /tmp/x", 2, "needs a display");
    row("open", 2, "name exactly one configuration file (.ipc)");
    row("open /nonexistent/dds_ii.ipc", 2, "\"/nonexistent/dds_ii.ipc\" does not exist");
    row("open " IPGEN_BINARY " --device RQ3B/none", 2, "unknown device \"RQ3B/none\"");
}

void tst_DialogLaunch::refusedCalls()
{
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    QString program = IPGEN_BINARY;
    QStringList args = QString(QTest::currentDataTag()).split(' ');
    if (args.first() == "DISPLAY=") {
        args = QStringList{"-u",
                           "DISPLAY",
                           "-u",
                           "WAYLAND_DISPLAY",
                           "-u",
                           "QT_QPA_PLATFORM",
                           program}
               + args.mid(1);
        program = "env";
    }
    QString output;
    QCOMPARE(runTool(program, args, QDir::currentPath(), &output), exitCode);
    QVERIFY2(output.contains(message), qPrintable(output));
}

QTEST_MAIN(tst_DialogLaunch)
#include "tst_dialoglaunch.moc"
