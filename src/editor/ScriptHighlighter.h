#pragma once

#include <QStringView>

namespace bw {

enum class ScriptLanguage { VBScript, Html, PowerShell };

enum class TokenKind { Plain, Keyword, String, Comment, Tag };

struct ScriptToken {
    qsizetype end;  // one past the token's last unit
    TokenKind kind;
};

// Splits a line of a script into strings, comments, keywords and the rest, so
// that a view can colour them.
//
// It is a tokenizer that starts anywhere a previous scan stopped, rather than a
// QSyntaxHighlighter: the scripts hold the whole body on one line, and a
// QTextDocument lays out and highlights a line of a megabyte as a whole on
// every change. With a state carried between calls, the code view scans only
// what it paints, from a checkpoint near it.
class ScriptHighlighter {
public:
    explicit ScriptHighlighter(ScriptLanguage language) : language_(language) {}

    // The token that starts at pos (pos < line.size()) in the given state, which
    // is updated to the state after it. A long string, comment or run of plain
    // text ends at softLimit when it would go on past it (the next call goes on
    // in the state it leaves); an escape or closing delimiter that starts before
    // softLimit is never split, and words are never split.
    ScriptToken next(QStringView line, qsizetype pos, int& state, qsizetype softLimit) const;

    // The state the next line starts in after a line that ended in state.
    int nextLineState(int state) const;

    // Whether every line starts in the plain state whatever the lines before
    // hold, so that no earlier line needs scanning.
    bool linesIndependent() const { return language_ != ScriptLanguage::PowerShell; }

private:
    ScriptToken nextVbs(QStringView line, qsizetype pos, int& state, qsizetype softLimit) const;
    ScriptToken nextPowerShell(QStringView line, qsizetype pos, int& state, qsizetype softLimit) const;

    ScriptLanguage language_;
};

}  // namespace bw
