#pragma once

#include <QString>

// Error values as a Russian-language spreadsheet shows them, plus two of ours:
// a circular reference and a formula that could not be read at all.
enum class CellError {
    DivisionByZero,
    Name,
    Reference,
    Value,
    NotAvailable,
    Number,
    Null,
    Circular,
    Syntax,
};

// What a cell holds after calculation.
class CellValue
{
public:
    enum class Type { Empty, Number, Text, Boolean, Error };

    CellValue() = default;
    static CellValue number(double value); // not finite: #ЧИСЛО!
    static CellValue text(const QString &value);
    static CellValue boolean(bool value);
    static CellValue error(CellError error);

    Type type() const { return type_; }
    bool isEmpty() const { return type_ == Type::Empty; }
    bool isNumber() const { return type_ == Type::Number; }
    bool isText() const { return type_ == Type::Text; }
    bool isBoolean() const { return type_ == Type::Boolean; }
    bool isError() const { return type_ == Type::Error; }

    double numberValue() const { return number_; }
    const QString &textValue() const { return text_; }
    bool booleanValue() const { return boolean_; }
    CellError errorValue() const { return error_; }

    friend bool operator==(const CellValue &, const CellValue &) = default;

    static QString errorName(CellError error);
    // A short explanation for the student of what went wrong.
    static QString errorHint(CellError error);

private:
    Type type_ = Type::Empty;
    double number_ = 0;
    QString text_;
    bool boolean_ = false;
    CellError error_ = CellError::Value;
};
