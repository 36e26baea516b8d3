#include "definesbuilder.h"
#include "workedexample.h"

#include <QtTest>

using namespace IPDDSYN::Generation;

Q_DECLARE_METATYPE(std::optional<int>)

namespace {

// The settings of the worked example: one channel at 1 MHz of 100 MHz, 72 dB.
DefinesSettings example()
{
    DefinesSettings s;
    s.series = QStringLiteral("RQ9A");
    s.device = QStringLiteral("RQ9A-50");
    s.configuration = QStringLiteral("Phase Generator and SIN COS LUT");
    s.workMode = 0;
    s.channels = QStringLiteral("1");
    s.parameterSelection = QStringLiteral("System Parameters");
    s.noiseShapingSys = QStringLiteral("None");
    s.noiseShapingHard = QStringLiteral("None");
    s.sysPhaseWidth = 27;
    s.sysOutputWidth = 12;
    s.hardPhaseWidth = 27;
    s.hardOutputWidth = 12;
    s.systemClock = 100;
    s.fixedInc = true;
    s.noneOff = true;
    s.sinAndcos = true;
    s.hasPhaseOut = true;
    s.latency = QStringLiteral("14");
    for (int i = 0; i < 16; ++i) {
        s.frequencies << QStringLiteral("0");
        s.phases << QStringLiteral("0");
    }
    s.frequencies[0] = QStringLiteral("1");
    return s;
}

int count(const QStringList &lines, const QString &line)
{
    return int(lines.count(line));
}

int firstStarting(const QStringList &lines, const QStringList &prefixes)
{
    for (int i = 0; i < lines.size(); ++i) {
        for (const QString &prefix : prefixes) {
            if (lines.at(i).startsWith(prefix))
                return i;
        }
    }
    return -1;
}

// The programmability and output lines: from the first port line up to the
// delay line or the initial values.
QStringList portLines(const QStringList &lines)
{
    const int from = firstStarting(lines,
                                   {"`define DEFINE_PINC_TYPE",
                                    "`define PHASERESYNC",
                                    "`define DEFINE_POFF_TYPE",
                                    "`define PHASE_EN",
                                    "`define SINE_OUT",
                                    "`define COSSINE_OUT"});
    int to = firstStarting(lines, {"`define DEFINE_DELAY", "`define DEFINE_PINC0_INIT"});
    if (to < 0)
        to = lines.size();
    return from < 0 ? QStringList() : lines.mid(from, to - from);
}

} // namespace

class tst_DefinesBuilder : public QObject
{
    Q_OBJECT
private slots:
    void workedExample();
    void deviceFamily_data();
    void deviceFamily();
    void truncation_data();
    void truncation();
    void truncationLineFollowsMode_data();
    void truncationLineFollowsMode();
    void latency_data();
    void latency();
    void ports_data();
    void ports();
    void channelCount_data();
    void channelCount();
    void initialValues_data();
    void initialValues();
    void tableWidths_data();
    void tableWidths();
};

void tst_DefinesBuilder::workedExample()
{
    // The table file's name line comes later, from the generator.
    QStringList expected = workedExampleLines("Nimbra");
    expected.removeLast();
    const QStringList lines = parameterLines(example());
    QCOMPARE(lines.size(), 46);
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(lines.at(i), expected.at(i));
    QCOMPARE(fileNameLine(true), QString("`define DEFINE_FILENAME \"cos_sin_lut.dat\""));
    QCOMPARE(fileNameLine(false), QString("`define DEFINE_FILENAME \"NULL\""));
    QCOMPARE(moduleLine("dds_top"), QString("`define module_name dds_top"));
}

