#include "benchcycles.h"

#include <QStringList>

namespace DdsRtl {

bool CycleOut::operator==(const CycleOut &o) const
{
    return dataValid == o.dataValid && chanId == o.chanId && phaseOut == o.phaseOut
           && sine == o.sine && cosine == o.cosine && phaseTlastMissing == o.phaseTlastMissing
           && phaseTlastUnexpected == o.phaseTlastUnexpected
           && configTlastMissing == o.configTlastMissing
           && configTlastUnexpected == o.configTlastUnexpected;
}

QString stimulusLine(const CycleIn &c)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10 %11")
            .arg(int(c.rstN))
            .arg(int(c.phaseValid))
            .arg(c.phaseIn, 0, 16)
            .arg(c.phaseInc, 0, 16)
            .arg(c.phaseOff, 0, 16)
            .arg(int(c.phaseResync))
            .arg(int(c.phaseTlast))
            .arg(int(c.configValid))
            .arg(c.configInc, 0, 16)
            .arg(c.configOff, 0, 16)
            .arg(int(c.configTlast));
}

namespace {

qint64 signExtend(quint64 value, int bits)
{
    const quint64 sign = quint64(1) << (bits - 1);
    return qint64((value ^ sign) - sign);
}

} // namespace

bool parseResponseLine(const QString &line, int outputWidth, CycleOut *out)
{
    const QStringList f = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    bool ok = f.size() == 9;
    quint64 v[9] = {};
    for (int i = 0; ok && i < 9; ++i)
        v[i] = f.at(i).toULongLong(&ok, 16);
    if (!ok)
        return false;
    out->dataValid = v[0];
    out->chanId = int(v[1]);
    out->phaseOut = v[2];
    out->sine = signExtend(v[3], outputWidth);
    out->cosine = signExtend(v[4], outputWidth);
    out->phaseTlastMissing = v[5];
    out->phaseTlastUnexpected = v[6];
    out->configTlastMissing = v[7];
    out->configTlastUnexpected = v[8];
    return true;
}

} // namespace DdsRtl
