#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace IPCore {

/// How the application simulates a delivered core and reads a sample record
/// of it for its spectrum, as the core's plug-in describes it.
struct VerificationBench
{
    /// One program the simulation runs, in the scratch folder.
    struct Step
    {
        QString program;
        QStringList arguments;
        QString what; // for the progress
    };
    /// One output whose record is measured.
    struct Output
    {
        QString port;
        int field = 0; // its field in a response line
    };

    QString name;     // the instance's name
    QString model;    // the simulated file, for messages
    QString settings; // what the plot's title says of the configuration
    double requestedSfdrDb = 0;
    double sampleRateMHz = 0; // of the recorded samples
    double toneMHz = 0;
    QVector<Step> steps;
    QString failureMarker; // in the last step's output: the bench stopped

    // The record: `responseFile` in the scratch folder has one line of
    // hexadecimal fields per clock; of the lines whose `validField` is 1, the
    // samples are taken from the `skip`-th on, every `stride`-th, `length`
    // of them, each `sampleBits` wide in two's complement.
    QString responseFile;
    int validField = 0;
    int skip = 0;
    int stride = 1;
    int length = 0;
    int sampleBits = 0;
    QVector<Output> outputs;
    bool coherent = false; // whole periods: unwindowed, the carrier at `carrierBin`
    int carrierBin = 0;
};

} // namespace IPCore