void tst_DefinesBuilder::deviceFamily_data()
{
    QTest::addColumn<QString>("series");
    QTest::addColumn<QString>("device");
    QTest::addColumn<QString>("family");
    QTest::newRow("group A series wins over group C device") << "RQ9C"
                                                             << "RQ4K-09"
                                                             << "Nimbra";
    QTest::newRow("last of group A") << "RQ9H"
                                     << "RQ9H-10"
                                     << "Nimbra";
    QTest::newRow("group B by series") << "RQ3E"
                                       << "RQ3E-20"
                                       << "RQ3B";
    QTest::newRow("group B by device") << "XQ1"
                                       << "RQ4K-01"
                                       << "RQ3B";
    QTest::newRow("group B series before group C device") << "RQ3A"
                                                          << "RQ4K-09"
                                                          << "RQ3B";
    QTest::newRow("group C by series") << "RQ6D"
                                       << "RQ6D-1"
                                       << "RQ6A";
    QTest::newRow("group C by device") << "RQ4K"
                                       << "RQ4K-09"
                                       << "RQ6A";
    QTest::newRow("series in other case") << "rq9a"
                                          << "rq9a-50"
                                          << "Other";
    QTest::newRow("device in other case") << "RQ4K"
                                          << "rq4k-01"
                                          << "Other";
    QTest::newRow("series only starting like one") << "RQ9"
                                                   << ""
                                                   << "Other";
    QTest::newRow("series containing one") << "RQ9AX"
                                           << ""
                                           << "Other";
    QTest::newRow("two series joined") << "RQ6A/RQ6B"
                                       << ""
                                       << "Other";
    QTest::newRow("empty") << ""
                           << ""
                           << "Other";
}

void tst_DefinesBuilder::deviceFamily()
{
    QFETCH(QString, series);
    QFETCH(QString, device);
    QFETCH(QString, family);
    QCOMPARE(IPDDSYN::Generation::deviceFamily(series, device), family);
    DefinesSettings s = example();
    s.series = series;
    s.device = device;
    QCOMPARE(parameterLines(s).first(), QString("`define DEFINE_FPGA_TYPE \"%1\"").arg(family));
}

void tst_DefinesBuilder::truncation_data()
{
    QTest::addColumn<QString>("noiseShaping");
    QTest::addColumn<int>("P");
    QTest::addColumn<int>("W");
    QTest::addColumn<std::optional<int>>("T");
    const std::optional<int> none;
    QTest::newRow("none W<P") << "None" << 27 << 12 << std::optional<int>(15);
    QTest::newRow("none W=P") << "None" << 12 << 12 << std::optional<int>(0);
    QTest::newRow("none W>P") << "None" << 10 << 16 << std::optional<int>(0);
    QTest::newRow("dithering W=4") << "Phase Dithering" << 20 << 4 << std::optional<int>(16);
    QTest::newRow("dithering W=5") << "Phase Dithering" << 20 << 5 << std::optional<int>(16);
    QTest::newRow("dithering W=6") << "Phase Dithering" << 20 << 6 << std::optional<int>(16);
    QTest::newRow("dithering W=10") << "Phase Dithering" << 20 << 10 << std::optional<int>(12);
    QTest::newRow("dithering W=3") << "Phase Dithering" << 20 << 3 << none;
    QTest::newRow("taylor P=12 any W")
            << "Taylor Series Corrected" << 12 << 4 << std::optional<int>(0);
    QTest::newRow("taylor P=13 W=12")
            << "Taylor Series Corrected" << 13 << 12 << std::optional<int>(1);
    QTest::newRow("taylor P=13 W=22")
            << "Taylor Series Corrected" << 13 << 22 << std::optional<int>(0);
    QTest::newRow("taylor P=14 W=25")
            << "Taylor Series Corrected" << 14 << 25 << std::optional<int>(1);
    QTest::newRow("taylor P=15 W=21")
            << "Taylor Series Corrected" << 15 << 21 << std::optional<int>(3);
    QTest::newRow("taylor P=15 W=23")
            << "Taylor Series Corrected" << 15 << 23 << std::optional<int>(2);
    QTest::newRow("taylor P=15 W=24")
            << "Taylor Series Corrected" << 15 << 24 << std::optional<int>(1);
    QTest::newRow("taylor P=48 W=25")
            << "Taylor Series Corrected" << 48 << 25 << std::optional<int>(34);
    QTest::newRow("taylor P=48 W=12")
            << "Taylor Series Corrected" << 48 << 12 << std::optional<int>(36);
    QTest::newRow("taylor W=11") << "Taylor Series Corrected" << 20 << 11 << none;
    QTest::newRow("taylor W=26") << "Taylor Series Corrected" << 20 << 26 << none;
    QTest::newRow("taylor P=11") << "Taylor Series Corrected" << 11 << 16 << none;
    QTest::newRow("taylor P=49") << "Taylor Series Corrected" << 49 << 16 << none;
    QTest::newRow("unknown shaping") << "none" << 27 << 12 << none;
    QTest::newRow("empty shaping") << "" << 27 << 12 << none;
}

