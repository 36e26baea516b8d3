// Synthesizes cores with Yosys the way the generator's flow runs it and
// simulates the netlists against the model.
#include "coresettings.h"
#include "definesbuilder.h"
#include "rtlsimulation.h"
#include "stimulus.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace DdsRtl;
using IPDDSYN::Generation::DefinesSettings;

Q_DECLARE_METATYPE(DefinesSettings)

class TestRtlSynth : public QObject
{
    Q_OBJECT

private slots:
    void netlistMatchesModel_data();
    void netlistMatchesModel();
    void ice40UsesBlockRam();

private:
    QTemporaryDir m_tmp;
    int m_run = 0;
};

void TestRtlSynth::netlistMatchesModel_data()
{
    QTest::addColumn<DefinesSettings>("settings");
    QTest::newRow("3 ch streaming inc programmable off dithering") << withResync(
            hardwareSettings(kBoth, 3, 20, 10, "Phase Dithering", StreamInc, ProgOff));
    QTest::newRow("2 ch taylor 16/14")
            << hardwareSettings(kBoth, 2, 16, 14, "Taylor Series Corrected", FixedInc, FixedOff, 1);
}

void TestRtlSynth::netlistMatchesModel()
{
    QFETCH(DefinesSettings, settings);
    RtlSimulation sim(m_tmp.filePath(QString::number(++m_run)));
    QString error;
    QString log;
    QVERIFY2(sim.writeCore(QStringLiteral("user_dds"),
                           IPDDSYN::Generation::parameterLines(settings),
                           &error),
             qPrintable(error));
    QVERIFY2(sim.synthesize(QStringLiteral("synth -flatten -top user_dds -lut 4"), &log, &error),
             qPrintable(error));
    // Our sources must synthesize without a single warning.
    const QRegularExpression warning(QStringLiteral("^Warning:.*$"),
                                     QRegularExpression::MultilineOption);
    QVERIFY2(!warning.match(log).hasMatch(), qPrintable(warning.match(log).captured()));

    const QVector<CycleIn> stimulus = makeStimulus(sim.config(), 300, 7).cycles;
    QVector<CycleOut> netlist;
    QVERIFY2(sim.run(stimulus, &netlist, &error), qPrintable(error));
    QCOMPARE(netlist, sim.model(stimulus));
    QVERIFY(std::count_if(
                    netlist.cbegin(), netlist.cend(), [](const CycleOut &o) { return o.dataValid; })
            > 50);
}

void TestRtlSynth::ice40UsesBlockRam()
{
    RtlSimulation sim(m_tmp.filePath(QStringLiteral("ice40")));
    QString error;
    QString log;
    QVERIFY2(sim.writeCore(QStringLiteral("ice_dds"),
                           IPDDSYN::Generation::parameterLines(
                                   hardwareSettings(kBoth, 4, 24, 12, "None")),
                           &error),
             qPrintable(error));
    QVERIFY2(sim.synthesize(QStringLiteral("synth_ice40 -top ice_dds"), &log, &error),
             qPrintable(error));
    // The octant table (2^9 entries of 24 bits) must land in block RAM, not logic.
    const QRegularExpression used(QStringLiteral("^\\s+SB_RAM40_4K\\s+[1-9]"),
                                  QRegularExpression::MultilineOption);
    QVERIFY2(used.match(log).hasMatch(), qPrintable(log.right(3000)));
}

QTEST_GUILESS_MAIN(TestRtlSynth)
#include "tst_rtlsynth.moc"
