#include "decode.h"

#include "fileutils.h"
#include "simulationlibrary.h"
#include "yosysflow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace IPCore {

int decode(const QString &outDir, const QString &netlist, const QString &voFile, QString &message)
{
    if (netlist.isEmpty() || !QFileInfo(netlist).isFile()) {
        message = QCoreApplication::translate(
                          "IPCore",
                          "Cannot write the simulation model: the netlist \"%1\" does not "
                          "exist. Run the synthesis again.")
                          .arg(netlist);
        return 1;
    }
    QFile in(netlist);
    if (!in.open(QIODevice::ReadOnly | QIODevice::Text)) {
        message = QCoreApplication::translate("IPCore", "Cannot read the netlist \"%1\": %2.")
                          .arg(netlist, in.errorString());
        return 2;
    }
    const QString text = QString::fromUtf8(in.readAll());
    const QMap<QString, QString> defined = SimulationLibrary::modules(text);
    if (defined.isEmpty()) {
        message = QCoreApplication::translate(
                          "IPCore", "\"%1\" is not a Verilog netlist: it defines no module.")
                          .arg(netlist);
        return 3;
    }

    QMap<QString, QString> library;
    const QStringList types = SimulationLibrary::instantiatedTypes(text);
    QString error;
    if (!types.isEmpty()
        && !SimulationLibrary::readYosysLibrary(YosysFlow::dataDir(), library, error)) {
        message = error;
        return 4;
    }
    QStringList missing;
    const QString models = SimulationLibrary::models(types, library, defined.keys(), missing);
    if (!missing.isEmpty()) {
        message = QCoreApplication::translate(
                          "IPCore",
                          "Cannot write a self-contained simulation model of \"%1\": no "
                          "Verilog model of the cell type(s) %2.")
                          .arg(netlist, missing.join(QStringLiteral(", ")));
        return 5;
    }

    const QString target = QDir(outDir).absoluteFilePath(voFile);
    const QByteArray bytes
            = (QStringLiteral("// Post-synthesis simulation model, made from %1%2.\n\n")
                       .arg(QFileInfo(netlist).fileName(),
                            models.isEmpty()
                                    ? QString()
                                    : QStringLiteral(" and the models of the cells it uses"))
               + text + (text.endsWith(QLatin1Char('\n')) ? QString() : QStringLiteral("\n"))
               + (models.isEmpty() ? QString() : QStringLiteral("\n") + models))
                      .toUtf8();
    if (!Utils::FileUtils::writeFile(target, bytes, error)) {
        message = QCoreApplication::translate("IPCore", "Cannot write the simulation model: %1")
                          .arg(error);
        return 6;
    }
    return 0;
}

} // namespace IPCore
