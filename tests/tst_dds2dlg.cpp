#include "dialogfixture.h"

#include <QGroupBox>
#include <QTabWidget>
#include <QtTest>

using IPDDSYN::dds2dlg;
Q_DECLARE_METATYPE(Utils::PinFigure)
using Pins = QList<Utils::PinFigure>;

class tst_Dds2Dlg : public QObject
{
    Q_OBJECT
private slots:
    void headerAndTabs();
    void initialState_data();
    void initialState();
    void initialChannelTable();
    void initialFigure();

    void systemClockEdits_data();
    void systemClockEdits();
    void tableOnlyFixesClockAndChannels();
    void resolutionEdits_data();
    void resolutionEdits();
    void sfdrEdits_data();
    void sfdrEdits();
    void selectionSurvivesConfigurationSwitch_data();
    void selectionSurvivesConfigurationSwitch();
    void hardwareNoiseShapingOnSwitchToTable_data();
    void hardwareNoiseShapingOnSwitchToTable();
    void parameterSelectionSwitchesGroups();

    void outputWidthFollowsPhaseWidth_data();
    void outputWidthFollowsPhaseWidth();
    void taylorCorrection();
    void configurationWidthsAndLatency_data();
    void configurationWidthsAndLatency();
    void generatorOnlyFixesOutputWidth();
    void latencySurvivesWhenOffered();
    void channelIdNeedsChannels();

    void channelRowsFollowChannelCount();
    void entriesFollowSelectionSyntax();
    void columnsFollowProgrammability_data();
    void columnsFollowProgrammability();
    void tableOnlyDisablesTable();
    void oneValidatorPerEntry();
    void resyncFollowsStreaming();

    void figureExamples_data();
    void figureExamples();
    void figureWidthsFollowSelection();
};

void tst_Dds2Dlg::headerAndTabs()
{
    DialogDriver d;
    QCOMPARE(d.dialog()->moduleName(), QStringLiteral("dds_ii_top"));
    QCOMPARE(d.dialog()->fileName(), QStringLiteral("dds_ii"));
    QCOMPARE(d.dialog()->windowTitle(), QStringLiteral("DDS II: Direct Digital Synthesizer"));
    QCOMPARE(d.label(QStringLiteral("coreLabel"))->text(),
             QStringLiteral("DDS II: Direct Digital Synthesizer"));
    QCOMPARE(d.label(QStringLiteral("device"))->text(), QStringLiteral("RQ3B/RQ4K-01"));
    auto *tabs = d.find<QTabWidget>(QStringLiteral("tabs"));
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Configuration"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Impementation"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("Output Settings"));
    QCOMPARE(tabs->widget(0)->objectName(), QStringLiteral("IPDDSYN__cfgTab"));
    QCOMPARE(tabs->widget(2)->objectName(), QStringLiteral("IPDDSYN__outputTab"));
}

void tst_Dds2Dlg::initialState_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("aspect");
    QTest::addColumn<QVariant>("expected");

    auto row = [](const char *name, const char *widget, const char *aspect, QVariant expected) {
        QTest::newRow(name) << QString::fromLatin1(widget) << QString::fromLatin1(aspect)
                            << expected;
    };
    row("configuration", "cfgOptions", "text", "Phase Generator and SIN COS LUT");
    row("configuration items",
        "cfgOptions",
        "items",
        QStringList{"Phase Generator and SIN COS LUT", "Phase Generator Only", "SIN COS LUT Only"});
    row("clock", "sysClk", "text", "100");
    row("clock enabled", "sysClk", "enabled", true);
    row("channels", "numOfChannels", "text", "1");
    row("channel count", "numOfChannels", "count", 16);
    row("last channel item", "numOfChannels", "last", "16");
    row("mode", "modeOfOperation", "items", QStringList{"Standard"});
    row("per channel", "freqPerChannel", "text", "100.000000000MHz");
    row("selection",
        "paraSelection",
        "items",
        QStringList{"System Parameters", "Hardware Parameters"});
    row("selection current", "paraSelection", "text", "System Parameters");
    row("sfdr", "SFDR", "text", "72");
    row("resolution", "freqResolution", "text", "1");
    row("resolution range", "rangeFreqRes", "text", "[3.55271e-07-6.25e+06]");
    row("system noise shaping",
        "NS_sys",
        "items",
        QStringList{"None", "Phase Dithering", "Taylor Series Corrected"});
    row("system noise shaping current", "NS_sys", "text", "None");
    row("hardware noise shaping",
        "NS_hard",
        "items",
        QStringList{"None", "Phase Dithering", "Taylor Series Corrected"});
    row("phase width", "phaseWidth", "value", 27);
    row("phase width min", "phaseWidth", "minimum", 4);
    row("phase width max", "phaseWidth", "maximum", 48);
    row("phase range", "phaseRange", "text", "[4-48]");
    row("output width", "outputWidth", "value", 12);
    row("output width max", "outputWidth", "maximum", 16);
    row("output range", "outputWidthrange", "text", "[4-16]");
    row("output width enabled in its group", "outputWidth", "enabledInGroup", true);
    row("system group shown", "sysem", "hidden", false);
    row("system group enabled", "sysem", "enabled", true);
    row("hardware group hidden", "hard", "hidden", true);
    row("hardware group disabled", "hard", "enabled", false);
    row("latency items",
        "latency",
        "items",
        QStringList{
                "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19", "20"});
    row("latency", "latency", "text", "14");
    row("channel id disabled", "channelIDOut", "enabled", false);
    row("channel id unchecked", "channelIDOut", "checked", false);
    row("resync disabled", "resync", "enabled", false);
    row("resync unchecked", "resync", "checked", false);
    row("fixed increments", "fixed_inc", "checked", true);
    row("no offsets", "none_off", "checked", true);
    row("sine and cosine", "sinAndcos", "checked", true);
    row("phase out", "hasPhaseOut", "checked", true);
    row("io insertion", "checkDisableIOInsertion", "checked", true);
    row("synthesis tool", "synthesisTool", "text", "VeltoSynthesis");
    row("language", "language", "text", "Verilog");
}

