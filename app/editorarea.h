#pragma once

#include <QTabWidget>

class CodeView;

/// The main window's editor area: one read-only tab a file.
class EditorArea : public QTabWidget
{
    Q_OBJECT
public:
    explicit EditorArea(QWidget *parent = nullptr);

    /// Shows the file in its tab, opening or reloading it; false with
    /// `error` set when it cannot be read.
    bool openFile(const QString &path, QString &error);
    /// Adds a tab of another kind (a plot, a report) and shows it.
    void addPage(QWidget *page, const QString &title);
    CodeView *view(const QString &path) const;

protected:
    void paintEvent(QPaintEvent *event) override;
};
