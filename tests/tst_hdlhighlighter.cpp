#include "hdlhighlighter.h"

#include <QtTest>

using Kind = HdlHighlighter::Kind;
using Language = HdlHighlighter::Language;

/// What the editor colours in Verilog and VHDL lines.
class tst_HdlHighlighter : public QObject
{
    Q_OBJECT
private slots:
    void tokens_data();
    void tokens();
};

void tst_HdlHighlighter::tokens_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("inComment");
    QTest::addColumn<QString>("line");
    // The coloured tokens as "kind:text", in order.
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("commentAfter");

    QTest::newRow("verilog keywords, not inside names")
            << "top.v" << false << "module modules_o(input wire clk_i);"
            << QStringList{"keyword:module", "keyword:input", "keyword:wire"} << false;
    QTest::newRow("verilog sized, based and plain numbers")
            << "top.v" << false << "assign x = 8'hFF + 'b1 + 12 + n2;"
            << QStringList{"keyword:assign", "number:8'hFF", "number:'b1", "number:12"} << false;
    QTest::newRow("verilog line comment after code")
            << "top.v" << false << "wire a; // wire b"
            << QStringList{"keyword:wire", "comment:// wire b"} << false;
    QTest::newRow("verilog block comment left open")
            << "top.v" << false << "reg r; /* begin"
            << QStringList{"keyword:reg", "comment:/* begin"} << true;
    QTest::newRow("verilog block comment closed on the next line")
            << "top.v" << true << "end */ end" << QStringList{"comment:end */", "keyword:end"}
            << false;
    QTest::newRow("verilog directive and string with an escaped quote")
            << "defs.vh" << false << "`define NAME \"a\\\"b\" // x"
            << QStringList{"directive:`define", "string:\"a\\\"b\"", "comment:// x"} << false;
    QTest::newRow("verilog escaped identifier holds no number")
            << "net.vo" << false << "wire \\u1.q[3] ;" << QStringList{"keyword:wire"} << false;
    QTest::newRow("vhdl keywords in any case, comment")
            << "top.vhd" << false << "ENTITY top Is -- the end"
            << QStringList{"keyword:ENTITY", "keyword:Is", "comment:-- the end"} << false;
    QTest::newRow("vhdl character, bit string and based literals, attribute tick")
            << "top.vho" << false << "q <= '1' when clk'event and x\"FF\" = 16#F_F#;"
            << QStringList{"string:'1'",
                           "keyword:when",
                           "keyword:and",
                           "number:x\"FF\"",
                           "number:16#F_F#"}
            << false;
    QTest::newRow("other files are plain text")
            << "cos_sin_lut.dat" << false << "module 12 // x" << QStringList{} << false;
}

void tst_HdlHighlighter::tokens()
{
    QFETCH(QString, file);
    QFETCH(bool, inComment);
    QFETCH(QString, line);
    QFETCH(QStringList, expected);
    QFETCH(bool, commentAfter);
    static const QStringList kinds{"keyword", "comment", "number", "string", "directive"};
    QStringList found;
    for (const HdlHighlighter::Token &token :
         HdlHighlighter::tokens(HdlHighlighter::languageOf(file), line, inComment))
        found << kinds.at(int(token.kind)) + ':' + line.mid(token.start, token.length);
    QCOMPARE(found, expected);
    QCOMPARE(inComment, commentAfter);
}

QTEST_GUILESS_MAIN(tst_HdlHighlighter)
#include "tst_hdlhighlighter.moc"
