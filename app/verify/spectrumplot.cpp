#include "spectrumplot.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <tuple>

namespace {

// A tick step of 1, 2 or 5 times a power of ten giving at most `ticks` steps.
double tickStep(double range, int ticks)
{
    const double raw = range / ticks;
    const double decade = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0}) {
        if (m * decade >= raw)
            return m * decade;
    }
    return 10 * decade;
}

// Text with a white box behind it, kept inside `bounds`.
void label(QPainter *p, QPointF at, const QString &text, const QRectF &bounds)
{
    const QRectF box = QFontMetricsF(p->font()).boundingRect(text).adjusted(-3, -1, 3, 1);
    at.setX(qBound(bounds.left() - box.left(), at.x(), bounds.right() - box.right()));
    at.setY(qBound(bounds.top() - box.top(), at.y(), bounds.bottom() - box.bottom()));
    p->fillRect(box.translated(at), QColor(255, 255, 255, 220));
    p->drawText(at, text);
}

QString dbText(double db)
{
    return QString::number(std::abs(db) < 0.05 ? 0.0 : db, 'f', 1);
}

void arrowHead(QPainter *p, QPointF tip, double direction)
{
    QPainterPath head(tip);
    head.lineTo(tip + QPointF(-4, -8 * direction));
    head.lineTo(tip + QPointF(4, -8 * direction));
    head.closeSubpath();
    p->fillPath(head, p->pen().color());
}

} // namespace

SpectrumPlot::SpectrumPlot(Data data)
    : m_data(std::move(data))
{}

QImage SpectrumPlot::image(const QSize &size) const
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    paint(&painter, QRectF(QPointF(0, 0), size));
    return image;
}

