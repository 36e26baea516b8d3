// The post-synthesis simulation model: self-contained when it can be,
// a clear refusal when it cannot.
#include "ipcore.h"
#include "toolrun.h"

#include <QTemporaryDir>
#include <QtTest>

class tst_Decode : public QObject
{
    Q_OBJECT
private slots:
    void decode_data();
    void decode();
};

void tst_Decode::decode_data()
{
    QTest::addColumn<QByteArray>("netlist"); // empty: no netlist file at all
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("models"); // cell models the .vo must define
    const QByteArray lut = "module top(a, b, y);\n  input a, b;\n  output y;\n"
                           "  \\$lut  #(\n    .LUT(4'h8),\n    .WIDTH(32'd2)\n  ) _1_ (\n"
                           "    .A({ b, a }),\n    .Y(y)\n  );\nendmodule\n";
    QTest::newRow("look-up table and no flip-flop") << lut << 0 << "" << QStringList{"\\$lut"};
    QTest::newRow("flip-flop with a commented instance name")
            << QByteArray("module top(c, d, q);\n  input c, d;\n  output q;\n"
                          "  \\$_DFFE_PN0P_  \\q_reg  /* _3_ */ (\n    .C(c),\n    .D(d),\n"
                          "    .E(1'h1),\n    .R(d),\n    .Q(q)\n  );\nendmodule\n")
            << 0 << "" << QStringList{"\\$_DFFE_PN0P_"};
    QTest::newRow("submodule defined in the netlist itself")
            << QByteArray("module inner(input a, output y);\n  assign y = ~a;\nendmodule\n"
                          "module top(input a, output y);\n  inner u (.a(a), .y(y));\nendmodule\n")
            << 0 << "" << QStringList{};
    QTest::newRow("missing netlist") << QByteArray() << 1 << "does not exist" << QStringList{};
    QTest::newRow("not a netlist") << QByteArray("@E: synthesis failed\n") << 3
                                   << "is not a Verilog netlist" << QStringList{};
    QTest::newRow("vendor cell without a model") << QByteArray(
            "module top(input a, output y);\n  VENDOR_LUT2 #(.INIT(4'h1)) u (.I0(a), .O(y));\n"
            "endmodule\n") << 5 << "VENDOR_LUT2" << QStringList{};
}

void tst_Decode::decode()
{
    QFETCH(QByteArray, netlist);
    QFETCH(int, result);
    QFETCH(QString, message);
    QFETCH(QStringList, models);
    QTemporaryDir dir;
    const QString source = dir.filePath("work/top.vg");
    QVERIFY(netlist.isEmpty() || writeFile(source, netlist));
    QString text;
    QCOMPARE(IPCore::decode(dir.path(), source, "top.vo", text), result);
    const QString model = readFile(dir.filePath("top.vo"));
    if (result != 0) {
        QVERIFY2(text.contains(message), qPrintable(text));
        QVERIFY(!QFileInfo::exists(dir.filePath("top.vo")));
        return;
    }
    QVERIFY(model.contains(QString::fromUtf8(netlist)));
    for (const QString &cell : models)
        QCOMPARE(model.count("module " + cell + " "), 1);
    // Alone, warning-free, and elaborating with top as the only root.
    QString output;
    QCOMPARE(runTool("iverilog", {"-s", "top", "-o", "top.vvp", "top.vo"}, dir.path(), &output), 0);
    QVERIFY2(output.isEmpty(), qPrintable(output));
}

QTEST_GUILESS_MAIN(tst_Decode)
#include "tst_decode.moc"
