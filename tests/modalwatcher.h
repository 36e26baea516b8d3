#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

/// Hands each new modal window, inside whatever modal loop runs, to the next handler, which must
/// close it. Lets a test drive a dialog that the code under test runs with exec().
class ModalWatcher
{
public:
    using Handler = std::function<void(QWidget *)>;

    explicit ModalWatcher(QList<Handler> handlers)
        : m_handlers(std::move(handlers))
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || modal == m_last || !modal->isVisible() || m_handlers.isEmpty())
                return;
            m_last = modal;
            ++m_handled;
            m_handlers.takeFirst()(modal);
        });
        m_timer.start(20);
    }
    int handled() const { return m_handled; }

private:
    QList<Handler> m_handlers;
    QTimer m_timer;
    QWidget *m_last = nullptr;
    int m_handled = 0;
};
