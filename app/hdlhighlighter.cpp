#include "hdlhighlighter.h"

#include "hdltemplates.h"

#include <QFileInfo>
#include <QSet>

#include <optional>

namespace {

bool isIdentifierStart(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}

bool isIdentifierChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

// End of the run of characters from `from` on that `accept` takes.
template<typename Accept>
int scan(const QString &line, int from, Accept accept)
{
    while (from < line.size() && accept(line.at(from)))
        ++from;
    return from;
}

// Digits, underscores and the letters a based literal or an exponent may hold.
bool isNumberChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.')
           || c == QLatin1Char('?');
}

// The end of a string literal opened at `start`: past the closing quote, or the line's end.
int stringEnd(const QString &line, int start, bool escapes)
{
    int i = start + 1;
    while (i < line.size() && line.at(i) != QLatin1Char('"')) {
        i += escapes && line.at(i) == QLatin1Char('\\') ? 2 : 1;
    }
    return qMin(i + 1, line.size());
}

using Kind = HdlHighlighter::Kind;

// Walks the line with `step`, which gets a position and returns where the run
// starting there ends, setting `kind` when the run is a token to colour.
template<typename Step>
QVector<HdlHighlighter::Token> tokenize(const QString &line, Step step)
{
    QVector<HdlHighlighter::Token> found;
    int i = 0;
    while (i < line.size()) {
        std::optional<Kind> kind;
        const int end = qMax(i + 1, step(i, kind));
        if (kind)
            found.append({i, end - i, *kind});
        i = end;
    }
    return found;
}

QVector<HdlHighlighter::Token> verilogTokens(const QString &line, bool &inComment)
{
    const int n = line.size();
    return tokenize(line, [&](int i, std::optional<Kind> &kind) {
        const QChar c = line.at(i);
        const QChar next = i + 1 < n ? line.at(i + 1) : QChar();
        const bool opens = c == QLatin1Char('/') && next == QLatin1Char('*');
        if (inComment || opens) {
            const int close = line.indexOf(QLatin1String("*/"), opens ? i + 2 : i);
            inComment = close < 0;
            kind = Kind::Comment;
            return inComment ? n : close + 2;
        }
        if (c == QLatin1Char('/') && next == QLatin1Char('/')) {
            kind = Kind::Comment;
            return n;
        }
        if (c == QLatin1Char('"')) {
            kind = Kind::String;
            return stringEnd(line, i, true);
        }
        if (c == QLatin1Char('`') && isIdentifierStart(next)) {
            kind = Kind::Directive;
            return scan(line, i + 1, isIdentifierChar);
        }
        if (c == QLatin1Char('\\')) // an escaped identifier runs to the next white space
            return scan(line, i, [](QChar ch) { return !ch.isSpace(); });
        if (isIdentifierStart(c) || c == QLatin1Char('$')) {
            const int end = scan(line, i + 1, isIdentifierChar);
            if (IPCore::HdlTemplates::isVerilogKeyword(line.mid(i, end - i)))
                kind = Kind::Keyword;
            return end;
        }
        if (c.isDigit() || (c == QLatin1Char('\'') && next.isLetter())) {
            // Size, then base and value: 8'hFF, 'b1, 12, 1.5e3.
            kind = Kind::Number;
            const int end = scan(line, i, isNumberChar);
            return end < n && line.at(end) == QLatin1Char('\'') ? scan(line, end + 1, isNumberChar)
                                                                : end;
        }
        return i + 1;
    });
}

QVector<HdlHighlighter::Token> vhdlTokens(const QString &line)
{
    const int n = line.size();
    return tokenize(line, [&](int i, std::optional<Kind> &kind) {
        const QChar c = line.at(i);
        const QChar next = i + 1 < n ? line.at(i + 1) : QChar();
        if (c == QLatin1Char('-') && next == QLatin1Char('-')) {
            kind = Kind::Comment;
            return n;
        }
        if (c == QLatin1Char('"')) {
            kind = Kind::String;
            return stringEnd(line, i, false);
        }
        if (c == QLatin1Char('\'') && i + 2 < n && line.at(i + 2) == QLatin1Char('\'')) {
            kind = Kind::String;
            return i + 3;
        }
        if (c == QLatin1Char('\\')) { // an extended identifier
            const int close = line.indexOf(QLatin1Char('\\'), i + 1);
            return close < 0 ? n : close + 1;
        }
        if (isIdentifierStart(c)) {
            const int end = scan(line, i + 1, isIdentifierChar);
            if (end == i + 1 && end < n && line.at(end) == QLatin1Char('"')
                && QStringLiteral("bBoOxX").contains(c)) {
                kind = Kind::Number;
                return stringEnd(line, end, false);
            }
            if (IPCore::HdlTemplates::isVhdlReserved(line.mid(i, end - i)))
                kind = Kind::Keyword;
            return end;
        }
        if (c.isDigit()) {
            // 42, 1.5E3, and based literals such as 16#FF#.
            kind = Kind::Number;
            const int end = scan(line, i, isNumberChar);
            if (end == n || line.at(end) != QLatin1Char('#'))
                return end;
            const int close = line.indexOf(QLatin1Char('#'), end + 1);
            return close < 0 ? n : close + 1;
        }
        return i + 1;
    });
}

} // namespace

HdlHighlighter::Language HdlHighlighter::languageOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    static const QSet<QString> verilog{QStringLiteral("v"),
                                       QStringLiteral("vh"),
                                       QStringLiteral("vg"),
                                       QStringLiteral("vo"),
                                       QStringLiteral("vm"),
                                       QStringLiteral("sv")};
    static const QSet<QString> vhdl{QStringLiteral("vhd"),
                                    QStringLiteral("vhdl"),
                                    QStringLiteral("vhg"),
                                    QStringLiteral("vho"),
                                    QStringLiteral("vhm")};
    if (verilog.contains(suffix))
        return Language::Verilog;
    if (vhdl.contains(suffix))
        return Language::Vhdl;
    return Language::None;
}

QVector<HdlHighlighter::Token>
HdlHighlighter::tokens(Language language, const QString &line, bool &inComment)
{
    switch (language) {
    case Language::Verilog:
        return verilogTokens(line, inComment);
    case Language::Vhdl:
        inComment = false;
        return vhdlTokens(line);
    case Language::None:
        break;
    }
    inComment = false;
    return {};
}

HdlHighlighter::HdlHighlighter(Language language, QTextDocument *document)
    : QSyntaxHighlighter(document)
    , m_language(language)
{
    m_formats[int(Kind::Keyword)].setForeground(QColor(0x1a, 0x3e, 0x9a));
    m_formats[int(Kind::Keyword)].setFontWeight(QFont::Bold);
    m_formats[int(Kind::Comment)].setForeground(QColor(0x3b, 0x7d, 0x3b));
    m_formats[int(Kind::Comment)].setFontItalic(true);
    m_formats[int(Kind::Number)].setForeground(QColor(0x9c, 0x3a, 0x9c));
    m_formats[int(Kind::String)].setForeground(QColor(0xb0, 0x4a, 0x16));
    m_formats[int(Kind::Directive)].setForeground(QColor(0x00, 0x7a, 0x87));
}

void HdlHighlighter::highlightBlock(const QString &text)
{
    bool inComment = previousBlockState() == 1;
    for (const Token &token : tokens(m_language, text, inComment))
        setFormat(token.start, token.length, m_formats[int(token.kind)]);
    setCurrentBlockState(inComment ? 1 : 0);
}
