#include "errorbox.h"

#include <QCoreApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPixmap>

namespace IPDDSYN {

void showErrorBox(QWidget *parent, const QString &message)
{
    QMessageBox box(QMessageBox::NoIcon,
                    QCoreApplication::translate("IPDDSYN", "Error"),
                    message,
                    QMessageBox::Ok,
                    parent);
    box.setObjectName(QStringLiteral("errorBox"));
    box.setWindowIcon(QIcon(QStringLiteral("://image/module.png")));
    box.setIconPixmap(QPixmap(QStringLiteral("://image/exclamation.png")));
    box.exec();
}

} // namespace IPDDSYN
