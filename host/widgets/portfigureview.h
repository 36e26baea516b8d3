#pragma once

#include "hostexport.h"
#include "pinfigure.h"

#include <QList>
#include <QWidget>

namespace IPCore {

/// Draws a core as a block with its input pins on the left and its output
/// pins on the right; buses are drawn thick with a slash across.
class IPCORE_WIDGETS_EXPORT PortFigureView : public QWidget
{
    Q_OBJECT
public:
    explicit PortFigureView(QWidget *parent = nullptr);
    ~PortFigureView() override;

    void setPins(const QList<Utils::PinFigure> &pins);
    QList<Utils::PinFigure> pins() const { return m_pins; }
    /// The name written at the top of the block.
    void setTitle(const QString &title);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    struct Metrics
    {
        int rowHeight;
        int titleHeight;
        int leftWidth;
        int rightWidth;
        int blockWidth;
        int blockHeight;
    };
    Metrics metrics() const;
    QList<Utils::PinFigure> side(int which) const;

    QList<Utils::PinFigure> m_pins;
    QString m_title;
};

} // namespace IPCore
