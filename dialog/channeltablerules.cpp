#include "dds2dlg.h"

#include "dialogrules.h"
#include "ui_cfgtab.h"
#include "ui_imptab.h"
#include "ui_outputtab.h"

#include <QRegExpValidator>

namespace IPDDSYN {

void dds2dlg::onStreamingCheckd()
{
    if (m_imp->streaming_inc->isChecked() && m_imp->streaming_inc->isEnabled()) {
        m_imp->resync->setEnabled(true);
    } else {
        m_imp->resync->setChecked(false);
        m_imp->resync->setEnabled(false);
    }
}

static bool isOnAndEnabled(const QAbstractButton *button)
{
    return button->isChecked() && button->isEnabled();
}

void dds2dlg::updatedUiTab3()
{
    const Rules::ChannelTableSyntax syntax
            = Rules::channelTableSyntax(m_cfg->paraSelection->currentText());
    if (syntax.known) {
        m_out->freqContrl->setText(syntax.frequencyHeading);
        m_out->phaseContrl->setText(syntax.phaseHeading);
    }
    if (m_cfg->cfgOptions->currentText() == Rules::LutOnly) {
        m_out->scrollAreaWidgetContents->setEnabled(false);
        return;
    }
    m_out->scrollAreaWidgetContents->setEnabled(true);
    const bool frequencies
            = isOnAndEnabled(m_imp->fixed_inc) || isOnAndEnabled(m_imp->programmable_inc);
    m_out->freqGroupBox->setEnabled(frequencies);
    m_out->freqContrl->setEnabled(frequencies);
    const bool phases = isOnAndEnabled(m_imp->fixed_off) || isOnAndEnabled(m_imp->programmable_off);
    m_out->phaseGroupBox->setEnabled(phases);
    m_out->phaseContrl->setEnabled(phases);
    refreshTab3Entries();
}

// Gives `entry` a validator of its own for `pattern`, dropping the one it had from us.
static void replaceValidator(QLineEdit *entry, const QString &pattern)
{
    const QValidator *old = entry->validator();
    entry->setValidator(new QRegExpValidator(QRegExp(pattern), entry));
    if (old && old->parent() == entry)
        delete old;
}

static bool isAcceptable(const QLineEdit *entry)
{
    QString text = entry->text();
    if (text.isEmpty())
        return false;
    int position = 0;
    return !entry->validator()
           || entry->validator()->validate(text, position) == QValidator::Acceptable;
}

void dds2dlg::refreshTab3Entries()
{
    const QList<QLineEdit *> frequencies
            = m_out->freqGroupBox->findChildren<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly);
    const QList<QLineEdit *> phases = m_out->phaseGroupBox->findChildren<QLineEdit *>(
            QString(), Qt::FindDirectChildrenOnly);
    const Rules::ChannelTableSyntax syntax
            = Rules::channelTableSyntax(m_cfg->paraSelection->currentText());
    if (syntax.known) {
        for (QLineEdit *entry : frequencies)
            replaceValidator(entry, syntax.frequencyPattern);
        for (QLineEdit *entry : phases)
            replaceValidator(entry, syntax.phasePattern);
    }
    for (const QList<QLineEdit *> &column : {frequencies, phases}) {
        for (QLineEdit *entry : column) {
            entry->setEnabled(false);
            if (!isAcceptable(entry))
                entry->setText(QStringLiteral("0"));
        }
    }
    const int channels = m_cfg->numOfChannels->currentText().toInt();
    for (int row = 0; row < channels && row < frequencies.size(); ++row) {
        frequencies.at(row)->setEnabled(true);
        phases.at(row)->setEnabled(true);
    }
}

} // namespace IPDDSYN
