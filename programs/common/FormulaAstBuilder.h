#pragma once

#include "FormulaToken.h"

#include <QList>

// Builds the syntax tree from resolved tokens with spreadsheet precedence:
// comparisons < & < + - < * / < ^ < unary minus. ixion resolves names but
// does not check the structure ("СУММ(" passes it), so that is done here.
class FormulaAstBuilder
{
public:
    struct Result
    {
        FormulaNode root;
        QString error; // empty when the formula is well formed
    };

    static Result build(const QList<FormulaToken> &tokens);

private:
    explicit FormulaAstBuilder(const QList<FormulaToken> &tokens);

    FormulaNode comparison();
    FormulaNode concatenation();
    FormulaNode additive();
    FormulaNode multiplicative();
    FormulaNode power();
    FormulaNode unary();
    FormulaNode primary();
    FormulaNode call(const QString &name, bool known);
    FormulaNode fail(const QString &message);

    bool atOperator(std::initializer_list<FormulaNode::Op> ops) const;
    const FormulaToken *peek() const;

    const QList<FormulaToken> &tokens_;
    qsizetype position_ = 0;
    int depth_ = 0;
    QString error_;
};
