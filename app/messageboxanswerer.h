#pragma once

#include <QObject>
#include <QTextStream>

/// Answers every message box the moment it is shown, with its default button
/// (else its escape button, else its first button), after printing its title
/// and text to standard error. Batch runs thus never wait for a click.
class MessageBoxAnswerer : public QObject
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