static QVariant aspectOf(QWidget *widget, const QString &aspect)
{
    if (aspect == QLatin1String("enabled"))
        return widget->isEnabled();
    if (aspect == QLatin1String("enabledInGroup"))
        return widget->isEnabledTo(widget->parentWidget());
    if (aspect == QLatin1String("hidden"))
        return widget->isHidden();
    if (auto *box = qobject_cast<QComboBox *>(widget)) {
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i);
        if (aspect == QLatin1String("items"))
            return items;
        if (aspect == QLatin1String("count"))
            return box->count();
        if (aspect == QLatin1String("last"))
            return items.value(items.size() - 1);
        return box->currentText();
    }
    if (auto *spin = qobject_cast<QSpinBox *>(widget)) {
        if (aspect == QLatin1String("minimum"))
            return spin->minimum();
        if (aspect == QLatin1String("maximum"))
            return spin->maximum();
        return spin->value();
    }
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        return button->isChecked();
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->displayText();
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    return {};
}

void tst_Dds2Dlg::initialState()
{
    QFETCH(QString, widget);
    QFETCH(QString, aspect);
    QFETCH(QVariant, expected);
    DialogDriver d;
    const QVariant actual = aspectOf(d.find<QWidget>(widget), aspect);
    if (expected.type() == QVariant::StringList)
        QCOMPARE(actual.toStringList(), expected.toStringList());
    else
        QCOMPARE(actual.toString(), expected.toString());
}

void tst_Dds2Dlg::initialChannelTable()
{
    DialogDriver d;
    QCOMPARE(d.label(QStringLiteral("freqContrl"))->text(), QStringLiteral("Output Freqency(MHz)"));
    QCOMPARE(d.label(QStringLiteral("phaseContrl"))->text(),
             QStringLiteral("Phase Offset Angle(*2 pi Radians)"));
    QVERIFY(d.find<QGroupBox>(QStringLiteral("freqGroupBox"))->isEnabled());
    QVERIFY(!d.find<QGroupBox>(QStringLiteral("phaseGroupBox"))->isEnabled());
    for (int row = 0; row < 16; ++row) {
        QLineEdit *freq = d.edit(QStringLiteral("freq%1").arg(row));
        QLineEdit *phase = d.edit(QStringLiteral("phase%1").arg(row));
        QCOMPARE(freq->text(), row == 0 ? QStringLiteral("1") : QStringLiteral("0"));
        QCOMPARE(phase->text(), QStringLiteral("0"));
        QCOMPARE(freq->isEnabled(), row == 0);
        QVERIFY(!phase->isEnabled());
        QVERIFY(freq->validator());
    }
}

void tst_Dds2Dlg::initialFigure()
{
    DialogDriver d;
    const QList<Utils::PinFigure> expected = {{"clk_i", 0, false, Qt::AlignLeft},
                                              {"rst_n_i", 0, false, Qt::AlignLeft},
                                              {"phase_out_o[26:0]", 1, true, Qt::AlignRight},
                                              {"cosine_o[11:0]", 1, true, Qt::AlignRight},
                                              {"sine_o[11:0]", 1, true, Qt::AlignRight},
                                              {"data_valid_o", 1, false, Qt::AlignRight}};
    QCOMPARE(d.dialog()->figurePins(), expected);
}

void tst_Dds2Dlg::systemClockEdits_data()
{
    QTest::addColumn<QString>("channels");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<QString>("perChannel");
    QTest::addColumn<QString>("range");
    QTest::newRow("too slow") << "1"
                              << "0.005"
                              << "100"
                              << "100.000000000MHz"
                              << "[3.55271e-07-6.25e+06]";
    QTest::newRow("too fast") << "1"
                              << "600"
                              << "100"
                              << "100.000000000MHz"
                              << "[3.55271e-07-6.25e+06]";
    QTest::newRow("slowest") << "1"
                             << "0.01"
                             << "0.01"
                             << "0.010000000MHz"
                             << "[3.55271e-11-625]";
    QTest::newRow("fastest") << "1"
                             << "500"
                             << "500"
                             << "500.000000000MHz"
                             << "[1.77636e-06-3.125e+07]";
    QTest::newRow("emptied") << "1"
                             << ""
                             << "100"
                             << "100.000000000MHz"
                             << "[3.55271e-07-6.25e+06]";
    QTest::newRow("three channels") << "3"
                                    << "100"
                                    << "100"
                                    << "33.333333333MHz"
                                    << "[1.18424e-07-2.08333e+06]";
    QTest::newRow("sixteen channels") << "16"
                                      << "100"
                                      << "100"
                                      << "6.250000000MHz"
                                      << "[2.22045e-08-390625]";
}

