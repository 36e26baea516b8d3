#include "ipgendialog.h"

namespace IPCore {

bool IPGenDialog::checkModuleName()
{
    showErrorMsg({tr("Module name checks are not available yet.")});
    return false;
}

bool IPGenDialog::checkFileExisting()
{
    showErrorMsg({tr("Output file checks are not available yet.")});
    return false;
}

QStringList IPGenDialog::checkFileOptions()
{
    return {tr("Output option checks are not available yet.")};
}

void IPGenDialog::showErrorMsg(const QStringList &problems)
{
    Q_UNUSED(problems)
}

void IPGenDialog::accept(QStringList &errors)
{
    errors << tr("Generation is not available yet.");
}

void IPGenDialog::setProperty(const QMap<QString, QVariant> &properties, QStringList &errors)
{
    for (auto it = properties.cbegin(); it != properties.cend(); ++it)
        errors << tr("Option \"%1\" cannot be set yet.").arg(it.key());
}

} // namespace IPCore
