#include "channeltablecheck.h"
#include "dialogrules.h"

#include <QtTest>

using namespace IPDDSYN;

/// The arithmetic and the channel table checks behind the generator dialog where they are
/// subtle: the rest is driven through the dialog itself.
class tst_DialogRules : public QObject
{
    Q_OBJECT
private slots:
    void systemWidths_data();
    void systemWidths();
    void tablePatterns_data();
    void tablePatterns();
    void tableFaults_data();
    void tableFaults();
};

// The widths the system parameters derive, and the noise shapings those widths allow.
void tst_DialogRules::systemWidths_data()
{
    QTest::addColumn<double>("clock");
    QTest::addColumn<double>("channels");
    QTest::addColumn<double>("resolution");
    QTest::addColumn<bool>("reachable");
    QTest::addColumn<int>("phaseWidth");
    QTest::addColumn<double>("sfdr");
    QTest::addColumn<int>("outputWidth");
    QTest::addColumn<QString>("shapings");
    const QString all = "None|Phase Dithering|Taylor Series Corrected";
    const QString plain = "None|Phase Dithering";
    const QString taylor = "Taylor Series Corrected";
    QTest::newRow("defaults") << 100.0 << 1.0 << 1.0 << true << 27 << 72.0 << 12 << all;
    // 2.097152 MHz / 0.5 Hz is 2^22 exactly: a power of two must not round up.
    QTest::newRow("exact power of two")
            << 2.097152 << 1.0 << 0.5 << true << 22 << 24.0 << 4 << plain;
    QTest::newRow("Fs/2^48") << 100.0 << 1.0 << 1e8 / 0x1p48 << true << 48 << 150.0 << 25 << taylor;
    QTest::newRow("below Fs/2^48") << 100.0 << 1.0 << 3.5e-7 << false << 49 << 151.0 << 26 << "";
    QTest::newRow("Fs/16") << 100.0 << 1.0 << 6.25e6 << true << 4 << 73.0 << 13 << "None";
    QTest::newRow("above Fs/16") << 100.0 << 1.0 << 6250000.1 << false << 4 << 23.0 << 4 << plain;
    QTest::newRow("sixteen channels") << 100.0 << 16.0 << 1.0 << true << 23 << 90.0 << 15 << all;
    QTest::newRow("no dithering W=10 S=13")
            << 100.0 << 1.0 << 1e5 << true << 10 << 73.0 << 13 << "None";
    QTest::newRow("dithering W=11 S=12")
            << 100.0 << 1.0 << 5e4 << true << 11 << 72.0 << 12 << plain;
    QTest::newRow("all W=16 S=18") << 100.0 << 1.0 << 2500.0 << true << 16 << 108.0 << 18 << all;
    QTest::newRow("Taylor W=17 S=19")
            << 100.0 << 1.0 << 1000.0 << true << 17 << 114.0 << 19 << taylor;
    QTest::newRow("none W=3 S=3") << 100.0 << 1.0 << 12.5e6 << false << 3 << 18.0 << 3 << "";
    // A width no core can have derives none.
    QTest::newRow("zero resolution") << 100.0 << 1.0 << 0.0 << false << 0 << 0.0 << 0 << "";
    QTest::newRow("no channel") << 100.0 << 0.0 << 1.0 << false << 0 << 72.0 << 12 << "None";
    QTest::newRow("absurd SFDR") << 100.0 << 1.0 << 1.0 << true << 27 << 1e300 << 0 << "";
}

void tst_DialogRules::systemWidths()
{
    QFETCH(double, clock);
    QFETCH(double, channels);
    QFETCH(double, resolution);
    QFETCH(bool, reachable);
    QFETCH(int, phaseWidth);
    QFETCH(double, sfdr);
    QFETCH(int, outputWidth);
    QFETCH(QString, shapings);
    QCOMPARE(Rules::isResolutionAcceptable(resolution, clock, channels), reachable);
    QCOMPARE(Rules::systemPhaseWidth(clock, channels, resolution), phaseWidth);
    QCOMPARE(Rules::systemOutputWidth(sfdr), outputWidth);
    QCOMPARE(Rules::systemNoiseShapings(phaseWidth, outputWidth).join('|'), shapings);
}

// The tag is the selection, the column and the text typed into it.
void tst_DialogRules::tablePatterns_data()
{
    QTest::addColumn<bool>("accepted");
    QTest::newRow("sys freq 999.999") << true;
    QTest::newRow("sys freq 1000") << false;
    QTest::newRow("sys freq 012") << false;
    QTest::newRow("sys freq 12.") << false;
    QTest::newRow("sys phase 0") << true;
    QTest::newRow("sys phase 1") << false;
    QTest::newRow("sys phase .5") << false;
    QTest::newRow("hard freq ff") << true;
    QTest::newRow("hard phase G") << false;
}

