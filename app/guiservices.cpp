#include "guiservices.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPlainTextEdit>

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
    return QApplication::activeWindow();
}

void GuiServices::openEditor(const QString &path, bool readOnly)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        showErrorMsgs(tr("Cannot open \"%1\".").arg(path), {file.errorString()});
        return;
    }
    auto *viewer = new QPlainTextEdit;
    viewer->setAttribute(Qt::WA_DeleteOnClose);
    viewer->setObjectName(QStringLiteral("editor"));
    // A viewer: the files are generated, and edits could not be saved anyway.
    Q_UNUSED(readOnly)
    viewer->setWindowTitle(QFileInfo(path).fileName() + tr(" (read-only)"));
    viewer->setReadOnly(true);
    viewer->setLineWrapMode(QPlainTextEdit::NoWrap);
    viewer->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    viewer->setPlainText(QString::fromUtf8(file.readAll()));
    viewer->resize(800, 600);
    viewer->show();
    m_editors << viewer;
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
    Q_UNUSED(paths)
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
