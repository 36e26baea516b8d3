#include "modalwatcher.h"

#include <QApplication>
#include <QPushButton>

ModalWatcher::ModalWatcher(QList<Handler> handlers)
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

void ModalWatcher::press(QWidget *dialog, QDialogButtonBox::StandardButton button)
{
    dialog->findChild<QDialogButtonBox *>("buttons")->button(button)->click();
}
