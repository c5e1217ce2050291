#include "FormulaAstBuilder.h"

#include "FormulaTranslator.h"
#include "FunctionNames.h"

namespace {

using Op = FormulaNode::Op;
using TokenKind = FormulaToken::Kind;

constexpr int maxDepth = 100; // keeps recursion (here and in evaluation) shallow

FormulaNode makeNode(FormulaNode::Kind kind)
{
    FormulaNode node;
    node.kind = kind;
    return node;
}

FormulaNode binary(Op op, FormulaNode left, FormulaNode right)
{
    FormulaNode node = makeNode(FormulaNode::Kind::Binary);
    node.op = op;
    node.children.push_back(std::move(left));
    node.children.push_back(std::move(right));
    return node;
}

QString arityText(const FunctionInfo &info)
{
    if (info.minArguments == info.maxArguments)
        return QString::number(info.minArguments);
    if (info.maxArguments >= 255)
        return QStringLiteral("не меньше %1").arg(info.minArguments);
    return QStringLiteral("от %1 до %2").arg(info.minArguments).arg(info.maxArguments);
}

} // namespace

FormulaAstBuilder::FormulaAstBuilder(const QList<FormulaToken> &tokens)
    : tokens_(tokens)
{
}

FormulaAstBuilder::Result FormulaAstBuilder::build(const QList<FormulaToken> &tokens)
{
    if (tokens.isEmpty())
        return {{}, QStringLiteral("после «=» ничего не написано")};
    FormulaAstBuilder builder(tokens);
    FormulaNode root = builder.comparison();
    if (builder.error_.isEmpty() && builder.position_ < tokens.size()) {
        switch (tokens.at(builder.position_).kind) {
        case TokenKind::Close: builder.fail(QStringLiteral("лишняя закрывающая скобка")); break;
        case TokenKind::Separator: builder.fail(QStringLiteral("разделитель аргументов стоит вне скобок функции")); break;
        default: builder.fail(QStringLiteral("между значениями не хватает знака действия")); break;
        }
    }
    return {std::move(root), builder.error_};
}

const FormulaToken *FormulaAstBuilder::peek() const
{
    return position_ < tokens_.size() ? &tokens_.at(position_) : nullptr;
}

bool FormulaAstBuilder::atOperator(std::initializer_list<Op> ops) const
{
    const FormulaToken *token = peek();
    if (!error_.isEmpty() || !token || token->kind != TokenKind::Operator)
        return false;
    for (Op op : ops) {
        if (token->op == op)
            return true;
    }
    return false;
}

FormulaNode FormulaAstBuilder::fail(const QString &message)
{
    if (error_.isEmpty())
        error_ = message;
    position_ = tokens_.size();
    return {};
}

FormulaNode FormulaAstBuilder::comparison()
{
    FormulaNode left = concatenation();
    while (atOperator({Op::Equal, Op::NotEqual, Op::Less, Op::Greater, Op::LessEqual, Op::GreaterEqual})) {
        const Op op = tokens_.at(position_++).op;
        left = binary(op, std::move(left), concatenation());
    }
    return left;
}

FormulaNode FormulaAstBuilder::concatenation()
{
    FormulaNode left = additive();
    while (atOperator({Op::Concat})) {
        ++position_;
        left = binary(Op::Concat, std::move(left), additive());
    }
    return left;
}

FormulaNode FormulaAstBuilder::additive()
{
    FormulaNode left = multiplicative();
    while (atOperator({Op::Add, Op::Subtract})) {
        const Op op = tokens_.at(position_++).op;
        left = binary(op, std::move(left), multiplicative());
    }
    return left;
}

FormulaNode FormulaAstBuilder::multiplicative()
{
    FormulaNode left = power();
    while (atOperator({Op::Multiply, Op::Divide})) {
        const Op op = tokens_.at(position_++).op;
        left = binary(op, std::move(left), power());
    }
    return left;
}

FormulaNode FormulaAstBuilder::power()
{
    FormulaNode left = unary();
    while (atOperator({Op::Power})) { // left to right: 2^3^2 is 64
        ++position_;
        left = binary(Op::Power, std::move(left), unary());
    }
    return left;
}

FormulaNode FormulaAstBuilder::unary()
{
    if (!atOperator({Op::Add, Op::Subtract}))
        return primary();
    const Op op = tokens_.at(position_++).op == Op::Subtract ? Op::Negate : Op::Plus;
    if (++depth_ > maxDepth)
        return fail(QStringLiteral("формула слишком сложная"));
    FormulaNode node = makeNode(FormulaNode::Kind::Unary);
    node.op = op;
    node.children.push_back(unary());
    --depth_;
    return node;
}

