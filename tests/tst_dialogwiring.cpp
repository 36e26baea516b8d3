#include "dialogfixture.h"
#include "hostrecorder.h"

#include <QGroupBox>
#include <QMetaMethod>
#include <QtTest>

// QtCore's hook for watching signal emissions and slot calls, the one
// QtTest's -vs option uses; it is exported but declared in a private header.
struct QSignalSpyCallbackSet
{
    typedef void (*BeginCallback)(QObject *caller, int signal_or_method_index, void **argv);
    typedef void (*EndCallback)(QObject *caller, int signal_or_method_index);
    BeginCallback signal_begin_callback, slot_begin_callback;
    EndCallback signal_end_callback, slot_end_callback;
};
Q_CORE_EXPORT void qt_register_signal_spy_callbacks(QSignalSpyCallbackSet *callback_set);

/// Records which slots of one receiver each signal runs, in running order, as
/// "sender.signal -> slot"; slots a slot calls directly are not seen.
class SlotRecorder
{
public:
    explicit SlotRecorder(QObject *receiver)
    {
        s_active = this;
        m_receiver = receiver;
        qt_register_signal_spy_callbacks(&s_callbacks);
    }
    ~SlotRecorder()
    {
        qt_register_signal_spy_callbacks(nullptr);
        s_active = nullptr;
    }
    /// The slots that `sender`'s `signal` ran itself, in order.
    QStringList slotsOf(const QString &sender, const QByteArray &signal) const
    {
        QStringList names;
        const QString prefix
                = sender + QLatin1Char('.') + QString::fromLatin1(signal) + QLatin1String(" -> ");
        for (const QString &call : m_calls) {
            if (call.startsWith(prefix))
                names << call.mid(prefix.size());
        }
        return names;
    }

private:
    static QByteArray signalSignature(const QObject *sender, int signalIndex)
    {
        QVector<const QMetaObject *> chain;
        for (const QMetaObject *m = sender->metaObject(); m; m = m->superClass())
            chain.prepend(m);
        for (const QMetaObject *m : chain) {
            for (int i = m->methodOffset(); i < m->methodCount(); ++i) {
                if (m->method(i).methodType() != QMetaMethod::Signal)
                    continue;
                if (signalIndex-- == 0)
                    return m->method(i).methodSignature();
            }
        }
        return "?";
    }
    static void signalBegin(QObject *caller, int index, void **)
    {
        s_active->m_signals.push({caller, index});
    }
    static void signalEnd(QObject *, int) { s_active->m_signals.pop(); }
    static void slotBegin(QObject *caller, int index, void **)
    {
        SlotRecorder *r = s_active;
        if (caller != r->m_receiver || r->m_signals.isEmpty())
            return;
        const auto &top = r->m_signals.top();
        r->m_calls << QStringLiteral("%1.%2 -> %3")
                              .arg(top.first->objectName(),
                                   QString::fromLatin1(signalSignature(top.first, top.second)),
                                   QString::fromLatin1(caller->metaObject()->method(index).name()));
    }

    static SlotRecorder *s_active;
    static QSignalSpyCallbackSet s_callbacks;
    QObject *m_receiver = nullptr;
    QStack<QPair<QObject *, int>> m_signals;
    QStringList m_calls;
};
SlotRecorder *SlotRecorder::s_active = nullptr;
QSignalSpyCallbackSet SlotRecorder::s_callbacks
        = {&SlotRecorder::signalBegin, &SlotRecorder::slotBegin, &SlotRecorder::signalEnd, nullptr};

/// QObject::receivers is protected; naming it through a subclass gives a
/// pointer to it that can be called on any object.
struct ReceiverCount : QObject
{
    using QObject::receivers;
};
static int receiverCount(QObject *sender, const char *signal)
{
    int (QObject::*count)(const char *) const = &ReceiverCount::receivers;
    return (sender->*count)(signal);
}

