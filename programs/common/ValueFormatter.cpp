#include "ValueFormatter.h"

#include <QLocale>

namespace {

QLocale russian()
{
    return QLocale(QLocale::Russian, QLocale::Russia);
}

} // namespace

QString ValueFormatter::generalNumber(double value, int digits)
{
    QLocale locale = russian();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'g', digits);
}

QString ValueFormatter::booleanName(bool value)
{
    return value ? QStringLiteral("ИСТИНА") : QStringLiteral("ЛОЖЬ");
}

QString ValueFormatter::display(const CellValue &value, NumberFormat format)
{
    switch (value.type()) {
    case CellValue::Type::Empty: return {};
    case CellValue::Type::Text: return value.textValue();
    case CellValue::Type::Boolean: return booleanName(value.booleanValue());
    case CellValue::Type::Error: return CellValue::errorName(value.errorValue());
    case CellValue::Type::Number: break;
    }
    const double number = value.numberValue();
    switch (format) {
    case NumberFormat::General: return generalNumber(number);
    case NumberFormat::Fixed2: return russian().toString(number, 'f', 2);
    case NumberFormat::Percent: return russian().toString(number * 100, 'f', 0) + QLatin1Char('%');
    case NumberFormat::Money: return russian().toString(number, 'f', 2) + QStringLiteral(" ₽");
    }
    return generalNumber(number);
}
