#include "ui_cfgtab.h"
#include "ui_imptab.h"
#include "ui_outputtab.h"

#include <QtTest>

/// The three tab forms as their setup leaves them, before the dialog fills them.
class tst_DialogForms : public QObject
{
    Q_OBJECT
private slots:
    void configurationForm();
    void implementationForm();
    void implementationExclusiveGroups();
    void outputForm();
    void gridPlacement_data();
    void gridPlacement();
    void optionKeys_data();
    void optionKeys();
};

void tst_DialogForms::configurationForm()
{
    QWidget page;
    IPDDSYN::Ui::cfgTab form;
    form.setupUi(&page);
    QCOMPARE(page.objectName(), QStringLiteral("IPDDSYN__cfgTab"));
    QCOMPARE(page.windowTitle(), QStringLiteral("Form"));
    QCOMPARE(page.size(), QSize(648, 626));
    for (QComboBox *list : {form.cfgOptions,
                            form.numOfChannels,
                            form.modeOfOperation,
                            form.paraSelection,
                            form.NS_sys,
                            form.NS_hard})
        QVERIFY2(list->count() == 0, qPrintable(list->objectName()));
    for (QLineEdit *edit : {form.sysClk, form.SFDR, form.freqResolution})
        QVERIFY2(edit->text().isEmpty(), qPrintable(edit->objectName()));
    QVERIFY(form.checkDisableIOInsertion->isChecked());
    QCOMPARE(form.checkDisableIOInsertion->text(), QStringLiteral("Disable I/O Insertion"));
    for (QLabel *label :
         {form.phaseRange, form.outputWidthrange, form.freqPerChannel, form.rangeFreqRes})
        QCOMPARE(label->text(), QStringLiteral("TextLabel"));
    QCOMPARE(form.groupBox->title(), QStringLiteral("System Requirement"));
    QCOMPARE(form.sysem->title(), QStringLiteral("System Parameters"));
    QCOMPARE(form.hard->title(), QStringLiteral("Hardware Parameters"));
    QCOMPARE(form.groupBox_6->title(), QStringLiteral("Generation Config"));
    QCOMPARE(form.groupBox_6->minimumHeight(), 89);
    QCOMPARE(form.groupBox_6->maximumHeight(), 89);
    QCOMPARE(form.NS_sys->minimumWidth(), 130);
    QCOMPARE(form.NS_hard->sizeAdjustPolicy(), QComboBox::AdjustToContents);
    QCOMPARE(form.label_8->text(), QStringLiteral("Spurious Free Dynamic Range(dB):"));
    QCOMPARE(form.label_6->text(), QStringLiteral("[0.01-500.0]"));
    QCOMPARE(form.label_11->text(), QStringLiteral("[24-150]"));
    QVERIFY(form.scrollArea->widgetResizable());
    // Top to bottom on the page.
    QCOMPARE(form.verticalLayout_5->itemAt(0)->layout(), form.horizontalLayout);
    QCOMPARE(form.verticalLayout_5->indexOf(form.groupBox), 1);
    QCOMPARE(form.verticalLayout_5->indexOf(form.sysem), 2);
    QCOMPARE(form.verticalLayout_5->indexOf(form.hard), 3);
    QCOMPARE(form.verticalLayout_5->indexOf(form.groupBox_6), 4);
    QVERIFY(form.verticalLayout_5->itemAt(5)->spacerItem());
    QCOMPARE(form.horizontalLayout->indexOf(form.label), 0);
    QCOMPARE(form.horizontalLayout->indexOf(form.cfgOptions), 1);
}

void tst_DialogForms::implementationForm()
{
    QWidget page;
    IPDDSYN::Ui::impTab form;
    form.setupUi(&page);
    QCOMPARE(page.objectName(), QStringLiteral("IPDDSYN__impTab"));
    QCOMPARE(page.size(), QSize(522, 367));
    QVERIFY(form.fixed_inc->isCheckable());
    QVERIFY(form.fixed_inc->isChecked());
    QVERIFY(form.none_off->isChecked());
    QVERIFY(form.sinAndcos->isChecked());
    QVERIFY(form.hasPhaseOut->isChecked());
    QVERIFY(!form.resync->isChecked());
    QVERIFY(!form.channelIDOut->isChecked());
    QCOMPARE(form.latency->count(), 0);
    QCOMPARE(form.inc->title(), QStringLiteral("Phase Increment Programmability"));
    QCOMPARE(form.off->title(), QStringLiteral("Phase Offset Programmability"));
    QCOMPARE(form.output->title(), QStringLiteral("Output"));
    QCOMPARE(form.hasPhaseOut->text(), QStringLiteral("has Phase Out"));
    QCOMPARE(form.channelIDOut->text(), QStringLiteral("Channel ID out"));
    QCOMPARE(form.label->text(), QStringLiteral("Latency:"));
    QCOMPARE(form.horizontalLayout->indexOf(form.streaming_inc), 2);
    QCOMPARE(form.horizontalLayout_3->indexOf(form.streaming_off), 3);
}

