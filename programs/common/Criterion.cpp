#include "Criterion.h"

#include "InputParser.h"
#include "ValueCoercion.h"

namespace {

QString wildcardPattern(const QString &text)
{
    QString pattern;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == QLatin1Char('~') && i + 1 < text.size())
            pattern += QRegularExpression::escape(QString(text.at(++i)));
        else if (ch == QLatin1Char('*'))
            pattern += QStringLiteral(".*");
        else if (ch == QLatin1Char('?'))
            pattern += QLatin1Char('.');
        else
            pattern += QRegularExpression::escape(QString(ch));
    }
    return QRegularExpression::anchoredPattern(pattern);
}

} // namespace

Criterion::Criterion(const CellValue &criterion)
{
    if (!criterion.isText()) {
        operand_ = criterion.isEmpty() ? CellValue::text({}) : criterion;
        return;
    }
    QString text = criterion.textValue();
    static const QList<QPair<QString, Op>> prefixes = {
        {QStringLiteral("<="), Op::LessEqual}, {QStringLiteral(">="), Op::GreaterEqual},
        {QStringLiteral("<>"), Op::NotEqual},  {QStringLiteral("<"), Op::Less},
        {QStringLiteral(">"), Op::Greater},    {QStringLiteral("="), Op::Equal},
    };
    for (const auto &[prefix, op] : prefixes) {
        if (text.startsWith(prefix)) {
            op_ = op;
            text = text.mid(prefix.size());
            break;
        }
    }
    const CellValue logical = ValueCoercion::toBoolean(CellValue::text(text));
    if (const auto number = InputParser::parseNumber(text))
        operand_ = CellValue::number(*number);
    else if (logical.isBoolean() && !text.trimmed().isEmpty())
        operand_ = logical;
    else
        operand_ = CellValue::text(text);
    if (operand_.isText())
        pattern_ = QRegularExpression(wildcardPattern(text), QRegularExpression::CaseInsensitiveOption);
}

bool Criterion::compareMatches(int comparison) const
{
    switch (op_) {
    case Op::Equal: return comparison == 0;
    case Op::NotEqual: return comparison != 0;
    case Op::Less: return comparison < 0;
    case Op::Greater: return comparison > 0;
    case Op::LessEqual: return comparison <= 0;
    case Op::GreaterEqual: return comparison >= 0;
    }
    return false;
}

bool Criterion::matches(const CellValue &cell) const
{
    if (cell.isError())
        return false;
    const bool equality = op_ == Op::Equal || op_ == Op::NotEqual;
    if (operand_.isText()) {
        if (equality) {
            bool same = false;
            if (operand_.textValue().isEmpty())
                same = cell.isEmpty() || (cell.isText() && cell.textValue().isEmpty());
            else
                same = cell.isText() && pattern_.match(cell.textValue()).hasMatch();
            return same == (op_ == Op::Equal);
        }
        return cell.isText() && compareMatches(ValueCoercion::compareText(cell.textValue(), operand_.textValue()));
    }
    // A number or a logical value: only cells of the same kind compare,
    // except that "=5" also finds the text "5".
    CellValue value = cell;
    if (operand_.isNumber() && cell.isText() && op_ == Op::Equal) {
        if (const auto number = InputParser::parseNumber(cell.textValue()))
            value = CellValue::number(*number);
    }
    if (value.type() != operand_.type())
        return op_ == Op::NotEqual;
    return compareMatches(ValueCoercion::compare(value, operand_));
}