// The corrected clock is what the later handlers of the same edit read.
void tst_Dds2Dlg::systemClockEdits()
{
    QFETCH(QString, channels);
    QFETCH(QString, typed);
    QFETCH(QString, clock);
    QFETCH(QString, perChannel);
    QFETCH(QString, range);
    DialogDriver d;
    QVERIFY(d.choose(QStringLiteral("numOfChannels"), channels));
    d.type(QStringLiteral("sysClk"), typed);
    QCOMPARE(d.edit(QStringLiteral("sysClk"))->text(), clock);
    QCOMPARE(d.label(QStringLiteral("freqPerChannel"))->text(), perChannel);
    QCOMPARE(d.label(QStringLiteral("rangeFreqRes"))->text(), range);
}

void tst_Dds2Dlg::tableOnlyFixesClockAndChannels()
{
    DialogDriver d;
    QVERIFY(d.choose(QStringLiteral("numOfChannels"), QStringLiteral("5")));
    d.type(QStringLiteral("sysClk"), QStringLiteral("250"));
    QVERIFY(d.choose(QStringLiteral("cfgOptions"), QStringLiteral("SIN COS LUT Only")));
    QCOMPARE(d.edit(QStringLiteral("sysClk"))->text(), QStringLiteral("100"));
    QVERIFY(!d.edit(QStringLiteral("sysClk"))->isEnabled());
    QCOMPARE(d.combo(QStringLiteral("numOfChannels"))->currentText(), QStringLiteral("1"));
    QVERIFY(!d.combo(QStringLiteral("numOfChannels"))->isEnabled());
    QCOMPARE(d.label(QStringLiteral("freqPerChannel"))->text(), QStringLiteral("Not Applicable"));
    QVERIFY(d.choose(QStringLiteral("cfgOptions"), QStringLiteral("Phase Generator Only")));
    QVERIFY(d.edit(QStringLiteral("sysClk"))->isEnabled());
    QVERIFY(d.combo(QStringLiteral("numOfChannels"))->isEnabled());
    QCOMPARE(d.label(QStringLiteral("freqPerChannel"))->text(), QStringLiteral("100.000000000MHz"));
}

void tst_Dds2Dlg::resolutionEdits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("resolution");
    QTest::addColumn<QStringList>("noiseShapings");
    QTest::addColumn<QString>("phaseBus");
    const QStringList all{"None", "Phase Dithering", "Taylor Series Corrected"};
    QTest::newRow("zero") << "0"
                          << "1" << all << "phase_out_o[26:0]";
    QTest::newRow("above Fs/16") << "7000000"
                                 << "1" << all << "phase_out_o[26:0]";
    QTest::newRow("Fs/16 itself") << "6250000"
                                  << "6250000" << QStringList{"None"} << "phase_out_o[3:0]";
    QTest::newRow("1 kHz") << "1000"
                           << "1000" << all << "phase_out_o[16:0]";
}

void tst_Dds2Dlg::resolutionEdits()
{
    QFETCH(QString, typed);
    QFETCH(QString, resolution);
    QFETCH(QStringList, noiseShapings);
    QFETCH(QString, phaseBus);
    DialogDriver d;
    d.type(QStringLiteral("freqResolution"), typed);
    QCOMPARE(d.edit(QStringLiteral("freqResolution"))->text(), resolution);
    QCOMPARE(d.items(QStringLiteral("NS_sys")), noiseShapings);
    QVERIFY2(d.pinLabels().contains(phaseBus), qPrintable(d.pinLabels().join(QLatin1Char(' '))));
}

void tst_Dds2Dlg::sfdrEdits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sfdr");
    QTest::addColumn<QString>("outputBus");
    QTest::addColumn<QStringList>("noiseShapings");
    QTest::addColumn<QString>("firstLatency");
    const QStringList all{"None", "Phase Dithering", "Taylor Series Corrected"};
    QTest::newRow("23") << "23"
                        << "72"
                        << "sine_o[11:0]" << all << "7";
    QTest::newRow("151") << "151"
                         << "72"
                         << "sine_o[11:0]" << all << "7";
    QTest::newRow("empty") << ""
                           << "72"
                           << "sine_o[11:0]" << all << "7";
    QTest::newRow("24") << "24"
                        << "24"
                        << "sine_o[3:0]" << QStringList{"None", "Phase Dithering"} << "7";
    QTest::newRow("150") << "150"
                         << "150"
                         << "sine_o[24:0]" << QStringList{"Taylor Series Corrected"} << "12";
    QTest::newRow("110: only Taylor")
            << "110"
            << "110"
            << "sine_o[18:0]" << QStringList{"Taylor Series Corrected"} << "12";
}

void tst_Dds2Dlg::sfdrEdits()
{
    QFETCH(QString, typed);
    QFETCH(QString, sfdr);
    QFETCH(QString, outputBus);
    QFETCH(QStringList, noiseShapings);
    QFETCH(QString, firstLatency);
    DialogDriver d;
    d.type(QStringLiteral("SFDR"), typed);
    QCOMPARE(d.edit(QStringLiteral("SFDR"))->text(), sfdr);
    QVERIFY2(d.pinLabels().contains(outputBus), qPrintable(d.pinLabels().join(QLatin1Char(' '))));
    QCOMPARE(d.items(QStringLiteral("NS_sys")), noiseShapings);
    QCOMPARE(d.items(QStringLiteral("latency")).value(0), firstLatency);
}

