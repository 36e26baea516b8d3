#pragma once

#include "hostexport.h"

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace Core {

class IPCORE_API_EXPORT ViewManager
{
public:
    /// The parent for modal dialogs: the application's main window, if any.
    static QWidget *dialogParent();
};

} // namespace Core
