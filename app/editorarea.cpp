#include "editorarea.h"

#include "codeview.h"

#include <QFileInfo>
#include <QPainter>

EditorArea::EditorArea(QWidget *parent)
    : QTabWidget(parent)
{
    setObjectName(QStringLiteral("editorArea"));
    setDocumentMode(true);
    setTabsClosable(true);
    setMovable(true);
    connect(this, &QTabWidget::tabCloseRequested, this, [this](int index) {
        delete widget(index);
    });
}

CodeView *EditorArea::view(const QString &path) const
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (int i = 0; i < count(); ++i) {
        auto *view = qobject_cast<CodeView *>(widget(i));
        if (view && view->path() == absolute)
            return view;
    }
    return nullptr;
}

bool EditorArea::openFile(const QString &path, QString &error)
{
    CodeView *existing = view(path);
    CodeView *target = existing ? existing : new CodeView;
    if (!target->openFile(path, error)) {
        if (!existing)
            delete target;
        return false;
    }
    if (!existing) {
        const int index = addTab(target, QFileInfo(path).fileName());
        setTabToolTip(index, target->path());
    }
    setCurrentWidget(target);
    return true;
}

void EditorArea::addPage(QWidget *page, const QString &title)
{
    setCurrentIndex(addTab(page, title));
}

void EditorArea::paintEvent(QPaintEvent *event)
{
    QTabWidget::paintEvent(event);
    if (count() > 0)
        return;
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    painter.drawText(rect(),
                     Qt::AlignCenter,
                     tr("Generated files open here.\n\n"
                        "New Core (Ctrl+N) configures a core from the catalogue;\n"
                        "Open Configuration (Ctrl+O) reopens a saved one."));
}
