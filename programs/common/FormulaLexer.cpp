#include "FormulaLexer.h"

#include <QStringList>

namespace {

bool isWordStart(QChar ch)
{
    return ch.isLetter() || ch == QLatin1Char('_') || ch == QLatin1Char('$') || ch == QLatin1Char('\\');
}

bool isWordChar(QChar ch)
{
    return isWordStart(ch) || ch.isDigit() || ch == QLatin1Char('.') || ch == QLatin1Char('!');
}

bool isDigitAt(const QString &s, qsizetype i)
{
    return i < s.size() && s.at(i).isDigit();
}

const QStringList &errorLiterals()
{
    // Longest first where one is a prefix of another.
    static const QStringList literals = {
        QStringLiteral("#ДЕЛ/0!"), QStringLiteral("#DIV/0!"), QStringLiteral("#ИМЯ?"),
        QStringLiteral("#NAME?"), QStringLiteral("#ССЫЛКА!"), QStringLiteral("#REF!"),
        QStringLiteral("#ЗНАЧ!"), QStringLiteral("#VALUE!"), QStringLiteral("#Н/Д"),
        QStringLiteral("#N/A"), QStringLiteral("#ЧИСЛО!"), QStringLiteral("#NUM!"),
        QStringLiteral("#ПУСТО!"), QStringLiteral("#NULL!"),
    };
    return literals;
}

qsizetype numberLength(const QString &s, qsizetype start, bool commaIsDecimal)
{
    qsizetype i = start;
    while (isDigitAt(s, i))
        ++i;
    if (i < s.size()) {
        const QChar sep = s.at(i);
        if (sep == QLatin1Char('.') || (commaIsDecimal && sep == QLatin1Char(',') && isDigitAt(s, i + 1))) {
            ++i;
            while (isDigitAt(s, i))
                ++i;
        }
    }
    if (i > start && i < s.size() && (s.at(i) == QLatin1Char('e') || s.at(i) == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < s.size() && (s.at(j) == QLatin1Char('+') || s.at(j) == QLatin1Char('-')))
            ++j;
        if (isDigitAt(s, j)) {
            while (isDigitAt(s, j))
                ++j;
            i = j;
        }
    }
    return i - start;
}

} // namespace

QList<LexToken> FormulaLexer::tokenize(const QString &s, bool commaIsDecimal)
{
    QList<LexToken> tokens;
    qsizetype i = 0;
    auto push = [&](LexToken::Kind kind, qsizetype length) {
        tokens.append({kind, s.mid(i, length), false});
        i += length;
    };
    while (i < s.size()) {
        const QChar ch = s.at(i);
        if (ch.isSpace()) {
            qsizetype j = i;
            while (j < s.size() && s.at(j).isSpace())
                ++j;
            push(LexToken::Kind::Space, j - i);
        } else if (ch == QLatin1Char('"')) {
            qsizetype j = i + 1;
            bool closed = false;
            while (j < s.size()) {
                if (s.at(j) == QLatin1Char('"')) {
                    if (j + 1 < s.size() && s.at(j + 1) == QLatin1Char('"')) {
                        j += 2;
                        continue;
                    }
                    closed = true;
                    ++j;
                    break;
                }
                ++j;
            }
            push(LexToken::Kind::String, j - i);
            tokens.last().unterminated = !closed;
        } else if (ch.isDigit()
                   || ((ch == QLatin1Char('.') || (commaIsDecimal && ch == QLatin1Char(',')))
                       && isDigitAt(s, i + 1))) {
            const qsizetype lead = ch.isDigit() ? 0 : 1;
            push(LexToken::Kind::Number, lead + numberLength(s, i + lead, commaIsDecimal));
        } else if (isWordStart(ch)) {
            qsizetype j = i;
            while (j < s.size() && isWordChar(s.at(j)))
                ++j;
            push(LexToken::Kind::Word, j - i);
        } else if (ch == QLatin1Char('#')) {
            qsizetype length = 1;
            LexToken::Kind kind = LexToken::Kind::Other;
            for (const QString &literal : errorLiterals()) {
                if (s.mid(i, literal.size()).compare(literal, Qt::CaseInsensitive) == 0) {
                    length = literal.size();
                    kind = LexToken::Kind::ErrorValue;
                    break;
                }
            }
            push(kind, length);
        } else if (ch == QLatin1Char('<') || ch == QLatin1Char('>')) {
            const QChar next = i + 1 < s.size() ? s.at(i + 1) : QChar();
            const bool twoChars = next == QLatin1Char('=') || (ch == QLatin1Char('<') && next == QLatin1Char('>'));
            push(LexToken::Kind::Operator, twoChars ? 2 : 1);
        } else if (QStringLiteral("+-*/^&=").contains(ch)) {
            push(LexToken::Kind::Operator, 1);
        } else if (ch == QLatin1Char('(')) {
            push(LexToken::Kind::Open, 1);
        } else if (ch == QLatin1Char(')')) {
            push(LexToken::Kind::Close, 1);
        } else if (ch == QLatin1Char(';')) {
            push(LexToken::Kind::Semicolon, 1);
        } else if (ch == QLatin1Char(',')) {
            push(LexToken::Kind::Comma, 1);
        } else if (ch == QLatin1Char(':')) {
            push(LexToken::Kind::Colon, 1);
        } else if (ch == QLatin1Char('%')) {
            push(LexToken::Kind::Percent, 1);
        } else {
            push(LexToken::Kind::Other, 1);
        }
    }
    return tokens;
}
