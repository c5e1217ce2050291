#include "SheetChecker.h"

#include "FunctionNames.h"
#include "ValueCoercion.h"
#include "ValueFormatter.h"

#include <cmath>

namespace {

QString quoted(const QString &text)
{
    return QStringLiteral("«%1»").arg(text);
}

QString shown(const CellValue &value)
{
    return quoted(ValueFormatter::display(value));
}

CellReference anchored(CellAddress target, SheetChecker::Anchor anchor)
{
    return {target, anchor != SheetChecker::Anchor::Relative, anchor == SheetChecker::Anchor::Absolute};
}

} // namespace

SheetChecker::SheetChecker(const SheetModel &sheet, const QList<Inputs> &dataVariants)
    : sheet_(sheet)
    , variants_(dataVariants)
{
}

const QList<SheetModel> &SheetChecker::variantSheets()
{
    if (!variantsBuilt_) {
        for (const Inputs &inputs : variants_) {
            SheetModel copy = sheet_;
            copy.setInputs(inputs);
            variantSheets_.append(copy);
        }
        variantsBuilt_ = true;
    }
    return variantSheets_;
}

QString SheetChecker::normalizedText(const QString &text)
{
    QString normal = text.simplified().toLower();
    normal.replace(QChar(0x0451), QChar(0x0435)); // ё -> е
    return normal;
}

double SheetChecker::numberAt(const SheetModel &sheet, CellAddress cell)
{
    const CellValue v = ValueCoercion::toNumber(sheet.cellValue(cell));
    return v.isNumber() ? v.numberValue() : 0;
}

bool SheetChecker::sameValue(const CellValue &actual, const CellValue &expected)
{
    if (expected.isNumber() && actual.isNumber()) {
        const double a = actual.numberValue();
        const double e = expected.numberValue();
        return std::abs(a - e) <= 1e-9 * std::max(1.0, std::abs(e));
    }
    if (expected.isText() && actual.isText())
        return normalizedText(actual.textValue()) == normalizedText(expected.textValue());
    return actual == expected;
}

bool SheetChecker::text(CellAddress cell, const QString &expected)
{
    const QString input = sheet_.input(cell);
    if (input.trimmed().isEmpty()) {
        fail(cell, QStringLiteral("Ячейка пуста: введите %1.").arg(quoted(expected)));
        return false;
    }
    if (normalizedText(sheet_.displayText(cell)) != normalizedText(expected)) {
        fail(cell, QStringLiteral("Должно быть %1, а введено %2.").arg(quoted(expected), quoted(input)));
        return false;
    }
    return true;
}

bool SheetChecker::number(CellAddress cell, double expected)
{
    const QString input = sheet_.input(cell);
    const QString wanted = ValueFormatter::generalNumber(expected);
    if (input.trimmed().isEmpty()) {
        fail(cell, QStringLiteral("Ячейка пуста: введите число %1.").arg(wanted));
        return false;
    }
    const CellValue value = sheet_.cellValue(cell);
    if (!value.isNumber()) {
        fail(cell, QStringLiteral("Здесь должно быть число %1, а введено %2 — это не число "
                                  "(дробная часть отделяется запятой).").arg(wanted, quoted(input)));
        return false;
    }
    if (!sameValue(value, CellValue::number(expected))) {
        fail(cell, QStringLiteral("Должно быть %1, а введено %2.").arg(wanted, quoted(input)));
        return false;
    }
    return true;
}

bool SheetChecker::hasFormula(CellAddress cell)
{
    switch (sheet_.inputKind(cell)) {
    case InputParser::Kind::Empty:
        fail(cell, QStringLiteral("Ячейка пуста, а здесь нужна формула."));
        return false;
    case InputParser::Kind::Number:
    case InputParser::Kind::Text:
        fail(cell, QStringLiteral("Здесь введено готовое значение %1, а нужна формула: она начинается "
                                  "со знака «=» и ссылается на ячейки с данными.").arg(quoted(sheet_.input(cell))));
        return false;
    case InputParser::Kind::Formula:
        break;
    }
    const ParsedFormula *parsed = sheet_.formula(cell);
    if (!parsed->ok()) {
        fail(cell, QStringLiteral("Ошибка в формуле: %1.").arg(parsed->error));
        return false;
    }
    return true;
}

bool SheetChecker::formula(CellAddress cell)
{
    if (!hasFormula(cell))
        return false;
    const ParsedFormula *parsed = sheet_.formula(cell);
    const CellValue value = sheet_.cellValue(cell);
    if (value.isError()) {
        const CellError error = value.errorValue();
        fail(cell, error == CellError::Circular
                       ? QStringLiteral("Циклическая ссылка: %1.").arg(CellValue::errorHint(error))
                       : QStringLiteral("Формула даёт ошибку %1: %2.")
                             .arg(CellValue::errorName(error), CellValue::errorHint(error)));
        return false;
    }
    if (!parsed->refersToCells()) {
        fail(cell, QStringLiteral("В формуле нет ссылок на ячейки — одни готовые числа. Укажите адреса "
                                  "ячеек, чтобы результат пересчитывался при изменении данных."));
        return false;
    }
    return true;
}

