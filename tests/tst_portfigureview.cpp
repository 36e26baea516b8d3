#include "portfigureview.h"

#include <QImage>
#include <QtTest>

using Utils::PinFigure;

/// The host's drawing of a port figure: size follows the pins, every new pin
/// list is drawn, buses stand out.
class tst_PortFigureView : public QObject
{
    Q_OBJECT
private slots:
    void sizeFollowsPins();
    void redrawsEachPinList();
    void busesAreThick();
};

static QList<PinFigure> pins(int inputs, int outputs, const QString &longest = QString())
{
    QList<PinFigure> list;
    for (int i = 0; i < inputs; ++i)
        list << PinFigure(QStringLiteral("in%1_i").arg(i), 0, false, Qt::AlignLeft);
    for (int i = 0; i < outputs; ++i)
        list << PinFigure(i == 0 && !longest.isEmpty() ? longest : QStringLiteral("out%1_o").arg(i),
                          1,
                          false,
                          Qt::AlignRight);
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
    view.setPins(pins(2, 2, QStringLiteral("phase_tlast_unexpected_o_with_a_long_name")));
    QVERIFY(view.sizeHint().width() > small.width());
    QCOMPARE(view.minimumSizeHint(), view.sizeHint());
}

void tst_PortFigureView::redrawsEachPinList()
{
    IPCore::PortFigureView view;
    view.setTitle(QStringLiteral("dds_ii_top"));
    view.setPins(pins(3, 3));
    view.resize(view.sizeHint());
    const QImage before = view.grab().toImage();
    QList<PinFigure> changed = pins(3, 3);
    changed[1] = PinFigure(QStringLiteral("phase_inc_i[26:0]"), 0, true, Qt::AlignLeft);
    view.setPins(changed);
    QCOMPARE(view.pins(), changed);
    QVERIFY(view.grab().toImage() != before);
}

// Darkest pixels in the pin stub of the first input row.
static int inkInStub(const QImage &image, int y0, int y1)
{
    int ink = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = 18; x < 46; ++x)
            ink += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    }
    return ink;
}

void tst_PortFigureView::busesAreThick()
{
    IPCore::PortFigureView wire;
    wire.setPins({PinFigure(QStringLiteral("a_i"), 0, false, Qt::AlignLeft)});
    wire.resize(wire.sizeHint());
    IPCore::PortFigureView bus;
    bus.setPins({PinFigure(QStringLiteral("a_i[7:0]"), 0, true, Qt::AlignLeft)});
    bus.resize(wire.sizeHint());
    const QImage wireImage = wire.grab().toImage();
    const QImage busImage = bus.grab().toImage();
    const int wireInk = inkInStub(wireImage, 0, wireImage.height());
    QVERIFY(wireInk > 0);
    QVERIFY2(inkInStub(busImage, 0, busImage.height()) > 2 * wireInk,
             qPrintable(QStringLiteral("wire %1").arg(wireInk)));
}

QTEST_MAIN(tst_PortFigureView)
#include "tst_portfigureview.moc"
