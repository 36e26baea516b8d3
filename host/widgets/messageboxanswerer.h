#pragma once

#include "hostexport.h"

#include <QObject>
#include <QTextStream>

namespace IPCore {

/// Answers every message box the moment it is shown, with its default button
/// (else its escape button, else its first button), after printing its title
/// and text to standard error. Batch runs thus never wait for a click.
class IPCORE_WIDGETS_EXPORT MessageBoxAnswerer : public QObject
{
    Q_OBJECT
public:
    explicit MessageBoxAnswerer(QObject *parent = nullptr);
    ~MessageBoxAnswerer() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QTextStream m_err;
};

} // namespace IPCore