bool SheetChecker::function(CellAddress cell, const QString &englishName, std::optional<CellRange> range)
{
    const ParsedFormula *parsed = sheet_.formula(cell);
    const QString russian = FunctionNames::russianName(englishName);
    const QList<const FormulaNode *> calls = parsed ? parsed->calls(englishName) : QList<const FormulaNode *>();
    if (calls.isEmpty()) {
        QString message = QStringLiteral("Здесь нужна функция %1").arg(russian);
        const QList<const FormulaNode *> others = parsed ? parsed->calls() : QList<const FormulaNode *>();
        if (!others.isEmpty())
            message += QStringLiteral(", а в формуле использована %1").arg(FunctionNames::russianName(others.first()->text));
        fail(cell, message + QLatin1Char('.'));
        return false;
    }
    if (!range)
        return true;
    QString usedRange;
    for (const FormulaNode *call : calls) {
        for (const FormulaNode &arg : call->children) {
            if (arg.kind != FormulaNode::Kind::Range && arg.kind != FormulaNode::Kind::Reference)
                continue;
            const CellRange argRange = CellRange::of(arg.first.address, arg.kind == FormulaNode::Kind::Range
                                                                            ? arg.last.address
                                                                            : arg.first.address);
            if (argRange == *range)
                return true;
            if (usedRange.isEmpty())
                usedRange = argRange.name();
        }
    }
    fail(cell, usedRange.isEmpty()
                   ? QStringLiteral("Функция %1 должна брать диапазон %2 (первая и последняя ячейки через двоеточие).")
                         .arg(russian, range->name())
                   : QStringLiteral("Функция %1 должна брать диапазон %2, а в формуле указан %3.")
                         .arg(russian, range->name(), usedRange));
    return false;
}

bool SheetChecker::reference(CellAddress cell, CellAddress target, Anchor anchor, const QString &missingHint)
{
    const ParsedFormula *parsed = sheet_.formula(cell);
    const QString wanted = anchored(target, anchor).name();
    const QString absolute = anchored(target, Anchor::Absolute).name();
    QList<CellReference> matching;
    if (parsed) {
        for (const CellReference &ref : parsed->references()) {
            if (ref.address == target)
                matching.append(ref);
        }
    }
    if (matching.isEmpty()) {
        fail(cell, missingHint.isEmpty() ? QStringLiteral("Формула должна ссылаться на ячейку %1.").arg(wanted)
                                         : missingHint);
        return false;
    }
    for (const CellReference &ref : matching) {
        const bool ok = anchor == Anchor::Relative ? ref.isRelative()
            : anchor == Anchor::FixedRow           ? ref.absoluteRow
                                                   : ref.isAbsolute();
        if (ok)
            return true;
    }
    fail(cell, anchor == Anchor::Relative
                   ? QStringLiteral("Ссылка %1 должна быть относительной, без знака $: при копировании формулы "
                                    "она должна сдвигаться вместе с ней.").arg(matching.first().name())
                   : anchor == Anchor::Absolute
                   ? QStringLiteral("Ссылка %1 должна быть абсолютной — %2, иначе при копировании формулы она "
                                    "сдвинется.").arg(matching.first().name(), absolute)
                   : QStringLiteral("Ссылка %1 должна быть абсолютной — %2 (или хотя бы %3), иначе при копировании "
                                    "формулы вниз она сдвинется.").arg(matching.first().name(), absolute, wanted));
    return false;
}

bool SheetChecker::value(CellAddress cell, const Expected &expected)
{
    const CellValue actual = sheet_.cellValue(cell);
    const CellValue wanted = expected(sheet_);
    if (!sameValue(actual, wanted)) {
        fail(cell, QStringLiteral("Получается %1, а должно быть %2.").arg(shown(actual), shown(wanted)));
        return false;
    }
    for (const SheetModel &variant : variantSheets()) {
        const CellValue changed = variant.cellValue(cell);
        const CellValue changedWanted = expected(variant);
        if (!sameValue(changed, changedWanted)) {
            fail(cell, QStringLiteral("Результат верен только для этих чисел: если изменить исходные данные, "
                                      "формула даст %1 вместо %2. Проверьте, на какие ячейки она ссылается, "
                                      "нет ли в ней готовых чисел и точно ли записано условие "
                                      "(например, «>» вместо «>=»).").arg(shown(changed), shown(changedWanted)));
            return false;
        }
    }
    return true;
}

bool SheetChecker::bold(CellAddress cell)
{
    if (sheet_.format(cell).bold)
        return true;
    fail(cell, QStringLiteral("Выделите эту ячейку полужирным шрифтом (кнопка «Ж»)."));
    return false;
}

bool SheetChecker::centered(CellAddress cell)
{
    if (sheet_.format(cell).align == HorizontalAlign::Center)
        return true;
    fail(cell, QStringLiteral("Выровняйте эту ячейку по центру (кнопка «По центру»)."));
    return false;
}

bool SheetChecker::numberFormat(CellAddress cell, const QList<NumberFormat> &accepted, const QString &hint)
{
    if (accepted.contains(sheet_.format(cell).numberFormat))
        return true;
    fail(cell, hint);
    return false;
}
