#pragma once

#include <QList>
#include <QTimer>

#include <functional>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

/// Hands each new modal window, inside whatever modal loop runs, to the next handler, which must
/// close it. Lets a test drive a dialog that the code under test runs with exec().
class ModalWatcher
{
public:
    using Handler = std::function<void(QWidget *)>;

    explicit ModalWatcher(QList<Handler> handlers);
    int handled() const { return m_handled; }

private:
    QList<Handler> m_handlers;
    QTimer m_timer;
    QWidget *m_last = nullptr;
    int m_handled = 0;
};
