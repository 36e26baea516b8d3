#pragma once

#include <QCoreApplication>
#include <QString>

namespace DdsRtl {

/// The user's language for a text of the verification's pure functions.
inline QString tr(const char *text)
{
    return QCoreApplication::translate("DdsRtl", text);
}

} // namespace DdsRtl
