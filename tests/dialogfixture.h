#pragma once

#include "dds2dlg.h"
#include "devicecatalogue.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include <memory>

/// The information map the descriptor hands to a dialog, with the data folder of the built plug-in.
inline QMap<QString, QVariant> dialogInfo()
{
    return {{QStringLiteral("ipcore.id"), QStringLiteral("dds_ii")},
            {QStringLiteral("ipcore.name"), QStringLiteral("DDS II")},
            {QStringLiteral("ipcore.label"), QStringLiteral("DDS II: Direct Digital Synthesizer")},
            {QStringLiteral("ipcore.module"), QStringLiteral("dds_ii_top")},
            {QStringLiteral("ipcore.target"), QStringLiteral("dds_ii")},
            {QStringLiteral("ipcore.doc.help"), QStringLiteral("dds_ii_help.html")},
            {QStringLiteral("ipcore.dir.data"), QStringLiteral(DDS2_PLUGIN_DIR "/data")}};
}

/// A new-instance dialog as the descriptor primes it, with helpers to drive it as a user does.
class DialogDriver
{
public:
    explicit DialogDriver(IPDDSYN::dds2dlg *dialog = nullptr)
        : m_dialog(dialog ? dialog : new IPDDSYN::dds2dlg(dialogInfo()))
    {
        m_dialog->setCreating(QStringLiteral("/tmp/dds_ii_test"),
                              DEV::DeviceCatalogue::find(QStringLiteral("RQ3B/RQ4K-01")));
    }

    IPDDSYN::dds2dlg *dialog() const { return m_dialog.get(); }

    template<typename T>
    T *find(const QString &name) const
    {
        T *widget = m_dialog->findChild<T *>(name);
        if (!widget)
            qFatal("no widget named %s", qPrintable(name));
        return widget;
    }
    QComboBox *combo(const QString &name) const { return find<QComboBox>(name); }
    QLineEdit *edit(const QString &name) const { return find<QLineEdit>(name); }
    QSpinBox *spin(const QString &name) const { return find<QSpinBox>(name); }
    QLabel *label(const QString &name) const { return find<QLabel>(name); }
    QAbstractButton *button(const QString &name) const { return find<QAbstractButton>(name); }

    /// Selects `text` in a list as a user picks it; false when the list does not offer it.
    bool choose(const QString &list, const QString &text) const
    {
        QComboBox *box = combo(list);
        const int index = box->findText(text);
        if (index < 0)
            return false;
        box->setCurrentIndex(index);
        return true;
    }
    /// Replaces the text of a line edit by typing and leaves the field.
    void type(const QString &name, const QString &text) const
    {
        QLineEdit *field = edit(name);
        field->selectAll();
        field->del();
        QTest::keyClicks(field, text);
        emit field->editingFinished();
    }
    QStringList items(const QString &list) const
    {
        QStringList texts;
        QComboBox *box = combo(list);
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    }
    QStringList pinLabels() const
    {
        QStringList labels;
        for (const Utils::PinFigure &pin : m_dialog->figurePins())
            labels << pin.label();
        return labels;
    }

private:
    std::unique_ptr<IPDDSYN::dds2dlg> m_dialog;
};