void SpectrumPlot::paint(QPainter *p, const QRectF &area) const
{
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    p->fillRect(area, Qt::white);
    QFont font = p->font();
    font.setPixelSize(13);
    font.setBold(true);
    p->setFont(font);
    p->setPen(Qt::black);
    p->drawText(area.adjusted(10, 8, -10, 0), Qt::AlignHCenter | Qt::AlignTop, m_data.title);
    font.setBold(false);
    font.setPixelSize(12);
    p->setFont(font);
    p->drawText(area.adjusted(10, 28, -10, 0), Qt::AlignHCenter | Qt::AlignTop, m_data.subtitle);
    const QRectF plot = area.adjusted(75, 60, -30, -55);
    if (isEmpty() || plot.width() < 50 || plot.height() < 50) {
        p->restore();
        return;
    }

    const QVector<double> &level = m_data.levelDbfs;
    const int bins = level.size();
    const double carrier = level.value(m_data.carrierBin);
    const double spurLine = carrier - m_data.sfdrDb;
    const double top = 10;
    const double bottom = std::floor((spurLine - 25) / 20) * 20;
    const double fMax = m_data.binMHz * (bins - 1);
    auto x = [&](double mhz) { return plot.left() + plot.width() * mhz / fMax; };
    auto y = [&](double db) {
        return plot.top() + plot.height() * (top - qBound(bottom, db, top)) / (top - bottom);
    };

    // Grid and tick labels.
    const double xStep = tickStep(fMax, 10);
    const double yStep = top - bottom > 100 ? 20 : 10;
    p->setPen(QColor(225, 225, 225));
    for (double f = 0; f <= fMax + 1e-9; f += xStep)
        p->drawLine(QPointF(x(f), plot.top()), QPointF(x(f), plot.bottom()));
    for (double db = 0; db >= bottom; db -= yStep)
        p->drawLine(QPointF(plot.left(), y(db)), QPointF(plot.right(), y(db)));
    p->setPen(Qt::black);
    p->drawRect(plot);
    const int decimals = xStep < 1 ? int(std::ceil(-std::log10(xStep))) : 0;
    for (double f = 0; f <= fMax + 1e-9; f += xStep)
        p->drawText(QRectF(x(f) - 40, plot.bottom() + 4, 80, 16),
                    Qt::AlignHCenter | Qt::AlignTop,
                    QString::number(f, 'f', decimals));
    for (double db = 0; db >= bottom; db -= yStep)
        p->drawText(QRectF(plot.left() - 48, y(db) - 8, 42, 16),
                    Qt::AlignRight | Qt::AlignVCenter,
                    QString::number(db));
    p->drawText(QRectF(plot.left(), plot.bottom() + 22, plot.width(), 18),
                Qt::AlignHCenter,
                QStringLiteral("Frequency (MHz)"));
    p->save();
    p->translate(area.left() + 16, plot.center().y());
    p->rotate(-90);
    p->drawText(QRectF(-100, -9, 200, 18), Qt::AlignCenter, QStringLiteral("Level (dBFS)"));
    p->restore();

    // The spectrum.
    QPolygonF trace;
    trace.reserve(bins);
    for (int k = 0; k < bins; ++k)
        trace << QPointF(x(k * m_data.binMHz), y(level[k]));
    p->save();
    p->setClipRect(plot);
    p->setPen(QPen(QColor(31, 90, 160), 1));
    p->drawPolyline(trace);
    p->restore();

    // Carrier, worst spur and the SFDR between them.
    const QPointF carrierAt(x(m_data.carrierBin * m_data.binMHz), y(carrier));
    // A windowed spur spreads over its main lobe; mark its peak.
    int spur = qBound(0, m_data.spurBin, bins - 1);
    for (int k = std::max(0, spur - 4); k <= std::min(bins - 1, m_data.spurBin + 4); ++k) {
        if (std::abs(k - m_data.carrierBin) > 4 && level[k] > level[spur])
            spur = k;
    }
    const QPointF spurAt(x(spur * m_data.binMHz), y(level[spur]));
    const QColor carrierColor(0, 130, 60), spurColor(200, 30, 30), sfdrColor(120, 60, 160);
    const bool dimensionRight = spurAt.x() + 70 < plot.right();
    const double dimX = spurAt.x() + (dimensionRight ? 45 : -45);
    p->setPen(QPen(sfdrColor, 1, Qt::DashLine));
    p->drawLine(QPointF(std::min(carrierAt.x(), dimX) - 8, carrierAt.y()),
                QPointF(std::max(carrierAt.x(), dimX) + 8, carrierAt.y()));
    p->drawLine(QPointF(std::min(spurAt.x(), dimX) - 8, y(spurLine)),
                QPointF(std::max(spurAt.x(), dimX) + 8, y(spurLine)));
    p->setPen(QPen(sfdrColor, 1.5));
    p->drawLine(QPointF(dimX, carrierAt.y() + 8), QPointF(dimX, y(spurLine) - 8));
    arrowHead(p, QPointF(dimX, carrierAt.y()), -1);
    arrowHead(p, QPointF(dimX, y(spurLine)), 1);
    font.setBold(true);
    p->setFont(font);
    const QString sfdrText = QStringLiteral("SFDR %1 dB").arg(m_data.sfdrDb, 0, 'f', 1);
    const double textWidth = QFontMetricsF(font).horizontalAdvance(sfdrText);
    const double midY = (carrierAt.y() + y(spurLine)) / 2 + 5;
    label(p, QPointF(dimensionRight ? dimX + 6 : dimX - 6 - textWidth, midY), sfdrText, plot);
    font.setBold(false);
    p->setFont(font);

    for (const auto &[at, color, text] :
         {std::make_tuple(carrierAt,
                          carrierColor,
                          QStringLiteral("carrier %1 MHz, %2 dBFS")
                                  .arg(m_data.carrierMHz, 0, 'f', 3)
                                  .arg(dbText(carrier))),
          std::make_tuple(spurAt,
                          spurColor,
                          QStringLiteral("worst spur %1 MHz, %2 dBFS")
                                  .arg(spur * m_data.binMHz, 0, 'f', 3)
                                  .arg(dbText(level[spur])))}) {
        p->setPen(QPen(color, 2));
        p->setBrush(Qt::NoBrush);
        p->drawEllipse(at, 5, 5);
        label(p, at + QPointF(9, -9), text, plot);
    }
    p->restore();
}
