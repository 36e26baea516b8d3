#include "dialogrules.h"
#include "pinlist.h"

#include <QtTest>

using namespace IPDDSYN;

Q_DECLARE_METATYPE(Rules::Range)

/// The pure rules behind the generator dialog: widths, ranges, choice lists, texts and the pin
/// list.
class tst_DialogRules : public QObject
{
    Q_OBJECT
private slots:
    void systemWidths_data();
    void systemWidths();
    void systemNoiseShapings_data();
    void systemNoiseShapings();
    void acceptedInputs_data();
    void acceptedInputs();
    void texts_data();
    void texts();
    void phaseWidthRange_data();
    void phaseWidthRange();
    void outputWidthRange_data();
    void outputWidthRange();
    void firstLatency_data();
    void firstLatency();
    void channelIdTopIndex_data();
    void channelIdTopIndex();
    void tablePatterns_data();
    void tablePatterns();
    void pinList_data();
    void pinList();
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
    // 1e8 / 2^26.575: exactly a power of two must not round up.
    QTest::newRow("exact power of two") << 2.097152 << 1.0 << 0.5 << 24.0 << 22 << 4;
    QTest::newRow("finest resolution")
            << 100.0 << 1.0 << 1e8 / 281474976710656.0 << 150.0 << 48 << 25;
    QTest::newRow("coarsest resolution") << 100.0 << 1.0 << 6.25e6 << 73.0 << 4 << 13;
    QTest::newRow("sixteen channels") << 100.0 << 16.0 << 1.0 << 90.0 << 23 << 15;
    QTest::newRow("zero resolution derives nothing") << 100.0 << 1.0 << 0.0 << 0.0 << 0 << 0;
    QTest::newRow("no channel selected derives nothing") << 100.0 << 0.0 << 1.0 << 72.0 << 0 << 12;
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
    QTest::addColumn<QStringList>("choices");
    const QString none = QStringLiteral("None");
    const QString dither = QStringLiteral("Phase Dithering");
    const QString taylor = QStringLiteral("Taylor Series Corrected");
    QTest::newRow("defaults W27 S12") << 27 << 12 << QStringList{none, dither, taylor};
    QTest::newRow("W10 S12") << 10 << 12 << QStringList{none, dither};
    QTest::newRow("W10 S13") << 10 << 13 << QStringList{none};
    QTest::newRow("W30 S20") << 30 << 20 << QStringList{taylor};
    QTest::newRow("W16 S18 dithering bound") << 16 << 18 << QStringList{none, dither, taylor};
    QTest::newRow("W17 S19") << 17 << 19 << QStringList{taylor};
    QTest::newRow("W48 S25") << 48 << 25 << QStringList{taylor};
    QTest::newRow("W49 S26 nothing") << 49 << 26 << QStringList{};
    QTest::newRow("W3 S3 nothing") << 3 << 3 << QStringList{};
    QTest::newRow("W11 S12 no taylor") << 11 << 12 << QStringList{none, dither};
}

void tst_DialogRules::systemNoiseShapings()
{
    QFETCH(int, w);
    QFETCH(int, s);
    QFETCH(QStringList, choices);
    QCOMPARE(Rules::systemNoiseShapings(w, s), choices);
}

