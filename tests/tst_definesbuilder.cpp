#include "definesbuilder.h"
#include "optiontable.h"

#include <QtTest>

using namespace IPDDSYN::Generation;

Q_DECLARE_METATYPE(std::optional<int>)

namespace {

const QString dither = "Phase Dithering";
const QString taylor = "Taylor Series Corrected";

// The worked example (one channel at 1 MHz of 100 MHz, 72 dB, latency 14) with "; "-separated
// KEY=VALUE edits of its options, keys and choices as a configuration file has them or short.
DefinesSettings settings(const QString &edits)
{
    static const QMap<QString, QString> names{{"cfg", "ConfiguationOptions"},
                                              {"mode", "ParameterSelection"},
                                              {"nsSys", "NoiseShaping_sys"},
                                              {"nsHard", "NoiseShaping_hard"},
                                              {"P", "PhaseWidth"},
                                              {"W", "OutputWidth"},
                                              {"channels", "NumberOfChannels"},
                                              {"inc", "PhaseIncrementProgrammability"},
                                              {"off", "PhaseOffsetProgrammability"},
                                              {"latency", "Latency"},
                                              {"both", "Phase Generator and SIN COS LUT"},
                                              {"gen", "Phase Generator Only"},
                                              {"lut", "SIN COS LUT Only"},
                                              {"hard", "Hardware Parameters"},
                                              {"dither", dither},
                                              {"taylor", taylor}};
    CoreSettings core;
    core.device = DEV::DeviceArg("RQ9A", "RQ9A-50", "RQ9A50");
    core.sysPhaseWidth = 27;
    core.sysOutputWidth = 12;
    for (int i = 0; i < 2 * ChannelCount; ++i)
        core.options.insert(channelKey(i % ChannelCount, 1 + i / ChannelCount), "0");
    const QString example = "cfg=both; channels=1; mode=System Parameters; nsSys=None; "
                            "nsHard=None; P=27; W=12; SystemClock=100; inc=fixed_inc; "
                            "off=none_off; Output=sinAndcos; hasPhaseOut=true; latency=14; ";
    for (const QString &edit : (example + edits).split("; ", Qt::SkipEmptyParts)) {
        const QString key = edit.section('=', 0, 0), value = edit.section('=', 1);
        core.options.insert(names.value(key, key), names.value(value, value));
    }
    return definesSettings(core);
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
    void lines_data();
    void lines();
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

// The define lines of settings, without "`define ", "DEFINE_" and quotes.
void tst_DefinesBuilder::lines_data()
{
    QTest::addColumn<QString>("edits");
    // " | "-separated runs of consecutive lines; a bare name stands for the line with any value,
    // "!NAME" for no line of that name.
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, QString edits, QString expected) {
        QTest::newRow(name) << edits << expected;
    };
    // The width lines follow the channel count; the mode decides their order, which noise
    // shaping counts and where the truncation comes from.
    const QString shaped = "nsSys=dither; nsHard=taylor; P=32; W=16; ";
    const QString hardware = "CH_NUM 1; PHASE_WIDTH 32; OUTPUT_WIDTH 16; PHASE_DITHER NO; "
                             "TAYLOR_CORR YES";
    row("system keeps the rule",
        shaped + "cfg=gen",
        "CH_NUM 1; OUTPUT_WIDTH 12; PHASE_WIDTH 27; PHASE_DITHER YES; TAYLOR_CORR NO; "
        "TRUNC_WIDTH 17");
    row("hardware, generator only truncates nothing",
        shaped + "cfg=gen; mode=hard",
        hardware + "; TRUNC_WIDTH 0");
    row("hardware, table only uses the rule",
        shaped + "cfg=lut; mode=hard",
        hardware + "; TRUNC_WIDTH 20");
    row("hardware, unknown configuration",
        shaped + "cfg=; mode=hard",
        hardware + " | !TRUNC_WIDTH");
    // Without a mode there are no widths, no delay and no phase width for the initial values.
    row("unknown mode",
        shaped + "mode=",
        "CH_NUM 1 | !PHASE_WIDTH | !OUTPUT_WIDTH | !PHASE_DITHER | !TAYLOR_CORR | !DELAY "
        "| !PINC0_INIT");
    row("latency: system, none", "nsHard=taylor", "DELAY 7");
    row("latency: system, taylor", "nsSys=taylor; latency=15", "DELAY 3");
    row("latency: hardware reads NS_hard", "mode=hard; nsSys=taylor", "DELAY 7");
    row("latency: hardware, taylor", "mode=hard; nsHard=taylor; latency=20", "DELAY 8");
    row("latency: generator only ignores shaping",
        "cfg=gen; mode=hard; nsSys=; nsHard=; latency=12",
        "DELAY 5");
    row("latency: table only, none", "cfg=lut; nsSys=taylor; latency=5", "DELAY 2");
    row("latency: table only, taylor", "cfg=lut; nsHard=taylor; latency=8", "DELAY 0");
    row("latency: table only, dithering", "cfg=lut; nsHard=dither; latency=8", "!DELAY");
    row("latency: unknown configuration", "cfg=", "!DELAY");
    // The port lines in order; the programmable and streaming ports share CONFIG_EN and
    // PHASE_EN, which must appear once.
    const auto ports = [](const char *name, QString edits, QString lines) {
        QTest::newRow(name) << "channels=2; ChannelIDout=true; " + edits
                            << "CH_NUM 2; MULTI_CHANNEL | TRUNC_WIDTH; " + lines
                                       + "; CHANID_OUT; DELAY";
    };
    ports("programmable increment and offset share CONFIG_EN",
          "inc=programmable_inc; off=programmable_off; resync=true",
          "PINC_TYPE Programmable; CONFIG_EN; CONFIGINC_EN; PHASERESYNC; POFF_TYPE Programmable; "
          "CONFIGOFF_EN; SINE_OUT; COSSINE_OUT; PHASE_OUT");
    ports("programmable offset alone brings CONFIG_EN",
          "off=programmable_off; Output=sine",
          "PINC_TYPE Fixed; POFF_TYPE Programmable; CONFIG_EN; CONFIGOFF_EN; SINE_OUT; PHASE_OUT");
    ports("streaming everything on the table shares PHASE_EN",
          "cfg=lut; inc=streaming_inc; off=streaming_off; Output=cosine",
          "PINC_TYPE Streaming; PHASE_EN; PHASEINC_EN; POFF_TYPE Streaming; PHASEOFF_EN; "
          "PHASEIN_EN; COSSINE_OUT; PHASE_OUT");
    ports("table only brings PHASE_EN itself",
          "cfg=lut; off=fixed_off",
          "PINC_TYPE Fixed; POFF_TYPE Fixed; PHASE_EN; PHASEIN_EN; SINE_OUT; COSSINE_OUT; "
          "PHASE_OUT");
    ports("streaming offset with programmable increment",
          "inc=programmable_inc; off=streaming_off; Output=",
          "PINC_TYPE Programmable; CONFIG_EN; CONFIGINC_EN; POFF_TYPE Streaming; PHASE_EN; "
          "PHASEOFF_EN; PHASE_OUT");
    ports("generator only has no table outputs",
          "cfg=gen; inc=streaming_inc; Output=sine; resync=true",
          "PINC_TYPE Streaming; PHASE_EN; PHASEINC_EN; PHASERESYNC; POFF_TYPE None; PHASE_OUT");
    ports("no button checked gives no type lines",
          "inc=; off=; Output=sine",
          "SINE_OUT; PHASE_OUT");
    // 2 MHz of 100 MHz over 4 channels: 2 * 4 / 100 * 2^27 = 10737418.24.
    row("channel count scales the increment",
        "channels=4; channel4_column1=2; channel4_column2=0.5",
        "PINC3_INIT 27'ha3d70a; POFF3_INIT 27'h4000000; PINC4_INIT");
    // A phase of 2^-28 is half a step of 2^-27.
    row("half rounds upward",
        "channel1_column2=0.0000000037252902984619140625",
        "DELAY; PINC0_INIT 27'h0; POFF0_INIT 27'h1");
    row("channel beyond the count is zero",
        "channels=4; channel5_column1=2; channel5_column2=0.5",
        "PINC4_INIT 27'h0; POFF4_INIT 27'h0");
    row("index ten is A",
        "channels=16; channel11_column2=0.5",
        "POFF9_INIT; PINCA_INIT 27'h0; POFFA_INIT 27'h4000000; PINCB_INIT");
    row("hardware text kept as typed",
        "mode=hard; P=30; channels=16; channel16_column1=1aB; channel16_column2=ff",
        "PINCF_INIT 30'h1aB; POFFF_INIT 30'hff");
}

void tst_DefinesBuilder::lines()
{
    QFETCH(QString, edits);
    QFETCH(QString, expected);
    QStringList lines = parameterLines(settings(edits));
    lines.replaceInStrings(QRegularExpression("^`define (DEFINE_)?"), "")
            .replaceInStrings("\"", "");
    const auto same = [](const QString &line, const QString &item) {
        return line == item || (!item.contains(' ') && line.startsWith(item + ' '));
    };
    for (const QString &text : expected.split(" | ")) {
        const bool absent = text.startsWith('!');
        const QStringList run = text.mid(absent ? 1 : 0).split("; ");
        bool found = false;
        for (int at = 0; !found && at + run.size() <= lines.size(); ++at) {
            found = true;
            for (int i = 0; found && i < run.size(); ++i)
                found = same(lines.at(at + i), run.at(i));
        }
        QVERIFY2(found != absent, qPrintable(text + " in\n" + lines.join('\n')));
    }
    // Initial values, when there are any, are 32 and close the list.
    const QStringList inits = lines.filter(QRegularExpression("^P(INC|OFF)[0-9A-F]_INIT "));
    QVERIFY(inits.isEmpty() || (inits.size() == 32 && lines.mid(lines.size() - 32) == inits));
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