void tst_DefinesBuilder::truncation()
{
    QFETCH(QString, noiseShaping);
    QFETCH(int, P);
    QFETCH(int, W);
    QFETCH(std::optional<int>, T);
    QCOMPARE(truncationWidth(noiseShaping, P, W), T);

    // The same choice under the hardware mode gives the line, or none.
    DefinesSettings s = example();
    s.parameterSelection = "Hardware Parameters";
    s.noiseShapingHard = noiseShaping;
    s.hardPhaseWidth = P;
    s.hardOutputWidth = W;
    const QStringList trunc = parameterLines(s).filter("`define DEFINE_TRUNC_WIDTH");
    QCOMPARE(trunc.size(), T ? 1 : 0);
    if (T)
        QCOMPARE(trunc.first(), QString("`define DEFINE_TRUNC_WIDTH %1").arg(*T));
}

void tst_DefinesBuilder::truncationLineFollowsMode_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("widthLines");
    QTest::newRow("system, generator only keeps the rule")
            << "Phase Generator Only"
            << "System Parameters"
            << QStringList{"`define DEFINE_OUTPUT_WIDTH 12",
                           "`define DEFINE_PHASE_WIDTH 27",
                           "`define DEFINE_PHASE_DITHER \"YES\"",
                           "`define DEFINE_TAYLOR_CORR \"NO\"",
                           "`define DEFINE_TRUNC_WIDTH 17"};
    QTest::newRow("hardware, generator only has zero truncation")
            << "Phase Generator Only"
            << "Hardware Parameters"
            << QStringList{"`define DEFINE_PHASE_WIDTH 32",
                           "`define DEFINE_OUTPUT_WIDTH 16",
                           "`define DEFINE_PHASE_DITHER \"NO\"",
                           "`define DEFINE_TAYLOR_CORR \"YES\"",
                           "`define DEFINE_TRUNC_WIDTH 0"};
    QTest::newRow("hardware, table only uses the rule")
            << "SIN COS LUT Only"
            << "Hardware Parameters"
            << QStringList{"`define DEFINE_PHASE_WIDTH 32",
                           "`define DEFINE_OUTPUT_WIDTH 16",
                           "`define DEFINE_PHASE_DITHER \"NO\"",
                           "`define DEFINE_TAYLOR_CORR \"YES\"",
                           "`define DEFINE_TRUNC_WIDTH 20"};
    QTest::newRow("hardware, unknown configuration has no truncation")
            << ""
            << "Hardware Parameters"
            << QStringList{"`define DEFINE_PHASE_WIDTH 32",
                           "`define DEFINE_OUTPUT_WIDTH 16",
                           "`define DEFINE_PHASE_DITHER \"NO\"",
                           "`define DEFINE_TAYLOR_CORR \"YES\""};
    QTest::newRow("unknown mode has no width lines") << "Phase Generator and SIN COS LUT"
                                                     << "" << QStringList{};
}

void tst_DefinesBuilder::truncationLineFollowsMode()
{
    QFETCH(QString, configuration);
    QFETCH(QString, mode);
    QFETCH(QStringList, widthLines);
    DefinesSettings s = example();
    s.configuration = configuration;
    s.parameterSelection = mode;
    s.noiseShapingSys = "Phase Dithering";
    s.noiseShapingHard = "Taylor Series Corrected";
    s.hardPhaseWidth = 32;
    s.hardOutputWidth = 16;
    const QStringList lines = parameterLines(s);
    const int channelLine = lines.indexOf("`define DEFINE_CH_NUM 1");
    QCOMPARE(lines.mid(channelLine + 1, widthLines.size()), widthLines);
    const int after = channelLine + 1 + widthLines.size();
    QVERIFY(!lines.at(after).contains("WIDTH"));
    QVERIFY(!lines.at(after).contains("DITHER"));
    if (mode.isEmpty())
        QVERIFY(lines.filter("_INIT ").isEmpty());
}