/// A dialog whose accept() only counts, to see that slot 0 reaches the override.
class CountingDialog : public IPDDSYN::dds2dlg
{
public:
    CountingDialog()
        : IPDDSYN::dds2dlg(dialogInfo())
    {}
    void accept() override { ++accepts; }
    int accepts = 0;
};

class tst_DialogWiring : public QObject
{
    Q_OBJECT
private slots:
    void handlerOrder_data();
    void handlerOrder();
    void receivers_data();
    void receivers();
    void slotTable();
    void metacallReachesEverySlot_data();
    void metacallReachesEverySlot();
    void metacallPassesOnHigherIndices();
    void metacast();
};

void tst_DialogWiring::handlerOrder_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<QStringList>("order");
    const QByteArray indexChanged("currentIndexChanged(int)");
    QTest::newRow("configuration option") << "cfgOptions=Phase Generator Only"
                                          << "cfgOptions" << indexChanged
                                          << QStringList{"onCfgOptionChanged",
                                                         "updatedSysClk",
                                                         "updatedFreqPerChannel",
                                                         "updatedPhaseWidth",
                                                         "updatedOutPutWidth",
                                                         "updatedChannelIDOut",
                                                         "updatedLatency",
                                                         "updatedUiTab3",
                                                         "refreshFigure"};
    QTest::newRow("clock edit") << "sysClk=250"
                                << "sysClk" << QByteArray("editingFinished()")
                                << QStringList{"updatedSysClk",
                                               "updatedFreqPerChannel",
                                               "updatedFreqResRange",
                                               "updatedNS_system",
                                               "refreshFigure"};
    QTest::newRow("parameter selection after the first refill")
            << "paraSelection=Hardware Parameters"
            << "paraSelection" << indexChanged
            << QStringList{"changeDefaultValue",
                           "refreshFigure",
                           "updatedParameteGroup",
                           "updatedLatency",
                           "updatedUiTab3"};
    QTest::newRow("hardware noise shaping")
            << "NS_hard=Phase Dithering"
            << "NS_hard" << indexChanged
            << QStringList{"updatedPhaseWidth", "updatedOutPutWidth", "updatedLatency"};
    QTest::newRow("channel count") << "numOfChannels=3"
                                   << "numOfChannels" << indexChanged
                                   << QStringList{"updatedFreqPerChannel",
                                                  "updatedFreqResRange",
                                                  "updatedNS_system",
                                                  "updatedChannelIDOut",
                                                  "updatedUiTab3",
                                                  "refreshFigure"};
    QTest::newRow("sfdr edit") << "SFDR=80"
                               << "SFDR" << QByteArray("editingFinished()")
                               << QStringList{"updatedNS_system", "checkSFDRange", "refreshFigure"};
    QTest::newRow("resolution edit") << "freqResolution=2"
                                     << "freqResolution" << QByteArray("editingFinished()")
                                     << QStringList{"checkFreqResLineEdit", "updatedNS_system"};
    QTest::newRow("streaming increments") << "click=streaming_inc"
                                          << "streaming_inc" << QByteArray("toggled(bool)")
                                          << QStringList{"onStreamingCheckd", "refreshFigure"};
    QTest::newRow("phase width") << "phaseWidth=30"
                                 << "phaseWidth" << QByteArray("valueChanged(int)")
                                 << QStringList{"updatedOutPutWidth", "refreshFigure"};
    // Refilling the list must not run the latency rule from the list's own signal.
    QTest::newRow("system noise shaping refill") << "SFDR=80"
                                                 << "NS_sys" << indexChanged << QStringList{};
}

void tst_DialogWiring::handlerOrder()
{
    QFETCH(QString, action);
    QFETCH(QString, sender);
    QFETCH(QByteArray, signal);
    QFETCH(QStringList, order);
    DialogDriver d;
    SlotRecorder recorder(d.dialog());
    const QString what = action.section(QLatin1Char('='), 0, 0);
    const QString value = action.section(QLatin1Char('='), 1);
    if (what == QLatin1String("click"))
        d.button(value)->click();
    else if (auto *spin = d.dialog()->findChild<QSpinBox *>(what))
        spin->setValue(value.toInt());
    else if (d.dialog()->findChild<QLineEdit *>(what))
        d.type(what, value);
    else
        QVERIFY(d.choose(what, value));
    QCOMPARE(recorder.slotsOf(sender, signal), order);
}

