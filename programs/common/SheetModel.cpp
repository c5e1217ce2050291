#include "SheetModel.h"

#include "FormulaEvaluator.h"
#include "IxionFormulaParser.h"
#include "ReferenceShifter.h"
#include "ValueCoercion.h"
#include "ValueFormatter.h"

#include <algorithm>
#include <functional>

SheetModel::SheetModel(int rows, int columns)
    : parser_(std::make_shared<IxionFormulaParser>())
    , rows_(std::max(1, rows))
    , columns_(std::max(1, columns))
    , cells_(rows_ * columns_)
{
}

bool SheetModel::contains(CellAddress cell) const
{
    return cell.row >= 0 && cell.column >= 0 && cell.row < rows_ && cell.column < columns_;
}

CellValue SheetModel::cellValue(CellAddress cell) const
{
    return contains(cell) ? cells_.at(index(cell)).value : CellValue();
}

QString SheetModel::input(CellAddress cell) const
{
    return contains(cell) ? cells_.at(index(cell)).input : QString();
}

InputParser::Kind SheetModel::inputKind(CellAddress cell) const
{
    return contains(cell) ? cells_.at(index(cell)).kind : InputParser::Kind::Empty;
}

const ParsedFormula *SheetModel::formula(CellAddress cell) const
{
    return contains(cell) ? cells_.at(index(cell)).formula.get() : nullptr;
}

QString SheetModel::displayText(CellAddress cell) const
{
    if (!contains(cell))
        return {};
    const Cell &c = cells_.at(index(cell));
    return ValueFormatter::display(c.value, c.format.numberFormat);
}

QString SheetModel::note(CellAddress cell) const
{
    const CellValue value = cellValue(cell);
    if (!value.isError())
        return {};
    const ParsedFormula *parsed = formula(cell);
    if (value.errorValue() == CellError::Syntax && parsed)
        return QStringLiteral("Ошибка в формуле: %1.").arg(parsed->error);
    return CellValue::errorName(value.errorValue()) + QStringLiteral(": ") + CellValue::errorHint(value.errorValue())
        + QLatin1Char('.');
}

CellFormat SheetModel::format(CellAddress cell) const
{
    return contains(cell) ? cells_.at(index(cell)).format : CellFormat();
}

void SheetModel::setFormat(CellAddress cell, const CellFormat &format)
{
    if (contains(cell))
        cells_[index(cell)].format = format;
}

void SheetModel::setInput(CellAddress cell, const QString &input)
{
    setInputs({{cell, input}});
}

void SheetModel::setInputs(const QList<QPair<CellAddress, QString>> &inputs)
{
    for (const auto &[cell, input] : inputs)
        store(cell, input);
    recalculate();
}

void SheetModel::store(CellAddress cell, const QString &input)
{
    if (!contains(cell))
        return;
    Cell &c = cells_[index(cell)];
    c.input = input;
    c.formula.reset();
    const InputParser::Result parsed = InputParser::parse(input);
    c.kind = parsed.kind;
    switch (parsed.kind) {
    case InputParser::Kind::Empty: c.value = {}; break;
    case InputParser::Kind::Number: c.value = CellValue::number(parsed.number); break;
    case InputParser::Kind::Text: c.value = CellValue::text(parsed.text); break;
    case InputParser::Kind::Formula: {
        auto formula = std::make_shared<ParsedFormula>();
        if (input.size() > maxInputLength) {
            formula->source = parsed.text;
            formula->error = QStringLiteral("формула слишком длинная");
        } else {
            *formula = parser_->parse(parsed.text, cell);
        }
        c.formula = std::move(formula);
        break;
    }
    }
}

// Formula cells grouped into strongly connected components (Tarjan), each
// group after the groups it depends on. A group of more than one cell, or a
// cell that reads itself, is a circular reference.
QList<QList<int>> SheetModel::formulaCellsInOrder() const
{
    const int n = static_cast<int>(cells_.size());
    QVector<QList<int>> edges(n);
    for (int i = 0; i < n; ++i) {
        const Cell &c = cells_.at(i);
        if (!c.formula || !c.formula->ok())
            continue;
        for (const CellAddress &p : c.formula->precedents(rows_, columns_)) {
            const int j = index(p);
            if (cells_.at(j).formula)
                edges[i].append(j);
        }
    }
    QVector<int> order(n, -1), low(n, 0);
    QVector<bool> onStack(n, false);
    QList<int> stack;
    QList<QList<int>> groups;
    int counter = 0;
    std::function<void(int)> visit = [&](int v) {
        order[v] = low[v] = counter++;
        stack.append(v);
        onStack[v] = true;
        for (int w : edges.at(v)) {
            if (order.at(w) < 0) {
                visit(w);
                low[v] = std::min(low.at(v), low.at(w));
            } else if (onStack.at(w)) {
                low[v] = std::min(low.at(v), order.at(w));
            }
        }
        if (low.at(v) == order.at(v)) {
            QList<int> group;
            int w = -1;
            do {
                w = stack.takeLast();
                onStack[w] = false;
                group.append(w);
            } while (w != v);
            groups.append(group);
        }
    };
    for (int i = 0; i < n; ++i) {
        if (cells_.at(i).formula && order.at(i) < 0)
            visit(i);
    }
    return groups;
}

