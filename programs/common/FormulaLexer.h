#pragma once

#include <QList>
#include <QString>

// One piece of the formula text as the student typed it. Joining the texts
// of all tokens gives the formula back unchanged, so the text can be
// rewritten piece by piece (translation, moving references).
struct LexToken
{
    enum class Kind {
        Space,
        Number,
        String,     // with its quotes
        Word,       // a reference, a function or some other name
        ErrorValue, // #ДЕЛ/0!, #REF! ...
        Operator,   // + - * / ^ & = < > <= >= <>
        Open,
        Close,
        Semicolon,
        Comma,
        Colon,
        Percent,
        Other,
    };
    Kind kind = Kind::Other;
    QString text;
    bool unterminated = false; // a string without its closing quote
};

class FormulaLexer
{
public:
    // commaIsDecimal: "1,5" is one number (Russian), not 1 and 5.
    static QList<LexToken> tokenize(const QString &formula, bool commaIsDecimal);
};
