#include "cataloguepanel.h"

#include "baseipcoreinterface.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

using TE::TE_IPCore_Def::BaseIPCoreInterface;

Q_DECLARE_METATYPE(BaseIPCoreInterface *)

namespace {

// The core's own picture from its plug-in's resources, else a generic one.
QIcon coreIcon(const QStyle *style)
{
    const QString picture = QStringLiteral(":/image/module.png");
    return QFile::exists(picture) ? QIcon(picture) : style->standardIcon(QStyle::SP_FileIcon);
}

QTreeWidgetItem *childNamed(QTreeWidgetItem *parent, const QString &text)
{
    for (int i = 0; i < parent->childCount(); ++i) {
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    }
    return nullptr;
}

} // namespace

CataloguePanel::CataloguePanel(QWidget *parent)
    : QWidget(parent)
    , m_tree(new QTreeWidget)
    , m_summary(new QLabel)
{
    m_tree->setObjectName(QStringLiteral("catalogue"));
    m_tree->setHeaderLabels({tr("Core"), tr("Version")});
    m_tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_tree->header()->setStretchLastSection(false);
    m_tree->setIconSize(QSize(20, 20));
    m_summary->setObjectName(QStringLiteral("coreSummary"));
    m_summary->setWordWrap(true);
    m_summary->setTextFormat(Qt::RichText);
    m_summary->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_summary->setMinimumHeight(m_summary->fontMetrics().height() * 6);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_summary);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, [this] {
        showSummary();
        emit currentCoreChanged();
    });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (currentCore())
            emit coreActivated();
    });
    showSummary();
}

void CataloguePanel::setCores(const QList<BaseIPCoreInterface *> &cores)
{
    m_tree->clear();
    const QIcon folder = style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon icon = coreIcon(style());
    QTreeWidgetItem *first = nullptr;
    for (BaseIPCoreInterface *core : cores) {
        // The category list is a path: "DSP", "Waveform Synthesis".
        QTreeWidgetItem *parent = m_tree->invisibleRootItem();
        for (const QString &category : core->category()) {
            QTreeWidgetItem *item = childNamed(parent, category);
            if (!item) {
                item = new QTreeWidgetItem(parent, {category});
                item->setIcon(0, folder);
            }
            parent = item;
        }
        auto *item = new QTreeWidgetItem(parent, {core->name(), core->version()});
        item->setIcon(0, icon);
        item->setData(0, Qt::UserRole, QVariant::fromValue(core));
        item->setToolTip(0, core->summary());
        if (!first)
            first = item;
    }
    m_tree->expandAll();
    m_tree->resizeColumnToContents(1);
    m_tree->setCurrentItem(first);
    setDevice(m_device);
}

void CataloguePanel::setDevice(const DEV::DeviceArg &device)
{
    m_device = device;
    // Cores the device cannot take stay listed, greyed.
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        auto *core = (*it)->data(0, Qt::UserRole).value<BaseIPCoreInterface *>();
        if (core)
            (*it)->setForeground(0,
                                 palette().color(device.isValid() && core->supportsDevice(device)
                                                         ? QPalette::Active
                                                         : QPalette::Disabled,
                                                 QPalette::Text));
    }
    showSummary();
}

BaseIPCoreInterface *CataloguePanel::currentCore() const
{
    const QTreeWidgetItem *item = m_tree->currentItem();
    return item ? item->data(0, Qt::UserRole).value<BaseIPCoreInterface *>() : nullptr;
}

bool CataloguePanel::canCreate() const
{
    BaseIPCoreInterface *core = currentCore();
    return core && m_device.isValid() && core->supportsDevice(m_device);
}

void CataloguePanel::showSummary()
{
    BaseIPCoreInterface *core = currentCore();
    if (!core) {
        m_summary->setText(tr("<i>Choose a core to see what it does.</i>"));
        return;
    }
    const QString support
            = !m_device.isValid() ? tr("<i>Choose a target device.</i>")
              : core->supportsDevice(m_device)
                      ? tr("<span style='color:#2e7d32'>&#10004; Supports %1.</span>")
                                .arg(m_device.displayName().toHtmlEscaped())
                      : tr("<span style='color:#c62828'>&#10008; Does not support %1; "
                           "choose another device.</span>")
                                .arg(m_device.displayName().toHtmlEscaped());
    m_summary->setText(tr("<b>%1</b> %2 <code>%3</code><p>%4</p><p>%5</p>")
                               .arg(core->name().toHtmlEscaped(),
                                    core->version().toHtmlEscaped(),
                                    core->id().toHtmlEscaped(),
                                    core->summary().toHtmlEscaped(),
                                    support));
}
