#include "FormulaFunctions.h"

#include "Criterion.h"
#include "ValueCoercion.h"

#include <QHash>

#include <cfloat>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

using Args = std::vector<FormulaNode>;
using Function = std::function<CellValue(const Args &, const FormulaEvaluator &)>;

// Numbers of SUM, AVERAGE, MIN, MAX: texts and empty cells in ranges are
// skipped, a typed argument must be a number, errors stop the calculation.
struct Numbers
{
    QList<double> values;
    std::optional<CellValue> error;
};

Numbers collectNumbers(const Args &args, const FormulaEvaluator &ev)
{
    Numbers numbers;
    for (const FormulaNode &arg : args) {
        const FormulaEvaluator::Operand op = ev.operand(arg);
        if (op.range) {
            for (const CellValue &v : ev.rangeValues(*op.range)) {
                if (v.isError()) {
                    numbers.error = v;
                    return numbers;
                }
                if (v.isNumber())
                    numbers.values.append(v.numberValue());
            }
            continue;
        }
        const CellValue v = ValueCoercion::toNumber(op.value);
        if (v.isError()) {
            numbers.error = v;
            return numbers;
        }
        numbers.values.append(v.numberValue());
    }
    return numbers;
}

template<typename Reduce>
Function aggregate(Reduce reduce)
{
    return [reduce](const Args &args, const FormulaEvaluator &ev) {
        const Numbers numbers = collectNumbers(args, ev);
        if (numbers.error)
            return *numbers.error;
        return reduce(numbers.values);
    };
}

// A number argument, or the error that stops the function.
std::optional<CellValue> numberArg(const Args &args, std::size_t i, const FormulaEvaluator &ev, double &out)
{
    const CellValue v = ValueCoercion::toNumber(ev.scalar(args.at(i)));
    if (v.isError())
        return v;
    out = v.numberValue();
    return std::nullopt;
}

template<typename Apply>
Function numeric1(Apply apply)
{
    return [apply](const Args &args, const FormulaEvaluator &ev) {
        double x = 0;
        if (auto error = numberArg(args, 0, ev, x))
            return *error;
        return apply(x);
    };
}

template<typename Apply>
Function numeric2(Apply apply)
{
    return [apply](const Args &args, const FormulaEvaluator &ev) {
        double x = 0, y = 0;
        if (auto error = numberArg(args, 0, ev, x))
            return *error;
        if (auto error = numberArg(args, 1, ev, y))
            return *error;
        return apply(x, y);
    };
}

CellValue power(double x, double y)
{
    if (x == 0 && y == 0)
        return CellValue::error(CellError::Number);
    if (x == 0 && y < 0)
        return CellValue::error(CellError::DivisionByZero);
    return CellValue::number(std::pow(x, y));
}

CellValue round(double x, double digits)
{
    const double p = std::pow(10.0, std::trunc(digits));
    // Nudge by a few units of the last place so 2,675 rounds to 2,68 as typed.
    return CellValue::number(std::round(x * p * (1 + 4 * DBL_EPSILON)) / p);
}

CellValue count(const Args &args, const FormulaEvaluator &ev)
{
    int n = 0;
    for (const FormulaNode &arg : args) {
        const FormulaEvaluator::Operand op = ev.operand(arg);
        if (op.range) {
            for (const CellValue &v : ev.rangeValues(*op.range))
                n += v.isNumber();
        } else if (arg.kind != FormulaNode::Kind::Missing) {
            const CellValue &v = op.value;
            n += v.isNumber() || v.isBoolean() || (v.isText() && ValueCoercion::toNumber(v).isNumber());
        }
    }
    return CellValue::number(n);
}

CellValue countA(const Args &args, const FormulaEvaluator &ev)
{
    int n = 0;
    for (const FormulaNode &arg : args) {
        const FormulaEvaluator::Operand op = ev.operand(arg);
        if (op.range) {
            for (const CellValue &v : ev.rangeValues(*op.range))
                n += !v.isEmpty();
        } else {
            n += arg.kind != FormulaNode::Kind::Missing;
        }
    }
    return CellValue::number(n);
}

