#include "dialogfixture.h"

#include <QGroupBox>
#include <QtTest>

using IPDDSYN::dds2dlg;

class tst_Dds2Dlg : public QObject
{
    Q_OBJECT
private slots:
    void headerAndTabs();
    void initialState_data();
    void initialState();
    void initialChannelTable();
    void initialFigure();
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

QTEST_MAIN(tst_Dds2Dlg)
#include "tst_dds2dlg.moc"