void tst_DialogRules::tablePatterns()
{
    QFETCH(bool, accepted);
    const QStringList tag = QString(QTest::currentDataTag()).split(' ');
    const Rules::ChannelTableSyntax syntax = Rules::channelTableSyntax(
            tag[0] == "sys" ? Rules::SystemParameters : Rules::HardwareParameters);
    const QString pattern = tag[1] == "freq" ? syntax.frequencyPattern : syntax.phasePattern;
    QCOMPARE(QRegExp(pattern).exactMatch(tag[2]), accepted);
}

// Entries are space-separated overrides of a table of zeros: "f2:25" sets row 2 of the frequency
// column ("p": phase), "f*:" empties the column, "f-" disables it.
void tst_DialogRules::tableFaults_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("phaseWidth");
    QTest::addColumn<QString>("entries");
    QTest::addColumn<QString>("message");
    const QString sys = "System Parameters";
    const QString hard = "Hardware Parameters";
    const QString freq = "There is an error in the %1 line of Output Freqency(MHz).";
    const QString phase = "There is an error in the %1 line of Phase Offset Angle(*2 pi Radians).";
    const QString hexFreq = "There is an error in the %1 line of Phase Increment Value(Hex).";
    const QString empty = "There is empty data in the %1 line.";
    QTest::newRow("in range") << sys << 4 << 0 << "f1:24.999 f3:12 p1:0.999 p3:0.5" << QString();
    QTest::newRow("frequency at clock over channels") << sys << 4 << 0 << "f2:25" << freq.arg(2);
    QTest::newRow("phase of one turn") << sys << 4 << 0 << "p3:1" << phase.arg(3);
    QTest::newRow("negative phase") << sys << 4 << 0 << "p1:-0.5" << phase.arg(1);
    QTest::newRow("empty frequency") << sys << 4 << 0 << "f4:" << empty.arg(4);
    QTest::newRow("rows beyond the count unchecked")
            << sys << 2 << 0 << "f*: f1:1 f2:1 p*: p1:0 p2:0" << QString();
    QTest::newRow("lowest row wins over column order")
            << sys << 4 << 0 << "f3: p1:2" << phase.arg(1);
    QTest::newRow("frequency before phase in a row")
            << sys << 4 << 0 << "f2:99 p2:5" << freq.arg(2);
    QTest::newRow("disabled frequency column skipped")
            << sys << 4 << 0 << "f- f1:99 f2: p3:7" << phase.arg(3);
    QTest::newRow("sixteenth row") << sys << 16 << 0 << "p16:" << empty.arg(16);
    QTest::newRow("hex in both cases") << hard << 2 << 8 << "f1:ff f2:FF p2:aB" << QString();
    QTest::newRow("hex above 2^P - 1") << hard << 2 << 8 << "f2:100" << hexFreq.arg(2);
    QTest::newRow("48-bit maximum") << hard << 1 << 48 << "f1:ffffffffffff" << QString();
    QTest::newRow("longer than 16 digits")
            << hard << 1 << 48 << "f1:10000000000000000" << hexFreq.arg(1);
}

static QStringList column(const QString &entries, const QString &which)
{
    QVector<QString> texts(16, "0");
    for (const QString &entry : entries.split(' ', Qt::SkipEmptyParts)) {
        const QString row = entry.section(':', 0, 0);
        if (row == which + '*')
            texts.fill(QString());
        else if (row.startsWith(which) && entry.contains(':'))
            texts[row.mid(1).toInt() - 1] = entry.section(':', 1);
    }
    return texts.toList();
}

void tst_DialogRules::tableFaults()
{
    QFETCH(QString, mode);
    QFETCH(int, channels);
    QFETCH(int, phaseWidth);
    QFETCH(QString, entries);
    QFETCH(QString, message);
    const Rules::ChannelTableSyntax syntax = Rules::channelTableSyntax(mode);
    const Generation::ChannelTable table{mode,
                                         100,
                                         channels,
                                         phaseWidth,
                                         !entries.split(' ').contains("f-"),
                                         !entries.split(' ').contains("p-"),
                                         column(entries, "f"),
                                         column(entries, "p"),
                                         syntax.frequencyHeading,
                                         syntax.phaseHeading};
    QString error;
    QCOMPARE(Generation::checkChannelTable(table, error), message.isEmpty());
    QCOMPARE(error, message);
}

QTEST_GUILESS_MAIN(tst_DialogRules)
#include "tst_dialogrules.moc"
