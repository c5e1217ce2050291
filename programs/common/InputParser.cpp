#include "InputParser.h"

#include <QRegularExpression>

#include <cmath>

InputParser::Result InputParser::parse(const QString &input)
{
    Result result;
    if (input.trimmed().isEmpty())
        return result;
    if (input.startsWith(QLatin1Char('='))) {
        result.kind = Kind::Formula;
        result.text = input.mid(1);
        return result;
    }
    if (input.startsWith(QLatin1Char('\''))) { // an apostrophe keeps digits as text
        result.kind = Kind::Text;
        result.text = input.mid(1);
        return result;
    }
    if (const auto number = parseNumber(input)) {
        result.kind = Kind::Number;
        result.number = *number;
        return result;
    }
    result.kind = Kind::Text;
    result.text = input;
    return result;
}

std::optional<double> InputParser::parseNumber(const QString &text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([+-]?)(\\d+(?:[.,]\\d*)?|[.,]\\d+)(?:[eE]([+-]?\\d{1,3}))?(%?)$"));
    QString compact = text.trimmed();
    // Group separators: plain, non-breaking and narrow spaces between digits.
    static const QRegularExpression groups(QStringLiteral("(?<=\\d)[ \\x{00A0}\\x{202F}](?=\\d{3})"));
    compact.remove(groups);
    const auto match = pattern.match(compact);
    if (!match.hasMatch())
        return std::nullopt;
    QString mantissa = match.captured(2);
    mantissa.replace(QLatin1Char(','), QLatin1Char('.'));
    QString normal = match.captured(1) + mantissa;
    if (!match.captured(3).isEmpty())
        normal += QLatin1Char('e') + match.captured(3);
    bool ok = false;
    double value = normal.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    if (!match.captured(4).isEmpty())
        value /= 100;
    return value;
}
