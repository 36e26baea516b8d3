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

// Entries are space-separated "row:text" overrides of a column of 16 zeros;
// "all:" empties the whole column. The enabled columns are "f" and "p", "-"
// when disabled.
void tst_ChannelTableCheck::faults_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("phaseWidth");
    QTest::addColumn<QString>("enabled");
    QTest::addColumn<QString>("frequencies");
    QTest::addColumn<QString>("phases");
    QTest::addColumn<QString>("message");
    const QString sys = "System Parameters";
    const QString hard = "Hardware Parameters";
    const QString freq = "There is an error in the %1 line of Output Freqency(MHz).";
    const QString phase = "There is an error in the %1 line of Phase Offset Angle(*2 pi Radians).";
    const QString hexFreq = "There is an error in the %1 line of Phase Increment Value(Hex).";
    const QString hexPhase = "There is an error in the %1 line of Phase Offset Value(Hex).";
    const QString empty = "There is empty data in the %1 line.";
    const auto row = [](const char *name,
                        QString mode,
                        int channels,
                        int phaseWidth,
                        QString enabled,
                        QString frequencies,
                        QString phases,
                        QString message) {
        QTest::newRow(name) << mode << channels << phaseWidth << enabled << frequencies << phases
                            << message;
    };

    row("in range", sys, 4, 0, "fp", "1:24.999 3:12", "1:0.999 3:0.5", "");
    row("frequency at clock over channels", sys, 4, 0, "fp", "2:25", "", freq.arg(2));
    row("phase of one turn", sys, 4, 0, "fp", "", "3:1", phase.arg(3));
    row("negative phase", sys, 4, 0, "fp", "", "1:-0.5", phase.arg(1));
    row("text that is no number counts as 0", sys, 1, 0, "fp", "1:abc", "", "");
    row("empty frequency", sys, 4, 0, "fp", "4:", "", empty.arg(4));
    row("rows beyond the count unchecked", sys, 2, 0, "fp", "all: 1:1 2:1", "all: 1:0 2:0", "");
    row("lowest row wins over column order", sys, 4, 0, "fp", "3:", "1:2", phase.arg(1));
    row("frequency before phase in a row", sys, 4, 0, "fp", "2:99", "2:5", freq.arg(2));
    row("disabled frequency column skipped", sys, 4, 0, "-p", "1:99 2:", "3:7", phase.arg(3));
    row("both columns disabled", sys, 4, 0, "--", "1:", "2:9", "");
    row("sixteenth row", sys, 16, 0, "fp", "", "16:", empty.arg(16));
    row("hex in both cases", hard, 2, 8, "fp", "1:ff 2:FF", "2:aB", "");
    row("hex above 2^P - 1", hard, 2, 8, "fp", "2:100", "", hexFreq.arg(2));
    row("hex phase above 2^P - 1", hard, 2, 8, "fp", "", "1:1ff", hexPhase.arg(1));
    row("48-bit maximum", hard, 1, 48, "fp", "1:ffffffffffff", "", "");
    row("longer than 16 digits", hard, 1, 48, "fp", "1:10000000000000000", "", hexFreq.arg(1));
    row("not hexadecimal", hard, 1, 48, "fp", "1:12g", "", hexFreq.arg(1));
    row("unknown mode checks nothing", "", 4, 8, "fp", "1:", "1:zz", "");
}

static QStringList column(const QString &overrides)
{
    QVector<QString> entries(16, "0");
    for (const QString &entry : overrides.split(' ', Qt::SkipEmptyParts)) {
        const QString row = entry.section(':', 0, 0);
        if (row == "all")
            entries.fill(QString());
        else
            entries[row.toInt() - 1] = entry.section(':', 1);
    }
    return entries.toList();
}

void tst_ChannelTableCheck::faults()
{
    QFETCH(QString, mode);
    QFETCH(int, channels);
    QFETCH(int, phaseWidth);
    QFETCH(QString, enabled);
    QFETCH(QString, frequencies);
    QFETCH(QString, phases);
    QFETCH(QString, message);
    ChannelTable table;
    const bool hardware = mode == "Hardware Parameters";
    table.parameterSelection = mode;
    table.systemClock = 100;
    table.channels = channels;
    table.phaseWidth = phaseWidth;
    table.frequenciesEnabled = enabled.at(0) == 'f';
    table.phasesEnabled = enabled.at(1) == 'p';
    table.frequencies = column(frequencies);
    table.phases = column(phases);
    table.frequencyHeading = hardware ? "Phase Increment Value(Hex)" : "Output Freqency(MHz)";
    table.phaseHeading = hardware ? "Phase Offset Value(Hex)" : "Phase Offset Angle(*2 pi Radians)";
    const ChannelTableFault fault = channelTableFault(table);
    QCOMPARE(fault.message(), message);
    QCOMPARE(fault.kind == ChannelTableFault::None, message.isEmpty());
}

QTEST_GUILESS_MAIN(tst_ChannelTableCheck)
#include "tst_channeltablecheck.moc"