void tst_Dds2Dlg::selectionSurvivesConfigurationSwitch_data()
{
    QTest::addColumn<QString>("selection");
    QTest::addColumn<QString>("afterGeneratorOnly");
    QTest::addColumn<QString>("afterBack");
    QTest::newRow("hardware kept") << "Hardware Parameters"
                                   << "Hardware Parameters"
                                   << "Hardware Parameters";
    QTest::newRow("system lost") << "System Parameters"
                                 << "Hardware Parameters"
                                 << "Hardware Parameters";
}

void tst_Dds2Dlg::selectionSurvivesConfigurationSwitch()
{
    QFETCH(QString, selection);
    QFETCH(QString, afterGeneratorOnly);
    QFETCH(QString, afterBack);
    DialogDriver d;
    QVERIFY(d.choose(QStringLiteral("paraSelection"), selection));
    QVERIFY(d.choose(QStringLiteral("cfgOptions"), QStringLiteral("Phase Generator Only")));
    QCOMPARE(d.items(QStringLiteral("paraSelection")), QStringList{"Hardware Parameters"});
    QCOMPARE(d.combo(QStringLiteral("paraSelection"))->currentText(), afterGeneratorOnly);
    QCOMPARE(d.edit(QStringLiteral("freq0"))->text(), QStringLiteral("147AE1"));
    QVERIFY(d.choose(QStringLiteral("cfgOptions"),
                     QStringLiteral("Phase Generator and SIN COS LUT")));
    QCOMPARE(d.combo(QStringLiteral("paraSelection"))->currentText(), afterBack);
    QCOMPARE(d.edit(QStringLiteral("freq0"))->text(), QStringLiteral("147AE1"));
    QVERIFY(d.find<QWidget>(QStringLiteral("sysem"))->isHidden());
}

void tst_Dds2Dlg::hardwareNoiseShapingOnSwitchToTable_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("dithering falls back") << "Phase Dithering"
                                          << "None";
    QTest::newRow("taylor kept") << "Taylor Series Corrected"
                                 << "Taylor Series Corrected";
}

void tst_Dds2Dlg::hardwareNoiseShapingOnSwitchToTable()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    DialogDriver d;
    QVERIFY(d.choose(QStringLiteral("paraSelection"), QStringLiteral("Hardware Parameters")));
    QVERIFY(d.choose(QStringLiteral("NS_hard"), before));
    QVERIFY(d.choose(QStringLiteral("cfgOptions"), QStringLiteral("SIN COS LUT Only")));
    QCOMPARE(d.items(QStringLiteral("NS_hard")), (QStringList{"None", "Taylor Series Corrected"}));
    QCOMPARE(d.combo(QStringLiteral("NS_hard"))->currentText(), after);
}

void tst_Dds2Dlg::parameterSelectionSwitchesGroups()
{
    DialogDriver d;
    QWidget *sysem = d.find<QWidget>(QStringLiteral("sysem"));
    QWidget *hard = d.find<QWidget>(QStringLiteral("hard"));
    QVERIFY(d.choose(QStringLiteral("paraSelection"), QStringLiteral("Hardware Parameters")));
    QCOMPARE(d.edit(QStringLiteral("freq0"))->text(), QStringLiteral("147AE1"));
    QVERIFY(sysem->isHidden());
    QVERIFY(!sysem->isEnabled());
    QVERIFY(!hard->isHidden());
    QVERIFY(hard->isEnabled());
    QVERIFY(d.choose(QStringLiteral("paraSelection"), QStringLiteral("System Parameters")));
    QCOMPARE(d.edit(QStringLiteral("freq0"))->text(), QStringLiteral("1"));
    QVERIFY(!sysem->isHidden());
    QVERIFY(sysem->isEnabled());
    QVERIFY(hard->isHidden());
    QVERIFY(!hard->isEnabled());
}

void tst_Dds2Dlg::outputWidthFollowsPhaseWidth_data()
{
    QTest::addColumn<QString>("noiseShaping");
    QTest::addColumn<int>("phaseWidth");
    QTest::addColumn<int>("outputBefore");
    QTest::addColumn<QString>("range");
    QTest::addColumn<int>("output");
    QTest::newRow("dithering P10") << "Phase Dithering" << 10 << 16 << "[4-12]" << 12;
    QTest::newRow("dithering P17") << "Phase Dithering" << 17 << 16 << "[4-18]" << 16;
    QTest::newRow("none P16") << "None" << 16 << 20 << "[4-25]" << 20;
    QTest::newRow("none P17 pulls 20 down") << "None" << 17 << 20 << "[4-16]" << 16;
}

void tst_Dds2Dlg::outputWidthFollowsPhaseWidth()
{
    QFETCH(QString, noiseShaping);
    QFETCH(int, phaseWidth);
    QFETCH(int, outputBefore);
    QFETCH(QString, range);
    QFETCH(int, output);
    DialogDriver d;
    QVERIFY(d.choose(QStringLiteral("paraSelection"), QStringLiteral("Hardware Parameters")));
    QVERIFY(d.choose(QStringLiteral("NS_hard"), noiseShaping));
    d.spin(QStringLiteral("phaseWidth"))->setValue(16);
    d.spin(QStringLiteral("outputWidth"))->setValue(outputBefore);
    QCOMPARE(d.spin(QStringLiteral("outputWidth"))->value(), outputBefore);
    d.spin(QStringLiteral("phaseWidth"))->setValue(phaseWidth);
    QCOMPARE(d.label(QStringLiteral("outputWidthrange"))->text(), range);
    QCOMPARE(d.spin(QStringLiteral("outputWidth"))->value(), output);
    QVERIFY(d.pinLabels().contains(QStringLiteral("sine_o[%1:0]").arg(output - 1)));
}

