#include "baseipcoreinterface.h"
#include "devicecatalogue.h"
#include "ipgendialog.h"
#include "ipplugin.h"
#include "modalwatcher.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPluginLoader>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using TE::TE_IPCore_Def::BaseIPCoreInterface;

/// The built plug-in in a folder of its own, with its spec file plus `extraSpec`
/// and the help document in its data folder.
class PluginCopy
{
public:
    explicit PluginCopy(const QByteArray &extraSpec)
    {
        const QString plugin = QStringLiteral(DDS2_PLUGIN_DIR);
        QFile::copy(plugin + QStringLiteral("/libdds2.so"), path(QStringLiteral("libdds2.so")));
        QFile source(plugin + QStringLiteral("/dds2.ipspec"));
        source.open(QIODevice::ReadOnly);
        QFile spec(path(QStringLiteral("dds2.ipspec")));
        spec.open(QIODevice::WriteOnly);
        spec.write(source.readAll() + "\n" + extraSpec);
        QDir(m_dir.path()).mkdir(QStringLiteral("data"));
        QFile::copy(plugin + QStringLiteral("/data/dds_ii_help.html"),
                    path(QStringLiteral("data/dds_ii_help.html")));
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString dir() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};

/// Loads a plug-in folder the way the host does and keeps its one core.
class LoadedCore
{
public:
    explicit LoadedCore(const QString &dir)
        : m_loader(dir + QStringLiteral("/libdds2.so"))
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
    BaseIPCoreInterface *core() const { return m_core.get(); }

private:
    QPluginLoader m_loader;
    std::unique_ptr<BaseIPCoreInterface> m_core;
};

static void clickButton(QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttons"));
    QVERIFY(buttons);
    buttons->button(which)->click();
}

class tst_DialogLaunch : public QObject
{
    Q_OBJECT
private slots:
    void helpLooksInPluginDataFolder();
    void missingHelpSaysWhereItLooked();
    void cancelWritesNothing();
    void rejectedConfigurationShowsNoDialog();
};

// The spec file may name a data folder of its own; the plug-in's folder wins,
// and that is where the dialog's Help looks.
void tst_DialogLaunch::helpLooksInPluginDataFolder()
{
    PluginCopy copy("[ipcore.dir]\ndata=/somewhere/else\n");
    LoadedCore loaded(copy.dir());
    QVERIFY(loaded.core());
    QString helpPath;
    ModalWatcher watcher({[&](QWidget *modal) {
        auto *dialog = qobject_cast<IPCore::IPGenDialog *>(modal);
        if (dialog)
            helpPath = dialog->helpDocumentPath();
        modal->close();
    }});
    loaded.core()->createCore(QDir::tempPath(),
                              DEV::DeviceCatalogue::find(QStringLiteral("RQ3B/RQ4K-01")));
    QCOMPARE(watcher.handled(), 1);
    QCOMPARE(helpPath, copy.path(QStringLiteral("data/dds_ii_help.html")));
    QVERIFY(QFileInfo(helpPath).isFile());
}

void tst_DialogLaunch::missingHelpSaysWhereItLooked()
{
    PluginCopy copy("");
    QFile::remove(copy.path(QStringLiteral("data/dds_ii_help.html")));
    LoadedCore loaded(copy.dir());
    QVERIFY(loaded.core());
    QString message;
    ModalWatcher watcher(
            {[&](QWidget *modal) {
                 auto *help = modal->findChild<QDialogButtonBox *>(QStringLiteral("buttons"));
                 QTimer::singleShot(0, [help] { help->button(QDialogButtonBox::Help)->click(); });
             },
             [&](QWidget *modal) {
                 if (auto *box = qobject_cast<QMessageBox *>(modal))
                     message = box->text();
                 modal->close();
                 QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
             }});
    loaded.core()->createCore(QDir::tempPath(),
                              DEV::DeviceCatalogue::find(QStringLiteral("RQ3B/RQ4K-01")));
    QCOMPARE(watcher.handled(), 2);
    QVERIFY2(message.contains(QStringLiteral("dds_ii_help.html")), qPrintable(message));
    QVERIFY2(message.contains(copy.path(QStringLiteral("data/dds_ii_help.html"))),
             qPrintable(message));
}

void tst_DialogLaunch::cancelWritesNothing()
{
    LoadedCore loaded(QStringLiteral(DDS2_PLUGIN_DIR));
    QVERIFY(loaded.core());
    QTemporaryDir out;
    const QString target = out.filePath(QStringLiteral("instance"));
    for (int run = 0; run < 2; ++run) {
        ModalWatcher watcher(
                {[&](QWidget *modal) { clickButton(modal, QDialogButtonBox::Cancel); }});
        loaded.core()->createCore(target,
                                  DEV::DeviceCatalogue::find(QStringLiteral("RQ3B/RQ4K-01")));
        QCOMPARE(watcher.handled(), 1);
        QVERIFY(!QFileInfo::exists(target));
    }
}

void tst_DialogLaunch::rejectedConfigurationShowsNoDialog()
{
    LoadedCore loaded(QStringLiteral(DDS2_PLUGIN_DIR));
    QVERIFY(loaded.core());
    QTemporaryDir out;
    const QString config = out.filePath(QStringLiteral("dds_ii.ipc"));
    {
        QFile file(config);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\nversion=1.1\ntype=dds_ii\n[Config]\nSystemClock=200\n");
    }
    QStringList shown;
    ModalWatcher watcher({[&](QWidget *modal) {
        shown << QString::fromLatin1(modal->metaObject()->className());
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            shown << box->text();
        modal->close();
    }});
    loaded.core()->openCore(config, QString());
    QCoreApplication::processEvents();
    QCOMPARE(watcher.handled(), 1);
    QCOMPARE(shown.value(0), QStringLiteral("QMessageBox"));
    QCOMPARE(shown.value(1),
             QStringLiteral("This version of specified IP Config file is incompatible with current "
                            "IP Core Generator."));
}

QTEST_MAIN(tst_DialogLaunch)
#include "tst_dialoglaunch.moc"
