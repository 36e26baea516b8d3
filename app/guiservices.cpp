#include "guiservices.h"

#include "codeview.h"
#include "editorarea.h"

#include <QApplication>
#include <QMessageBox>

GuiServices::GuiServices(QObject *parent)
    : Core::HostServices(parent)
{}

GuiServices::~GuiServices()
{
    for (const QPointer<QWidget> &editor : qAsConst(m_editors))
        delete editor.data();
}

QWidget *GuiServices::dialogParent() const
{
    // Without a window manager nothing may be active; the main window then.
    QWidget *active = QApplication::activeWindow();
    return active || !m_area ? active : m_area->window();
}

void GuiServices::setEditorArea(EditorArea *area)
{
    m_area = area;
}

void GuiServices::openEditor(const QString &path, bool readOnly)
{
    // Views only: the files are generated, and edits could not be saved anyway.
    Q_UNUSED(readOnly)
    QString error;
    if (!(m_area ? m_area->openFile(path, error) : openViewer(path, error)))
        showErrorMsgs(tr("Cannot open \"%1\".").arg(path), {error});
}

bool GuiServices::openViewer(const QString &path, QString &error)
{
    auto *viewer = new CodeView;
    if (!viewer->openFile(path, error)) {
        delete viewer;
        return false;
    }
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->resize(800, 600);
    viewer->show();
    m_editors << viewer;
    return true;
}

QList<QWidget *> GuiServices::openEditors() const
{
    QList<QWidget *> list;
    for (const QPointer<QWidget> &editor : m_editors) {
        if (editor)
            list << editor.data();
    }
    return list;
}

void GuiServices::addFilesToProject(const QStringList &paths)
{
    emit filesAddedToProject(paths);
}

void GuiServices::showErrorMsgs(const QString &summary, const QStringList &details)
{
    QStringList lines = details;
    lines.removeAll(QString());
    QMessageBox box(QMessageBox::Critical, tr("Error"), summary, QMessageBox::Ok, dialogParent());
    box.setObjectName(QStringLiteral("errorList"));
    if (!lines.isEmpty()) {
        // The first line usually names the cause; the rest wait behind "Show Details...".
        box.setInformativeText(lines.size() == 1 ? lines.first()
                                                 : tr("%1\n(%2 more lines in the details)")
                                                           .arg(lines.first())
                                                           .arg(lines.size() - 1));
        box.setDetailedText(lines.join(QLatin1Char('\n')));
    }
    box.exec();
    emit errorsShown(summary, details);
}
