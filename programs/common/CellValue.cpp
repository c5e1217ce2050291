#include "CellValue.h"

#include <cmath>

CellValue CellValue::number(double value)
{
    if (!std::isfinite(value))
        return error(CellError::Number);
    CellValue v;
    v.type_ = Type::Number;
    v.number_ = value == 0 ? 0 : value; // no "-0" on screen
    return v;
}

CellValue CellValue::text(const QString &value)
{
    CellValue v;
    v.type_ = Type::Text;
    v.text_ = value;
    return v;
}

CellValue CellValue::boolean(bool value)
{
    CellValue v;
    v.type_ = Type::Boolean;
    v.boolean_ = value;
    return v;
}

CellValue CellValue::error(CellError error)
{
    CellValue v;
    v.type_ = Type::Error;
    v.error_ = error;
    return v;
}

QString CellValue::errorName(CellError error)
{
    switch (error) {
    case CellError::DivisionByZero: return QStringLiteral("#ДЕЛ/0!");
    case CellError::Name: return QStringLiteral("#ИМЯ?");
    case CellError::Reference: return QStringLiteral("#ССЫЛКА!");
    case CellError::Value: return QStringLiteral("#ЗНАЧ!");
    case CellError::NotAvailable: return QStringLiteral("#Н/Д");
    case CellError::Number: return QStringLiteral("#ЧИСЛО!");
    case CellError::Null: return QStringLiteral("#ПУСТО!");
    case CellError::Circular: return QStringLiteral("Циклическая ссылка");
    case CellError::Syntax: return QStringLiteral("Ошибка в формуле");
    }
    return {};
}

QString CellValue::errorHint(CellError error)
{
    switch (error) {
    case CellError::DivisionByZero: return QStringLiteral("деление на ноль или на пустую ячейку");
    case CellError::Name:
        return QStringLiteral("неизвестное имя или функция; адреса ячеек набираются латинскими буквами");
    case CellError::Reference: return QStringLiteral("ссылка на несуществующую ячейку");
    case CellError::Value: return QStringLiteral("значение не того типа, например текст в арифметическом действии");
    case CellError::NotAvailable: return QStringLiteral("искомое значение не найдено");
    case CellError::Number: return QStringLiteral("недопустимое число, например корень из отрицательного");
    case CellError::Null: return QStringLiteral("диапазоны не пересекаются");
    case CellError::Circular:
        return QStringLiteral("формула прямо или через другие ячейки ссылается на саму себя");
    case CellError::Syntax: return QStringLiteral("формулу нельзя прочитать");
    }
    return {};
}
