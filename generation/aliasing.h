#pragma once

#include "definesbuilder.h"

#include <QStringList>

namespace IPDDSYN {
namespace Generation {

/// One line for every channel whose output frequency (System Parameters)
/// lies above its Nyquist frequency, System Clock / (2 N): the core then makes
/// the alias, which the line names.
QStringList aliasWarnings(const DefinesSettings &settings);

} // namespace Generation
} // namespace IPDDSYN