void tst_DefinesBuilder::latency_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("nsSys");
    QTest::addColumn<QString>("nsHard");
    QTest::addColumn<QString>("latency");
    QTest::addColumn<std::optional<int>>("delay");
    const QString both = "Phase Generator and SIN COS LUT";
    const QString sys = "System Parameters";
    const QString hard = "Hardware Parameters";
    const std::optional<int> none;
    QTest::newRow("both, system, none") << both << sys << "None"
                                        << "Taylor Series Corrected"
                                        << "14" << std::optional<int>(7);
    QTest::newRow("both, system, dithering") << both << sys << "Phase Dithering"
                                             << "None"
                                             << "9" << std::optional<int>(2);
    QTest::newRow("both, system, taylor") << both << sys << "Taylor Series Corrected"
                                          << "None"
                                          << "15" << std::optional<int>(3);
    QTest::newRow("both, hardware reads NS_hard") << both << hard << "Taylor Series Corrected"
                                                  << "None"
                                                  << "14" << std::optional<int>(7);
    QTest::newRow("both, hardware, taylor") << both << hard << "None"
                                            << "Taylor Series Corrected"
                                            << "20" << std::optional<int>(8);
    QTest::newRow("both, unknown mode") << both << ""
                                        << "None"
                                        << "None"
                                        << "14" << none;
    QTest::newRow("both, unknown shaping") << both << sys << ""
                                           << "None"
                                           << "14" << none;
    QTest::newRow("generator only ignores shaping") << "Phase Generator Only" << hard << ""
                                                    << ""
                                                    << "12" << std::optional<int>(5);
    QTest::newRow("table only, none") << "SIN COS LUT Only" << sys << "Taylor Series Corrected"
                                      << "None"
                                      << "5" << std::optional<int>(2);
    QTest::newRow("table only, taylor") << "SIN COS LUT Only" << sys << "None"
                                        << "Taylor Series Corrected"
                                        << "8" << std::optional<int>(0);
    QTest::newRow("table only, dithering") << "SIN COS LUT Only" << sys << "None"
                                           << "Phase Dithering"
                                           << "8" << none;
    QTest::newRow("unknown configuration") << "" << sys << "None"
                                           << "None"
                                           << "14" << none;
    QTest::newRow("empty latency counts as 0") << "Phase Generator Only" << sys << "None"
                                               << "None"
                                               << "" << std::optional<int>(-7);
}

void tst_DefinesBuilder::latency()
{
    QFETCH(QString, configuration);
    QFETCH(QString, mode);
    QFETCH(QString, nsSys);
    QFETCH(QString, nsHard);
    QFETCH(QString, latency);
    QFETCH(std::optional<int>, delay);
    QCOMPARE(extraLatency(configuration, mode, nsSys, nsHard, latency.toInt()), delay);

    DefinesSettings s = example();
    s.configuration = configuration;
    s.parameterSelection = mode;
    s.noiseShapingSys = nsSys;
    s.noiseShapingHard = nsHard;
    s.latency = latency;
    const QStringList lines = parameterLines(s).filter("`define DEFINE_DELAY");
    QCOMPARE(lines,
             delay ? QStringList{QString("`define DEFINE_DELAY %1").arg(*delay)} : QStringList{});
}

void tst_DefinesBuilder::ports_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QString>("inc");
    QTest::addColumn<QString>("off");
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("resync");
    QTest::addColumn<QStringList>("expected");
    const QString both = "Phase Generator and SIN COS LUT";
    QTest::newRow("programmable increment and offset share CONFIG_EN")
            << both << "programmable"
            << "programmable"
            << "sinAndcos" << true
            << QStringList{"`define DEFINE_PINC_TYPE \"Programmable\"",
                           "`define CONFIG_EN",
                           "`define CONFIGINC_EN",
                           "`define PHASERESYNC",
                           "`define DEFINE_POFF_TYPE \"Programmable\"",
                           "`define CONFIGOFF_EN",
                           "`define SINE_OUT",
                           "`define COSSINE_OUT",
                           "`define PHASE_OUT"};
    QTest::newRow("programmable offset alone brings CONFIG_EN")
            << both << "fixed"
            << "programmable"
            << "sine" << false
            << QStringList{"`define DEFINE_PINC_TYPE \"Fixed\"",
                           "`define DEFINE_POFF_TYPE \"Programmable\"",
                           "`define CONFIG_EN",
                           "`define CONFIGOFF_EN",
                           "`define SINE_OUT",
                           "`define PHASE_OUT"};
    QTest::newRow("streaming everything on the table shares PHASE_EN")
            << "SIN COS LUT Only"
            << "streaming"
            << "streaming"
            << "cosine" << false
            << QStringList{"`define DEFINE_PINC_TYPE \"Streaming\"",
                           "`define PHASE_EN",
                           "`define PHASEINC_EN",
                           "`define DEFINE_POFF_TYPE \"Streaming\"",
                           "`define PHASEOFF_EN",
                           "`define PHASEIN_EN",
                           "`define COSSINE_OUT",
                           "`define PHASE_OUT"};
    QTest::newRow("table only brings PHASE_EN itself")
            << "SIN COS LUT Only"
            << "fixed"
            << "fixed"
            << "sinAndcos" << false
            << QStringList{"`define DEFINE_PINC_TYPE \"Fixed\"",
                           "`define DEFINE_POFF_TYPE \"Fixed\"",
                           "`define PHASE_EN",
                           "`define PHASEIN_EN",
                           "`define SINE_OUT",
                           "`define COSSINE_OUT",
                           "`define PHASE_OUT"};
    QTest::newRow("streaming offset with programmable increment")
            << both << "programmable"
            << "streaming"
            << "" << false
            << QStringList{"`define DEFINE_PINC_TYPE \"Programmable\"",
                           "`define CONFIG_EN",
                           "`define CONFIGINC_EN",
                           "`define DEFINE_POFF_TYPE \"Streaming\"",
                           "`define PHASE_EN",
                           "`define PHASEOFF_EN",
                           "`define PHASE_OUT"};
    QTest::newRow("generator only has no table outputs")
            << "Phase Generator Only"
            << "streaming"
            << "none"
            << "sine" << true
            << QStringList{"`define DEFINE_PINC_TYPE \"Streaming\"",
                           "`define PHASE_EN",
                           "`define PHASEINC_EN",
                           "`define PHASERESYNC",
                           "`define DEFINE_POFF_TYPE \"None\"",
                           "`define PHASE_OUT"};
    QTest::newRow("no button checked gives no type lines")
            << both << ""
            << ""
            << "sine" << false << QStringList{"`define SINE_OUT", "`define PHASE_OUT"};
}