void tst_Dds2Dlg::taylorCorrection()
{
    DialogDriver d;
    QVERIFY(d.choose(QStringLiteral("paraSelection"), QStringLiteral("Hardware Parameters")));
    d.spin(QStringLiteral("phaseWidth"))->setValue(40);
    d.spin(QStringLiteral("outputWidth"))->setValue(8);
    QVERIFY(d.choose(QStringLiteral("NS_hard"), QStringLiteral("Taylor Series Corrected")));
    QCOMPARE(d.label(QStringLiteral("phaseRange"))->text(), QStringLiteral("[12-48]"));
    QCOMPARE(d.spin(QStringLiteral("phaseWidth"))->value(), 27);
    QCOMPARE(d.label(QStringLiteral("outputWidthrange"))->text(), QStringLiteral("[12-25]"));
    QCOMPARE(d.spin(QStringLiteral("outputWidth"))->value(), 12);
    QCOMPARE(d.items(QStringLiteral("latency")).first(), QStringLiteral("12"));
    QCOMPARE(d.items(QStringLiteral("latency")).last(), QStringLiteral("20"));
    QCOMPARE(d.combo(QStringLiteral("latency"))->currentText(), QStringLiteral("14"));
}

void tst_Dds2Dlg::configurationWidthsAndLatency_data()
{
    QTest::addColumn<QString>("configuration");
    QTest::addColumn<QString>("noiseShaping");
    QTest::addColumn<int>("phaseWidth");
    QTest::addColumn<QString>("phaseRange");
    QTest::addColumn<QString>("firstLatency");
    QTest::newRow("table, none") << "SIN COS LUT Only"
                                 << "None" << 12 << "[4-16]"
                                 << "3";
    QTest::newRow("table, taylor") << "SIN COS LUT Only"
                                   << "Taylor Series Corrected" << 12 << "[12-25]"
                                   << "8";
    QTest::newRow("generator only") << "Phase Generator Only"
                                    << "None" << 27 << "[4-48]"
                                    << "7";
}

void tst_Dds2Dlg::configurationWidthsAndLatency()
{
    QFETCH(QString, configuration);
    QFETCH(QString, noiseShaping);
    QFETCH(int, phaseWidth);
    QFETCH(QString, phaseRange);
    QFETCH(QString, firstLatency);
    DialogDriver d;
    QVERIFY(d.choose(QStringLiteral("cfgOptions"), configuration));
    QVERIFY(d.choose(QStringLiteral("NS_hard"), noiseShaping));
    QCOMPARE(d.spin(QStringLiteral("phaseWidth"))->value(), phaseWidth);
    QCOMPARE(d.label(QStringLiteral("phaseRange"))->text(), phaseRange);
    QCOMPARE(d.items(QStringLiteral("latency")).first(), firstLatency);
    QCOMPARE(d.items(QStringLiteral("latency")).last(), QStringLiteral("20"));
}

void tst_Dds2Dlg::generatorOnlyFixesOutputWidth()
{
    DialogDriver d;
    QVERIFY(d.choose(QStringLiteral("paraSelection"), QStringLiteral("Hardware Parameters")));
    QVERIFY(d.choose(QStringLiteral("NS_hard"), QStringLiteral("Phase Dithering")));
    d.spin(QStringLiteral("phaseWidth"))->setValue(6);
    QCOMPARE(d.label(QStringLiteral("outputWidthrange"))->text(), QStringLiteral("[4-8]"));
    QVERIFY(d.choose(QStringLiteral("cfgOptions"), QStringLiteral("Phase Generator Only")));
    QCOMPARE(d.spin(QStringLiteral("outputWidth"))->value(), 12);
    QVERIFY(!d.spin(QStringLiteral("outputWidth"))->isEnabled());
    QCOMPARE(d.label(QStringLiteral("outputWidthrange"))->text(), QStringLiteral("[12-12]"));
    QVERIFY(d.choose(QStringLiteral("cfgOptions"),
                     QStringLiteral("Phase Generator and SIN COS LUT")));
    QVERIFY(d.spin(QStringLiteral("outputWidth"))
                    ->isEnabledTo(d.find<QWidget>(QStringLiteral("hard"))));
}

void tst_Dds2Dlg::latencySurvivesWhenOffered()
{
    DialogDriver d;
    QVERIFY(d.choose(QStringLiteral("paraSelection"), QStringLiteral("Hardware Parameters")));
    QVERIFY(d.choose(QStringLiteral("latency"), QStringLiteral("9")));
    QVERIFY(d.choose(QStringLiteral("NS_hard"), QStringLiteral("Phase Dithering")));
    QCOMPARE(d.combo(QStringLiteral("latency"))->currentText(), QStringLiteral("9"));
    QVERIFY(d.choose(QStringLiteral("NS_hard"), QStringLiteral("Taylor Series Corrected")));
    QCOMPARE(d.combo(QStringLiteral("latency"))->currentText(), QStringLiteral("14"));
}

