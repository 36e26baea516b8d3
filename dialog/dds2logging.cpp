#include "dds2logging.h"

Q_LOGGING_CATEGORY(lcDds2Rules, "dds2.rules", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDds2Table, "dds2.table", QtInfoMsg)
