#include "messagerecorder.h"

#include "hostservices.h"

#include <QCoreApplication>
#include <QEvent>
#include <QVariant>

namespace IPCore {

MessageRecorder::MessageRecorder(QObject *parent)
    : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
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
    QCoreApplication::instance()->removeEventFilter(this);
}

bool MessageRecorder::eventFilter(QObject *watched, QEvent *event)
{
    // Read through properties, so that recording needs no widgets library.
    if (event->type() == QEvent::Show && watched->inherits("QMessageBox")) {
        record(watched->property("windowTitle").toString() + QLatin1String(": ")
               + watched->property("text").toString());
    }
    return false;
}

void MessageRecorder::record(const QString &message)
{
    m_messages << message;
    emit recorded(message);
}

} // namespace IPCore
