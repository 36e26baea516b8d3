#pragma once

// The RTL model's simulation runner includes the tool helpers by this path, with the Qt file
// classes it uses.
#include "support/toolrun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
