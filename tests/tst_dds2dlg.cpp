#include "dialogdriver.h"

#include <QLabel>
#include <QtTest>

/// What a user sees of a widget: its text, value or items ("*" marks the current one), then
/// "(off)" / "(hidden)" when the widget is disabled / itself hidden. "pins" is the port figure,
/// each pin marked when it is not drawn on the side its name says, or as a bus without a width.
static QString stateOf(const DialogDriver &d, const QString &path)
{
    if (path == "pins") {
        QStringList labels;
        for (const Utils::PinFigure &pin : d.dialog()->figurePins()) {
            const bool out = pin.label().contains(QRegularExpression("_o(\\[|$)"));
            const bool drawn = pin.side() == int(out) && pin.isBus() == pin.label().endsWith(']')
                               && pin.alignment() == (out ? Qt::AlignRight : Qt::AlignLeft);
            labels << pin.label() + (drawn ? "" : "(misdrawn)");
        }
        return labels.join(' ');
    }
    QWidget *w = d.find<QWidget>(path);
    QStringList items;
    if (auto *box = qobject_cast<QComboBox *>(w)) {
        for (int i = 0; i < box->count(); ++i)
            items << (i == box->currentIndex() ? "*" : "") + box->itemText(i);
    } else if (auto *spin = qobject_cast<QSpinBox *>(w)) {
        items << QString::asprintf("%d in %d-%d", spin->value(), spin->minimum(), spin->maximum());
    } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
        items << button->text() + (button->isChecked() ? " [x]" : " [ ]");
    } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        items << edit->displayText();
    } else if (auto *label = qobject_cast<QLabel *>(w)) {
        items << label->text();
    }
    QString state = items.join('|');
    if (!w->isEnabled())
        state += " (off)";
    if (w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->isHidden())
        state += " (hidden)";
    return state.trimmed();
}

/// Runs "; "-separated steps on the dialog as a user would:
///   "name := text"  types into a line edit and leaves it, picks a list item or sets a spin box;
///   "click name"    clicks a button;
///   "name == text"  checks `stateOf` exactly; "name ~ text" / "name !~ text": contains / lacks.
static void run(const DialogDriver &d, const QString &script)
{
    static const QRegularExpression step("^(\\S+) (:=|==|!~|~) ?(.*)$");
    for (const QString &text : script.split("; ")) {
        if (text.startsWith("click ")) {
            d.button(text.mid(6))->click();
            continue;
        }
        const QRegularExpressionMatch m = step.match(text);
        QVERIFY2(m.hasMatch(), qPrintable(text));
        const QString name = m.captured(1), op = m.captured(2), value = m.captured(3);
        if (op == ":=") {
            QWidget *w = d.find<QWidget>(name);
            if (auto *spin = qobject_cast<QSpinBox *>(w))
                spin->setValue(value.toInt());
            else if (qobject_cast<QLineEdit *>(w))
                d.type(name, value);
            else
                QVERIFY2(d.choose(name, value), qPrintable(text));
            continue;
        }
        const QString seen = stateOf(d, name);
        const bool ok = op == "==" ? seen == value : seen.contains(value) == (op == "~");
        QVERIFY2(ok, qPrintable(QString("%1\n   but %2 is: %3").arg(text, name, seen)));
    }
}

class tst_Dds2Dlg : public QObject
{
    Q_OBJECT
private slots:
    void userEdits_data();
    void userEdits();
};

