#pragma once

#include <QImage>
#include <QRectF>
#include <QString>
#include <QVector>

class QPainter;

/// A measured spectrum as a chart: level in dBFS over frequency in MHz, the
/// carrier and the worst spur marked and the SFDR drawn as the distance
/// between them. Draws onto any painter, so a file and a widget show the same.
class SpectrumPlot
{
public:
    struct Data
    {
        QString title;
        QString subtitle;
        QVector<double> levelDbfs; // bins 0 .. N/2
        double binMHz = 0;
        int carrierBin = 0;
        double carrierMHz = 0;
        int spurBin = 0; // the peak is looked for a few bins either side
        double sfdrDb = 0;
    };

    SpectrumPlot() = default;
    explicit SpectrumPlot(Data data);

    bool isEmpty() const { return m_data.levelDbfs.size() < 2; }
    void paint(QPainter *painter, const QRectF &area) const;
    QImage image(const QSize &size) const;

private:
    Data m_data;
};