void tst_DefinesBuilder::ports()
{
    QFETCH(QString, configuration);
    QFETCH(QString, inc);
    QFETCH(QString, off);
    QFETCH(QString, output);
    QFETCH(bool, resync);
    QFETCH(QStringList, expected);
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
    s.resyncActive = resync;
    const QStringList lines = parameterLines(s);
    QCOMPARE(portLines(lines), expected);
    QVERIFY(count(lines, "`define CONFIG_EN") <= 1);
    QVERIFY(count(lines, "`define PHASE_EN") <= 1);
}

void tst_DefinesBuilder::channelCount_data()
{
    QTest::addColumn<QString>("channels");
    QTest::addColumn<bool>("multi");
    QTest::newRow("one channel") << "1" << false;
    QTest::newRow("two channels") << "2" << true;
    QTest::newRow("sixteen channels") << "16" << true;
    QTest::newRow("no number") << "" << false;
}

void tst_DefinesBuilder::channelCount()
{
    QFETCH(QString, channels);
    QFETCH(bool, multi);
    DefinesSettings s = example();
    s.channels = channels;
    s.channelIdOut = true;
    const QStringList lines = parameterLines(s);
    QCOMPARE(lines.at(2), QString("`define DEFINE_CH_NUM %1").arg(channels));
    QCOMPARE(lines.at(3) == "`define MULTI_CHANNEL", multi);
    QCOMPARE(count(lines, "`define MULTI_CHANNEL"), multi ? 1 : 0);
    // The channel id port follows the phase port.
    QCOMPARE(lines.indexOf("`define CHANID_OUT"), lines.indexOf("`define PHASE_OUT") + 1);
}

