#include "ipgendialog.h"

#include "batchjob.h"
#include "hostservices.h"
#include "messagerecorder.h"
#include "outputchecks.h"
#include "synthesishelper.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QRegExpValidator>
#include <QSpinBox>
#include <QValidator>

namespace IPCore {

namespace {

// The files a generation delivers into the output directory.
const char *const deliveredSuffixes[] = {".v", ".vhd", "_tmp.v", ".vo", ".ipc"};

QString optionError(const QString &key, const QString &problem)
{
    return IPGenDialog::tr("Option \"%1\": %2").arg(key, problem);
}

QString quotedList(const QStringList &items)
{
    QStringList quoted;
    for (const QString &item : items)
        quoted << QLatin1Char('"') + item + QLatin1Char('"');
    return quoted.join(QLatin1String(", "));
}

QString setComboBox(QComboBox *combo, const QString &value)
{
    QStringList offered;
    for (int i = 0; i < combo->count(); ++i)
        offered << combo->itemText(i);
    if (!combo->isEnabled())
        return IPGenDialog::tr("cannot be changed in the current configuration; it stays \"%1\" "
                               "of %2.")
                .arg(combo->currentText(), quotedList(offered));
    const int index = offered.indexOf(value);
    if (index < 0)
        return IPGenDialog::tr("\"%1\" is not offered; choose one of %2.")
                .arg(value, quotedList(offered));
    combo->setCurrentIndex(index);
    return {};
}

QString setLineEdit(QLineEdit *edit, const QString &value)
{
    if (!edit->isEnabled() || edit->isReadOnly())
        return IPGenDialog::tr("cannot be changed in the current configuration.");
    if (const QValidator *validator = edit->validator()) {
        QString text = value;
        int position = 0;
        if (validator->validate(text, position) != QValidator::Acceptable)
            return IPGenDialog::tr("\"%1\" is not a valid entry here.").arg(value);
    }
    edit->setText(value);
    emit edit->editingFinished();
    return {};
}

QString setSpinBox(QSpinBox *spin, const QString &value)
{
    bool ok = false;
    const int number = value.toInt(&ok, 10);
    if (!spin->isEnabled())
        return IPGenDialog::tr("cannot be changed in the current configuration.");
    if (!ok || number < spin->minimum() || number > spin->maximum())
        return IPGenDialog::tr("\"%1\" is outside the allowed range %2 to %3.")
                .arg(value)
                .arg(spin->minimum())
                .arg(spin->maximum());
    spin->setValue(number);
    return {};
}

QString setCheckBox(QCheckBox *box, const QString &value)
{
    const QString lower = value.toLower();
    const bool on = lower == QLatin1String("true") || lower == QLatin1String("1");
    if (!on && lower != QLatin1String("false") && lower != QLatin1String("0"))
        return IPGenDialog::tr("\"%1\" is no switch value; use true or false.").arg(value);
    if (box->isChecked() == on)
        return {};
    if (!box->isEnabled())
        return IPGenDialog::tr("cannot be changed in the current configuration.");
    box->click();
    return {};
}

QString setRadioGroup(QGroupBox *group, const QString &value)
{
    QStringList names;
    const QList<QRadioButton *> buttons = group->findChildren<QRadioButton *>();
    for (QRadioButton *button : buttons) {
        names << button->objectName();
        if (button->objectName() != value)
            continue;
        if (!button->isEnabled())
            return IPGenDialog::tr("\"%1\" cannot be chosen in the current configuration.")
                    .arg(value);
        button->click();
        return {};
    }
    return IPGenDialog::tr("\"%1\" is not a choice; choose one of %2.")
            .arg(value, quotedList(names));
}

// Applies one option to its widget as a user would; the problem, or empty.
QString applyOption(QWidget *widget, const QString &value)
{
    if (auto *combo = qobject_cast<QComboBox *>(widget))
        return setComboBox(combo, value);
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return setLineEdit(edit, value);
    if (auto *spin = qobject_cast<QSpinBox *>(widget))
        return setSpinBox(spin, value);
    if (auto *box = qobject_cast<QCheckBox *>(widget))
        return setCheckBox(box, value);
    if (auto *group = qobject_cast<QGroupBox *>(widget))
        return setRadioGroup(group, value);
    return IPGenDialog::tr("is read-only.");
}

// One line on an option's widget: its kind, what it takes and its value now.
QString describeOption(const QWidget *widget)
{
    QString kind;
    QString values;
    QString current;
    if (const auto *combo = qobject_cast<const QComboBox *>(widget)) {
        QStringList offered;
        for (int i = 0; i < combo->count(); ++i)
            offered << combo->itemText(i);
        kind = QStringLiteral("list");
        values = quotedList(offered);
        current = combo->currentText();
    } else if (const auto *edit = qobject_cast<const QLineEdit *>(widget)) {
        const auto *pattern = qobject_cast<const QRegExpValidator *>(edit->validator());
        kind = QStringLiteral("text");
        values = pattern ? IPGenDialog::tr("matching %1").arg(pattern->regExp().pattern())
                         : IPGenDialog::tr("any text");
        current = edit->text();
    } else if (const auto *spin = qobject_cast<const QSpinBox *>(widget)) {
        kind = QStringLiteral("integer");
        values = IPGenDialog::tr("%1 to %2").arg(spin->minimum()).arg(spin->maximum());
        current = QString::number(spin->value());
    } else if (const auto *box = qobject_cast<const QCheckBox *>(widget)) {
        kind = QStringLiteral("switch");
        values = QStringLiteral("true, false");
        current = box->isChecked() ? QStringLiteral("true") : QStringLiteral("false");
    } else if (const auto *group = qobject_cast<const QGroupBox *>(widget)) {
        QStringList names;
        const QList<QRadioButton *> buttons = group->findChildren<QRadioButton *>();
        for (const QRadioButton *button : buttons) {
            names << button->objectName();
            if (button->isChecked())
                current = button->objectName();
        }
        kind = QStringLiteral("choice");
        values = quotedList(names);
    } else {
        return IPGenDialog::tr("read-only");
    }
    QString line = IPGenDialog::tr("%1: %2; now \"%3\"").arg(kind, values, current);
    if (!widget->isEnabled())
        line += IPGenDialog::tr(" (cannot be changed in this configuration)");
    return line;
}

} // namespace

bool IPGenDialog::checkModuleName()
{
    QString error;
    if (OutputChecks::checkModuleName(moduleName(), error))
        return true;
    showErrorMsg({error});
    return false;
}

bool IPGenDialog::checkFileExisting()
{
    QStringList existing;
    for (const char *suffix : deliveredSuffixes) {
        const QString path = createPath() + QLatin1Char('/') + fileName() + QLatin1String(suffix);
        if (QFileInfo::exists(path))
            existing << path;
    }
    if (existing.isEmpty())
        return true;
    const QMessageBox::StandardButton answer = QMessageBox::question(
            this,
            tr("Overwrite Files"),
            tr("These files exist and will be replaced:\n%1\n\nOverwrite them?")
                    .arg(existing.join(QLatin1Char('\n'))),
            QMessageBox::Yes | QMessageBox::No,
            QMessageBox::No);
    if (answer == QMessageBox::Yes)
        return true;
    if (BatchJob *job = BatchJob::current())
        job->overwriteDeclined = true;
    return false;
}

QStringList IPGenDialog::checkFileOptions()
{
    QStringList problems;
    QString error;
    if (!OutputChecks::checkOutputDirectory(createPath(), error))
        problems << error;
    if (!OutputChecks::checkFileName(fileName(), error))
        problems << error;
    return problems;
}

void IPGenDialog::showErrorMsg(const QStringList &problems)
{
    if (problems.isEmpty())
        return;
    QString text = problems.first();
    if (problems.size() > 1)
        text = tr("Please correct these problems:\n- %1").arg(problems.join(QLatin1String("\n- ")));
    QMessageBox box(QMessageBox::Critical, tr("Error"), text, QMessageBox::Ok, this);
    box.exec();
}

void IPGenDialog::accept(QStringList &errors)
{
    MessageRecorder recorder;
    // The core's own accept(), which the overload hides here.
    static_cast<QDialog *>(this)->accept();
    errors << recorder.messages();
}

void IPGenDialog::setProperty(const QMap<QString, QVariant> &properties, QStringList &errors)
{
    const QList<QWidget *> widgets = findChildren<QWidget *>();
    for (auto it = properties.cbegin(); it != properties.cend(); ++it) {
        QWidget *target = nullptr;
        QStringList known;
        for (QWidget *widget : widgets) {
            const QString option = widget->property("ipOption").toString();
            if (option.isEmpty())
                continue;
            known << option;
            if (option == it.key())
                target = widget;
        }
        if (!target) {
            known.sort();
            errors << optionError(it.key(),
                                  tr("no such option; the options are %1.").arg(quotedList(known)));
            continue;
        }
        const QString problem = applyOption(target, it.value().toString());
        if (!problem.isEmpty())
            errors << optionError(it.key(), problem);
    }
}

void IPGenDialog::applyBatchHeader(const BatchJob &job, QStringList &errors)
{
    if (!job.outputDirectory.isEmpty())
        m_outputDir->setText(job.outputDirectory);
    if (!job.moduleName.isEmpty())
        m_moduleName->setText(job.moduleName);
    if (!job.fileName.isEmpty())
        m_fileName->setText(job.fileName);
    if (!job.synthesisTool.isEmpty()) {
        const int index = m_tool->findText(job.synthesisTool);
        QStringList tools;
        for (int i = 0; i < m_tool->count(); ++i)
            tools << m_tool->itemText(i);
        if (index < 0)
            errors << tr("Synthesis tool \"%1\" is unknown; choose one of %2.")
                              .arg(job.synthesisTool, quotedList(tools));
        else
            m_tool->setCurrentIndex(index);
    }
    if (!job.language.isEmpty()) {
        const int index = m_language->findText(job.language, Qt::MatchFixedString);
        if (index < 0)
            errors << tr("Language \"%1\" is unknown; choose verilog or vhdl.").arg(job.language);
        else
            m_language->setCurrentIndex(index);
    }
    overwriteAllowed = job.overwriteAllowed;
}

void IPGenDialog::applyBatchJob(const BatchJob &job, QStringList &errors)
{
    applyBatchHeader(job, errors);
    for (const auto &option : job.options)
        setProperty({{option.first, option.second}}, errors);
}

int IPGenDialog::exec()
{
    const Core::HostServices *services = Core::HostServices::current();
    if (!services || !services->isBatch())
        return QDialog::exec();

    // Batch mode: apply what the job asks for, press OK, and wait until the
    // generation has finished or something went wrong.
    BatchJob *job = BatchJob::current();
    QStringList errors;
    if (job)
        applyBatchJob(*job, errors);
    if (job && job->listOptions) {
        job->optionList.clear();
        const QList<QWidget *> widgets = findChildren<QWidget *>();
        for (const QWidget *widget : widgets) {
            const QString option = widget->property("ipOption").toString();
            if (!option.isEmpty())
                job->optionList << option + QLatin1String("  ") + describeOption(widget);
        }
        job->ran = true;
        job->errors = errors;
        return QDialog::Rejected;
    }
    setResult(QDialog::Rejected);
    if (errors.isEmpty()) {
        QEventLoop loop;
        connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
        accept(errors);
        // Only a running synthesis can still finish the dialog.
        if (errors.isEmpty() && result() != QDialog::Accepted && findChild<SynthesisHelper *>()) {
            MessageRecorder recorder;
            connect(&recorder, &MessageRecorder::recorded, &loop, &QEventLoop::quit);
            loop.exec();
            errors << recorder.messages();
        }
        if (errors.isEmpty() && result() != QDialog::Accepted)
            errors << tr("The generation stopped without finishing.");
    }
    if (job) {
        job->ran = true;
        job->accepted = errors.isEmpty() && result() == QDialog::Accepted;
        job->errors = errors;
        job->createPath = createPath();
        job->fileBaseName = fileName();
        job->pins = figurePins();
    }
    return result();
}

} // namespace IPCore
