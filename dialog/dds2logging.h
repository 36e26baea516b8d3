#pragma once

#include <QLoggingCategory>

// The generator's diagnostics. Off by default; switch them on with
// QT_LOGGING_RULES="dds2.*.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcDds2Rules)
Q_DECLARE_LOGGING_CATEGORY(lcDds2Table)