void tst_DialogWiring::receivers_data()
{
    QTest::addColumn<QString>("sender");
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<int>("count");
    const QByteArray index = SIGNAL(currentIndexChanged(int));
    const QByteArray finished = SIGNAL(editingFinished());
    const QByteArray toggled = SIGNAL(toggled(bool));
    const QByteArray value = SIGNAL(valueChanged(int));
    QTest::newRow("cfgOptions") << "cfgOptions" << index << 9;
    QTest::newRow("sysClk") << "sysClk" << finished << 5;
    QTest::newRow("numOfChannels") << "numOfChannels" << index << 6;
    QTest::newRow("paraSelection") << "paraSelection" << index << 5;
    QTest::newRow("freqResolution") << "freqResolution" << finished << 2;
    QTest::newRow("SFDR") << "SFDR" << finished << 3;
    QTest::newRow("NS_sys") << "NS_sys" << index << 1;
    QTest::newRow("NS_hard") << "NS_hard" << index << 3;
    QTest::newRow("phaseWidth") << "phaseWidth" << value << 2;
    QTest::newRow("outputWidth") << "outputWidth" << value << 1;
    QTest::newRow("streaming_inc") << "streaming_inc" << toggled << 2;
    QTest::newRow("fixed_inc") << "fixed_inc" << toggled << 1;
    QTest::newRow("programmable_inc") << "programmable_inc" << toggled << 2;
    QTest::newRow("fixed_off") << "fixed_off" << toggled << 1;
    QTest::newRow("programmable_off") << "programmable_off" << toggled << 2;
    QTest::newRow("streaming_off") << "streaming_off" << toggled << 1;
    QTest::newRow("resync") << "resync" << toggled << 1;
    QTest::newRow("hasPhaseOut") << "hasPhaseOut" << toggled << 1;
    QTest::newRow("sinAndcos") << "sinAndcos" << toggled << 1;
    QTest::newRow("sine") << "sine" << toggled << 1;
    QTest::newRow("cosine") << "cosine" << toggled << 1;
    QTest::newRow("channelIDOut") << "channelIDOut" << toggled << 1;
    QTest::newRow("modeOfOperation") << "modeOfOperation" << index << 0;
    QTest::newRow("latency") << "latency" << index << 0;
    QTest::newRow("none_off") << "none_off" << toggled << 0;
    QTest::newRow("checkDisableIOInsertion") << "checkDisableIOInsertion" << toggled << 0;
    QTest::newRow("freq0") << "freq0" << finished << 0;
}

void tst_DialogWiring::receivers()
{
    QFETCH(QString, sender);
    QFETCH(QByteArray, signal);
    QFETCH(int, count);
    DialogDriver d;
    QObject *object = d.find<QObject>(sender);
    QCOMPARE(receiverCount(object, signal.constData()), count);
    // The rules that disconnect and reconnect around refills leave the wiring as it was.
    for (const char *option :
         {"SIN COS LUT Only", "Phase Generator Only", "Phase Generator and SIN COS LUT"}) {
        QVERIFY(d.choose(QStringLiteral("cfgOptions"), QString::fromLatin1(option)));
        d.type(QStringLiteral("SFDR"), QStringLiteral("90"));
    }
    QCOMPARE(receiverCount(object, signal.constData()), count);
}