void tst_DialogRules::acceptedInputs_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("clock 100") << "clock"
                               << "100" << true;
    QTest::newRow("clock lower bound") << "clock"
                                       << "0.01" << true;
    QTest::newRow("clock upper bound") << "clock"
                                       << "500" << true;
    QTest::newRow("clock too low") << "clock"
                                   << "0.005" << false;
    QTest::newRow("clock too high") << "clock"
                                    << "600" << false;
    QTest::newRow("clock empty") << "clock"
                                 << "" << false;
    QTest::newRow("clock text") << "clock"
                                << "abc" << false;
    QTest::newRow("sfdr 72") << "sfdr"
                             << "72" << true;
    QTest::newRow("sfdr 24") << "sfdr"
                             << "24" << true;
    QTest::newRow("sfdr 150") << "sfdr"
                              << "150" << true;
    QTest::newRow("sfdr 23") << "sfdr"
                             << "23" << false;
    QTest::newRow("sfdr 151") << "sfdr"
                              << "151" << false;
    QTest::newRow("sfdr empty") << "sfdr"
                                << "" << false;
    QTest::newRow("resolution 1") << "resolution"
                                  << "1" << true;
    QTest::newRow("resolution 0") << "resolution"
                                  << "0" << false;
    QTest::newRow("resolution at upper bound") << "resolution"
                                               << "6250000" << true;
    QTest::newRow("resolution above upper bound") << "resolution"
                                                  << "6250000.1" << false;
    QTest::newRow("resolution at lower bound")
            << "resolution" << QString::number(1e8 / 281474976710656.0, 'g', 17) << true;
    QTest::newRow("resolution below lower bound") << "resolution"
                                                  << "3.5e-7" << false;
}

void tst_DialogRules::acceptedInputs()
{
    QFETCH(QString, kind);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    if (kind == QLatin1String("clock"))
        QCOMPARE(Rules::isSystemClockAcceptable(text), accepted);
    else if (kind == QLatin1String("sfdr"))
        QCOMPARE(Rules::isSfdrAcceptable(text), accepted);
    else
        QCOMPARE(Rules::isResolutionAcceptable(Rules::toNumber(text), 100, 1), accepted);
}

void tst_DialogRules::texts_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");
    QTest::newRow("per channel 100/1")
            << Rules::frequencyPerChannelText(100, 1) << "100.000000000MHz";
    QTest::newRow("per channel 100/3")
            << Rules::frequencyPerChannelText(100, 3) << "33.333333333MHz";
    QTest::newRow("per channel 100/16")
            << Rules::frequencyPerChannelText(100, 16) << "6.250000000MHz";
    QTest::newRow("range 100/1") << Rules::resolutionRangeText(Rules::resolutionRange(100, 1))
                                 << "[3.55271e-07-6.25e+06]";
    QTest::newRow("range 100/16") << Rules::resolutionRangeText(Rules::resolutionRange(100, 16))
                                  << "[2.22045e-08-390625]";
    QTest::newRow("width range") << Rules::rangeText({4, 48}) << "[4-48]";
    QTest::newRow("latency items 12")
            << Rules::latencyItems(12).join(QLatin1Char(',')) << "12,13,14,15,16,17,18,19,20";
    QTest::newRow("no latency items") << Rules::latencyItems(-1).join(QLatin1Char(',')) << "";
}

void tst_DialogRules::texts()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

void tst_DialogRules::phaseWidthRange_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QString>("noiseShaping");
    QTest::addColumn<Rules::Range>("range");
    QTest::addColumn<int>("defaultWidth");
    QTest::newRow("both, none") << "Phase Generator and SIN COS LUT"
                                << "None" << Rules::Range{4, 48} << 27;
    QTest::newRow("both, dithering") << "Phase Generator and SIN COS LUT"
                                     << "Phase Dithering" << Rules::Range{4, 48} << 27;
    QTest::newRow("both, taylor") << "Phase Generator and SIN COS LUT"
                                  << "Taylor Series Corrected" << Rules::Range{12, 48} << 27;
    QTest::newRow("phase only, anything") << "Phase Generator Only"
                                          << "" << Rules::Range{4, 48} << 27;
    QTest::newRow("lut, none") << "SIN COS LUT Only"
                               << "None" << Rules::Range{4, 16} << 12;
    QTest::newRow("lut, taylor") << "SIN COS LUT Only"
                                 << "Taylor Series Corrected" << Rules::Range{12, 25} << 12;
    QTest::newRow("lut, dithering has none") << "SIN COS LUT Only"
                                             << "Phase Dithering" << Rules::Range{1, 0} << 12;
    QTest::newRow("both, empty has none") << "Phase Generator and SIN COS LUT"
                                          << "" << Rules::Range{1, 0} << 27;
}

