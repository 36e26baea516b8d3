#pragma once

#include <QDialogButtonBox>
#include <QList>
#include <QTimer>

#include <functional>

/// Hands each new modal window, inside whatever modal loop runs, to the next handler, which must
/// close it. Lets a test drive a dialog that the code under test runs with exec().
class ModalWatcher
{
public:
    using Handler = std::function<void(QWidget *)>;

    explicit ModalWatcher(QList<Handler> handlers);
    /// Clicks a button of a dialog's "buttons" box, as a handler closes a dialog.
    static void press(QWidget *dialog, QDialogButtonBox::StandardButton button);
    int handled() const { return m_handled; }

private:
    QList<Handler> m_handlers;
    QTimer m_timer;
    QWidget *m_last = nullptr;
    int m_handled = 0;
};
