#pragma once

#include <QtGlobal>

// Each host library exports its own symbols and imports the others'.
#if defined(IPCORE_API_LIBRARY)
#define IPCORE_API_EXPORT Q_DECL_EXPORT
#else
#define IPCORE_API_EXPORT Q_DECL_IMPORT
#endif

#if defined(IPCORE_SYNTHESIS_LIBRARY)
#define IPCORE_SYNTHESIS_EXPORT Q_DECL_EXPORT
#else
#define IPCORE_SYNTHESIS_EXPORT Q_DECL_IMPORT
#endif

#if defined(IPCORE_WIDGETS_LIBRARY)
#define IPCORE_WIDGETS_EXPORT Q_DECL_EXPORT
#else
#define IPCORE_WIDGETS_EXPORT Q_DECL_IMPORT
#endif