void tst_DialogForms::implementationExclusiveGroups()
{
    QWidget page;
    IPDDSYN::Ui::impTab form;
    form.setupUi(&page);
    form.streaming_inc->click();
    QVERIFY(!form.fixed_inc->isChecked());
    QVERIFY(form.none_off->isChecked());
    form.programmable_off->click();
    QVERIFY(!form.none_off->isChecked());
    QVERIFY(form.streaming_inc->isChecked());
    form.sine->click();
    QVERIFY(!form.sinAndcos->isChecked());
    QVERIFY(form.hasPhaseOut->isChecked());
}

void tst_DialogForms::outputForm()
{
    QWidget page;
    IPDDSYN::Ui::outputTab form;
    form.setupUi(&page);
    QCOMPARE(page.objectName(), QStringLiteral("IPDDSYN__outputTab"));
    QCOMPARE(page.size(), QSize(481, 587));
    QVERIFY(form.freqContrl->text().isEmpty());
    QVERIFY(form.phaseContrl->text().isEmpty());
    QCOMPARE(form.label_4->text(), QStringLiteral("Channel"));
    QVERIFY(form.channels->isFlat());
    QVERIFY(form.lines->isFlat());
    QVERIFY(!form.freqGroupBox->isFlat());
    const auto freqs = form.freqGroupBox->findChildren<QLineEdit *>();
    const auto phases = form.phaseGroupBox->findChildren<QLineEdit *>();
    QCOMPARE(freqs.size(), 16);
    QCOMPARE(phases.size(), 16);
    for (int row = 0; row < 16; ++row) {
        QCOMPARE(freqs.at(row)->objectName(), QStringLiteral("freq%1").arg(row));
        QCOMPARE(phases.at(row)->objectName(), QStringLiteral("phase%1").arg(row));
        QVERIFY(freqs.at(row)->text().isEmpty() && freqs.at(row)->isEnabled());
        QVERIFY(phases.at(row)->text().isEmpty() && phases.at(row)->isEnabled());
        QCOMPARE(freqs.at(row)->maximumHeight(), 25);
        QCOMPARE(freqs.at(row)->minimumHeight(), 25);
        // Row by row the number label, the entries and the separator share one line.
        auto *number = qobject_cast<QLabel *>(form.verticalLayout_6->itemAt(row)->widget());
        QVERIFY(number);
        QCOMPARE(number->text(), QString::number(row + 1));
        QCOMPARE(number->font().weight(), 75);
        QCOMPARE(number->alignment(), Qt::AlignCenter);
        auto *line = qobject_cast<QFrame *>(form.verticalLayout_7->itemAt(row)->widget());
        QVERIFY(line);
        QCOMPARE(line->frameShape(), QFrame::HLine);
        QCOMPARE(line->frameShadow(), QFrame::Sunken);
        QCOMPARE(line->minimumSize(), QSize(20, 25));
    }
    QCOMPARE(form.verticalLayout_6->itemAt(11)->widget()->objectName(), QStringLiteral("label_20"));
    QCOMPARE(form.verticalLayout_7->itemAt(15)->widget()->objectName(), QStringLiteral("line_22"));
}

