#include "channeltablecheck.h"

#include <QtTest>

using namespace IPDDSYN::Generation;

class tst_ChannelTableCheck : public QObject
{
    Q_OBJECT
private slots:
    void faults_data();
    void faults();
};

static QStringList column(const QStringList &firstRows, const QString &rest = "0")
{
    QStringList entries = firstRows;
    while (entries.size() < 16)
        entries << rest;
    return entries;
}

void tst_ChannelTableCheck::faults_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("phaseWidth");
    QTest::addColumn<bool>("freqEnabled");
    QTest::addColumn<bool>("phaseEnabled");
    QTest::addColumn<QStringList>("frequencies");
    QTest::addColumn<QStringList>("phases");
    QTest::addColumn<QString>("message");
    const QString sys = "System Parameters";
    const QString hard = "Hardware Parameters";
    const QString freqFault = "There is an error in the %1 line of Output Freqency(MHz).";
    const QString phaseFault
            = "There is an error in the %1 line of Phase Offset Angle(*2 pi Radians).";
    const QString hexFreqFault = "There is an error in the %1 line of Phase Increment Value(Hex).";
    const QString hexPhaseFault = "There is an error in the %1 line of Phase Offset Value(Hex).";
    const QString empty = "There is empty data in the %1 line.";

    QTest::newRow("system, all in range")
            << sys << 4 << 0 << true << true << column({"24.999", "0", "12", "1"})
            << column({"0.999", "0", "0.5", "0"}) << "";
    QTest::newRow("system, frequency at clock/channels")
            << sys << 4 << 0 << true << true << column({"1", "25"}) << column({})
            << freqFault.arg(2);
    QTest::newRow("system, phase of one turn") << sys << 4 << 0 << true << true << column({})
                                               << column({"0", "0", "1"}) << phaseFault.arg(3);
    QTest::newRow("system, negative phase")
            << sys << 4 << 0 << true << true << column({}) << column({"-0.5"}) << phaseFault.arg(1);
    QTest::newRow("system, text that is no number counts as 0")
            << sys << 1 << 0 << true << true << column({"abc"}) << column({}) << "";
    QTest::newRow("system, empty frequency")
            << sys << 4 << 0 << true << true << column({"1", "1", "1", ""}) << column({})
            << empty.arg(4);
    QTest::newRow("rows beyond the count are not looked at")
            << sys << 2 << 0 << true << true << column({"1", "1", "", "", "", ""}, "")
            << column({}, "") << empty.arg(1);
    QTest::newRow("rows beyond the count, filled ones fine")
            << sys << 2 << 0 << true << true << column({"1", "1"}, "") << column({"0", "0"}, "")
            << "";
    QTest::newRow("lowest row wins over column order")
            << sys << 4 << 0 << true << true << column({"1", "1", ""}) << column({"2"})
            << phaseFault.arg(1);
    QTest::newRow("frequency before phase in a row")
            << sys << 4 << 0 << true << true << column({"1", "99"}) << column({"0", "5"})
            << freqFault.arg(2);
    QTest::newRow("disabled frequency column skipped")
            << sys << 4 << 0 << false << true << column({"99", ""}) << column({"0", "0", "7"})
            << phaseFault.arg(3);
    QTest::newRow("both columns disabled")
            << sys << 4 << 0 << false << false << column({"", "99"}) << column({"", "9"}) << "";
    QTest::newRow("sixteenth row") << sys << 16 << 0 << true << true << column({})
                                   << QStringList(column({}).mid(0, 15)) << empty.arg(16);

    QTest::newRow("hardware, lower and upper case")
            << hard << 2 << 8 << true << true << column({"ff", "FF"}) << column({"0", "aB"}) << "";
    QTest::newRow("hardware, above 2^P - 1")
            << hard << 2 << 8 << true << true << column({"ff", "100"}) << column({})
            << hexFreqFault.arg(2);
    QTest::newRow("hardware, phase above 2^P - 1") << hard << 2 << 8 << true << true << column({})
                                                   << column({"1ff"}) << hexPhaseFault.arg(1);
    QTest::newRow("hardware, 48-bit maximum")
            << hard << 1 << 48 << true << true << column({"ffffffffffff"}) << column({}) << "";
    QTest::newRow("hardware, longer than 16 digits")
            << hard << 1 << 48 << true << true << column({"10000000000000000"}) << column({})
            << hexFreqFault.arg(1);
    QTest::newRow("hardware, not hexadecimal") << hard << 1 << 48 << true << true << column({"12g"})
                                               << column({}) << hexFreqFault.arg(1);
    QTest::newRow("hardware, empty phase") << hard << 3 << 20 << true << true << column({})
                                           << column({"0", "0", ""}) << empty.arg(3);
    QTest::newRow("unknown mode checks nothing")
            << "" << 4 << 8 << true << true << column({""}) << column({"zz"}) << "";
}

void tst_ChannelTableCheck::faults()
{
    QFETCH(QString, mode);
    QFETCH(int, channels);
    QFETCH(int, phaseWidth);
    QFETCH(bool, freqEnabled);
    QFETCH(bool, phaseEnabled);
    QFETCH(QStringList, frequencies);
    QFETCH(QStringList, phases);
    QFETCH(QString, message);
    ChannelTable table;
    table.parameterSelection = mode;
    table.systemClock = 100;
    table.channels = channels;
    table.phaseWidth = phaseWidth;
    table.frequenciesEnabled = freqEnabled;
    table.phasesEnabled = phaseEnabled;
    table.frequencies = frequencies;
    table.phases = phases;
    const bool hardware = mode == "Hardware Parameters";
    table.frequencyHeading = hardware ? "Phase Increment Value(Hex)" : "Output Freqency(MHz)";
    table.phaseHeading = hardware ? "Phase Offset Value(Hex)" : "Phase Offset Angle(*2 pi Radians)";
    const ChannelTableFault fault = channelTableFault(table);
    QCOMPARE(fault.message(), message);
    QCOMPARE(fault.kind == ChannelTableFault::None, message.isEmpty());
}

QTEST_GUILESS_MAIN(tst_ChannelTableCheck)
#include "tst_channeltablecheck.moc"
