#include "IxionFormulaParser.h"

#include "FormulaAstBuilder.h"
#include "FormulaTranslator.h"

#include <ixion/address.hpp>
#include <ixion/formula.hpp>
#include <ixion/formula_name_resolver.hpp>
#include <ixion/formula_tokens.hpp>
#include <ixion/model_context.hpp>

#include <algorithm>
#include <exception>

struct IxionFormulaParser::Private
{
    ixion::model_context context{ixion::rc_size_t(maxRows, maxColumns)};
    std::unique_ptr<ixion::formula_name_resolver> resolver;
};

namespace {

using Op = FormulaNode::Op;
using Kind = FormulaToken::Kind;

// One corner of a reference; whole rows or columns ("A:A") span the sheet.
bool resolveCorner(const ixion::address_t &a, const ixion::abs_address_t &origin, bool lastCorner,
                   CellReference &out)
{
    const int sheet = a.abs_sheet ? a.sheet : a.sheet + origin.sheet;
    if (sheet != 0)
        return false;
    out.absoluteRow = a.abs_row;
    out.absoluteColumn = a.abs_column;
    out.address.row = a.row == ixion::row_unset ? (lastCorner ? IxionFormulaParser::maxRows - 1 : 0)
                                                : (a.abs_row ? a.row : a.row + origin.row);
    out.address.column = a.column == ixion::column_unset
        ? (lastCorner ? IxionFormulaParser::maxColumns - 1 : 0)
        : (a.abs_column ? a.column : a.column + origin.column);
    return out.address.row >= 0 && out.address.row < IxionFormulaParser::maxRows
        && out.address.column >= 0 && out.address.column < IxionFormulaParser::maxColumns;
}

Op operatorOf(ixion::fopcode_t opcode)
{
    switch (opcode) {
    case ixion::fop_plus: return Op::Add;
    case ixion::fop_minus: return Op::Subtract;
    case ixion::fop_multiply: return Op::Multiply;
    case ixion::fop_divide: return Op::Divide;
    case ixion::fop_exponent: return Op::Power;
    case ixion::fop_concat: return Op::Concat;
    case ixion::fop_equal: return Op::Equal;
    case ixion::fop_not_equal: return Op::NotEqual;
    case ixion::fop_less: return Op::Less;
    case ixion::fop_greater: return Op::Greater;
    case ixion::fop_less_equal: return Op::LessEqual;
    case ixion::fop_greater_equal: return Op::GreaterEqual;
    default: return Op::None;
    }
}

FormulaToken convert(const ixion::formula_token &token, const ixion::model_context &context,
                     const ixion::abs_address_t &origin)
{
    FormulaToken out;
    const ixion::fopcode_t opcode = token.get_opcode();
    switch (opcode) {
    case ixion::fop_single_ref: {
        const ixion::address_t a = token.get_single_ref();
        const bool valid = a.row != ixion::row_unset && a.column != ixion::column_unset
            && resolveCorner(a, origin, false, out.first);
        out.kind = valid ? Kind::Reference : Kind::BadReference;
        out.last = out.first;
        break;
    }
    case ixion::fop_range_ref: {
        const ixion::range_t range = token.get_range_ref();
        const bool valid = resolveCorner(range.first, origin, false, out.first)
            && resolveCorner(range.last, origin, true, out.last);
        out.kind = valid ? Kind::Range : Kind::BadReference;
        // "B8:B2" means the same cells as "B2:B8".
        auto &a = out.first.address;
        auto &b = out.last.address;
        if (a.row > b.row)
            std::swap(a.row, b.row);
        if (a.column > b.column)
            std::swap(a.column, b.column);
        break;
    }
    case ixion::fop_value:
        out.kind = Kind::Number;
        out.number = token.get_value();
        break;
    case ixion::fop_string: {
        out.kind = Kind::Text;
        const std::string *text = context.get_string(token.get_uint32());
        out.text = text ? QString::fromStdString(*text) : QString();
        break;
    }
    case ixion::fop_function: {
        out.kind = Kind::Function;
        const auto name = ixion::get_formula_function_name(static_cast<ixion::formula_function_t>(token.get_uint32()));
        out.text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
        break;
    }
    case ixion::fop_named_expression:
        out.kind = Kind::Name;
        out.text = QString::fromStdString(token.get_name());
        break;
    case ixion::fop_open: out.kind = Kind::Open; break;
    case ixion::fop_close: out.kind = Kind::Close; break;
    case ixion::fop_sep: out.kind = Kind::Separator; break;
    default:
        out.op = operatorOf(opcode);
        out.kind = out.op == Op::None ? Kind::Invalid : Kind::Operator;
        break;
    }
    return out;
}

} // namespace

IxionFormulaParser::IxionFormulaParser()
    : d(std::make_unique<Private>())
{
    d->context.append_sheet("Лист1");
    d->resolver = ixion::formula_name_resolver::get(ixion::formula_name_resolver_t::excel_a1, &d->context);
}

IxionFormulaParser::~IxionFormulaParser() = default;

ParsedFormula IxionFormulaParser::parse(const QString &formula, CellAddress at)
{
    ParsedFormula parsed;
    parsed.source = formula;
    const FormulaTranslator::Result translated = FormulaTranslator::toIxion(formula);
    if (!translated.error.isEmpty()) {
        parsed.error = translated.error;
        return parsed;
    }
    parsed.translated = translated.text;
    // A '$' anchors a column or a row and is never anything alone. ixion 0.17
    // reads past the end of its input on some formulas with a lone '$' (found
    // with AddressSanitizer), so such a formula is refused before it gets there.
    bool quoted = false;
    for (qsizetype i = 0; i < translated.text.size(); ++i) {
        const QChar c = translated.text.at(i);
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (!quoted && c == QLatin1Char('$')
                 && (i + 1 == translated.text.size() || !translated.text.at(i + 1).isLetterOrNumber())) {
            parsed.error = QStringLiteral("знак «$» должен стоять перед буквой столбца или номером строки");
            return parsed;
        }
    }
    QList<FormulaToken> tokens;
    try {
        const ixion::abs_address_t origin(0, at.row, at.column);
        const std::string text = translated.text.toStdString();
        const ixion::formula_tokens_t ixionTokens = ixion::parse_formula_string(d->context, origin, *d->resolver, text);
        for (const auto &token : ixionTokens)
            tokens.append(convert(*token, d->context, origin));
    } catch (const std::exception &) {
        // ixion rejects some names outright (an unknown sheet, for one).
        parsed.error = QStringLiteral("формулу не удалось разобрать: проверьте адреса ячеек и имена");
        return parsed;
    }
    FormulaAstBuilder::Result built = FormulaAstBuilder::build(tokens);
    parsed.root = std::move(built.root);
    parsed.error = built.error;
    return parsed;
}
