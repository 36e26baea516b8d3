#pragma once

#include "hostexport.h"

#include <QObject>
#include <QStringList>

namespace IPCore {

/// Records, while it lives, every message box the application shows and
/// every error list the host displays, as "title: text" lines. The scripted
/// generation uses it to learn why a dialog stopped.
class IPCORE_API_EXPORT MessageRecorder : public QObject
{
    Q_OBJECT
public:
    explicit MessageRecorder(QObject *parent = nullptr);
    ~MessageRecorder() override;

    QStringList messages() const { return m_messages; }

signals:
    /// A message was shown; emitted after it was recorded.
    void recorded(const QString &message);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void record(const QString &message);

    QStringList m_messages;
};

} // namespace IPCore
