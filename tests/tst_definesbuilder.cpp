#include "definesbuilder.h"

#include <QtTest>

using namespace IPDDSYN::Generation;

Q_DECLARE_METATYPE(std::optional<int>)

namespace {

const QString both = "Phase Generator and SIN COS LUT";
const QString genOnly = "Phase Generator Only";
const QString lutOnly = "SIN COS LUT Only";
const QString sys = "System Parameters";
const QString hard = "Hardware Parameters";
const QString dither = "Phase Dithering";
const QString taylor = "Taylor Series Corrected";

// The worked example: one channel at 1 MHz of 100 MHz, 72 dB, latency 14.
DefinesSettings example()
{
    DefinesSettings s;
    s.series = "RQ9A";
    s.device = "RQ9A-50";
    s.configuration = both;
    s.channels = "1";
    s.parameterSelection = sys;
    s.noiseShapingSys = s.noiseShapingHard = "None";
    s.sysPhaseWidth = s.hardPhaseWidth = 27;
    s.sysOutputWidth = s.hardOutputWidth = 12;
    s.systemClock = 100;
    s.fixedInc = s.noneOff = s.sinAndcos = s.hasPhaseOut = true;
    s.latency = "14";
    for (int i = 0; i < 16; ++i)
        s.frequencies << "0", s.phases << "0";
    return s;
}

} // namespace

class tst_DefinesBuilder : public QObject
{
    Q_OBJECT
private slots:
    void deviceFamily_data();
    void deviceFamily();
    void truncation_data();
    void truncation();
    void widthLinesFollowMode_data();
    void widthLinesFollowMode();
    void latency_data();
    void latency();
    void ports_data();
    void ports();
    void initialValues_data();
    void initialValues();
    void tableWidths_data();
    void tableWidths();
};

void tst_DefinesBuilder::deviceFamily_data()
{
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("family");
    const auto row = [](const char *name, QString series, QString device, QString family) {
        QTest::newRow(name) << series << device << family;
    };
    row("group A series before group C device", "RQ9C", "RQ4K-09", "Nimbra");
    row("group B by device", "XQ1", "RQ4K-01", "RQ3B");
    row("group B series before group C device", "RQ3A", "RQ4K-09", "RQ3B");
    row("group C by device", "RQ4K", "RQ4K-09", "RQ6A");
    row("series in other case", "rq9a", "", "Other");
    row("series prefix of one", "RQ9", "", "Other");
    row("two series joined", "RQ6A/RQ6B", "", "Other");
}

void tst_DefinesBuilder::deviceFamily()
{
    QFETCH(QString, series);
    QFETCH(QString, device);
    QFETCH(QString, family);
    QCOMPARE(IPDDSYN::Generation::deviceFamily(series, device), family);
}

void tst_DefinesBuilder::truncation_data()
{
    QTest::addColumn<QString>("noiseShaping");
    QTest::addColumn<int>("P");
    QTest::addColumn<int>("W");
    QTest::addColumn<std::optional<int>>("T");
    const auto row = [](const char *name, QString shaping, int P, int W, std::optional<int> T) {
        QTest::newRow(name) << shaping << P << W << T;
    };
    const std::optional<int> none;
    row("none W<P", "None", 27, 12, 15);
    row("none W>P", "None", 10, 16, 0);
    row("dithering W=4", dither, 20, 4, 16);
    row("dithering W=6", dither, 20, 6, 16);
    row("dithering W=10", dither, 20, 10, 12);
    row("dithering W=3", dither, 20, 3, none);
    row("taylor P=12 any W", taylor, 12, 4, 0);
    row("taylor P=14 W=25", taylor, 14, 25, 1);
    row("taylor P=15 W=21", taylor, 15, 21, 3);
    row("taylor P=15 W=23", taylor, 15, 23, 2);
    row("taylor P=15 W=24", taylor, 15, 24, 1);
    row("taylor W=11", taylor, 20, 11, none);
    row("taylor W=26", taylor, 20, 26, none);
    row("taylor P=49", taylor, 49, 16, none);
    row("unknown shaping", "none", 27, 12, none);
}

