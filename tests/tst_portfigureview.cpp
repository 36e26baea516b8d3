#include "portfigureview.h"

#include <QImage>
#include <QtTest>

using Utils::PinFigure;

/// The host's drawing of a port figure: size follows the pins, every new pin list is drawn,
/// buses stand out.
class tst_PortFigureView : public QObject
{
    Q_OBJECT
private slots:
    void sizeFollowsPins();
    void redrawsEachPinList();
    void busesAreThick();
};

static QList<PinFigure> pins(int inputs, int outputs, const QString &firstOutput = "out0_o")
{
    QList<PinFigure> list;
    for (int i = 0; i < inputs; ++i)
        list << PinFigure(QString("in%1_i").arg(i), 0, false, Qt::AlignLeft);
    for (int i = 0; i < outputs; ++i)
        list << PinFigure(i ? QString("out%1_o").arg(i) : firstOutput, 1, false, Qt::AlignRight);
    return list;
}

void tst_PortFigureView::sizeFollowsPins()
{
    IPCore::PortFigureView view;
    view.setPins(pins(2, 2));
    const QSize small = view.sizeHint();
    view.setPins(pins(9, 3));
    QVERIFY(view.sizeHint().height() > small.height());
    QCOMPARE(view.sizeHint().width(), small.width());
    view.setPins(pins(2, 2, "phase_tlast_unexpected_o_with_a_long_name"));
    QVERIFY(view.sizeHint().width() > small.width());
    QCOMPARE(view.minimumSizeHint(), view.sizeHint());
}

void tst_PortFigureView::redrawsEachPinList()
{
    IPCore::PortFigureView view;
    view.setTitle("dds_ii_top");
    view.setPins(pins(3, 3));
    view.resize(view.sizeHint());
    const QImage before = view.grab().toImage();
    QList<PinFigure> changed = pins(3, 3);
    changed[1] = PinFigure("phase_inc_i[26:0]", 0, true, Qt::AlignLeft);
    view.setPins(changed);
    QCOMPARE(view.pins(), changed);
    QVERIFY(view.grab().toImage() != before);
}

// Dark pixels in the pin stub of a one-input figure sized for a single wire.
static int stubInk(const PinFigure &pin)
{
    IPCore::PortFigureView view;
    view.setPins({PinFigure("a_i", 0, false, Qt::AlignLeft)});
    view.resize(view.sizeHint());
    view.setPins({pin});
    const QImage image = view.grab().toImage();
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 18; x < 46; ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    }
    return ink;
}

void tst_PortFigureView::busesAreThick()
{
    const int wire = stubInk(PinFigure("a_i", 0, false, Qt::AlignLeft));
    const int bus = stubInk(PinFigure("a_i[7:0]", 0, true, Qt::AlignLeft));
    QVERIFY(wire > 0);
    QVERIFY2(bus > 2 * wire, qPrintable(QString("wire %1, bus %2").arg(wire).arg(bus)));
}

QTEST_MAIN(tst_PortFigureView)
#include "tst_portfigureview.moc"
