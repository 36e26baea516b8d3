#pragma once

#include "devicearg.h"

#include <QWidget>

QT_BEGIN_NAMESPACE
class QLabel;
class QTreeWidget;
QT_END_NAMESPACE

namespace TE {
namespace TE_IPCore_Def {
class BaseIPCoreInterface;
}
} // namespace TE

/// The IP catalogue: the cores in a tree of their categories, and the
/// summary of the chosen one with whether it supports the target device.
class CataloguePanel : public QWidget
{
    Q_OBJECT
public:
    explicit CataloguePanel(QWidget *parent = nullptr);

    void setCores(const QList<TE::TE_IPCore_Def::BaseIPCoreInterface *> &cores);
    void setDevice(const DEV::DeviceArg &device);
    /// The chosen core, or nullptr when a category or nothing is chosen.
    TE::TE_IPCore_Def::BaseIPCoreInterface *currentCore() const;
    /// Whether the chosen core can be made for the target device.
    bool canCreate() const;

signals:
    void currentCoreChanged();
    /// A core was double-clicked.
    void coreActivated();

private:
    void showSummary();

    QTreeWidget *m_tree;
    QLabel *m_summary;
    DEV::DeviceArg m_device;
};