CellValue countBlank(const Args &args, const FormulaEvaluator &ev)
{
    const FormulaEvaluator::Operand op = ev.operand(args.at(0));
    if (!op.range)
        return CellValue::error(CellError::Value);
    double filled = 0;
    for (const CellValue &v : ev.rangeValues(*op.range))
        filled += !(v.isEmpty() || (v.isText() && v.textValue().isEmpty()));
    return CellValue::number(double(op.range->rowCount()) * op.range->columnCount() - filled);
}

// СЧЁТЕСЛИ, СУММЕСЛИ, СРЗНАЧЕСЛИ: walk the range, add up the matching cells
// of the summed range (the same shape, from its top-left cell).
enum class IfKind { Count, Sum, Average };

Function conditional(IfKind kind)
{
    return [kind](const Args &args, const FormulaEvaluator &ev) {
        const FormulaEvaluator::Operand range = ev.operand(args.at(0));
        if (!range.range)
            return CellValue::error(CellError::Value);
        const CellValue criterionValue = ev.scalar(args.at(1));
        if (criterionValue.isError())
            return criterionValue;
        CellAddress sumOrigin = range.range->first;
        if (args.size() > 2) {
            const FormulaEvaluator::Operand sum = ev.operand(args.at(2));
            if (!sum.range)
                return CellValue::error(CellError::Value);
            sumOrigin = sum.range->first;
        }
        const Criterion criterion(criterionValue);
        double total = 0;
        int matched = 0;
        if (const auto inside = ev.clipped(*range.range)) {
            for (int r = inside->first.row; r <= inside->last.row; ++r) {
                for (int c = inside->first.column; c <= inside->last.column; ++c) {
                    if (!criterion.matches(ev.cell({r, c})))
                        continue;
                    ++matched;
                    if (kind == IfKind::Count)
                        continue;
                    const CellValue v = ev.cell({sumOrigin.row + r - inside->first.row,
                                                 sumOrigin.column + c - inside->first.column});
                    if (v.isError())
                        return v;
                    if (v.isNumber())
                        total += v.numberValue();
                    else
                        --matched; // an average counts numbers only
                }
            }
        }
        switch (kind) {
        case IfKind::Count: return CellValue::number(matched);
        case IfKind::Sum: return CellValue::number(total);
        case IfKind::Average:
            return matched == 0 ? CellValue::error(CellError::DivisionByZero) : CellValue::number(total / matched);
        }
        return CellValue::error(CellError::Value);
    };
}

// И, ИЛИ: logical values and numbers count, texts and empty cells in ranges do not.
Function logical(bool isAnd)
{
    return [isAnd](const Args &args, const FormulaEvaluator &ev) {
        bool any = false;
        bool result = isAnd;
        auto take = [&](bool value) {
            any = true;
            result = isAnd ? (result && value) : (result || value);
        };
        for (const FormulaNode &arg : args) {
            const FormulaEvaluator::Operand op = ev.operand(arg);
            if (op.range) {
                for (const CellValue &v : ev.rangeValues(*op.range)) {
                    if (v.isError())
                        return v;
                    if (v.isBoolean() || v.isNumber())
                        take(ValueCoercion::toBoolean(v).booleanValue());
                }
                continue;
            }
            const CellValue v = ValueCoercion::toBoolean(op.value);
            if (v.isError())
                return v;
            take(v.booleanValue());
        }
        return any ? CellValue::boolean(result) : CellValue::error(CellError::Value);
    };
}

CellValue ifFunction(const Args &args, const FormulaEvaluator &ev)
{
    const CellValue condition = ValueCoercion::toBoolean(ev.scalar(args.at(0)));
    if (condition.isError())
        return condition;
    if (condition.booleanValue())
        return ev.scalar(args.at(1));
    return args.size() > 2 ? ev.scalar(args.at(2)) : CellValue::boolean(false);
}