void tst_Dds2Dlg::userEdits_data()
{
    QTest::addColumn<QString>("script");
    const auto row = [](const char *name, const char *s) { QTest::newRow(name) << QString(s); };
    // Later handlers of one edit read the corrected clock.
    row("clock bounds",
        "sysClk := 0.005; sysClk == 100; freqPerChannel == 100.000000000MHz; "
        "rangeFreqRes == [3.55271e-07-6.25e+06]; sysClk := 600; sysClk == 100; sysClk := 0.01; "
        "freqPerChannel == 0.010000000MHz; rangeFreqRes == [3.55271e-11-625]; sysClk := 500; "
        "freqPerChannel == 500.000000000MHz; rangeFreqRes == [1.77636e-06-3.125e+07]");
    row("table only fixes clock and channels",
        "numOfChannels := 5; sysClk := 250; cfgOptions := SIN COS LUT Only; sysClk == 100 (off); "
        "numOfChannels ~ *1|2|; numOfChannels ~ (off); freqPerChannel == Not Applicable; "
        "cfgOptions := Phase Generator Only; sysClk == 100; numOfChannels !~ (off); "
        "freqPerChannel == 100.000000000MHz");
    row("resolution bounds",
        "freqResolution := 0; freqResolution == 1; freqResolution := 7000000; "
        "freqResolution == 1; NS_sys == *None|Phase Dithering|Taylor Series Corrected; "
        "pins ~ phase_out_o[26:0]; freqResolution := 6250000; NS_sys == *None; "
        "pins ~ phase_out_o[3:0]");
    row("sfdr bounds",
        "SFDR := 23; SFDR == 72; SFDR := 151; SFDR == 72; "
        "NS_sys == *None|Phase Dithering|Taylor Series Corrected; "
        "latency == 7|8|9|10|11|12|13|*14|15|16|17|18|19|20; pins ~ sine_o[11:0]; SFDR := 24; "
        "pins ~ sine_o[3:0]; NS_sys == *None|Phase Dithering; "
        "latency == 7|8|9|10|11|12|13|*14|15|16|17|18|19|20; SFDR := 150; pins ~ sine_o[24:0]; "
        "NS_sys == *Taylor Series Corrected; latency == 12|13|*14|15|16|17|18|19|20");
    row("latency kept while offered",
        "latency := 9; SFDR := 80; latency ~ 8|*9|10; paraSelection := Hardware Parameters; "
        "NS_hard := Phase Dithering; latency ~ 8|*9|10; NS_hard := Taylor Series Corrected; "
        "latency == 12|13|*14|15|16|17|18|19|20");
    row("selection switches groups",
        "paraSelection := Hardware Parameters; freq0 == 147AE1; sysem == (off) (hidden); hard ==; "
        "paraSelection := System Parameters; freq0 == 1; sysem ==; hard == (off) (hidden); "
        "cfgOptions := Phase Generator Only; paraSelection == *Hardware Parameters; "
        "freq0 == 147AE1; cfgOptions := Phase Generator and SIN COS LUT; "
        "paraSelection == System Parameters|*Hardware Parameters; freq0 == 147AE1; "
        "sysem ~ (hidden)");
    row("table only",
        "cfgOptions := SIN COS LUT Only; NS_hard == *None|Taylor Series Corrected; "
        "phaseWidth == 12 in 4-16; phaseRange == [4-16]; "
        "latency == 3|4|5|6|7|8|9|10|11|12|13|*14|15|16|17|18|19|20; "
        "NS_hard := Taylor Series Corrected; phaseWidth == 12 in 12-25; phaseRange == [12-25]; "
        "latency == 8|9|10|11|12|13|*14|15|16|17|18|19|20; "
        "cfgOptions := Phase Generator and SIN COS LUT; "
        "NS_hard == None|Phase Dithering|*Taylor Series Corrected");
    row("generator only fixes the output width",
        "paraSelection := Hardware Parameters; NS_hard := Phase Dithering; phaseWidth := 6; "
        "outputWidthrange == [4-8]; cfgOptions := Phase Generator Only; NS_hard == *None; "
        "phaseWidth == 27 in 4-48; outputWidth == 12 in 12-12 (off); outputWidthrange == [12-12]; "
        "latency == 7|8|9|10|11|12|13|*14|15|16|17|18|19|20; "
        "cfgOptions := Phase Generator and SIN COS LUT; outputWidth !~ (off)");
    row("dithering output width follows phase width",
        "paraSelection := Hardware Parameters; NS_hard := Phase Dithering; phaseWidth := 16; "
        "outputWidth := 16; phaseWidth := 17; outputWidth == 16 in 4-18; phaseWidth := 10; "
        "outputWidth == 12 in 4-12; outputWidthrange == [4-12]; pins ~ sine_o[11:0]");
    row("plain output width follows phase width",
        "paraSelection := Hardware Parameters; phaseWidth := 16; outputWidth := 20; "
        "outputWidth == 20 in 4-25; phaseWidth := 17; outputWidth == 16 in 4-16; "
        "outputWidthrange == [4-16]; pins ~ sine_o[15:0]");
    row("taylor correction",
        "paraSelection := Hardware Parameters; phaseWidth := 40; outputWidth := 8; "
        "NS_hard := Taylor Series Corrected; phaseWidth == 27 in 12-48; phaseRange == [12-48]; "
        "outputWidth == 12 in 12-25; outputWidthrange == [12-25]; "
        "latency == 12|13|*14|15|16|17|18|19|20");
    row("channel id needs channels",
        "numOfChannels := 2; channelIDOut == Channel ID out [ ]; click channelIDOut; "
        "numOfChannels := 7; channelIDOut == Channel ID out [x]; pins ~ chan_id_o[2:0]; "
        "numOfChannels := 8; pins ~ chan_id_o[2:0]; numOfChannels := 9; pins ~ chan_id_o[3:0]; "
        "numOfChannels := 5; pins ~ chan_id_o[2:0]; numOfChannels := 16; pins ~ chan_id_o[3:0]; "
        "numOfChannels := 1; channelIDOut == Channel ID out [ ] (off); pins !~ chan_id; "
        "numOfChannels := 4; click channelIDOut; cfgOptions := SIN COS LUT Only; "
        "channelIDOut == Channel ID out [ ] (off)");
    row("channel rows follow the channel count",
        "click fixed_off; numOfChannels := 5; freq4 == 0; phase4 == 0; freq5 == 0 (off); "
        "phase5 == 0 (off); freq4 := 5; phase3 := 0.5; numOfChannels := 3; freq3 == 0 (off); "
        "phase2 == 0; freq4 == 5 (off); phase3 == 0.5 (off); freqPerChannel == 33.333333333MHz; "
        "rangeFreqRes == [1.18424e-07-2.08333e+06]");
    row("entries follow the selection's syntax",
        "click fixed_off; numOfChannels := 4; freq1 := 12.5; freq2 := 100; phase1 := 0.25; "
        "freq1 == 12.5; phase1 == 0.25; paraSelection := Hardware Parameters; "
        "freqContrl == Phase Increment Value(Hex); phaseContrl == Phase Offset Value(Hex); "
        "freq0 == 147AE1; freq1 == 0; freq2 == 100; phase1 == 0; phase0 == 0; freq1 := 1A; "
        "freq3 := 10; freq1 == 1A; paraSelection := System Parameters; "
        "freqContrl == Output Freqency(MHz); freq0 == 1; freq1 == 0; freq3 == 10; freq3 := 1F; "
        "freq3 == 1");
    // Each step turns both columns over; streamed values are not in the table.
    row("columns follow programmability",
        "click streaming_inc; click fixed_off; freqGroupBox == (off); freqContrl ~ (off); "
        "phaseGroupBox ==; phaseContrl !~ (off); click programmable_inc; click streaming_off; "
        "freqGroupBox ==; freqContrl !~ (off); phaseGroupBox == (off); phaseContrl ~ (off); "
        "click streaming_inc; click programmable_off; freqGroupBox == (off); phaseGroupBox ==; "
        "click fixed_inc; click none_off; freqGroupBox ==; phaseGroupBox == (off); "
        "click programmable_off; freqGroupBox ==; phaseGroupBox ==");
    row("table only disables the table",
        "numOfChannels := 3; freq1 := 0.5; cfgOptions := SIN COS LUT Only; "
        "freqContrl == Phase Increment Value(Hex) (off); freq0 == 147AE1 (off); "
        "freq1 == 0.5 (off); cfgOptions := Phase Generator Only; freq0 == 147AE1; "
        "freq1 == 0 (off)");
    row("resync follows streaming",
        "click streaming_inc; resync == resync [ ]; click resync; pins ~ phase_resync_i; "
        "click programmable_inc; resync == resync [ ] (off); pins !~ phase_resync_i; "
        "click streaming_inc; click resync; cfgOptions := SIN COS LUT Only; "
        "fixed_inc == Fixed [x] (off); resync == resync [ ] (off)");
    row("figure of a new core follows the selection",
        "outputWidth == 12 in 4-16 (off); resync ~ (off); "
        "pins == clk_i rst_n_i phase_out_o[26:0] cosine_o[11:0] sine_o[11:0] data_valid_o; "
        "sysClk := 200; pins ~ phase_out_o[27:0]; SFDR := 96; pins ~ sine_o[15:0]; "
        "numOfChannels := 16; pins ~ phase_out_o[23:0]; outputWidth := 5; pins ~ sine_o[15:0]; "
        "paraSelection := Hardware Parameters; phaseWidth := 20; outputWidth := 9; "
        "pins ~ phase_out_o[19:0]; pins ~ sine_o[8:0]");
    row("figure of the table only",
        "cfgOptions := SIN COS LUT Only; outputWidth := 16; "
        "pins == clk_i rst_n_i phase_valid_i phase_i[11:0] cosine_o[15:0] sine_o[15:0] "
        "data_valid_o");
    row("figure of a streamed and programmed generator",
        "cfgOptions := Phase Generator Only; numOfChannels := 4; phaseWidth := 32; "
        "click streaming_inc; click resync; click programmable_off; click channelIDOut; "
        "pins == clk_i rst_n_i phase_valid_i phase_inc_i[31:0] phase_resync_i phase_tlast_i "
        "phase_tlast_missing_o phase_tlast_unexpected_o config_valid_i config_off_i[31:0] "
        "config_tlast_i config_tlast_missing_o config_tlast_unexpected_o phase_out_o[31:0] "
        "chan_id_o[1:0] data_valid_o");
    row("figure of one streamed channel",
        "click streaming_inc; click streaming_off; click sine; click hasPhaseOut; "
        "pins == clk_i rst_n_i phase_valid_i phase_inc_i[26:0] phase_off_i[26:0] sine_o[11:0] "
        "data_valid_o");
    row("figure of two programmed channels",
        "numOfChannels := 2; click programmable_inc; click cosine; click channelIDOut; "
        "pins == clk_i rst_n_i config_valid_i config_inc_i[25:0] config_tlast_i "
        "config_tlast_missing_o config_tlast_unexpected_o phase_out_o[25:0] cosine_o[11:0] "
        "chan_id_o data_valid_o");
}

// After any edit each channel entry has one validator of its own.
void tst_Dds2Dlg::userEdits()
{
    QFETCH(QString, script);
    DialogDriver d;
    run(d, script);
    for (const QLineEdit *entry :
         d.dialog()->findChildren<QLineEdit *>(QRegularExpression("^(freq|phase)\\d+$")))
        QVERIFY2(entry->validator() && entry->findChildren<QValidator *>().size() == 1,
                 qPrintable(entry->objectName()));
}

QTEST_MAIN(tst_Dds2Dlg)
#include "tst_dds2dlg.moc"