void tst_DefinesBuilder::truncation()
{
    QFETCH(QString, noiseShaping);
    QFETCH(int, P);
    QFETCH(int, W);
    QFETCH(std::optional<int>, T);
    QCOMPARE(truncationWidth(noiseShaping, P, W), T);
}

// The width lines follow the channel count; the mode decides their order,
// which noise shaping counts and where the truncation comes from.
void tst_DefinesBuilder::widthLinesFollowMode_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("expected");
    const QStringList hardware{"`define DEFINE_PHASE_WIDTH 32",
                               "`define DEFINE_OUTPUT_WIDTH 16",
                               "`define DEFINE_PHASE_DITHER \"NO\"",
                               "`define DEFINE_TAYLOR_CORR \"YES\""};
    QTest::newRow("system keeps the rule") << genOnly << sys
                                           << QStringList{"`define DEFINE_OUTPUT_WIDTH 12",
                                                          "`define DEFINE_PHASE_WIDTH 27",
                                                          "`define DEFINE_PHASE_DITHER \"YES\"",
                                                          "`define DEFINE_TAYLOR_CORR \"NO\"",
                                                          "`define DEFINE_TRUNC_WIDTH 17"};
    QTest::newRow("hardware, generator only truncates nothing")
            << genOnly << hard << (QStringList(hardware) << "`define DEFINE_TRUNC_WIDTH 0");
    QTest::newRow("hardware, table only uses the rule")
            << lutOnly << hard << (QStringList(hardware) << "`define DEFINE_TRUNC_WIDTH 20");
    QTest::newRow("hardware, unknown configuration") << "" << hard << hardware;
    QTest::newRow("unknown mode") << both << "" << QStringList{};
}

void tst_DefinesBuilder::widthLinesFollowMode()
{
    QFETCH(QString, configuration);
    QFETCH(QString, mode);
    QFETCH(QStringList, expected);
    DefinesSettings s = example();
    s.configuration = configuration;
    s.parameterSelection = mode;
    s.noiseShapingSys = dither;
    s.noiseShapingHard = taylor;
    s.hardPhaseWidth = 32;
    s.hardOutputWidth = 16;
    const QStringList lines = parameterLines(s);
    QCOMPARE(lines.at(2), QString("`define DEFINE_CH_NUM 1"));
    QCOMPARE(lines.mid(3, expected.size()), expected);
    QVERIFY2(lines.filter(QRegularExpression("WIDTH|DITHER|TAYLOR")).size() == expected.size(),
             qPrintable(lines.join('\n')));
    // Without a mode there is no phase width for the initial values either.
    QCOMPARE(lines.filter("_INIT ").size(), mode.isEmpty() ? 0 : 32);
}

void tst_DefinesBuilder::latency_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("nsSys");
    QTest::addColumn<QString>("nsHard");
    QTest::addColumn<int>("latency");
    QTest::addColumn<QString>("delay"); // empty: no delay line
    const QString plain = "None";
    QTest::newRow("both, system, none") << both << sys << plain << taylor << 14 << "7";
    QTest::newRow("both, system, taylor") << both << sys << taylor << plain << 15 << "3";
    QTest::newRow("both, hardware reads NS_hard") << both << hard << taylor << plain << 14 << "7";
    QTest::newRow("both, hardware, taylor") << both << hard << plain << taylor << 20 << "8";
    QTest::newRow("both, unknown mode") << both << QString() << plain << plain << 14 << "";
    QTest::newRow("generator only ignores shaping")
            << genOnly << hard << QString() << QString() << 12 << "5";
    QTest::newRow("table only, none") << lutOnly << sys << taylor << plain << 5 << "2";
    QTest::newRow("table only, taylor") << lutOnly << sys << plain << taylor << 8 << "0";
    QTest::newRow("table only, dithering") << lutOnly << sys << plain << dither << 8 << "";
    QTest::newRow("unknown configuration") << QString() << sys << plain << plain << 14 << "";
}

