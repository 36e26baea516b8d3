#pragma once

#include <QtGlobal>

#if defined(IPCORE_HOST_LIBRARY)
#define IPCORE_HOST_EXPORT Q_DECL_EXPORT
#else
#define IPCORE_HOST_EXPORT Q_DECL_IMPORT
#endif
