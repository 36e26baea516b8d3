#pragma once

#include <QWidget>

QT_BEGIN_NAMESPACE
class QLabel;
class QListWidget;
QT_END_NAMESPACE

/// The project of an output directory: the files generation added to it.
class ProjectPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ProjectPanel(QWidget *parent = nullptr);

    void setDirectory(const QString &dir);
    QString directory() const { return m_dir; }
    /// Reads the project file again.
    void refresh();
    QStringList files() const;
    /// The file the user picked, empty when none is.
    QString currentFile() const;
    void setCurrentFile(const QString &path);

signals:
    /// The list was read again.
    void filesChanged();
    /// The user picked another file.
    void currentFileChanged();
    /// A file was double-clicked.
    void fileActivated(const QString &path);

private:
    QString m_dir;
    QLabel *m_title;
    QListWidget *m_list;
};