void tst_DefinesBuilder::latency()
{
    QFETCH(QString, configuration);
    QFETCH(QString, mode);
    QFETCH(QString, nsSys);
    QFETCH(QString, nsHard);
    QFETCH(int, latency);
    QFETCH(QString, delay);
    DefinesSettings s = example();
    s.configuration = configuration;
    s.parameterSelection = mode;
    s.noiseShapingSys = nsSys;
    s.noiseShapingHard = nsHard;
    s.latency = QString::number(latency);
    QCOMPARE(parameterLines(s).filter("`define DEFINE_DELAY"),
             delay.isEmpty() ? QStringList() : QStringList{"`define DEFINE_DELAY " + delay});
}

// The port lines in order; the programmable and streaming ports share
// CONFIG_EN and PHASE_EN, which must appear once.
void tst_DefinesBuilder::ports_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QStringList>("choices"); // increment, offset, output[, resync]
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, QString configuration, QString choices, QString lines) {
        QTest::newRow(name) << configuration << choices.split(' ') << lines;
    };
    row("programmable increment and offset share CONFIG_EN",
        both,
        "programmable programmable sinAndcos resync",
        "DEFINE_PINC_TYPE \"Programmable\", CONFIG_EN, CONFIGINC_EN, PHASERESYNC, "
        "DEFINE_POFF_TYPE \"Programmable\", CONFIGOFF_EN, SINE_OUT, COSSINE_OUT, PHASE_OUT");
    row("programmable offset alone brings CONFIG_EN",
        both,
        "fixed programmable sine",
        "DEFINE_PINC_TYPE \"Fixed\", DEFINE_POFF_TYPE \"Programmable\", CONFIG_EN, "
        "CONFIGOFF_EN, SINE_OUT, PHASE_OUT");
    row("streaming everything on the table shares PHASE_EN",
        lutOnly,
        "streaming streaming cosine",
        "DEFINE_PINC_TYPE \"Streaming\", PHASE_EN, PHASEINC_EN, DEFINE_POFF_TYPE \"Streaming\", "
        "PHASEOFF_EN, PHASEIN_EN, COSSINE_OUT, PHASE_OUT");
    row("table only brings PHASE_EN itself",
        lutOnly,
        "fixed fixed sinAndcos",
        "DEFINE_PINC_TYPE \"Fixed\", DEFINE_POFF_TYPE \"Fixed\", PHASE_EN, PHASEIN_EN, "
        "SINE_OUT, COSSINE_OUT, PHASE_OUT");
    row("streaming offset with programmable increment",
        both,
        "programmable streaming -",
        "DEFINE_PINC_TYPE \"Programmable\", CONFIG_EN, CONFIGINC_EN, "
        "DEFINE_POFF_TYPE \"Streaming\", PHASE_EN, PHASEOFF_EN, PHASE_OUT");
    row("generator only has no table outputs",
        genOnly,
        "streaming none sine resync",
        "DEFINE_PINC_TYPE \"Streaming\", PHASE_EN, PHASEINC_EN, PHASERESYNC, "
        "DEFINE_POFF_TYPE \"None\", PHASE_OUT");
    row("no button checked gives no type lines", both, "- - sine", "SINE_OUT, PHASE_OUT");
}

void tst_DefinesBuilder::ports()
{
    QFETCH(QString, configuration);
    QFETCH(QStringList, choices);
    QFETCH(QString, expected);
    const QString inc = choices.at(0);
    const QString off = choices.at(1);
    const QString output = choices.at(2);
    DefinesSettings s = example();
    s.configuration = configuration;
    s.fixedInc = inc == "fixed";
    s.programmableInc = inc == "programmable";
    s.streamingInc = inc == "streaming";
    s.noneOff = off == "none";
    s.fixedOff = off == "fixed";
    s.programmableOff = off == "programmable";
    s.streamingOff = off == "streaming";
    s.sine = output == "sine";
    s.cosine = output == "cosine";
    s.sinAndcos = output == "sinAndcos";
    s.resyncActive = choices.contains("resync");
    s.channels = "2";
    s.channelIdOut = true;
    QStringList lines = parameterLines(s);
    QCOMPARE(lines.at(3), QString("`define MULTI_CHANNEL"));
    // The port lines run from the first type or output line to the delay.
    const int first = lines.indexOf(QRegularExpression("`define (DEFINE_P\\w+_TYPE .*|SINE_OUT)"));
    const int delay = lines.indexOf(QRegularExpression("`define DEFINE_DELAY .*"));
    QVERIFY(first > 0 && delay > first);
    QCOMPARE(lines.mid(first, delay - first).replaceInStrings("`define ", "").join(", "),
             expected + ", CHANID_OUT");
}

