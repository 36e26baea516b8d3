#include "spectrumview.h"

#include <QPainter>

SpectrumView::SpectrumView(QWidget *parent)
    : QWidget(parent)
{
    setMinimumSize(400, 260);
}

void SpectrumView::setPlot(const SpectrumPlot &plot)
{
    m_plot = plot;
    update();
}

void SpectrumView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_plot.paint(&painter, rect());
}
