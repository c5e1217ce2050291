#pragma once

#include <QString>

#include <optional>

// Reads what the student typed into a cell: a number, a text or a formula.
class InputParser
{
public:
    enum class Kind { Empty, Number, Text, Formula };

    struct Result
    {
        Kind kind = Kind::Empty;
        double number = 0;
        QString text; // the text itself, or the formula without its "="
    };

    static Result parse(const QString &input);

    // Accepts both decimal signs and spaces between digit groups: "1 234,5",
    // "2.5", "-3", "15%" (0,15). Anything else is not a number.
    static std::optional<double> parseNumber(const QString &text);
};