void tst_DefinesBuilder::initialValues_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("channel");
    QTest::addColumn<QStringList>("entries");  // frequency, phase
    QTest::addColumn<QStringList>("expected"); // increment and offset lines
    // 2 MHz of 100 MHz over 4 channels: 2 * 4 / 100 * 2^27 = 10737418.24.
    QTest::newRow("channel count scales the increment")
            << sys << 4 << 3 << QStringList{"2", "0.5"}
            << QStringList{"PINC3_INIT 27'ha3d70a", "POFF3_INIT 27'h4000000"};
    // A phase of 2^-28 is half a step of 2^-27.
    QTest::newRow("half rounds upward")
            << sys << 1 << 0 << QStringList{"0", "0.0000000037252902984619140625"}
            << QStringList{"PINC0_INIT 27'h0", "POFF0_INIT 27'h1"};
    QTest::newRow("channel beyond the count is zero")
            << sys << 4 << 4 << QStringList{"2", "0.5"}
            << QStringList{"PINC4_INIT 27'h0", "POFF4_INIT 27'h0"};
    QTest::newRow("index ten is A") << sys << 16 << 10 << QStringList{"0", "0.5"}
                                    << QStringList{"PINCA_INIT 27'h0", "POFFA_INIT 27'h4000000"};
    QTest::newRow("hardware text kept as typed")
            << hard << 16 << 15 << QStringList{"1aB", "ff"}
            << QStringList{"PINCF_INIT 30'h1aB", "POFFF_INIT 30'hff"};
}

void tst_DefinesBuilder::initialValues()
{
    QFETCH(QString, mode);
    QFETCH(int, channels);
    QFETCH(int, channel);
    QFETCH(QStringList, entries);
    QFETCH(QStringList, expected);
    DefinesSettings s = example();
    s.parameterSelection = mode;
    s.hardPhaseWidth = 30;
    s.channels = QString::number(channels);
    s.frequencies[channel] = entries.at(0);
    s.phases[channel] = entries.at(1);
    const QStringList lines = parameterLines(s);
    // The 32 initial values close the list, in channel order.
    const QStringList init = lines.mid(lines.size() - 32);
    QCOMPARE(init.filter(QRegularExpression("^`define DEFINE_P(INC|OFF)._INIT ")).size(), 32);
    QCOMPARE(init.mid(2 * channel, 2).replaceInStrings("`define DEFINE_", ""), expected);
}

void tst_DefinesBuilder::tableWidths_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("fault");
    QTest::addColumn<QList<int>>("WPT");
    const QStringList good{"`define DEFINE_CH_NUM 1",
                           "`define DEFINE_PHASE_WIDTH 32",
                           "`define DEFINE_OUTPUT_WIDTH 16",
                           "`define DEFINE_TRUNC_WIDTH 14"};
    QTest::newRow("all three") << good << int(TableWidths::None) << QList<int>{16, 32, 14};
    QTest::newRow("repeated output width")
            << (QStringList(good) << good.at(2)) << int(TableWidths::Repeated) << QList<int>{};
    QTest::newRow("repeated truncation counts the bare prefix")
            << (QStringList(good) << "// `define DEFINE_TRUNC_WIDTHX") << int(TableWidths::Repeated)
            << QList<int>{};
    QTest::newRow("missing truncation")
            << QStringList(good.mid(0, 3)) << int(TableWidths::Missing) << QList<int>{};
}

void tst_DefinesBuilder::tableWidths()
{
    QFETCH(QStringList, lines);
    QFETCH(int, fault);
    QFETCH(QList<int>, WPT);
    const TableWidths widths = IPDDSYN::Generation::tableWidths(lines);
    QCOMPARE(int(widths.fault), fault);
    if (fault == TableWidths::None)
        QCOMPARE((QList<int>{widths.W, widths.P, widths.T}), WPT);
}

QTEST_GUILESS_MAIN(tst_DefinesBuilder)
#include "tst_definesbuilder.moc"
