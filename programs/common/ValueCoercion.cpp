#include "ValueCoercion.h"

#include "InputParser.h"
#include "ValueFormatter.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

std::optional<bool> logicalName(const QString &text)
{
    const QString upper = text.trimmed().toUpper();
    if (upper == QLatin1String("TRUE") || upper == QStringLiteral("ИСТИНА"))
        return true;
    if (upper == QLatin1String("FALSE") || upper == QStringLiteral("ЛОЖЬ"))
        return false;
    return std::nullopt;
}

int rank(CellValue::Type type)
{
    switch (type) {
    case CellValue::Type::Text: return 1;
    case CellValue::Type::Boolean: return 2;
    default: return 0;
    }
}

// An empty cell compares as 0, "" or ЛОЖЬ, whichever the other side is.
CellValue emptyLike(const CellValue &other)
{
    if (other.isText())
        return CellValue::text({});
    if (other.isBoolean())
        return CellValue::boolean(false);
    return CellValue::number(0);
}

} // namespace

CellValue ValueCoercion::toNumber(const CellValue &value)
{
    switch (value.type()) {
    case CellValue::Type::Number:
    case CellValue::Type::Error:
        return value;
    case CellValue::Type::Boolean:
        return CellValue::number(value.booleanValue() ? 1 : 0);
    case CellValue::Type::Empty:
        return CellValue::number(0);
    case CellValue::Type::Text:
        if (const auto number = InputParser::parseNumber(value.textValue()))
            return CellValue::number(*number);
        return CellValue::error(CellError::Value);
    }
    return CellValue::error(CellError::Value);
}

CellValue ValueCoercion::toBoolean(const CellValue &value)
{
    switch (value.type()) {
    case CellValue::Type::Boolean:
    case CellValue::Type::Error:
        return value;
    case CellValue::Type::Number:
        return CellValue::boolean(value.numberValue() != 0);
    case CellValue::Type::Empty:
        return CellValue::boolean(false);
    case CellValue::Type::Text:
        if (const auto logical = logicalName(value.textValue()))
            return CellValue::boolean(*logical);
        return CellValue::error(CellError::Value);
    }
    return CellValue::error(CellError::Value);
}

QString ValueCoercion::toText(const CellValue &value)
{
    switch (value.type()) {
    case CellValue::Type::Text: return value.textValue();
    case CellValue::Type::Number: return ValueFormatter::generalNumber(value.numberValue());
    case CellValue::Type::Boolean: return ValueFormatter::booleanName(value.booleanValue());
    default: return {};
    }
}

bool ValueCoercion::sameNumber(double a, double b)
{
    // Spreadsheets compare to about 15 digits: 0,1+0,2 equals 0,3.
    return std::abs(a - b) <= 1e-14 * std::max(std::abs(a), std::abs(b));
}

int ValueCoercion::compareText(const QString &a, const QString &b)
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Russian, QLocale::Russia));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    const int result = collator.compare(a, b);
    return (result > 0) - (result < 0);
}

int ValueCoercion::compare(const CellValue &a, const CellValue &b)
{
    if (a.isEmpty() && b.isEmpty())
        return 0;
    const CellValue left = a.isEmpty() ? emptyLike(b) : a;
    const CellValue right = b.isEmpty() ? emptyLike(a) : b;
    const int rankDifference = rank(left.type()) - rank(right.type());
    if (rankDifference != 0)
        return rankDifference < 0 ? -1 : 1;
    if (left.isText())
        return compareText(left.textValue(), right.textValue());
    if (left.isBoolean())
        return int(left.booleanValue()) - int(right.booleanValue());
    const double x = left.numberValue();
    const double y = right.numberValue();
    if (sameNumber(x, y))
        return 0;
    return x < y ? -1 : 1;
}