void tst_Dds2Dlg::channelIdNeedsChannels()
{
    DialogDriver d;
    QAbstractButton *channelId = d.button(QStringLiteral("channelIDOut"));
    QVERIFY(d.choose(QStringLiteral("numOfChannels"), QStringLiteral("2")));
    QVERIFY(channelId->isEnabled());
    channelId->click();
    QVERIFY(channelId->isChecked());
    QVERIFY(d.pinLabels().contains(QStringLiteral("chan_id_o")));
    QVERIFY(d.choose(QStringLiteral("numOfChannels"), QStringLiteral("7")));
    QVERIFY(channelId->isChecked());
    QVERIFY(d.pinLabels().contains(QStringLiteral("chan_id_o[2:0]")));
    QVERIFY(d.choose(QStringLiteral("numOfChannels"), QStringLiteral("1")));
    QVERIFY(!channelId->isChecked());
    QVERIFY(!channelId->isEnabled());
    QVERIFY(!d.pinLabels().join(QLatin1Char(' ')).contains(QLatin1String("chan_id")));
    QVERIFY(d.choose(QStringLiteral("numOfChannels"), QStringLiteral("4")));
    channelId->click();
    QVERIFY(d.choose(QStringLiteral("cfgOptions"), QStringLiteral("SIN COS LUT Only")));
    QVERIFY(!channelId->isChecked());
    QVERIFY(!channelId->isEnabled());
}

void tst_Dds2Dlg::channelRowsFollowChannelCount()
{
    DialogDriver d;
    d.button(QStringLiteral("fixed_off"))->click();
    QVERIFY(d.choose(QStringLiteral("numOfChannels"), QStringLiteral("5")));
    for (int row = 0; row < 16; ++row) {
        QCOMPARE(d.edit(QStringLiteral("freq%1").arg(row))->isEnabled(), row < 5);
        QCOMPARE(d.edit(QStringLiteral("phase%1").arg(row))->isEnabled(), row < 5);
    }
    d.edit(QStringLiteral("freq4"))->clear();
    QTest::keyClicks(d.edit(QStringLiteral("freq4")), QStringLiteral("5"));
    QTest::keyClicks(d.edit(QStringLiteral("phase3")), QStringLiteral(".5"));
    QVERIFY(d.choose(QStringLiteral("numOfChannels"), QStringLiteral("3")));
    QVERIFY(!d.edit(QStringLiteral("freq3"))->isEnabled());
    QVERIFY(!d.edit(QStringLiteral("phase4"))->isEnabled());
    QVERIFY(d.edit(QStringLiteral("phase2"))->isEnabled());
    QCOMPARE(d.edit(QStringLiteral("freq4"))->text(), QStringLiteral("5"));
    QCOMPARE(d.edit(QStringLiteral("phase3"))->text(), QStringLiteral("0.5"));
}

void tst_Dds2Dlg::entriesFollowSelectionSyntax()
{
    DialogDriver d;
    d.button(QStringLiteral("fixed_off"))->click();
    QVERIFY(d.choose(QStringLiteral("numOfChannels"), QStringLiteral("4")));
    auto retype = [&d](const QString &name, const QString &text) {
        QLineEdit *entry = d.edit(name);
        entry->selectAll();
        entry->del();
        QTest::keyClicks(entry, text);
        QCOMPARE(entry->text(), text);
    };
    retype(QStringLiteral("freq1"), QStringLiteral("12.5"));
    retype(QStringLiteral("freq2"), QStringLiteral("100"));
    retype(QStringLiteral("phase1"), QStringLiteral("0.25"));
    QVERIFY(d.choose(QStringLiteral("paraSelection"), QStringLiteral("Hardware Parameters")));
    QCOMPARE(d.label(QStringLiteral("freqContrl"))->text(),
             QStringLiteral("Phase Increment Value(Hex)"));
    QCOMPARE(d.label(QStringLiteral("phaseContrl"))->text(),
             QStringLiteral("Phase Offset Value(Hex)"));
    QCOMPARE(d.edit(QStringLiteral("freq0"))->text(), QStringLiteral("147AE1"));
    QCOMPARE(d.edit(QStringLiteral("freq1"))->text(), QStringLiteral("0"));
    QCOMPARE(d.edit(QStringLiteral("freq2"))->text(), QStringLiteral("100"));
    QCOMPARE(d.edit(QStringLiteral("phase1"))->text(), QStringLiteral("0"));
    QCOMPARE(d.edit(QStringLiteral("phase0"))->text(), QStringLiteral("0"));
    retype(QStringLiteral("freq1"), QStringLiteral("1A"));
    retype(QStringLiteral("freq3"), QStringLiteral("10"));
    QVERIFY(d.choose(QStringLiteral("paraSelection"), QStringLiteral("System Parameters")));
    QCOMPARE(d.edit(QStringLiteral("freq0"))->text(), QStringLiteral("1"));
    QCOMPARE(d.edit(QStringLiteral("freq1"))->text(), QStringLiteral("0"));
    QCOMPARE(d.edit(QStringLiteral("freq3"))->text(), QStringLiteral("10"));
    // The system syntax refuses what it cannot read.
    QLineEdit *entry = d.edit(QStringLiteral("freq3"));
    QTest::keyClicks(entry, QStringLiteral("F"));
    QCOMPARE(entry->text(), QStringLiteral("10"));
}