void tst_DialogRules::phaseWidthRange()
{
    QFETCH(QString, configuration);
    QFETCH(QString, noiseShaping);
    QFETCH(Rules::Range, range);
    QFETCH(int, defaultWidth);
    const Rules::Range actual = Rules::phaseWidthRange(configuration, noiseShaping);
    QCOMPARE(actual.isValid(), range.isValid());
    if (range.isValid())
        QCOMPARE(actual, range);
    QCOMPARE(Rules::defaultPhaseWidth(configuration), defaultWidth);
}

void tst_DialogRules::outputWidthRange_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QString>("noiseShaping");
    QTest::addColumn<int>("phaseWidth");
    QTest::addColumn<Rules::Range>("range");
    const QString both = QStringLiteral("Phase Generator and SIN COS LUT");
    QTest::newRow("none P16") << both << "None" << 16 << Rules::Range{4, 25};
    QTest::newRow("none P17") << both << "None" << 17 << Rules::Range{4, 16};
    QTest::newRow("dithering P10") << both << "Phase Dithering" << 10 << Rules::Range{4, 12};
    QTest::newRow("dithering P16") << both << "Phase Dithering" << 16 << Rules::Range{4, 18};
    QTest::newRow("dithering P17") << both << "Phase Dithering" << 17 << Rules::Range{4, 18};
    QTest::newRow("taylor") << both << "Taylor Series Corrected" << 40 << Rules::Range{12, 25};
    QTest::newRow("phase only") << "Phase Generator Only"
                                << "None" << 4 << Rules::Range{12, 12};
    QTest::newRow("lut none") << "SIN COS LUT Only"
                              << "None" << 12 << Rules::Range{4, 25};
    QTest::newRow("lut taylor") << "SIN COS LUT Only"
                                << "Taylor Series Corrected" << 12 << Rules::Range{12, 25};
    QTest::newRow("unknown") << ""
                             << "None" << 12 << Rules::Range{1, 0};
}

void tst_DialogRules::outputWidthRange()
{
    QFETCH(QString, configuration);
    QFETCH(QString, noiseShaping);
    QFETCH(int, phaseWidth);
    QFETCH(Rules::Range, range);
    const Rules::Range actual = Rules::outputWidthRange(configuration, noiseShaping, phaseWidth);
    QCOMPARE(actual.isValid(), range.isValid());
    if (range.isValid())
        QCOMPARE(actual, range);
}

void tst_DialogRules::firstLatency_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QString>("nsSys");
    QTest::addColumn<QString>("nsHard");
    QTest::addColumn<int>("first");
    const QString both = QStringLiteral("Phase Generator and SIN COS LUT");
    const QString sys = QStringLiteral("System Parameters");
    const QString hard = QStringLiteral("Hardware Parameters");
    QTest::newRow("system none") << both << sys << "None"
                                 << "Taylor Series Corrected" << 7;
    QTest::newRow("system dithering") << both << sys << "Phase Dithering"
                                      << "" << 7;
    QTest::newRow("system taylor") << both << sys << "Taylor Series Corrected"
                                   << "None" << 12;
    QTest::newRow("system empty list") << both << sys << ""
                                       << "None" << -1;
    QTest::newRow("hardware none") << both << hard << "Taylor Series Corrected"
                                   << "None" << 7;
    QTest::newRow("hardware taylor") << both << hard << "None"
                                     << "Taylor Series Corrected" << 12;
    QTest::newRow("no selection") << both << ""
                                  << "None"
                                  << "None" << -1;
    QTest::newRow("phase only") << "Phase Generator Only" << hard << ""
                                << "" << 7;
    QTest::newRow("lut none") << "SIN COS LUT Only" << hard << "Taylor Series Corrected"
                              << "None" << 3;
    QTest::newRow("lut taylor") << "SIN COS LUT Only" << hard << ""
                                << "Taylor Series Corrected" << 8;
    QTest::newRow("lut dithering") << "SIN COS LUT Only" << hard << ""
                                   << "Phase Dithering" << -1;
}