Function textPart(bool fromLeft)
{
    return [fromLeft](const Args &args, const FormulaEvaluator &ev) {
        const CellValue v = ev.scalar(args.at(0));
        if (v.isError())
            return v;
        double n = 1;
        if (args.size() > 1) {
            if (auto error = numberArg(args, 1, ev, n))
                return *error;
        }
        if (n < 0)
            return CellValue::error(CellError::Value);
        const QString text = ValueCoercion::toText(v);
        const qsizetype length = static_cast<qsizetype>(std::min<double>(n, text.size()));
        return CellValue::text(fromLeft ? text.left(length) : text.right(length));
    };
}

CellValue concatenate(const Args &args, const FormulaEvaluator &ev)
{
    QString text;
    for (const FormulaNode &arg : args) {
        const CellValue v = ev.scalar(arg);
        if (v.isError())
            return v;
        text += ValueCoercion::toText(v);
    }
    return CellValue::text(text);
}

CellValue vlookup(const Args &args, const FormulaEvaluator &ev)
{
    const CellValue wanted = ev.scalar(args.at(0));
    if (wanted.isError())
        return wanted;
    const FormulaEvaluator::Operand table = ev.operand(args.at(1));
    if (!table.range)
        return CellValue::error(CellError::Value);
    double column = 0;
    if (auto error = numberArg(args, 2, ev, column))
        return *error;
    column = std::trunc(column);
    if (column < 1)
        return CellValue::error(CellError::Value);
    if (column > table.range->columnCount())
        return CellValue::error(CellError::Reference);
    bool approximate = true;
    if (args.size() > 3) {
        const CellValue v = ValueCoercion::toBoolean(ev.scalar(args.at(3)));
        if (v.isError())
            return v;
        approximate = v.booleanValue();
    }
    const CellRange &range = *table.range;
    const auto inside = ev.clipped(range);
    int found = -1;
    for (int r = range.first.row; inside && r <= inside->last.row; ++r) {
        const CellValue key = ev.cell({r, range.first.column});
        if (key.type() != wanted.type())
            continue;
        const int comparison = ValueCoercion::compare(key, wanted);
        if (comparison == 0 && !approximate) {
            found = r;
            break;
        }
        if (approximate) {
            if (comparison > 0)
                break;
            found = r;
        }
    }
    if (found < 0)
        return CellValue::error(CellError::NotAvailable);
    return ev.cell({found, range.first.column + static_cast<int>(column) - 1});
}

