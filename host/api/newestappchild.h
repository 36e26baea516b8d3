#pragma once

#include <QCoreApplication>

/// The newest child of the application object of type T, or nullptr: how the
/// host installs replaceable services (the newest wins, and a stack object
/// uninstalls itself by going away).
template<typename T>
T *newestAppChild()
{
    if (!QCoreApplication::instance())
        return nullptr;
    const QObjectList &children = QCoreApplication::instance()->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        if (auto *child = qobject_cast<T *>(*it))
            return child;
    }
    return nullptr;
}
