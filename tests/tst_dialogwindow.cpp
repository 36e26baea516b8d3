#include "baseipcoreinterface.h"
#include "devicecatalogue.h"
#include "ipgendialog.h"
#include "ipplugin.h"
#include "modalwatcher.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QDir>
#include <QPluginLoader>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

/// The generator dialog in a real window on a real X server, as a user meets it.
class tst_DialogWindow : public QObject
{
    Q_OBJECT
private slots:
    void createShowsWorkingDialog();
};

void tst_DialogWindow::createShowsWorkingDialog()
{
    if (QGuiApplication::platformName() != "xcb")
        QSKIP("needs an X server: run under xvfb-run -a");
    QPluginLoader loader(DDS2_PLUGIN_DIR "/libdds2.so");
    auto *plugin = qobject_cast<TE::TE_IPCore_Def::IPPlugin *>(loader.instance());
    QVERIFY2(plugin, qPrintable(loader.errorString()));
    plugin->setPluginDir(DDS2_PLUGIN_DIR);
    const auto cores = plugin->interfaces();
    QCOMPARE(cores.size(), 1);
    std::unique_ptr<TE::TE_IPCore_Def::BaseIPCoreInterface> core(cores.first());

    bool exposed = false;
    QStringList pins;
    const QString screenshot = QDir::current().filePath("dialog_window.png");
    ModalWatcher watcher({[&](QWidget *modal) {
        exposed = QTest::qWaitForWindowExposed(modal);
        // A real mouse click on a real window changes the figure.
        modal->findChild<QTabWidget *>("tabs")->setCurrentIndex(1);
        QTest::qWait(50);
        auto *streaming = modal->findChild<QAbstractButton *>("streaming_inc");
        QTest::mouseClick(streaming, Qt::LeftButton, {}, QPoint(8, streaming->height() / 2));
        QTest::qWait(50);
        for (const Utils::PinFigure &pin : qobject_cast<IPCore::IPGenDialog *>(modal)->figurePins())
            pins << pin.label();
        modal->grab().save(screenshot);
        modal->findChild<QDialogButtonBox *>("buttons")->button(QDialogButtonBox::Cancel)->click();
    }});
    core->createCore(QDir::tempPath() + "/dds_ii_window",
                     DEV::DeviceCatalogue::find("RQ3B/RQ4K-01"));
    QCOMPARE(watcher.handled(), 1);
    QVERIFY(exposed);
    QVERIFY2(pins.contains("phase_inc_i[26:0]"), qPrintable(pins.join(' ')));
    QVERIFY(QFileInfo(screenshot).size() > 0);
    core.reset();
    delete loader.instance();
}

QTEST_MAIN(tst_DialogWindow)
#include "tst_dialogwindow.moc"
