#include "messagerecorder.h"

#include "hostservices.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>

namespace IPCore {

MessageRecorder::MessageRecorder(QObject *parent)
    : QObject(parent)
{
    qApp->installEventFilter(this);
    if (Core::HostServices *services = Core::HostServices::current()) {
        connect(services,
                &Core::HostServices::errorsShown,
                this,
                [this](const QString &summary, const QStringList &details) {
                    record((QStringList(summary) + details).join(QLatin1String("\n  ")));
                });
    }
}

MessageRecorder::~MessageRecorder()
{
    qApp->removeEventFilter(this);
}

bool MessageRecorder::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show) {
        if (auto *box = qobject_cast<QMessageBox *>(watched))
            record(box->windowTitle() + QLatin1String(": ") + box->text());
    }
    return false;
}

void MessageRecorder::record(const QString &message)
{
    m_messages << message;
    emit recorded(message);
}

} // namespace IPCore
