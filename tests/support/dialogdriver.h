#pragma once

#include "dds2dlg.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMap>
#include <QSpinBox>
#include <QVariant>

#include <memory>

/// A new-instance dialog as the descriptor primes it, with helpers to drive it as a user does.
class DialogDriver
{
public:
    /// The information map the descriptor hands to a dialog, with the built plug-in's data folder.
    static QMap<QString, QVariant> info();

    explicit DialogDriver(IPDDSYN::dds2dlg *dialog = nullptr);

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
    bool choose(const QString &list, const QString &text) const;
    /// Replaces the text of a line edit by typing and leaves the field.
    void type(const QString &name, const QString &text) const;
    /// Clicks a check box or radio button when it is not yet in the state `on`.
    void check(const QString &name, bool on = true) const;

private:
    std::unique_ptr<IPDDSYN::dds2dlg> m_dialog;
};