void tst_DialogForms::gridPlacement_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("rowSpan");
    QTest::newRow("sysClk") << "cfg"
                            << "sysClk" << 0 << 1 << 1;
    QTest::newRow("label_6") << "cfg"
                             << "label_6" << 0 << 2 << 1;
    QTest::newRow("numOfChannels") << "cfg"
                                   << "numOfChannels" << 1 << 1 << 2;
    QTest::newRow("label_2") << "cfg"
                             << "label_2" << 1 << 0 << 2;
    QTest::newRow("modeOfOperation") << "cfg"
                                     << "modeOfOperation" << 3 << 1 << 1;
    QTest::newRow("freqPerChannel") << "cfg"
                                    << "freqPerChannel" << 4 << 1 << 1;
    QTest::newRow("paraSelection") << "cfg"
                                   << "paraSelection" << 5 << 1 << 1;
    QTest::newRow("rangeFreqRes") << "cfg"
                                  << "rangeFreqRes" << 1 << 2 << 1;
    QTest::newRow("NS_sys") << "cfg"
                            << "NS_sys" << 2 << 1 << 1;
    QTest::newRow("NS_hard") << "cfg"
                             << "NS_hard" << 0 << 1 << 1;
    QTest::newRow("outputWidthrange") << "cfg"
                                      << "outputWidthrange" << 2 << 2 << 1;
    QTest::newRow("cosine") << "imp"
                            << "cosine" << 0 << 1 << 1;
    QTest::newRow("channelIDOut") << "imp"
                                  << "channelIDOut" << 2 << 0 << 1;
    QTest::newRow("latency") << "imp"
                             << "latency" << 3 << 1 << 1;
    QTest::newRow("phaseContrl") << "out"
                                 << "phaseContrl" << 0 << 3 << 1;
    QTest::newRow("lines") << "out"
                           << "lines" << 1 << 2 << 1;
}

void tst_DialogForms::gridPlacement()
{
    QFETCH(QString, form);
    QFETCH(QString, widget);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(int, rowSpan);
    QWidget page;
    IPDDSYN::Ui::cfgTab cfg;
    IPDDSYN::Ui::impTab imp;
    IPDDSYN::Ui::outputTab out;
    if (form == QLatin1String("cfg"))
        cfg.setupUi(&page);
    else if (form == QLatin1String("imp"))
        imp.setupUi(&page);
    else
        out.setupUi(&page);
    QWidget *child = page.findChild<QWidget *>(widget);
    QVERIFY(child);
    QGridLayout *grid = nullptr;
    for (QGridLayout *candidate : page.findChildren<QGridLayout *>()) {
        if (candidate->indexOf(child) >= 0)
            grid = candidate;
    }
    QVERIFY2(grid, "not in a grid");
    int r = -1, c = -1, rs = 0, cs = 0;
    grid->getItemPosition(grid->indexOf(child), &r, &c, &rs, &cs);
    QCOMPARE(r, row);
    QCOMPARE(c, column);
    QCOMPARE(rs, rowSpan);
}

void tst_DialogForms::optionKeys_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("key");
    const char *pairs[][2] = {{"checkDisableIOInsertion", "Disable_IO_Insertion"},
                              {"cfgOptions", "ConfiguationOptions"},
                              {"sysClk", "SystemClock"},
                              {"numOfChannels", "NumberOfChannels"},
                              {"modeOfOperation", "ModeOfOperation"},
                              {"paraSelection", "ParameterSelection"},
                              {"SFDR", "SpuriousFreeDynamicRange"},
                              {"freqResolution", "FrequencyResolution"},
                              {"NS_sys", "NoiseShaping_sys"},
                              {"NS_hard", "NoiseShaping_hard"},
                              {"phaseWidth", "PhaseWidth"},
                              {"outputWidth", "OutputWidth"},
                              {"inc", "PhaseIncrementProgrammability"},
                              {"off", "PhaseOffsetProgrammability"},
                              {"output", "Output"},
                              {"resync", "resync"},
                              {"hasPhaseOut", "hasPhaseOut"},
                              {"channelIDOut", "ChannelIDout"},
                              {"latency", "Latency"},
                              {"freq0", "channel1_column1"},
                              {"freq15", "channel16_column1"},
                              {"phase0", "channel1_column2"},
                              {"phase15", "channel16_column2"}};
    for (const auto &pair : pairs)
        QTest::newRow(pair[0]) << QString::fromLatin1(pair[0]) << QString::fromLatin1(pair[1]);
}

// Batch mode finds the widget of an option by this property; every key must lead to exactly one.
void tst_DialogForms::optionKeys()
{
    QFETCH(QString, widget);
    QFETCH(QString, key);
    QWidget cfgPage, impPage, outPage;
    IPDDSYN::Ui::cfgTab cfg;
    IPDDSYN::Ui::impTab imp;
    IPDDSYN::Ui::outputTab out;
    cfg.setupUi(&cfgPage);
    imp.setupUi(&impPage);
    out.setupUi(&outPage);
    QList<QWidget *> carriers;
    for (QWidget *page : {&cfgPage, &impPage, &outPage}) {
        for (QWidget *child : page->findChildren<QWidget *>()) {
            if (child->property("ipOption").toString() == key)
                carriers << child;
        }
    }
    QCOMPARE(carriers.size(), 1);
    QCOMPARE(carriers.first()->objectName(), widget);
}

QTEST_MAIN(tst_DialogForms)
#include "tst_dialogforms.moc"
