#include "synthesisprogressdialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace IPCore {

SynthesisProgressDialog::SynthesisProgressDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("synthesisProgress"));
    setWindowModality(Qt::ApplicationModal);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("synthesisStatus"));
    auto *bar = new QProgressBar(this);
    bar->setRange(0, 0);
    m_log = new QPlainTextEdit(this);
    m_log->setObjectName(QStringLiteral("synthesisLog"));
    m_log->setReadOnly(true);
    m_log->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The whole log is in synthesis.log; the window keeps the recent part.
    m_log->setMaximumBlockCount(5000);
    m_log->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelSynthesis"));
    connect(buttons, &QDialogButtonBox::rejected, this, &SynthesisProgressDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_status);
    layout->addWidget(bar);
    layout->addWidget(m_log, 1);
    layout->addWidget(buttons);
    resize(720, 420);
}

void SynthesisProgressDialog::setStatus(const QString &text)
{
    m_status->setText(text);
}

void SynthesisProgressDialog::appendLog(const QString &text)
{
    QScrollBar *scroll = m_log->verticalScrollBar();
    const bool atEnd = scroll->value() == scroll->maximum();
    m_log->moveCursor(QTextCursor::End);
    m_log->insertPlainText(text);
    if (atEnd)
        scroll->setValue(scroll->maximum());
}

void SynthesisProgressDialog::clearLog()
{
    m_log->clear();
}

void SynthesisProgressDialog::reject()
{
    // Escape and the window's close button cancel the run too; the runner
    // hides the window when the run has ended.
    emit cancelRequested();
}

} // namespace IPCore