void tst_DialogWiring::slotTable()
{
    const QMetaObject &mo = IPDDSYN::dds2dlg::staticMetaObject;
    QCOMPARE(mo.className(), "IPDDSYN::dds2dlg");
    QCOMPARE(mo.methodCount() - mo.methodOffset(), 18);
    QCOMPARE(mo.propertyCount(), mo.propertyOffset());
    const char *table[] = {"accept()",
                           "refreshFigure()",
                           "updatedSysClk()",
                           "onCfgOptionChanged()",
                           "updatedFreqPerChannel()",
                           "updatedParameteGroup()",
                           "checkSFDRange()",
                           "updatedFreqResRange()",
                           "checkFreqResLineEdit()",
                           "updatedNS_system()",
                           "updatedPhaseWidth()",
                           "updatedOutPutWidth()",
                           "updatedChannelIDOut()",
                           "updatedLatency()",
                           "onStreamingCheckd()",
                           "updatedUiTab3()",
                           "changeDefaultValue()",
                           "onGenerationFinished(int)"};
    for (int i = 0; i < 18; ++i) {
        const QMetaMethod method = mo.method(mo.methodOffset() + i);
        QCOMPARE(method.methodSignature(), QByteArray(table[i]));
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), i == 0 ? QMetaMethod::Public : QMetaMethod::Private);
        QCOMPARE(method.returnType(), int(QMetaType::Void));
    }
}

void tst_DialogWiring::metacallReachesEverySlot_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("widget");
    QTest::addColumn<QString>("spoiled");
    QTest::addColumn<QString>("restored");
    // Each row spoils what one slot writes (with the signals blocked) and expects the slot to
    // repair it.
    QTest::newRow("1 refreshFigure") << 1 << ""
                                     << ""
                                     << "";
    QTest::newRow("2 updatedSysClk") << 2 << "sysClk"
                                     << "600"
                                     << "100";
    QTest::newRow("3 onCfgOptionChanged") << 3 << "paraSelection"
                                          << "clear"
                                          << "System Parameters";
    QTest::newRow("4 updatedFreqPerChannel") << 4 << "freqPerChannel"
                                             << "x"
                                             << "100.000000000MHz";
    QTest::newRow("5 updatedParameteGroup") << 5 << "sysem"
                                            << "hide"
                                            << "shown";
    QTest::newRow("6 checkSFDRange") << 6 << "SFDR"
                                     << "5"
                                     << "72";
    QTest::newRow("7 updatedFreqResRange") << 7 << "rangeFreqRes"
                                           << "x"
                                           << "[3.55271e-07-6.25e+06]";
    QTest::newRow("8 checkFreqResLineEdit") << 8 << "freqResolution"
                                            << "0"
                                            << "1";
    QTest::newRow("9 updatedNS_system") << 9 << "NS_sys"
                                        << "clear"
                                        << "None";
    QTest::newRow("10 updatedPhaseWidth") << 10 << "phaseRange"
                                          << "x"
                                          << "[4-48]";
    QTest::newRow("11 updatedOutPutWidth") << 11 << "outputWidthrange"
                                           << "x"
                                           << "[4-16]";
    QTest::newRow("12 updatedChannelIDOut") << 12 << "channelIDOut"
                                            << "enable"
                                            << "disabled";
    QTest::newRow("13 updatedLatency") << 13 << "latency"
                                       << "clear"
                                       << "14";
    QTest::newRow("14 onStreamingCheckd") << 14 << "resync"
                                          << "enable"
                                          << "disabled";
    QTest::newRow("15 updatedUiTab3") << 15 << "freqContrl"
                                      << "x"
                                      << "Output Freqency(MHz)";
    QTest::newRow("16 changeDefaultValue") << 16 << "freq0"
                                           << "5"
                                           << "1";
}

static QString stateOf(QWidget *widget)
{
    if (auto *box = qobject_cast<QComboBox *>(widget))
        return box->currentText();
    if (auto *edit = qobject_cast<QLineEdit *>(widget))
        return edit->text();
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text();
    if (qobject_cast<QGroupBox *>(widget))
        return widget->isHidden() ? QStringLiteral("hidden") : QStringLiteral("shown");
    return widget->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled");
}

