#pragma once

#include "hostexport.h"

#include <QStringList>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace IPCore {

/// Writes `lines`, each ended by a line feed, replacing `path`. On failure
/// tells the user (the path and the reason, `parent` as the box's parent) and
/// returns false. `comment`, when not empty, is written first as a
/// Verilog comment line.
IPCORE_WIDGETS_EXPORT bool generateFile(const QString &path,
                                        const QStringList &lines,
                                        QWidget *parent,
                                        const QString &comment);

} // namespace IPCore