FormulaNode FormulaAstBuilder::primary()
{
    const FormulaToken *token = peek();
    if (!error_.isEmpty())
        return {};
    if (!token)
        return fail(QStringLiteral("после знака действия не хватает значения"));
    switch (token->kind) {
    case TokenKind::Number: {
        FormulaNode node = makeNode(FormulaNode::Kind::Number);
        node.number = token->number;
        ++position_;
        return node;
    }
    case TokenKind::Text: {
        FormulaNode node = makeNode(FormulaNode::Kind::Text);
        node.text = token->text;
        ++position_;
        return node;
    }
    case TokenKind::Reference:
    case TokenKind::Range: {
        FormulaNode node = makeNode(token->kind == TokenKind::Reference ? FormulaNode::Kind::Reference
                                                                        : FormulaNode::Kind::Range);
        node.first = token->first;
        node.last = token->last;
        ++position_;
        return node;
    }
    case TokenKind::BadReference: {
        FormulaNode node = makeNode(FormulaNode::Kind::Error);
        node.error = CellError::Reference;
        ++position_;
        return node;
    }
    case TokenKind::Function:
    case TokenKind::Name: {
        const bool known = token->kind == TokenKind::Function;
        const QString name = token->text;
        ++position_;
        if (peek() && peek()->kind == TokenKind::Open)
            return call(name, known);
        if (const auto error = FormulaTranslator::errorFromPlaceholder(name)) {
            FormulaNode node = makeNode(FormulaNode::Kind::Error);
            node.error = *error;
            return node;
        }
        if (name == QLatin1String("TRUE") || name == QLatin1String("FALSE")) {
            FormulaNode node = makeNode(FormulaNode::Kind::Boolean);
            node.boolean = name == QLatin1String("TRUE");
            return node;
        }
        FormulaNode node = makeNode(FormulaNode::Kind::Name);
        node.text = name;
        return node;
    }
    case TokenKind::Open: {
        ++position_;
        if (++depth_ > maxDepth)
            return fail(QStringLiteral("формула слишком сложная"));
        FormulaNode inner = comparison();
        --depth_;
        if (!error_.isEmpty())
            return {};
        if (!peek() || peek()->kind != TokenKind::Close)
            return fail(QStringLiteral("не хватает закрывающей скобки"));
        ++position_;
        return inner;
    }
    case TokenKind::Close:
        return fail(QStringLiteral("перед «)» не хватает значения"));
    case TokenKind::Separator:
        return fail(QStringLiteral("разделитель аргументов стоит не на месте"));
    case TokenKind::Operator:
        return fail(QStringLiteral("знак действия стоит без значения слева"));
    case TokenKind::Invalid:
        break;
    }
    return fail(QStringLiteral("в формуле есть непонятный знак"));
}

FormulaNode FormulaAstBuilder::call(const QString &name, bool known)
{
    ++position_; // "("
    if (++depth_ > maxDepth)
        return fail(QStringLiteral("формула слишком сложная"));
    std::vector<FormulaNode> arguments;
    if (peek() && peek()->kind == TokenKind::Close) {
        ++position_;
    } else {
        while (error_.isEmpty()) {
            const FormulaToken *token = peek();
            if (token && (token->kind == TokenKind::Separator || token->kind == TokenKind::Close))
                arguments.push_back(makeNode(FormulaNode::Kind::Missing));
            else
                arguments.push_back(comparison());
            if (!error_.isEmpty())
                return {};
            token = peek();
            if (!token)
                return fail(QStringLiteral("не хватает закрывающей скобки"));
            ++position_;
            if (token->kind == TokenKind::Close)
                break;
            if (token->kind != TokenKind::Separator)
                return fail(QStringLiteral("между аргументами функции не хватает «;»"));
        }
    }
    --depth_;
    const FunctionInfo *info = known ? FunctionNames::find(name) : nullptr;
    if (!info) {
        FormulaNode node = makeNode(FormulaNode::Kind::Name);
        node.text = name;
        return node;
    }
    const int count = static_cast<int>(arguments.size());
    if (count < info->minArguments || count > info->maxArguments)
        return fail(QStringLiteral("неверное число аргументов функции %1 (нужно %2)")
                        .arg(QString::fromUtf8(info->russian), arityText(*info)));
    FormulaNode node = makeNode(FormulaNode::Kind::Call);
    node.text = QString::fromLatin1(info->english);
    node.children = std::move(arguments);
    return node;
}
