#include "dialogrules.h"

#include <QtTest>

using namespace IPDDSYN;

/// The arithmetic behind the generator dialog where it is subtle: the rest is driven through the
/// dialog itself.
class tst_DialogRules : public QObject
{
    Q_OBJECT
private slots:
    void systemWidths_data();
    void systemWidths();
    void systemNoiseShapings_data();
    void systemNoiseShapings();
    void finestResolution();
    void channelIdTopIndex();
    void tablePatterns_data();
    void tablePatterns();
};

void tst_DialogRules::systemWidths_data()
{
    QTest::addColumn<double>("clock");
    QTest::addColumn<double>("channels");
    QTest::addColumn<double>("resolution");
    QTest::addColumn<double>("sfdr");
    QTest::addColumn<int>("phaseWidth");
    QTest::addColumn<int>("outputWidth");
    QTest::newRow("defaults") << 100.0 << 1.0 << 1.0 << 72.0 << 27 << 12;
    // 2.097152 MHz / 0.5 Hz is 2^22 exactly: a power of two must not round up.
    QTest::newRow("exact power of two") << 2.097152 << 1.0 << 0.5 << 24.0 << 22 << 4;
    QTest::newRow("finest resolution") << 100.0 << 1.0 << 1e8 / 0x1p48 << 150.0 << 48 << 25;
    QTest::newRow("coarsest resolution") << 100.0 << 1.0 << 6.25e6 << 73.0 << 4 << 13;
    QTest::newRow("sixteen channels") << 100.0 << 16.0 << 1.0 << 90.0 << 23 << 15;
    QTest::newRow("zero resolution derives nothing") << 100.0 << 1.0 << 0.0 << 0.0 << 0 << 0;
    QTest::newRow("no channel derives nothing") << 100.0 << 0.0 << 1.0 << 72.0 << 0 << 12;
    QTest::newRow("absurd SFDR derives nothing") << 100.0 << 1.0 << 1.0 << 1e300 << 27 << 0;
}

void tst_DialogRules::systemWidths()
{
    QFETCH(double, clock);
    QFETCH(double, channels);
    QFETCH(double, resolution);
    QFETCH(double, sfdr);
    QFETCH(int, phaseWidth);
    QFETCH(int, outputWidth);
    QCOMPARE(Rules::systemPhaseWidth(clock, channels, resolution), phaseWidth);
    QCOMPARE(Rules::systemOutputWidth(sfdr), outputWidth);
}

void tst_DialogRules::systemNoiseShapings_data()
{
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("s");
    QTest::addColumn<QString>("choices");
    QTest::newRow("W27 S12") << 27 << 12 << "None|Phase Dithering|Taylor Series Corrected";
    QTest::newRow("W10 S13") << 10 << 13 << "None";
    QTest::newRow("W11 S12") << 11 << 12 << "None|Phase Dithering";
    QTest::newRow("W16 S18") << 16 << 18 << "None|Phase Dithering|Taylor Series Corrected";
    QTest::newRow("W17 S19") << 17 << 19 << "Taylor Series Corrected";
    QTest::newRow("W48 S25") << 48 << 25 << "Taylor Series Corrected";
    QTest::newRow("W49 S26") << 49 << 26 << "";
    QTest::newRow("W3 S3") << 3 << 3 << "";
}

void tst_DialogRules::systemNoiseShapings()
{
    QFETCH(int, w);
    QFETCH(int, s);
    QFETCH(QString, choices);
    QCOMPARE(Rules::systemNoiseShapings(w, s).join('|'), choices);
}

// Fs / 2^48 itself is a resolution the core can reach.
void tst_DialogRules::finestResolution()
{
    QVERIFY(Rules::isResolutionAcceptable(1e8 / 0x1p48, 100, 1));
    QVERIFY(!Rules::isResolutionAcceptable(3.5e-7, 100, 1));
    QVERIFY(!Rules::isResolutionAcceptable(6250000.1, 100, 1));
}

void tst_DialogRules::channelIdTopIndex()
{
    const int tops[] = {0, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 3};
    for (int n = 2; n <= 16; ++n)
        QVERIFY2(Rules::channelIdTopIndex(n) == tops[n - 2], qPrintable(QString::number(n)));
}

void tst_DialogRules::tablePatterns_data()
{
    QTest::addColumn<QString>("selection");
    QTest::addColumn<bool>("frequency");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    const QString sys = "System Parameters";
    const QString hard = "Hardware Parameters";
    QTest::newRow("sys freq 0") << sys << true << "0" << true;
    QTest::newRow("sys freq 999.999") << sys << true << "999.999" << true;
    QTest::newRow("sys freq 1000") << sys << true << "1000" << false;
    QTest::newRow("sys freq leading zero") << sys << true << "012" << false;
    QTest::newRow("sys freq bare point") << sys << true << "12." << false;
    QTest::newRow("sys phase 0") << sys << false << "0" << true;
    QTest::newRow("sys phase 1") << sys << false << "1" << false;
    QTest::newRow("sys phase .5") << sys << false << ".5" << false;
    QTest::newRow("hard freq lower case") << hard << true << "ff" << true;
    QTest::newRow("hard phase G") << hard << false << "G" << false;
}

void tst_DialogRules::tablePatterns()
{
    QFETCH(QString, selection);
    QFETCH(bool, frequency);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    const Rules::ChannelTableSyntax syntax = Rules::channelTableSyntax(selection);
    QCOMPARE(QRegExp(frequency ? syntax.frequencyPattern : syntax.phasePattern).exactMatch(text),
             accepted);
}

QTEST_GUILESS_MAIN(tst_DialogRules)
#include "tst_dialogrules.moc"