void tst_DialogRules::firstLatency()
{
    QFETCH(QString, configuration);
    QFETCH(QString, selection);
    QFETCH(QString, nsSys);
    QFETCH(QString, nsHard);
    QFETCH(int, first);
    QCOMPARE(Rules::firstLatency(configuration, selection, nsSys, nsHard), first);
    if (first >= 0)
        QVERIFY(Rules::latencyItems(first).contains(Rules::DefaultLatency));
}

void tst_DialogRules::channelIdTopIndex_data()
{
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("top");
    const int tops[] = {0, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 3};
    for (int n = 2; n <= 16; ++n)
        QTest::addRow("N=%d", n) << n << tops[n - 2];
}

void tst_DialogRules::channelIdTopIndex()
{
    QFETCH(int, channels);
    QFETCH(int, top);
    QCOMPARE(Rules::channelIdTopIndex(channels), top);
}

void tst_DialogRules::tablePatterns_data()
{
    QTest::addColumn<QString>("selection");
    QTest::addColumn<bool>("frequencyColumn");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    const QString sys = QStringLiteral("System Parameters");
    const QString hard = QStringLiteral("Hardware Parameters");
    QTest::newRow("sys freq 0") << sys << true << "0" << true;
    QTest::newRow("sys freq 100") << sys << true << "100" << true;
    QTest::newRow("sys freq 12.5") << sys << true << "12.5" << true;
    QTest::newRow("sys freq 999.999") << sys << true << "999.999" << true;
    QTest::newRow("sys freq 1000") << sys << true << "1000" << false;
    QTest::newRow("sys freq leading zero") << sys << true << "012" << false;
    QTest::newRow("sys freq bare point") << sys << true << "12." << false;
    QTest::newRow("sys freq hex") << sys << true << "1A" << false;
    QTest::newRow("sys phase 0.25") << sys << false << "0.25" << true;
    QTest::newRow("sys phase 0") << sys << false << "0" << true;
    QTest::newRow("sys phase 1") << sys << false << "1" << false;
    QTest::newRow("sys phase .5") << sys << false << ".5" << false;
    QTest::newRow("hard freq 147AE1") << hard << true << "147AE1" << true;
    QTest::newRow("hard freq lower case") << hard << true << "ff" << true;
    QTest::newRow("hard freq 12.5") << hard << true << "12.5" << false;
    QTest::newRow("hard phase g") << hard << false << "G" << false;
}

void tst_DialogRules::tablePatterns()
{
    QFETCH(QString, selection);
    QFETCH(bool, frequencyColumn);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    const Rules::ChannelTableSyntax syntax = Rules::channelTableSyntax(selection);
    QVERIFY(syntax.known);
    QRegExp pattern(frequencyColumn ? syntax.frequencyPattern : syntax.phasePattern);
    QCOMPARE(pattern.exactMatch(text), accepted);
}

Q_DECLARE_METATYPE(PinChoices)

