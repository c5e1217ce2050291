#include "FormulaEvaluator.h"

#include "FormulaFunctions.h"
#include "ValueCoercion.h"

#include <algorithm>
#include <cmath>

using Kind = FormulaNode::Kind;
using Op = FormulaNode::Op;

FormulaEvaluator::FormulaEvaluator(const CellSource &cells, CellAddress at)
    : cells_(cells)
    , at_(at)
{
}

CellValue FormulaEvaluator::evaluate(const FormulaNode &root) const
{
    const CellValue value = scalar(root);
    return value.isEmpty() ? CellValue::number(0) : value;
}

CellValue FormulaEvaluator::cell(CellAddress address) const
{
    if (address.row < 0 || address.column < 0 || address.row >= cells_.rowCount()
        || address.column >= cells_.columnCount())
        return {};
    const CellValue value = cells_.cellValue(address);
    // A formula that could not be read is no value to calculate with.
    if (value.isError() && value.errorValue() == CellError::Syntax)
        return CellValue::error(CellError::Value);
    return value;
}

std::optional<CellRange> FormulaEvaluator::clipped(const CellRange &range) const
{
    CellRange inside = range;
    inside.last.row = std::min(range.last.row, cells_.rowCount() - 1);
    inside.last.column = std::min(range.last.column, cells_.columnCount() - 1);
    if (inside.last.row < inside.first.row || inside.last.column < inside.first.column)
        return std::nullopt;
    return inside;
}

QList<CellValue> FormulaEvaluator::rangeValues(const CellRange &range) const
{
    QList<CellValue> values;
    if (const auto inside = clipped(range)) {
        for (int r = inside->first.row; r <= inside->last.row; ++r) {
            for (int c = inside->first.column; c <= inside->last.column; ++c)
                values.append(cell({r, c}));
        }
    }
    return values;
}

FormulaEvaluator::Operand FormulaEvaluator::operand(const FormulaNode &node) const
{
    switch (node.kind) {
    case Kind::Number: return {CellValue::number(node.number), {}};
    case Kind::Text: return {CellValue::text(node.text), {}};
    case Kind::Boolean: return {CellValue::boolean(node.boolean), {}};
    case Kind::Error: return {CellValue::error(node.error), {}};
    case Kind::Missing: return {{}, {}};
    case Kind::Name: return {CellValue::error(CellError::Name), {}};
    case Kind::Reference: return {{}, CellRange{node.first.address, node.first.address}};
    case Kind::Range: return {{}, CellRange{node.first.address, node.last.address}};
    case Kind::Unary: return {unary(node), {}};
    case Kind::Binary: return {binary(node), {}};
    case Kind::Call: return {FormulaFunctions::call(node, *this), {}};
    }
    return {CellValue::error(CellError::Value), {}};
}

CellValue FormulaEvaluator::reduce(const Operand &operand) const
{
    if (!operand.range)
        return operand.value;
    const CellRange &range = *operand.range;
    if (range.first == range.last)
        return cell(range.first);
    // Implicit intersection: =B2:B7*2 in row 3 takes B3.
    if (range.columnCount() == 1 && at_.row >= range.first.row && at_.row <= range.last.row)
        return cell({at_.row, range.first.column});
    if (range.rowCount() == 1 && at_.column >= range.first.column && at_.column <= range.last.column)
        return cell({range.first.row, at_.column});
    return CellValue::error(CellError::Value);
}

CellValue FormulaEvaluator::scalar(const FormulaNode &node) const
{
    return reduce(operand(node));
}

CellValue FormulaEvaluator::unary(const FormulaNode &node) const
{
    const CellValue value = scalar(node.children.at(0));
    if (node.op == Op::Plus)
        return value;
    const CellValue number = ValueCoercion::toNumber(value);
    return number.isError() ? number : CellValue::number(-number.numberValue());
}

CellValue FormulaEvaluator::binary(const FormulaNode &node) const
{
    const CellValue left = scalar(node.children.at(0));
    const CellValue right = scalar(node.children.at(1));
    if (left.isError())
        return left;
    if (right.isError())
        return right;
    switch (node.op) {
    case Op::Concat:
        return CellValue::text(ValueCoercion::toText(left) + ValueCoercion::toText(right));
    case Op::Equal: return CellValue::boolean(ValueCoercion::compare(left, right) == 0);
    case Op::NotEqual: return CellValue::boolean(ValueCoercion::compare(left, right) != 0);
    case Op::Less: return CellValue::boolean(ValueCoercion::compare(left, right) < 0);
    case Op::Greater: return CellValue::boolean(ValueCoercion::compare(left, right) > 0);
    case Op::LessEqual: return CellValue::boolean(ValueCoercion::compare(left, right) <= 0);
    case Op::GreaterEqual: return CellValue::boolean(ValueCoercion::compare(left, right) >= 0);
    default: break;
    }
    const CellValue a = ValueCoercion::toNumber(left);
    if (a.isError())
        return a;
    const CellValue b = ValueCoercion::toNumber(right);
    if (b.isError())
        return b;
    const double x = a.numberValue();
    const double y = b.numberValue();
    switch (node.op) {
    case Op::Add: return CellValue::number(x + y);
    case Op::Subtract: return CellValue::number(x - y);
    case Op::Multiply: return CellValue::number(x * y);
    case Op::Divide:
        return y == 0 ? CellValue::error(CellError::DivisionByZero) : CellValue::number(x / y);
    case Op::Power:
        if (x == 0 && y == 0)
            return CellValue::error(CellError::Number);
        if (x == 0 && y < 0)
            return CellValue::error(CellError::DivisionByZero);
        return CellValue::number(std::pow(x, y));
    default:
        return CellValue::error(CellError::Value);
    }
}
