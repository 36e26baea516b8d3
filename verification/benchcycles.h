#pragma once

#include <QString>

namespace DdsRtl {

/// The core's inputs during one clock cycle (ports a configuration lacks are
/// ignored).
struct CycleIn
{
    bool rstN = true;
    bool phaseValid = false;
    quint64 phaseIn = 0;
    quint64 phaseInc = 0;
    quint64 phaseOff = 0;
    bool phaseResync = false;
    bool phaseTlast = false;
    bool configValid = false;
    quint64 configInc = 0;
    quint64 configOff = 0;
    bool configTlast = false;
};

/// The core's outputs after one rising edge; sine and cosine sign-extended.
struct CycleOut
{
    bool dataValid = false;
    int chanId = 0;
    quint64 phaseOut = 0;
    qint64 sine = 0;
    qint64 cosine = 0;
    bool phaseTlastMissing = false;
    bool phaseTlastUnexpected = false;
    bool configTlastMissing = false;
    bool configTlastUnexpected = false;

    bool operator==(const CycleOut &o) const;
    bool operator!=(const CycleOut &o) const { return !(*this == o); }
};

/// One line of the test bench's stimulus.txt.
QString stimulusLine(const CycleIn &in);

/// Reads one line of the test bench's response.txt, sine and cosine being
/// `outputWidth` bits wide; false when the line is not a response line.
bool parseResponseLine(const QString &line, int outputWidth, CycleOut *out);

} // namespace DdsRtl
