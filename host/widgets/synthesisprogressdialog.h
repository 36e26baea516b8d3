#pragma once

#include <QDialog>

QT_BEGIN_NAMESPACE
class QLabel;
class QPlainTextEdit;
class QPushButton;
QT_END_NAMESPACE

namespace IPCore {

/// The window of a running synthesis: what runs, for how long, the tool's
/// log as it comes, and Cancel.
class SynthesisProgressDialog : public QDialog
{
    Q_OBJECT
public:
    explicit SynthesisProgressDialog(QWidget *parent = nullptr);

    void setStatus(const QString &text);
    void appendLog(const QString &text);
    void clearLog();

signals:
    void cancelRequested();

protected:
    void reject() override;

private:
    QLabel *m_status = nullptr;
    QPlainTextEdit *m_log = nullptr;
};

} // namespace IPCore
