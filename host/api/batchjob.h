#pragma once

#include "hostexport.h"
#include "pinfigure.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>
#include <QVariant>

namespace IPCore {

/// A generation without user interaction: what the generator dialog applies
/// before it presses OK, and what it reports back. Installed by making it a
/// child of the application object (as the host services are); a dialog
/// run in batch mode picks up the newest one.
class IPCORE_API_EXPORT BatchJob : public QObject
{
    Q_OBJECT
public:
    explicit BatchJob(QObject *parent = nullptr);
    ~BatchJob() override;

    /// The newest job installed on the application, or nullptr.
    static BatchJob *current();

    /// Header fields; an empty text keeps the dialog's default.
    QString outputDirectory;
    QString moduleName;
    QString fileName;
    QString synthesisTool;
    QString language; // "verilog" or "vhdl", any case
    bool overwriteAllowed = false;
    /// Options applied one at a time, in this order, as a user would.
    QList<QPair<QString, QVariant>> options;
    /// Apply the options, then describe every option in optionList instead
    /// of generating.
    bool listOptions = false;

    /// Set by the dialog when it has finished.
    bool ran = false;
    bool accepted = false;
    bool overwriteDeclined = false; // existing output files were kept
    QStringList errors;             // problems with the options and messages shown
    QString createPath;
    QString fileBaseName;
    QList<Utils::PinFigure> pins;
    QStringList optionList; // with listOptions: each option, its kind, values and value now
};

} // namespace IPCore