void tst_Dds2Dlg::columnsFollowProgrammability_data()
{
    QTest::addColumn<QString>("increment");
    QTest::addColumn<QString>("offset");
    QTest::addColumn<bool>("frequencies");
    QTest::addColumn<bool>("phases");
    QTest::newRow("fixed, none") << "fixed_inc"
                                 << "none_off" << true << false;
    QTest::newRow("programmable, fixed") << "programmable_inc"
                                         << "fixed_off" << true << true;
    QTest::newRow("streaming, programmable") << "streaming_inc"
                                             << "programmable_off" << false << true;
    QTest::newRow("fixed, streaming") << "fixed_inc"
                                      << "streaming_off" << true << false;
}

void tst_Dds2Dlg::columnsFollowProgrammability()
{
    QFETCH(QString, increment);
    QFETCH(QString, offset);
    QFETCH(bool, frequencies);
    QFETCH(bool, phases);
    DialogDriver d;
    // Start from the opposite of the expected state, so that each click must change it.
    d.button(QStringLiteral("streaming_inc"))->click();
    d.button(QStringLiteral("fixed_off"))->click();
    d.button(increment)->click();
    d.button(offset)->click();
    QCOMPARE(d.find<QWidget>(QStringLiteral("freqGroupBox"))->isEnabled(), frequencies);
    QCOMPARE(d.label(QStringLiteral("freqContrl"))->isEnabled(), frequencies);
    QCOMPARE(d.edit(QStringLiteral("freq0"))->isEnabled(), frequencies);
    QCOMPARE(d.find<QWidget>(QStringLiteral("phaseGroupBox"))->isEnabled(), phases);
    QCOMPARE(d.label(QStringLiteral("phaseContrl"))->isEnabled(), phases);
    QCOMPARE(d.edit(QStringLiteral("phase0"))->isEnabled(), phases);
}

void tst_Dds2Dlg::tableOnlyDisablesTable()
{
    DialogDriver d;
    QVERIFY(d.choose(QStringLiteral("numOfChannels"), QStringLiteral("3")));
    QTest::keyClicks(d.edit(QStringLiteral("freq1")), QStringLiteral(".5"));
    QVERIFY(d.choose(QStringLiteral("cfgOptions"), QStringLiteral("SIN COS LUT Only")));
    QWidget *table = d.dialog()
                             ->findChild<QWidget *>(QStringLiteral("IPDDSYN__outputTab"))
                             ->findChild<QWidget *>(QStringLiteral("scrollAreaWidgetContents"));
    QVERIFY(!table->isEnabled());
    QCOMPARE(d.label(QStringLiteral("freqContrl"))->text(),
             QStringLiteral("Phase Increment Value(Hex)"));
    // Syntax and texts stay as the last enabled table left them.
    QCOMPARE(d.edit(QStringLiteral("freq1"))->text(), QStringLiteral("0.5"));
    QCOMPARE(d.edit(QStringLiteral("freq0"))->text(), QStringLiteral("147AE1"));
    QVERIFY(d.edit(QStringLiteral("freq2"))->isEnabledTo(table));
    QVERIFY(!d.edit(QStringLiteral("freq3"))->isEnabledTo(table));
    QVERIFY(d.choose(QStringLiteral("cfgOptions"), QStringLiteral("Phase Generator Only")));
    QVERIFY(table->isEnabled());
    QCOMPARE(d.edit(QStringLiteral("freq1"))->text(), QStringLiteral("0"));
    QVERIFY(!d.edit(QStringLiteral("freq1"))->isEnabled());
}

void tst_Dds2Dlg::oneValidatorPerEntry()
{
    DialogDriver d;
    for (const char *selection :
         {"Hardware Parameters", "System Parameters", "Hardware Parameters"})
        QVERIFY(d.choose(QStringLiteral("paraSelection"), QString::fromLatin1(selection)));
    QSet<const QValidator *> validators;
    for (int row = 0; row < 16; ++row) {
        for (const QString &name :
             {QStringLiteral("freq%1").arg(row), QStringLiteral("phase%1").arg(row)}) {
            QLineEdit *entry = d.edit(name);
            validators << entry->validator();
            // Replaced validators do not pile up on the entry.
            QCOMPARE(entry->findChildren<QValidator *>().size(), 1);
        }
    }
    QCOMPARE(validators.size(), 32);
    QVERIFY(!validators.contains(nullptr));
}

void tst_Dds2Dlg::resyncFollowsStreaming()
{
    DialogDriver d;
    QAbstractButton *resync = d.button(QStringLiteral("resync"));
    d.button(QStringLiteral("streaming_inc"))->click();
    QVERIFY(resync->isEnabled());
    resync->click();
    QVERIFY(resync->isChecked());
    QVERIFY(d.pinLabels().contains(QStringLiteral("phase_resync_i")));
    d.button(QStringLiteral("programmable_inc"))->click();
    QVERIFY(!resync->isEnabled());
    QVERIFY(!resync->isChecked());
    QVERIFY(!d.pinLabels().contains(QStringLiteral("phase_resync_i")));
    d.button(QStringLiteral("streaming_inc"))->click();
    resync->click();
    QVERIFY(d.choose(QStringLiteral("cfgOptions"), QStringLiteral("SIN COS LUT Only")));
    QVERIFY(d.button(QStringLiteral("fixed_inc"))->isChecked());
    QVERIFY(!resync->isEnabled());
    QVERIFY(!resync->isChecked());
}

