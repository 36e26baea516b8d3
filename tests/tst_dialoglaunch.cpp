#include "baseipcoreinterface.h"
#include "devicecatalogue.h"
#include "ipgendialog.h"
#include "ipplugin.h"
#include "modalwatcher.h"
#include "portfigureview.h"
#include "toolrun.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPluginLoader>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include <memory>

using Core = std::unique_ptr<TE::TE_IPCore_Def::BaseIPCoreInterface>;

/// The one core of the plug-in in `dir`, loaded the way the host loads it.
static Core loadCore(const QString &dir = DDS2_PLUGIN_DIR)
{
    auto *plugin = qobject_cast<TE::TE_IPCore_Def::IPPlugin *>(
            QPluginLoader(dir + "/libdds2.so").instance());
    if (!plugin)
        return nullptr;
    plugin->setPluginDir(dir);
    const auto cores = plugin->interfaces();
    return Core(cores.size() == 1 ? cores.first() : nullptr);
}

static void clickButton(QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    dialog->findChild<QDialogButtonBox *>("buttons")->button(which)->click();
}

/// How the host opens the generator dialog from a loaded plug-in, in a real window on an X server
/// of its own.
class tst_DialogLaunch : public QObject
{
    Q_OBJECT
private slots:
    void realWindow();
    void helpLooksInPluginDataFolder_data();
    void helpLooksInPluginDataFolder();
    void rejectedConfigurationShowsNoDialog();
};

// A real mouse click on a real window changes the figure, which grows and is drawn anew; Cancel
// writes nothing.
void tst_DialogLaunch::realWindow()
{
    QCOMPARE(QGuiApplication::platformName(), QString("xcb"));
    const Core core = loadCore();
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
        clickButton(modal, QDialogButtonBox::Cancel);
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
    QVERIFY(QFile::copy(DDS2_PLUGIN_DIR "/libdds2.so", dir.filePath("libdds2.so")));
    QVERIFY(writeFile(dir.filePath("dds2.ipspec"),
                      readFile(DDS2_PLUGIN_DIR "/dds2.ipspec").toUtf8()
                              + "\n[ipcore.dir]\ndata=/somewhere/else\n"));
    const QString helpPath = dir.filePath("data/dds_ii_help.html");
    QVERIFY(QDir(dir.path()).mkdir("data"));
    if (present)
        QVERIFY(QFile::copy(DDS2_PLUGIN_DIR "/data/dds_ii_help.html", helpPath));
    const Core core = loadCore(dir.path());
    QVERIFY(core);
    QString shown, message;
    ModalWatcher watcher({[&](QWidget *modal) {
                              QTimer::singleShot(0, [&, modal] {
                                  clickButton(modal, QDialogButtonBox::Help);
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

void tst_DialogLaunch::rejectedConfigurationShowsNoDialog()
{
    const Core core = loadCore();
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

QTEST_MAIN(tst_DialogLaunch)
#include "tst_dialoglaunch.moc"