void tst_DialogRules::pinList_data()
{
    QTest::addColumn<PinChoices>("choices");
    QTest::addColumn<QStringList>("labels");

    PinChoices fresh;
    fresh.configuration = QStringLiteral("Phase Generator and SIN COS LUT");
    fresh.phaseWidth = 27;
    fresh.outputWidth = 12;
    fresh.channels = 1;
    fresh.sineAndCosine = true;
    fresh.hasPhaseOut = true;
    QTest::newRow("new core") << fresh
                              << QStringList{"clk_i",
                                             "rst_n_i",
                                             "phase_out_o[26:0]",
                                             "cosine_o[11:0]",
                                             "sine_o[11:0]",
                                             "data_valid_o"};

    PinChoices lut;
    lut.configuration = QStringLiteral("SIN COS LUT Only");
    lut.phaseWidth = 12;
    lut.outputWidth = 16;
    lut.channels = 1;
    lut.sineAndCosine = true;
    QTest::newRow("table only") << lut
                                << QStringList{"clk_i",
                                               "rst_n_i",
                                               "phase_valid_i",
                                               "phase_i[11:0]",
                                               "cosine_o[15:0]",
                                               "sine_o[15:0]",
                                               "data_valid_o"};

    PinChoices generator;
    generator.configuration = QStringLiteral("Phase Generator Only");
    generator.phaseWidth = 32;
    generator.outputWidth = 12;
    generator.channels = 4;
    generator.streamingInc = true;
    generator.resync = true;
    generator.programmableOff = true;
    generator.sineAndCosine = true;
    generator.hasPhaseOut = true;
    generator.channelIdOut = true;
    QTest::newRow("generator only, streamed and programmed")
            << generator
            << QStringList{"clk_i",
                           "rst_n_i",
                           "phase_valid_i",
                           "phase_inc_i[31:0]",
                           "phase_resync_i",
                           "phase_tlast_i",
                           "phase_tlast_missing_o",
                           "phase_tlast_unexpected_o",
                           "config_valid_i",
                           "config_off_i[31:0]",
                           "config_tlast_i",
                           "config_tlast_missing_o",
                           "config_tlast_unexpected_o",
                           "phase_out_o[31:0]",
                           "chan_id_o[1:0]",
                           "data_valid_o"};

    PinChoices both = fresh;
    both.streamingInc = true;
    both.streamingOff = true;
    both.sineAndCosine = false;
    both.sine = true;
    both.hasPhaseOut = false;
    both.channelIdOut = true;
    QTest::newRow("one channel: no tlast, no channel id, one valid")
            << both
            << QStringList{"clk_i",
                           "rst_n_i",
                           "phase_valid_i",
                           "phase_inc_i[26:0]",
                           "phase_off_i[26:0]",
                           "sine_o[11:0]",
                           "data_valid_o"};

    PinChoices resyncAlone = fresh;
    resyncAlone.resync = true;
    resyncAlone.sineAndCosine = false;
    resyncAlone.cosine = true;
    QTest::newRow("resync without streaming increments")
            << resyncAlone
            << QStringList{
                       "clk_i", "rst_n_i", "phase_out_o[26:0]", "cosine_o[11:0]", "data_valid_o"};

    PinChoices twoChannels = fresh;
    twoChannels.channels = 2;
    twoChannels.channelIdOut = true;
    twoChannels.programmableInc = true;
    QTest::newRow("two channels: single-bit channel id") << twoChannels
                                                         << QStringList{"clk_i",
                                                                        "rst_n_i",
                                                                        "config_valid_i",
                                                                        "config_inc_i[26:0]",
                                                                        "config_tlast_i",
                                                                        "config_tlast_missing_o",
                                                                        "config_tlast_unexpected_o",
                                                                        "phase_out_o[26:0]",
                                                                        "cosine_o[11:0]",
                                                                        "sine_o[11:0]",
                                                                        "chan_id_o",
                                                                        "data_valid_o"};

    PinChoices sixteen = twoChannels;
    sixteen.channels = 16;
    sixteen.programmableInc = false;
    QTest::newRow("sixteen channels") << sixteen
                                      << QStringList{"clk_i",
                                                     "rst_n_i",
                                                     "phase_out_o[26:0]",
                                                     "cosine_o[11:0]",
                                                     "sine_o[11:0]",
                                                     "chan_id_o[3:0]",
                                                     "data_valid_o"};
}

void tst_DialogRules::pinList()
{
    QFETCH(PinChoices, choices);
    QFETCH(QStringList, labels);
    const QList<Utils::PinFigure> pins = IPDDSYN::pinList(choices);
    QStringList actual;
    for (const Utils::PinFigure &pin : pins) {
        actual << pin.label();
        const bool isOutput = pin.label().endsWith(QLatin1String("_o"))
                              || pin.label().contains(QLatin1String("_o["));
        QCOMPARE(pin.side(), isOutput ? 1 : 0);
        QCOMPARE(pin.alignment(), isOutput ? Qt::AlignRight : Qt::AlignLeft);
        QCOMPARE(pin.isBus(), pin.label().endsWith(QLatin1Char(']')));
    }
    QCOMPARE(actual, labels);
}

QTEST_GUILESS_MAIN(tst_DialogRules)
#include "tst_dialogrules.moc"
