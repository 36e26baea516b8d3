#include "messageboxanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace IPCore {

MessageBoxAnswerer::MessageBoxAnswerer(QObject *parent)
    : QObject(parent)
    , m_err(stderr)
{
    qApp->installEventFilter(this);
}

MessageBoxAnswerer::~MessageBoxAnswerer()
{
    qApp->removeEventFilter(this);
}

bool MessageBoxAnswerer::eventFilter(QObject *watched, QEvent *event)
{
    auto *box = event->type() == QEvent::Show ? qobject_cast<QMessageBox *>(watched) : nullptr;
    if (!box)
        return false;
    m_err << box->windowTitle() << ": " << box->text() << Qt::endl;
    // Answered once the box runs its own event loop.
    const QPointer<QMessageBox> guard(box);
    QTimer::singleShot(0, box, [guard] {
        if (!guard)
            return;
        QAbstractButton *button = guard->defaultButton();
        if (!button)
            button = guard->escapeButton();
        if (!button && !guard->buttons().isEmpty())
            button = guard->buttons().first();
        if (button)
            button->click();
        else
            guard->close();
    });
    return false;
}

} // namespace IPCore