void tst_DefinesBuilder::initialValues_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("channels");
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("frequency");
    QTest::addColumn<QString>("phase");
    QTest::addColumn<QString>("incLine");
    QTest::addColumn<QString>("offLine");
    const QString sys = "System Parameters";
    const QString hard = "Hardware Parameters";
    QTest::newRow("1 MHz rounds down") << sys << "1" << 0 << "1"
                                       << "0.25"
                                       << "`define DEFINE_PINC0_INIT 27'h147ae1"
                                       << "`define DEFINE_POFF0_INIT 27'h2000000";
    // 4 channels: 2 MHz of 100 MHz is 2*4/100*2^27 = 10737418.24.
    QTest::newRow("channel count scales the increment") << sys << "4" << 3 << "2"
                                                        << "0.5"
                                                        << "`define DEFINE_PINC3_INIT 27'ha3d70a"
                                                        << "`define DEFINE_POFF3_INIT 27'h4000000";
    // A phase of 2^-28 is half a step of 2^-27.
    QTest::newRow("half rounds upward") << sys << "1" << 0 << "0"
                                        << "0.0000000037252902984619140625"
                                        << "`define DEFINE_PINC0_INIT 27'h0"
                                        << "`define DEFINE_POFF0_INIT 27'h1";
    QTest::newRow("channel beyond the count is zero") << sys << "4" << 4 << "2"
                                                      << "0.5"
                                                      << "`define DEFINE_PINC4_INIT 27'h0"
                                                      << "`define DEFINE_POFF4_INIT 27'h0";
    QTest::newRow("index ten is A") << sys << "16" << 10 << "0"
                                    << "0.5"
                                    << "`define DEFINE_PINCA_INIT 27'h0"
                                    << "`define DEFINE_POFFA_INIT 27'h4000000";
    QTest::newRow("hardware text upper case kept") << hard << "1" << 0 << "147AE1"
                                                   << "ff"
                                                   << "`define DEFINE_PINC0_INIT 30'h147AE1"
                                                   << "`define DEFINE_POFF0_INIT 30'hff";
    QTest::newRow("hardware index fifteen is F") << hard << "16" << 15 << "1aB"
                                                 << "0"
                                                 << "`define DEFINE_PINCF_INIT 30'h1aB"
                                                 << "`define DEFINE_POFFF_INIT 30'h0";
    QTest::newRow("hardware beyond the count is zero") << hard << "15" << 15 << "1aB"
                                                       << "7"
                                                       << "`define DEFINE_PINCF_INIT 30'h0"
                                                       << "`define DEFINE_POFFF_INIT 30'h0";
}

void tst_DefinesBuilder::initialValues()
{
    QFETCH(QString, mode);
    QFETCH(QString, channels);
    QFETCH(int, channel);
    QFETCH(QString, frequency);
    QFETCH(QString, phase);
    QFETCH(QString, incLine);
    QFETCH(QString, offLine);
    DefinesSettings s = example();
    s.parameterSelection = mode;
    s.hardPhaseWidth = 30;
    s.channels = channels;
    s.frequencies[channel] = frequency;
    s.phases[channel] = phase;
    const QStringList lines = parameterLines(s);
    const QStringList init = lines.filter(QRegularExpression("^`define DEFINE_P(INC|OFF)._INIT "));
    QCOMPARE(init.size(), 32);
    QCOMPARE(init.at(2 * channel), incLine);
    QCOMPARE(init.at(2 * channel + 1), offLine);
    // The initial values close the list.
    QCOMPARE(lines.last(), init.last());
}

void tst_DefinesBuilder::tableWidths_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("P");
    QTest::addColumn<int>("T");
    const QStringList good{"`define DEFINE_CH_NUM 1",
                           "`define DEFINE_PHASE_WIDTH 32",
                           "`define DEFINE_OUTPUT_WIDTH 16",
                           "`define DEFINE_TRUNC_WIDTH 16"};
    QTest::newRow("hardware order") << good << int(TableWidths::None) << 16 << 32 << 16;
    QTest::newRow("worked example")
            << parameterLines(example()) << int(TableWidths::None) << 12 << 27 << 15;
    QTest::newRow("repeated output width")
            << (QStringList(good) << "`define DEFINE_OUTPUT_WIDTH 16") << int(TableWidths::Repeated)
            << 0 << 0 << 0;
    QTest::newRow("repeated truncation counts the bare prefix")
            << (QStringList(good) << "// `define DEFINE_TRUNC_WIDTHX") << int(TableWidths::Repeated)
            << 0 << 0 << 0;
    QTest::newRow("missing truncation")
            << QStringList(good.mid(0, 3)) << int(TableWidths::Missing) << 0 << 0 << 0;
    QTest::newRow("empty list") << QStringList{} << int(TableWidths::Missing) << 0 << 0 << 0;
}

void tst_DefinesBuilder::tableWidths()
{
    QFETCH(QStringList, lines);
    QFETCH(int, fault);
    QFETCH(int, W);
    QFETCH(int, P);
    QFETCH(int, T);
    const TableWidths widths = IPDDSYN::Generation::tableWidths(lines);
    QCOMPARE(int(widths.fault), fault);
    if (fault != TableWidths::None)
        return;
    QCOMPARE(widths.W, W);
    QCOMPARE(widths.P, P);
    QCOMPARE(widths.T, T);
}

QTEST_GUILESS_MAIN(tst_DefinesBuilder)
#include "tst_definesbuilder.moc"
