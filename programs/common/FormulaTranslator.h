#pragma once

#include "CellValue.h"
#include "FormulaLexer.h"

#include <optional>

// Rewrites a formula as the student typed it (Russian or English function
// names, ";" or "," between arguments, "," or "." as the decimal sign) into
// the English form the ixion parser reads. Text inside quotes is never
// touched.
class FormulaTranslator
{
public:
    struct Result
    {
        QString text;
        QString error; // a message for the student when the text cannot be read
    };

    static Result toIxion(const QString &formula);

    // Russian conventions: ";" separates arguments and "," is the decimal sign.
    // Chosen when the formula has a ";" or a Russian function name, or no
    // Latin function name at all (then "=A1*1,5" is one and a half).
    static bool usesRussianConventions(const QList<LexToken> &tokens);

    // ixion has no literal for error values; they travel as these names.
    static QString errorPlaceholder(CellError error);
    static std::optional<CellError> errorFromPlaceholder(const QString &name);
};
