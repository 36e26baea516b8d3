#include "portfigureview.h"

#include <QPainter>

#include <algorithm>

namespace IPCore {

namespace {
const int Margin = 16;
const int PinLength = 32;
const int LabelInset = 8;
const int BusSlash = 5;
} // namespace

PortFigureView::PortFigureView(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("portFigure"));
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

PortFigureView::~PortFigureView() = default;

void PortFigureView::setPins(const QList<Utils::PinFigure> &pins)
{
    m_pins = pins;
    updateGeometry();
    update();
}

void PortFigureView::setTitle(const QString &title)
{
    m_title = title;
    updateGeometry();
    update();
}

QList<Utils::PinFigure> PortFigureView::side(int which) const
{
    QList<Utils::PinFigure> list;
    std::copy_if(m_pins.cbegin(),
                 m_pins.cend(),
                 std::back_inserter(list),
                 [which](const Utils::PinFigure &pin) { return pin.side() == which; });
    return list;
}

PortFigureView::Metrics PortFigureView::metrics() const
{
    const QFontMetrics plain(font());
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics titleMetrics(bold);
    Metrics m{};
    m.rowHeight = plain.height() + 8;
    m.titleHeight = titleMetrics.height() + 14;
    for (const Utils::PinFigure &pin : m_pins) {
        int &width = pin.side() == 0 ? m.leftWidth : m.rightWidth;
        width = std::max(width, plain.horizontalAdvance(pin.label()));
    }
    const int rows = std::max(side(0).size(), side(1).size());
    m.blockWidth = std::max({m.leftWidth + m.rightWidth + 2 * LabelInset + 32,
                             titleMetrics.horizontalAdvance(m_title) + 2 * LabelInset,
                             120});
    m.blockHeight = m.titleHeight + std::max(rows, 1) * m.rowHeight + 8;
    return m;
}

QSize PortFigureView::sizeHint() const
{
    const Metrics m = metrics();
    return {2 * (Margin + PinLength) + m.blockWidth, 2 * Margin + m.blockHeight};
}

QSize PortFigureView::minimumSizeHint() const
{
    return sizeHint();
}

void PortFigureView::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    const Metrics m = metrics();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const QPalette pal = palette();
    const QColor ink = pal.color(QPalette::Text);
    const int blockLeft = std::max(Margin + PinLength, (width() - m.blockWidth) / 2);
    const QRect block(blockLeft, Margin, m.blockWidth, m.blockHeight);

    painter.setPen(QPen(ink, 1.5));
    painter.setBrush(pal.color(QPalette::AlternateBase));
    painter.drawRoundedRect(block, 4, 4);

    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    const QRect titleRect(block.left(), block.top(), block.width(), m.titleHeight);
    painter.drawText(titleRect, Qt::AlignCenter, m_title);
    painter.setPen(QPen(pal.color(QPalette::Mid), 1));
    painter.drawLine(block.left() + 1, titleRect.bottom(), block.right() - 1, titleRect.bottom());
    painter.setFont(font());

    for (int which = 0; which < 2; ++which) {
        const QList<Utils::PinFigure> pins = side(which);
        for (int row = 0; row < pins.size(); ++row) {
            const Utils::PinFigure &pin = pins.at(row);
            const int y = block.top() + m.titleHeight + row * m.rowHeight + m.rowHeight / 2;
            const int edge = which == 0 ? block.left() : block.right();
            const int outer = which == 0 ? edge - PinLength : edge + PinLength;
            painter.setPen(QPen(ink, pin.isBus() ? 3.5 : 1.5, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(outer, y, edge, y);
            if (pin.isBus()) {
                const int x = (outer + edge) / 2;
                painter.setPen(QPen(ink, 1.5));
                painter.drawLine(x - BusSlash, y + BusSlash + 1, x + BusSlash, y - BusSlash - 1);
            }
            painter.setPen(ink);
            const QRect labelRect
                    = which == 0 ? QRect(
                              edge + LabelInset, y - m.rowHeight / 2, m.leftWidth + 1, m.rowHeight)
                                 : QRect(edge - LabelInset - m.rightWidth - 1,
                                         y - m.rowHeight / 2,
                                         m.rightWidth + 1,
                                         m.rowHeight);
            painter.drawText(labelRect, Qt::AlignVCenter | pin.alignment(), pin.label());
        }
    }
}

} // namespace IPCore
