#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <QVector>

/// Colours Verilog and VHDL sources: keywords, comments, numbers, strings
/// and compiler directives.
class HdlHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT
public:
    enum class Language { None, Verilog, Vhdl };
    enum class Kind { Keyword, Comment, Number, String, Directive };
    struct Token
    {
        int start;
        int length;
        Kind kind;
    };

    /// The language of a file by its suffix; None for anything else.
    static Language languageOf(const QString &path);
    /// The tokens of one line to colour. `inComment` says whether the line
    /// starts inside a block comment, and on return whether the next does.
    static QVector<Token> tokens(Language language, const QString &line, bool &inComment);

    HdlHighlighter(Language language, QTextDocument *document);

protected:
    void highlightBlock(const QString &text) override;

private:
    Language m_language;
    QTextCharFormat m_formats[5];
};
