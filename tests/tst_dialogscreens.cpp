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
    void busyFigure();
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

// The figure at its fullest: every optional input and output present.
void tst_DialogScreens::busyFigure()
{
    const QString dir = qEnvironmentVariable("DDS2_SCREENSHOT_DIR", QDir::currentPath());
    DialogDriver d;
    QVERIFY(d.choose(QStringLiteral("numOfChannels"), QStringLiteral("16")));
    for (const char *button : {"streaming_inc", "resync", "streaming_off", "channelIDOut"})
        d.button(QString::fromLatin1(button))->click();
    d.dialog()->show();
    QVERIFY(QTest::qWaitForWindowExposed(d.dialog()));
    QCoreApplication::processEvents();
    QWidget *figure = d.find<QWidget>(QStringLiteral("portFigure"));
    QCOMPARE(d.dialog()->figurePins().size(), 14);
    // The whole figure is visible, not clipped by the dialog.
    QVERIFY(figure->width() >= figure->sizeHint().width());
    QVERIFY(figure->height() >= figure->sizeHint().height());
    QVERIFY(d.dialog()->grab().save(dir + QStringLiteral("/dialog_busy_figure.png")));
}

QTEST_MAIN(tst_DialogScreens)
#include "tst_dialogscreens.moc"
