#include "dds2dlg.h"

#include "coresettings.h"
#include "errorbox.h"
#include "optiontable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>

namespace IPDDSYN {

using Generation::Option;
using Generation::OptionKind;

void dds2dlg::tagOptionWidgets()
{
    for (const Option &option : Generation::options()) {
        // The base names its own two lists; a label takes no batch value.
        if (option.widget.isEmpty() || option.kind == OptionKind::Label)
            continue;
        QWidget *widget = findChild<QWidget *>(option.widget);
        Q_ASSERT(widget);
        widget->setProperty("ipOption", option.key);
    }
}

QVariant dds2dlg::optionValue(const Option &option) const
{
    const QWidget *widget = option.widget.isEmpty() ? nullptr : findChild<QWidget *>(option.widget);
    switch (option.kind) {
    case OptionKind::SynthesisTool:
        return uiSynthesisTool();
    case OptionKind::Language:
        return uiLanguageIndex();
    case OptionKind::Check:
        return qobject_cast<const QCheckBox *>(widget)->isChecked();
    case OptionKind::EnabledCheck:
        return widget->isEnabled() && qobject_cast<const QCheckBox *>(widget)->isChecked();
    case OptionKind::Choice:
        return qobject_cast<const QComboBox *>(widget)->currentText();
    case OptionKind::Text:
        return qobject_cast<const QLineEdit *>(widget)->displayText();
    case OptionKind::Number:
        return qobject_cast<const QSpinBox *>(widget)->value();
    case OptionKind::Exclusive: {
        const QList<QRadioButton *> buttons = widget->findChildren<QRadioButton *>();
        for (const QRadioButton *button : buttons) {
            if (button->isChecked())
                return button->objectName();
        }
        return {};
    }
    case OptionKind::Label:
        break;
    }
    return {};
}

// Each assignment runs the rules wired to the widget, as a user's entry would.
void dds2dlg::applyOption(const Option &option, const QVariant &value)
{
    QWidget *widget = option.widget.isEmpty() ? nullptr : findChild<QWidget *>(option.widget);
    switch (option.kind) {
    case OptionKind::SynthesisTool:
        uiSetSynthesisTool(value.toString());
        break;
    case OptionKind::Language:
        uiSetLanguageIndex(value.toInt());
        break;
    case OptionKind::Check:
    case OptionKind::EnabledCheck:
        qobject_cast<QCheckBox *>(widget)->setChecked(value.toBool());
        break;
    case OptionKind::Choice: {
        auto *list = qobject_cast<QComboBox *>(widget);
        list->setCurrentIndex(list->findText(value.toString()));
        break;
    }
    case OptionKind::Text:
        qobject_cast<QLineEdit *>(widget)->setText(value.toString());
        break;
    case OptionKind::Number:
        qobject_cast<QSpinBox *>(widget)->setValue(value.toInt());
        break;
    case OptionKind::Exclusive:
        // An empty name finds the group's first button; a name the group
        // lacks (an edited file) leaves the group as it is.
        if (auto *button = widget->findChild<QRadioButton *>(value.toString()))
            button->setChecked(true);
        else
            qWarning().noquote()
                    << tr("No choice %1 for %2 ; kept as it is").arg(value.toString(), option.key);
        break;
    case OptionKind::Label:
        qobject_cast<QLabel *>(widget)->setText(value.toString());
        break;
    }
}

Generation::CoreSettings dds2dlg::coreSettings() const
{
    Generation::CoreSettings s;
    s.outputDirectory = createPath();
    s.fileName = fileName();
    s.moduleName = moduleName();
    s.device = device();
    s.coreId = m_info.value(QStringLiteral("ipcore.id")).toString();
    s.coreName = m_info.value(QStringLiteral("ipcore.name")).toString();
    s.coreLabel = m_info.value(QStringLiteral("ipcore.label")).toString();
    s.dataDirectory = m_info.value(QStringLiteral("ipcore.dir.data")).toString();
    for (const Option &option : Generation::options()) {
        if (option.kind == OptionKind::Label)
            continue;
        const QVariant value = optionValue(option);
        if (value.isValid())
            s.options.insert(option.key, value);
    }
    s.sysPhaseWidth = sysPhaseWidth();
    s.sysOutputWidth = sysOutputWidth();
    return s;
}

bool dds2dlg::loadConfigFile(const QString &path)
{
    QSettings file(path, QSettings::IniFormat);
    if (file.value(QStringLiteral("version")).toString() != QLatin1String("1.0")) {
        showErrorBox(this,
                     tr("This version of specified IP Config file is incompatible "
                        "with current IP Core Generator."));
        return false;
    }
    QMap<QString, QVariant> config;
    file.beginGroup(QStringLiteral("Config"));
    const QStringList keys = file.childKeys();
    for (const QString &key : keys)
        config.insert(key, file.value(key));
    file.endGroup();
    applyConfig(config);
    return true;
}

// The table's order matters: choices that refill lists come before the
// values chosen from those lists.
void dds2dlg::applyConfig(const QMap<QString, QVariant> &config)
{
    for (const Option &option : Generation::options())
        applyOption(option, config.value(option.key, option.fallback));
    updatedFreqPerChannel();
}

} // namespace IPDDSYN
