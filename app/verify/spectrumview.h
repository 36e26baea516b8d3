#pragma once

#include "spectrumplot.h"

#include <QWidget>

/// Shows a SpectrumPlot, scaled to the widget.
class SpectrumView : public QWidget
{
    Q_OBJECT

public:
    explicit SpectrumView(QWidget *parent = nullptr);

    void setPlot(const SpectrumPlot &plot);
    QSize sizeHint() const override { return QSize(1000, 600); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SpectrumPlot m_plot;
};
