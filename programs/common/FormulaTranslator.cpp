#include "FormulaTranslator.h"

#include "FunctionNames.h"

#include <QStringList>

namespace {

using Kind = LexToken::Kind;

qsizetype nextSolid(const QList<LexToken> &tokens, qsizetype i)
{
    ++i;
    while (i < tokens.size() && tokens.at(i).kind == Kind::Space)
        ++i;
    return i;
}

bool isCallName(const QList<LexToken> &tokens, qsizetype i)
{
    const qsizetype next = nextSolid(tokens, i);
    return tokens.at(i).kind == Kind::Word && next < tokens.size() && tokens.at(next).kind == Kind::Open;
}

QString ixionNumber(QString text)
{
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    if (text.startsWith(QLatin1Char('.')))
        text.prepend(QLatin1Char('0'));
    const qsizetype e = text.indexOf(QLatin1Char('e'), 0, Qt::CaseInsensitive);
    if (e < 0)
        return text;
    // ixion misreads exponents ("1e3" becomes 10001): spell them out.
    return QStringLiteral("(%1*10^%2)").arg(text.left(e), text.mid(e + 1));
}

QString ixionString(const QString &literal)
{
    const QString inner = literal.mid(1, literal.size() - 2);
    if (!inner.contains(QLatin1Char('"')))
        return literal;
    // ixion cannot read doubled quotes inside a string: join the pieces with CHAR(34).
    QStringList pieces;
    for (const QString &piece : inner.split(QStringLiteral("\"\"")))
        pieces << QLatin1Char('"') + piece + QLatin1Char('"');
    return QLatin1Char('(') + pieces.join(QStringLiteral("&CHAR(34)&")) + QLatin1Char(')');
}

struct Piece
{
    Kind kind;
    QString text;
};

// Start of the operand a "%" applies to, or -1.
qsizetype operandStart(const QList<Piece> &out)
{
    qsizetype j = out.size() - 1;
    while (j >= 0 && out.at(j).kind == Kind::Space)
        --j;
    if (j < 0)
        return -1;
    const Kind kind = out.at(j).kind;
    if (kind == Kind::Number || kind == Kind::Word || kind == Kind::String || kind == Kind::ErrorValue)
        return j;
    if (kind != Kind::Close)
        return -1;
    int depth = 0;
    for (; j >= 0; --j) {
        if (out.at(j).kind == Kind::Close)
            ++depth;
        else if (out.at(j).kind == Kind::Open && --depth == 0)
            break;
    }
    if (j > 0 && out.at(j - 1).kind == Kind::Word)
        --j;
    return j;
}

} // namespace

bool FormulaTranslator::usesRussianConventions(const QList<LexToken> &tokens)
{
    bool latinCall = false;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        if (tokens.at(i).kind == Kind::Semicolon)
            return true;
        if (isCallName(tokens, i)) {
            if (FunctionNames::isCyrillic(tokens.at(i).text))
                return true;
            latinCall = true;
        }
    }
    return !latinCall;
}

FormulaTranslator::Result FormulaTranslator::toIxion(const QString &formula)
{
    const bool russian = usesRussianConventions(FormulaLexer::tokenize(formula, false));
    const QList<LexToken> tokens = FormulaLexer::tokenize(formula, russian);
    QList<Piece> out;
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const LexToken &token = tokens.at(i);
        switch (token.kind) {
        case Kind::String:
            if (token.unterminated)
                return {{}, QStringLiteral("не закрыта кавычка")};
            out.append({token.kind, ixionString(token.text)});
            break;
        case Kind::Number:
            out.append({token.kind, ixionNumber(token.text)});
            break;
        case Kind::Word:
            if (isCallName(tokens, i)) {
                const FunctionInfo *info = FunctionNames::find(token.text);
                out.append({token.kind, info ? QString::fromLatin1(info->english) : token.text});
                i = nextSolid(tokens, i) - 1; // no space between a name and its "("
            } else {
                const FunctionInfo *info = FunctionNames::find(token.text);
                const bool logical = info && info->maxArguments == 0
                    && (qstrcmp(info->english, "TRUE") == 0 || qstrcmp(info->english, "FALSE") == 0);
                out.append({token.kind, logical ? QString::fromLatin1(info->english) : token.text});
            }
            break;
        case Kind::ErrorValue: {
            static const QList<QPair<QString, CellError>> names = {
                {QStringLiteral("#ДЕЛ/0!"), CellError::DivisionByZero}, {QStringLiteral("#DIV/0!"), CellError::DivisionByZero},
                {QStringLiteral("#ИМЯ?"), CellError::Name}, {QStringLiteral("#NAME?"), CellError::Name},
                {QStringLiteral("#ССЫЛКА!"), CellError::Reference}, {QStringLiteral("#REF!"), CellError::Reference},
                {QStringLiteral("#ЗНАЧ!"), CellError::Value}, {QStringLiteral("#VALUE!"), CellError::Value},
                {QStringLiteral("#Н/Д"), CellError::NotAvailable}, {QStringLiteral("#N/A"), CellError::NotAvailable},
                {QStringLiteral("#ЧИСЛО!"), CellError::Number}, {QStringLiteral("#NUM!"), CellError::Number},
                {QStringLiteral("#ПУСТО!"), CellError::Null}, {QStringLiteral("#NULL!"), CellError::Null},
            };
            for (const auto &[name, error] : names) {
                if (token.text.compare(name, Qt::CaseInsensitive) == 0)
                    out.append({token.kind, errorPlaceholder(error)});
            }
            break;
        }
        case Kind::Semicolon:
        case Kind::Comma:
            out.append({token.kind, QStringLiteral(",")});
            break;
        case Kind::Percent: {
            const qsizetype start = operandStart(out);
            if (start < 0)
                return {{}, QStringLiteral("знак «%» должен стоять после числа")};
            out.insert(start, {Kind::Open, QStringLiteral("(")});
            out.append({Kind::Close, QStringLiteral("/100)")});
            break;
        }
        case Kind::Other:
            // "@", "{", "~"... are not formula syntax; ixion would take them for a name.
            return {{}, QStringLiteral("в формуле недопустимый знак «%1»").arg(token.text)};
        default:
            out.append({token.kind, token.text});
            break;
        }
    }
    QString text;
    for (const Piece &piece : out)
        text += piece.text;
    return {text, {}};
}

QString FormulaTranslator::errorPlaceholder(CellError error)
{
    return QStringLiteral("__ERR_%1").arg(static_cast<int>(error));
}

std::optional<CellError> FormulaTranslator::errorFromPlaceholder(const QString &name)
{
    if (!name.startsWith(QLatin1String("__ERR_")))
        return std::nullopt;
    bool ok = false;
    const int code = name.mid(6).toInt(&ok);
    if (!ok || code < 0 || code > static_cast<int>(CellError::Null))
        return std::nullopt;
    return static_cast<CellError>(code);
}