static Utils::PinFigure in(const char *label, bool bus = false)
{
    return {QString::fromLatin1(label), 0, bus, Qt::AlignLeft};
}

static Utils::PinFigure out(const char *label, bool bus = false)
{
    return {QString::fromLatin1(label), 1, bus, Qt::AlignRight};
}

void tst_Dds2Dlg::figureExamples_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<Pins>("pins");
    QTest::newRow("new core") << QStringList{}
                              << Pins{in("clk_i"),
                                      in("rst_n_i"),
                                      out("phase_out_o[26:0]", true),
                                      out("cosine_o[11:0]", true),
                                      out("sine_o[11:0]", true),
                                      out("data_valid_o")};
    QTest::newRow("table only") << QStringList{"cfgOptions=SIN COS LUT Only", "outputWidth=16"}
                                << Pins{in("clk_i"),
                                        in("rst_n_i"),
                                        in("phase_valid_i"),
                                        in("phase_i[11:0]", true),
                                        out("cosine_o[15:0]", true),
                                        out("sine_o[15:0]", true),
                                        out("data_valid_o")};
    QTest::newRow("generator only, streamed and programmed")
            << QStringList{"cfgOptions=Phase Generator Only",
                           "numOfChannels=4",
                           "phaseWidth=32",
                           "click=streaming_inc",
                           "click=resync",
                           "click=programmable_off",
                           "click=channelIDOut"}
            << Pins{in("clk_i"),
                    in("rst_n_i"),
                    in("phase_valid_i"),
                    in("phase_inc_i[31:0]", true),
                    in("phase_resync_i"),
                    in("phase_tlast_i"),
                    out("phase_tlast_missing_o"),
                    out("phase_tlast_unexpected_o"),
                    in("config_valid_i"),
                    in("config_off_i[31:0]", true),
                    in("config_tlast_i"),
                    out("config_tlast_missing_o"),
                    out("config_tlast_unexpected_o"),
                    out("phase_out_o[31:0]", true),
                    out("chan_id_o[1:0]", true),
                    out("data_valid_o")};
    QTest::newRow("both streamed, one valid, one channel") << QStringList{"click=streaming_inc",
                                                                          "click=streaming_off",
                                                                          "click=sine",
                                                                          "click=hasPhaseOut"}
                                                           << Pins{in("clk_i"),
                                                                   in("rst_n_i"),
                                                                   in("phase_valid_i"),
                                                                   in("phase_inc_i[26:0]", true),
                                                                   in("phase_off_i[26:0]", true),
                                                                   out("sine_o[11:0]", true),
                                                                   out("data_valid_o")};
    QTest::newRow("generator only hides sine and cosine")
            << QStringList{"click=cosine", "cfgOptions=Phase Generator Only"}
            << Pins{in("clk_i"),
                    in("rst_n_i"),
                    out("phase_out_o[26:0]", true),
                    out("data_valid_o")};
}

void tst_Dds2Dlg::figureExamples()
{
    QFETCH(QStringList, steps);
    QFETCH(Pins, pins);
    DialogDriver d;
    for (const QString &step : steps) {
        const QString what = step.section(QLatin1Char('='), 0, 0);
        const QString value = step.section(QLatin1Char('='), 1);
        if (what == QLatin1String("click"))
            d.button(value)->click();
        else if (auto *spin = d.dialog()->findChild<QSpinBox *>(what))
            spin->setValue(value.toInt());
        else
            QVERIFY2(d.choose(what, value), qPrintable(step));
    }
    const Pins actual = d.dialog()->figurePins();
    for (int i = 0; i < qMin(actual.size(), pins.size()); ++i) {
        QCOMPARE(actual.at(i).label(), pins.at(i).label());
        QVERIFY2(actual.at(i) == pins.at(i), qPrintable(pins.at(i).label()));
    }
    QCOMPARE(actual.size(), pins.size());
}

void tst_Dds2Dlg::figureWidthsFollowSelection()
{
    DialogDriver d;
    d.type(QStringLiteral("sysClk"), QStringLiteral("200"));
    QVERIFY(d.pinLabels().contains(QStringLiteral("phase_out_o[27:0]")));
    d.type(QStringLiteral("SFDR"), QStringLiteral("96"));
    QVERIFY(d.pinLabels().contains(QStringLiteral("sine_o[15:0]")));
    QVERIFY(d.choose(QStringLiteral("numOfChannels"), QStringLiteral("16")));
    QVERIFY(d.pinLabels().contains(QStringLiteral("phase_out_o[23:0]")));
    // The spin boxes do not matter under "System Parameters"...
    d.spin(QStringLiteral("outputWidth"))->setValue(5);
    QVERIFY(d.pinLabels().contains(QStringLiteral("sine_o[15:0]")));
    // ...and are all that matters under "Hardware Parameters".
    QVERIFY(d.choose(QStringLiteral("paraSelection"), QStringLiteral("Hardware Parameters")));
    d.spin(QStringLiteral("phaseWidth"))->setValue(20);
    d.spin(QStringLiteral("outputWidth"))->setValue(9);
    QVERIFY(d.pinLabels().contains(QStringLiteral("phase_out_o[19:0]")));
    QVERIFY(d.pinLabels().contains(QStringLiteral("sine_o[8:0]")));
}

QTEST_MAIN(tst_Dds2Dlg)
#include "tst_dds2dlg.moc"