static void spoil(QWidget *widget, const QString &how)
{
    const QSignalBlocker blocker(widget);
    if (auto *box = qobject_cast<QComboBox *>(widget))
        box->clear();
    else if (auto *edit = qobject_cast<QLineEdit *>(widget))
        edit->setText(how);
    else if (auto *label = qobject_cast<QLabel *>(widget))
        label->setText(how);
    else if (how == QLatin1String("hide"))
        widget->hide();
    else
        widget->setEnabled(true);
}

void tst_DialogWiring::metacallReachesEverySlot()
{
    QFETCH(int, index);
    QFETCH(QString, widget);
    QFETCH(QString, spoiled);
    QFETCH(QString, restored);
    DialogDriver d;
    const int offset = IPDDSYN::dds2dlg::staticMetaObject.methodOffset();
    if (widget.isEmpty()) {
        d.dialog()->uiSetFigurePins({});
    } else {
        spoil(d.find<QWidget>(widget), spoiled);
        QVERIFY(stateOf(d.find<QWidget>(widget)) != restored);
    }
    QCOMPARE(d.dialog()->qt_metacall(QMetaObject::InvokeMetaMethod, offset + index, nullptr),
             index - 18);
    if (widget.isEmpty())
        QCOMPARE(d.dialog()->figurePins().size(), 6);
    else
        QCOMPARE(stateOf(d.find<QWidget>(widget)), restored);
}

void tst_DialogWiring::metacallPassesOnHigherIndices()
{
    auto *dialog = new CountingDialog;
    DialogDriver d(dialog);
    const int offset = IPDDSYN::dds2dlg::staticMetaObject.methodOffset();
    QCOMPARE(dialog->qt_metacall(QMetaObject::InvokeMetaMethod, offset + 0, nullptr), -18);
    QCOMPARE(dialog->accepts, 1);
    // Slot 17 gets the call's argument: a failed run is reported to the host.
    HostRecorder host(false);
    int exitCode = 1;
    void *args[] = {nullptr, &exitCode};
    QCOMPARE(dialog->qt_metacall(QMetaObject::InvokeMetaMethod, offset + 17, args), -1);
    QCOMPARE(host.summaries.size(), 1);
    QCOMPARE(host.summaries.first(), QStringLiteral("Core generation occur errors."));
    int type = 7;
    void *typeArgs[] = {&type};
    QCOMPARE(
            dialog->qt_metacall(QMetaObject::RegisterMethodArgumentMetaType, offset + 17, typeArgs),
            -1);
    QCOMPARE(type, -1);
    QCOMPARE(dialog->qt_metacall(QMetaObject::InvokeMetaMethod, offset + 18, nullptr), 0);
    QCOMPARE(dialog->qt_metacall(QMetaObject::InvokeMetaMethod, offset + 25, nullptr), 7);
    // Property calls are not the dialog's: the index comes back as the bases left it.
    const int properties = IPDDSYN::dds2dlg::staticMetaObject.propertyCount();
    QVariant ignored;
    void *propertyArgs[] = {&ignored};
    QCOMPARE(dialog->qt_metacall(QMetaObject::ReadProperty, properties + 5, propertyArgs), 5);
    QCOMPARE(dialog->accepts, 1);
}

void tst_DialogWiring::metacast()
{
    DialogDriver d;
    QCOMPARE(d.dialog()->qt_metacast("IPDDSYN::dds2dlg"), static_cast<void *>(d.dialog()));
    QCOMPARE(d.dialog()->qt_metacast(nullptr), static_cast<void *>(nullptr));
    QCOMPARE(d.dialog()->qt_metacast("IPCore::IPGenDialog"),
             static_cast<void *>(static_cast<IPCore::IPGenDialog *>(d.dialog())));
    QCOMPARE(d.dialog()->qt_metacast("QWidget"),
             static_cast<void *>(static_cast<QWidget *>(d.dialog())));
}

QTEST_MAIN(tst_DialogWiring)
#include "tst_dialogwiring.moc"
