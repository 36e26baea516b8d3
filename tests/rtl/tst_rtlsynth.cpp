// Synthesizes cores with Yosys the way the generator's flow runs it and
// simulates the netlists against the model.
#include "definesbuilder.h"
#include "rtlsimulation.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace DdsRtl;
using IPDDSYN::Generation::DefinesSettings;

Q_DECLARE_METATYPE(DefinesSettings)

namespace {

DefinesSettings core(int channels, int P, int W, const char *noiseShaping)
{
    DefinesSettings s;
    s.series = QStringLiteral("RQ9A");
    s.configuration = QStringLiteral("Phase Generator and SIN COS LUT");
    s.channels = QString::number(channels);
    s.parameterSelection = QStringLiteral("Hardware Parameters");
    s.noiseShapingHard = QLatin1String(noiseShaping);
    s.hardPhaseWidth = P;
    s.hardOutputWidth = W;
    s.fixedInc = true;
    s.noneOff = true;
    s.sinAndcos = true;
    s.hasPhaseOut = true;
    s.channelIdOut = channels > 1;
    s.latency = QStringLiteral("14");
    for (int i = 0; i < 16; ++i) {
        s.frequencies << QStringLiteral("%1").arg(0x1357 + 0x2468 * i, 0, 16);
        s.phases << QStringLiteral("%1").arg(0x811 * i, 0, 16);
    }
    return s;
}

QVector<CycleIn> traffic(const CoreConfig &c, int cycles)
{
    QVector<CycleIn> stimulus(3, CycleIn{false});
    QRandomGenerator rng(7);
    const quint64 mask = (quint64(1) << c.phaseWidth) - 1;
    for (int t = 0; t < cycles; ++t) {
        CycleIn in;
        in.phaseValid = rng.bounded(4) != 0;
        in.phaseInc = rng.generate64() & mask;
        in.phaseOff = rng.generate64() & mask;
        in.phaseTlast = rng.bounded(3) == 0;
        in.configValid = rng.bounded(8) == 0;
        in.configInc = rng.generate64() & mask;
        in.configOff = rng.generate64() & mask;
        in.configTlast = rng.bounded(2) == 0;
        stimulus << in;
    }
    return stimulus;
}

} // namespace

class TestRtlSynth : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void netlistMatchesModel_data();
    void netlistMatchesModel();
    void ice40UsesBlockRam();

private:
    QTemporaryDir m_tmp;
};

void TestRtlSynth::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    if (QStandardPaths::findExecutable(QStringLiteral("yosys")).isEmpty())
        QFAIL("yosys is not installed (scripts/install-deps.sh)");
}

void TestRtlSynth::netlistMatchesModel_data()
{
    QTest::addColumn<DefinesSettings>("settings");
    QTest::newRow("default 27/12 none") << core(1, 27, 12, "None");
    DefinesSettings multi = core(3, 20, 10, "Phase Dithering");
    multi.fixedInc = false;
    multi.streamingInc = true;
    multi.resyncActive = true;
    multi.noneOff = false;
    multi.programmableOff = true;
    QTest::newRow("3 ch streaming inc programmable off dithering") << multi;
    DefinesSettings taylor = core(2, 16, 14, "Taylor Series Corrected");
    taylor.latency = QStringLiteral("13");
    QTest::newRow("2 ch taylor 16/14") << taylor;
}

void TestRtlSynth::netlistMatchesModel()
{
    QFETCH(DefinesSettings, settings);
    const QString tag = QString::fromLatin1(QTest::currentDataTag());
    RtlSimulation sim(m_tmp.filePath(
            QString(tag).replace(QRegularExpression(QStringLiteral("\\W")), QStringLiteral("_"))));
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

    const QVector<CycleIn> stimulus = traffic(sim.config(), 300);
    QVector<CycleOut> netlist;
    QVERIFY2(sim.run(stimulus, &netlist, &error), qPrintable(error));
    const QVector<CycleOut> model = sim.model(stimulus);
    int valid = 0;
    for (int t = 0; t < netlist.size(); ++t) {
        QVERIFY2(netlist[t] == model[t], qPrintable(QStringLiteral("cycle %1").arg(t)));
        valid += netlist[t].dataValid;
    }
    QVERIFY(valid > 100);
}

void TestRtlSynth::ice40UsesBlockRam()
{
    RtlSimulation sim(m_tmp.filePath(QStringLiteral("ice40")));
    QString error;
    QString log;
    QVERIFY2(sim.writeCore(QStringLiteral("ice_dds"),
                           IPDDSYN::Generation::parameterLines(core(4, 24, 12, "None")),
                           &error),
             qPrintable(error));
    QVERIFY2(sim.synthesize(QStringLiteral("synth_ice40 -top ice_dds; tee -o stat.txt stat"),
                            &log,
                            &error),
             qPrintable(error));
    QFile stat(sim.workDir() + QStringLiteral("/stat.txt"));
    QVERIFY(stat.open(QIODevice::ReadOnly));
    const QByteArray text = stat.readAll();
    // The octant table (2^9 entries of 24 bits) must land in block RAM, not logic.
    QVERIFY2(text.contains("SB_RAM40_4K"), text.constData());
}

QTEST_GUILESS_MAIN(TestRtlSynth)
#include "tst_rtlsynth.moc"
