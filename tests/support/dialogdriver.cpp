#include "dialogdriver.h"

#include "devicecatalogue.h"

#include <QTest>

QMap<QString, QVariant> DialogDriver::info()
{
    return {{"ipcore.id", "dds_ii"},
            {"ipcore.name", "DDS II"},
            {"ipcore.label", "DDS II: Direct Digital Synthesizer"},
            {"ipcore.module", "dds_ii_top"},
            {"ipcore.target", "dds_ii"},
            {"ipcore.doc.help", "dds_ii_help.html"},
            {"ipcore.dir.data", DDS2_PLUGIN_DIR "/data"}};
}

DialogDriver::DialogDriver(IPDDSYN::dds2dlg *dialog)
    : m_dialog(dialog ? dialog : new IPDDSYN::dds2dlg(info()))
{
    m_dialog->setCreating("/tmp/dds_ii_test", DEV::DeviceCatalogue::find("RQ3B/RQ4K-01"));
}

bool DialogDriver::choose(const QString &list, const QString &text) const
{
    QComboBox *box = find<QComboBox>(list);
    const int index = box->findText(text);
    if (index >= 0)
        box->setCurrentIndex(index);
    return index >= 0;
}

void DialogDriver::type(const QString &name, const QString &text) const
{
    QLineEdit *field = edit(name);
    field->selectAll();
    field->del();
    QTest::keyClicks(field, text);
    emit field->editingFinished();
}

void DialogDriver::check(const QString &name, bool on) const
{
    if (button(name)->isChecked() != on)
        button(name)->click();
}
