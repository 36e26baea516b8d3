#pragma once

#include <QPlainTextEdit>

/// A read-only view of a text file with line numbers in a gutter; HDL
/// sources are highlighted.
class CodeView : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit CodeView(QWidget *parent = nullptr);

    /// Shows the file's text; false with `error` set when it cannot be read,
    /// and the view keeps what it showed.
    bool openFile(const QString &path, QString &error);
    QString path() const { return m_path; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int gutterWidth() const;
    void layoutGutter();
    void paintGutter(QPaintEvent *event);
    void updateGutter(const QRect &rect, int dy);

    QWidget *m_gutter;
    QString m_path;
};