void SheetModel::recalculate()
{
    for (const QList<int> &group : formulaCellsInOrder()) {
        const int first = group.first();
        const CellAddress address{first / columns_, first % columns_};
        Cell &c = cells_[first];
        const QList<CellAddress> reads = c.formula->ok() ? c.formula->precedents(rows_, columns_) : QList<CellAddress>();
        const bool circular = group.size() > 1 || reads.contains(address);
        if (circular) {
            for (int i : group)
                cells_[i].value = CellValue::error(CellError::Circular);
        } else if (!c.formula->ok()) {
            c.value = CellValue::error(CellError::Syntax);
        } else {
            c.value = FormulaEvaluator(*this, address).evaluate(c.formula->root);
        }
    }
}

CellRange SheetModel::currentRegion(CellAddress cell) const
{
    CellRange region{cell, cell};
    auto filled = [&](int r, int c) { return contains({r, c}) && !cells_.at(index({r, c})).input.isEmpty(); };
    for (bool grown = true; grown;) {
        grown = false;
        auto grow = [&](bool sideFilled, int &edge, int step) {
            if (sideFilled) {
                edge += step;
                grown = true;
            }
        };
        auto rowFilled = [&](int r) {
            for (int c = region.first.column - 1; c <= region.last.column + 1; ++c)
                if (filled(r, c))
                    return true;
            return false;
        };
        auto columnFilled = [&](int c) {
            for (int r = region.first.row - 1; r <= region.last.row + 1; ++r)
                if (filled(r, c))
                    return true;
            return false;
        };
        grow(rowFilled(region.first.row - 1), region.first.row, -1);
        grow(rowFilled(region.last.row + 1), region.last.row, 1);
        grow(columnFilled(region.first.column - 1), region.first.column, -1);
        grow(columnFilled(region.last.column + 1), region.last.column, 1);
    }
    return region;
}

void SheetModel::sortRows(const CellRange &range, int keyColumn, bool ascending)
{
    if (!contains(range.first) || !contains(range.last) || keyColumn < range.first.column
        || keyColumn > range.last.column)
        return;
    QList<int> rows;
    for (int r = range.first.row; r <= range.last.row; ++r)
        rows.append(r);
    // Empty keys stay at the bottom whichever the direction, as in a spreadsheet.
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const CellValue x = cellValue({a, keyColumn});
        const CellValue y = cellValue({b, keyColumn});
        if (x.isEmpty() || y.isEmpty())
            return !x.isEmpty() && y.isEmpty();
        if (x.isError() || y.isError())
            return !x.isError() && y.isError();
        const int comparison = ValueCoercion::compare(x, y);
        return ascending ? comparison < 0 : comparison > 0;
    });
    const Snapshot before = snapshot();
    QList<QPair<CellAddress, QString>> moved;
    for (int i = 0; i < rows.size(); ++i) {
        const int from = rows.at(i);
        const int to = range.first.row + i;
        for (int c = range.first.column; c <= range.last.column; ++c) {
            const int source = from * columns_ + c;
            moved.append({{to, c}, ReferenceShifter::shift(before.inputs.at(source), to - from, 0)});
            cells_[index({to, c})].format = before.formats.at(source);
        }
    }
    setInputs(moved);
}

SheetModel::Snapshot SheetModel::snapshot() const
{
    Snapshot s;
    s.inputs.reserve(cells_.size());
    s.formats.reserve(cells_.size());
    for (const Cell &c : cells_) {
        s.inputs.append(c.input);
        s.formats.append(c.format);
    }
    return s;
}

void SheetModel::restore(const Snapshot &snapshot)
{
    if (snapshot.inputs.size() != cells_.size())
        return;
    for (int i = 0; i < cells_.size(); ++i) {
        store({i / columns_, i % columns_}, snapshot.inputs.at(i));
        cells_[i].format = snapshot.formats.at(i);
    }
    recalculate();
}
