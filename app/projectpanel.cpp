#include "projectpanel.h"

#include "project.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QVBoxLayout>

ProjectPanel::ProjectPanel(QWidget *parent)
    : QWidget(parent)
    , m_title(new QLabel)
    , m_list(new QListWidget)
{
    m_title->setObjectName(QStringLiteral("projectDirectory"));
    m_title->setWordWrap(true);
    m_list->setObjectName(QStringLiteral("projectFiles"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_title);
    layout->addWidget(m_list, 1);
    connect(m_list, &QListWidget::itemActivated, this, [this](QListWidgetItem *item) {
        emit fileActivated(item->data(Qt::UserRole).toString());
    });
    connect(m_list, &QListWidget::currentItemChanged, this, &ProjectPanel::currentFileChanged);
    refresh();
}

void ProjectPanel::setDirectory(const QString &dir)
{
    m_dir = dir.isEmpty() ? QString() : QDir::cleanPath(QDir(dir).absolutePath());
    refresh();
}

void ProjectPanel::refresh()
{
    m_list->clear();
    if (m_dir.isEmpty()) {
        m_title->setText(tr("<i>No project yet: New Core picks its output directory.</i>"));
        emit filesChanged();
        return;
    }
    m_title->setText(tr("<b>%1</b>").arg(QDir::toNativeSeparators(m_dir).toHtmlEscaped()));
    m_title->setToolTip(Core::Project::projectFile(m_dir));
    const QIcon fileIcon = style()->standardIcon(QStyle::SP_FileIcon);
    const QIcon missingIcon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const QString &path : Core::Project::files(m_dir)) {
        const bool exists = QFileInfo(path).isFile();
        auto *item = new QListWidgetItem(
                exists ? fileIcon : missingIcon, QDir(m_dir).relativeFilePath(path), m_list);
        item->setData(Qt::UserRole, path);
        item->setToolTip(exists ? path : tr("%1 is missing; generate the core again.").arg(path));
    }
    if (m_list->count() == 0)
        m_title->setText(m_title->text() + tr("<br><i>No generated files yet.</i>"));
    emit filesChanged();
}

QStringList ProjectPanel::files() const
{
    QStringList list;
    for (int i = 0; i < m_list->count(); ++i)
        list << m_list->item(i)->data(Qt::UserRole).toString();
    return list;
}

QString ProjectPanel::currentFile() const
{
    return m_list->currentItem() ? m_list->currentItem()->data(Qt::UserRole).toString() : QString();
}

void ProjectPanel::setCurrentFile(const QString &path)
{
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->data(Qt::UserRole).toString() == path)
            m_list->setCurrentRow(i);
    }
}
