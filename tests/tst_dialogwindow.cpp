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
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        QSKIP("needs an X server: run under xvfb-run -a");
    QPluginLoader loader(QStringLiteral(DDS2_PLUGIN_DIR "/libdds2.so"));
    auto *plugin = qobject_cast<TE::TE_IPCore_Def::IPPlugin *>(loader.instance());
    QVERIFY2(plugin, qPrintable(loader.errorString()));
    plugin->setPluginDir(QStringLiteral(DDS2_PLUGIN_DIR));
    const auto cores = plugin->interfaces();
    QCOMPARE(cores.size(), 1);
    std::unique_ptr<TE::TE_IPCore_Def::BaseIPCoreInterface> core(cores.first());

    bool exposed = false;
    QStringList pinsAfterClick;
    QString screenshot;
    ModalWatcher watcher({[&](QWidget *modal) {
        exposed = QTest::qWaitForWindowExposed(modal);
        // A real mouse click on a real window changes the figure.
        auto *streaming = modal->findChild<QAbstractButton *>(QStringLiteral("streaming_inc"));
        auto *tabs = modal->findChild<QTabWidget *>(QStringLiteral("tabs"));
        tabs->setCurrentIndex(1);
        QTest::qWait(50);
        QTest::mouseClick(streaming, Qt::LeftButton, {}, QPoint(8, streaming->height() / 2));
        QTest::qWait(50);
        for (const Utils::PinFigure &pin : qobject_cast<IPCore::IPGenDialog *>(modal)->figurePins())
            pinsAfterClick << pin.label();
        screenshot = QDir::current().filePath(QStringLiteral("dialog_window.png"));
        modal->grab().save(screenshot);
        modal->findChild<QDialogButtonBox *>(QStringLiteral("buttons"))
                ->button(QDialogButtonBox::Cancel)
                ->click();
    }});
    core->createCore(QDir::tempPath() + QStringLiteral("/dds_ii_window"),
                     DEV::DeviceCatalogue::find(QStringLiteral("RQ3B/RQ4K-01")));
    QCOMPARE(watcher.handled(), 1);
    QVERIFY(exposed);
    QVERIFY2(pinsAfterClick.contains(QStringLiteral("phase_inc_i[26:0]")),
             qPrintable(pinsAfterClick.join(QLatin1Char(' '))));
    QVERIFY(QFileInfo(screenshot).size() > 0);
    core.reset();
    delete loader.instance();
}

QTEST_MAIN(tst_DialogWindow)
#include "tst_dialogwindow.moc"
