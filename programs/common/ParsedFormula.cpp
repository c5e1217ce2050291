#include "ParsedFormula.h"

#include <algorithm>
#include <functional>

namespace {

void walk(const FormulaNode &node, const std::function<void(const FormulaNode &)> &visit)
{
    visit(node);
    for (const FormulaNode &child : node.children)
        walk(child, visit);
}

} // namespace

QList<const FormulaNode *> ParsedFormula::calls(const QString &englishName) const
{
    QList<const FormulaNode *> found;
    walk(root, [&](const FormulaNode &node) {
        if (node.kind == FormulaNode::Kind::Call && (englishName.isEmpty() || node.text == englishName))
            found.append(&node);
    });
    return found;
}

QList<CellReference> ParsedFormula::references() const
{
    QList<CellReference> found;
    walk(root, [&](const FormulaNode &node) {
        if (node.kind == FormulaNode::Kind::Reference)
            found.append(node.first);
    });
    return found;
}

QList<const FormulaNode *> ParsedFormula::ranges() const
{
    QList<const FormulaNode *> found;
    walk(root, [&](const FormulaNode &node) {
        if (node.kind == FormulaNode::Kind::Range)
            found.append(&node);
    });
    return found;
}

bool ParsedFormula::refersToCells() const
{
    return !references().isEmpty() || !ranges().isEmpty();
}

QList<CellAddress> ParsedFormula::precedents(int rows, int columns) const
{
    QList<CellAddress> cells;
    walk(root, [&](const FormulaNode &node) {
        if (node.kind != FormulaNode::Kind::Reference && node.kind != FormulaNode::Kind::Range)
            return;
        const CellAddress a = node.first.address;
        const CellAddress b = node.kind == FormulaNode::Kind::Range ? node.last.address : a;
        for (int r = std::max(0, a.row); r <= std::min(b.row, rows - 1); ++r) {
            for (int c = std::max(0, a.column); c <= std::min(b.column, columns - 1); ++c)
                cells.append({r, c});
        }
    });
    return cells;
}
