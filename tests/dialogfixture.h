#pragma once

#include "dds2dlg.h"
#include "devicecatalogue.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

#include <memory>

/// The information map the descriptor hands to a dialog, with the data folder of the built plug-in.
inline QMap<QString, QVariant> dialogInfo()
{
    return {{"ipcore.id", "dds_ii"},
            {"ipcore.name", "DDS II"},
            {"ipcore.label", "DDS II: Direct Digital Synthesizer"},
            {"ipcore.module", "dds_ii_top"},
            {"ipcore.target", "dds_ii"},
            {"ipcore.doc.help", "dds_ii_help.html"},
            {"ipcore.dir.data", DDS2_PLUGIN_DIR "/data"}};
}

/// A new-instance dialog as the descriptor primes it, with helpers to drive it as a user does.
class DialogDriver
{
public:
    explicit DialogDriver(IPDDSYN::dds2dlg *dialog = nullptr)
        : m_dialog(dialog ? dialog : new IPDDSYN::dds2dlg(dialogInfo()))
    {
        m_dialog->setCreating("/tmp/dds_ii_test", DEV::DeviceCatalogue::find("RQ3B/RQ4K-01"));
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
    QLineEdit *edit(const QString &name) const { return find<QLineEdit>(name); }
    QAbstractButton *button(const QString &name) const { return find<QAbstractButton>(name); }

    /// Selects `text` in a list as a user picks it; false when the list does not offer it.
    bool choose(const QString &list, const QString &text) const
    {
        QComboBox *box = find<QComboBox>(list);
        const int index = box->findText(text);
        if (index >= 0)
            box->setCurrentIndex(index);
        return index >= 0;
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

private:
    std::unique_ptr<IPDDSYN::dds2dlg> m_dialog;
};
