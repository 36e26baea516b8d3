#include "codeview.h"

#include "hdlhighlighter.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPainter>
#include <QTextBlock>

CodeView::CodeView(QWidget *parent)
    : QPlainTextEdit(parent)
    , m_gutter(new QWidget(this))
{
    setObjectName(QStringLiteral("editor"));
    // A viewer: the files are generated, and edits could not be saved anyway.
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_gutter->setObjectName(QStringLiteral("lineNumbers"));
    m_gutter->installEventFilter(this);
    connect(this, &QPlainTextEdit::blockCountChanged, this, &CodeView::layoutGutter);
    connect(this, &QPlainTextEdit::updateRequest, this, &CodeView::updateGutter);
    layoutGutter();
}

bool CodeView::openFile(const QString &path, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = tr("Cannot open \"%1\": %2.").arg(path, file.errorString());
        return false;
    }
    const QString text = QString::fromUtf8(file.readAll());
    m_path = QFileInfo(path).absoluteFilePath();
    delete document()->findChild<HdlHighlighter *>();
    setPlainText(text);
    const HdlHighlighter::Language language = HdlHighlighter::languageOf(path);
    if (language != HdlHighlighter::Language::None)
        new HdlHighlighter(language, document());
    setWindowTitle(QFileInfo(path).fileName() + tr(" (read-only)"));
    return true;
}

int CodeView::gutterWidth() const
{
    const int digits = QString::number(qMax(1, blockCount())).size();
    return fontMetrics().horizontalAdvance(QLatin1Char('9')) * (digits + 2);
}

bool CodeView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_gutter && event->type() == QEvent::Paint) {
        paintGutter(static_cast<QPaintEvent *>(event));
        return true;
    }
    return QPlainTextEdit::eventFilter(watched, event);
}

void CodeView::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    layoutGutter();
}

void CodeView::layoutGutter()
{
    const int width = gutterWidth();
    setViewportMargins(width, 0, 0, 0);
    const QRect area = contentsRect();
    m_gutter->setGeometry(area.left(), area.top(), width, area.height());
}

void CodeView::updateGutter(const QRect &rect, int dy)
{
    if (dy != 0)
        m_gutter->scroll(0, dy);
    else
        m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
}

void CodeView::paintGutter(QPaintEvent *event)
{
    QPainter painter(m_gutter);
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
    painter.setFont(font());
    const int margin = fontMetrics().horizontalAdvance(QLatin1Char('9')) / 2;
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    while (block.isValid() && top <= event->rect().bottom()) {
        const int height = qRound(blockBoundingRect(block).height());
        if (block.isVisible() && top + height >= event->rect().top())
            painter.drawText(0,
                             top,
                             m_gutter->width() - margin,
                             fontMetrics().height(),
                             Qt::AlignRight,
                             QString::number(block.blockNumber() + 1));
        top += height;
        block = block.next();
    }
}