const QHash<QString, Function> &library()
{
    static const QHash<QString, Function> functions = {
        {QStringLiteral("SUM"), aggregate([](const QList<double> &v) {
             double sum = 0;
             for (double x : v)
                 sum += x;
             return CellValue::number(sum);
         })},
        {QStringLiteral("AVERAGE"), aggregate([](const QList<double> &v) {
             if (v.isEmpty())
                 return CellValue::error(CellError::DivisionByZero);
             double sum = 0;
             for (double x : v)
                 sum += x;
             return CellValue::number(sum / v.size());
         })},
        {QStringLiteral("MIN"), aggregate([](const QList<double> &v) {
             return CellValue::number(v.isEmpty() ? 0 : *std::min_element(v.begin(), v.end()));
         })},
        {QStringLiteral("MAX"), aggregate([](const QList<double> &v) {
             return CellValue::number(v.isEmpty() ? 0 : *std::max_element(v.begin(), v.end()));
         })},
        {QStringLiteral("PRODUCT"), aggregate([](const QList<double> &v) {
             double product = v.isEmpty() ? 0 : 1;
             for (double x : v)
                 product *= x;
             return CellValue::number(product);
         })},
        {QStringLiteral("COUNT"), count},
        {QStringLiteral("COUNTA"), countA},
        {QStringLiteral("COUNTBLANK"), countBlank},
        {QStringLiteral("COUNTIF"), conditional(IfKind::Count)},
        {QStringLiteral("SUMIF"), conditional(IfKind::Sum)},
        {QStringLiteral("AVERAGEIF"), conditional(IfKind::Average)},
        {QStringLiteral("IF"), ifFunction},
        {QStringLiteral("IFERROR"), [](const Args &args, const FormulaEvaluator &ev) {
             const CellValue v = ev.scalar(args.at(0));
             return v.isError() ? ev.scalar(args.at(1)) : v;
         }},
        {QStringLiteral("AND"), logical(true)},
        {QStringLiteral("OR"), logical(false)},
        {QStringLiteral("NOT"), [](const Args &args, const FormulaEvaluator &ev) {
             const CellValue v = ValueCoercion::toBoolean(ev.scalar(args.at(0)));
             return v.isError() ? v : CellValue::boolean(!v.booleanValue());
         }},
        {QStringLiteral("TRUE"), [](const Args &, const FormulaEvaluator &) { return CellValue::boolean(true); }},
        {QStringLiteral("FALSE"), [](const Args &, const FormulaEvaluator &) { return CellValue::boolean(false); }},
        {QStringLiteral("ROUND"), numeric2(round)},
        {QStringLiteral("ABS"), numeric1([](double x) { return CellValue::number(std::abs(x)); })},
        {QStringLiteral("SQRT"), numeric1([](double x) {
             return x < 0 ? CellValue::error(CellError::Number) : CellValue::number(std::sqrt(x));
         })},
        {QStringLiteral("INT"), numeric1([](double x) { return CellValue::number(std::floor(x)); })},
        {QStringLiteral("MOD"), numeric2([](double x, double y) {
             return y == 0 ? CellValue::error(CellError::DivisionByZero)
                           : CellValue::number(x - y * std::floor(x / y));
         })},
        {QStringLiteral("POWER"), numeric2(power)},
        {QStringLiteral("PI"), [](const Args &, const FormulaEvaluator &) { return CellValue::number(std::numbers::pi); }},
        {QStringLiteral("LEN"), [](const Args &args, const FormulaEvaluator &ev) {
             const CellValue v = ev.scalar(args.at(0));
             return v.isError() ? v : CellValue::number(ValueCoercion::toText(v).size());
         }},
        {QStringLiteral("LEFT"), textPart(true)},
        {QStringLiteral("RIGHT"), textPart(false)},
        {QStringLiteral("CONCATENATE"), concatenate},
        {QStringLiteral("CHAR"), numeric1([](double x) {
             const int code = static_cast<int>(std::trunc(x));
             return code < 1 || code > 255 ? CellValue::error(CellError::Value)
                                           : CellValue::text(QString(QChar(code)));
         })},
        {QStringLiteral("NA"), [](const Args &, const FormulaEvaluator &) {
             return CellValue::error(CellError::NotAvailable);
         }},
        {QStringLiteral("ISBLANK"), [](const Args &args, const FormulaEvaluator &ev) {
             return CellValue::boolean(ev.scalar(args.at(0)).isEmpty());
         }},
        {QStringLiteral("ISNUMBER"), [](const Args &args, const FormulaEvaluator &ev) {
             return CellValue::boolean(ev.scalar(args.at(0)).isNumber());
         }},
        {QStringLiteral("ISERROR"), [](const Args &args, const FormulaEvaluator &ev) {
             return CellValue::boolean(ev.scalar(args.at(0)).isError());
         }},
        {QStringLiteral("VLOOKUP"), vlookup},
    };
    return functions;
}

} // namespace

CellValue FormulaFunctions::call(const FormulaNode &node, const FormulaEvaluator &evaluator)
{
    const auto it = library().constFind(node.text);
    if (it == library().constEnd())
        return CellValue::error(CellError::Name);
    return (*it)(node.children, evaluator);
}
