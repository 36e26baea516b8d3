#pragma once

#include <QString>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace IPDDSYN {

/// The generator's own error box: title "Error", the core's window icon and
/// exclamation picture, one OK button; modal over `parent`.
void showErrorBox(QWidget *parent, const QString &message);

} // namespace IPDDSYN
