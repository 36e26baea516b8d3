#include "dialogfixture.h"

#include <QDir>
#include <QTabWidget>
#include <QtTest>

/// Pictures of the dialog and its tabs for a person to look at, and one run
/// of the dialog in a real window.
class tst_DialogScreens : public QObject
{
    Q_OBJECT
private slots:
    void screenshots();
};

void tst_DialogScreens::screenshots()
{
    const QString dir = qEnvironmentVariable("DDS2_SCREENSHOT_DIR", QDir::currentPath());
    DialogDriver d;
    d.dialog()->show();
    QVERIFY(QTest::qWaitForWindowExposed(d.dialog()));
    auto *tabs = d.find<QTabWidget>(QStringLiteral("tabs"));
    const char *names[] = {"tab_configuration.png", "tab_implementation.png", "tab_output.png"};
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QCoreApplication::processEvents();
        QVERIFY(tabs->currentWidget()->grab().save(dir + QLatin1Char('/')
                                                   + QLatin1String(names[i])));
        if (i == 0)
            QVERIFY(d.dialog()->grab().save(dir + QStringLiteral("/dialog.png")));
    }
}

QTEST_MAIN(tst_DialogScreens)
#include "tst_dialogscreens.moc"
