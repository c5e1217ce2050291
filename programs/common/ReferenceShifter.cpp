#include "ReferenceShifter.h"

#include "CellAddress.h"
#include "FormulaLexer.h"
#include "IxionFormulaParser.h"

#include <QRegularExpression>

namespace {

QString shiftedWord(const QString &word, int rowOffset, int columnOffset)
{
    static const QRegularExpression reference(QStringLiteral("^(\\$?)([A-Za-z]{1,3})(\\$?)([0-9]{1,7})$"));
    const qsizetype bang = word.lastIndexOf(QLatin1Char('!'));
    const QString sheet = word.left(bang + 1);
    const auto match = reference.match(word.mid(bang + 1));
    if (!match.hasMatch())
        return word;
    const bool fixedColumn = !match.captured(1).isEmpty();
    const bool fixedRow = !match.captured(3).isEmpty();
    const auto address = CellAddress::fromName(match.captured(2) + match.captured(4));
    if (!address)
        return word;
    const int row = address->row + (fixedRow ? 0 : rowOffset);
    const int column = address->column + (fixedColumn ? 0 : columnOffset);
    if (row < 0 || column < 0 || row >= IxionFormulaParser::maxRows || column >= IxionFormulaParser::maxColumns)
        return QStringLiteral("#ССЫЛКА!");
    return sheet + match.captured(1) + CellAddress::columnName(column) + match.captured(3) + QString::number(row + 1);
}

} // namespace

QString ReferenceShifter::shift(const QString &input, int rowOffset, int columnOffset)
{
    if (!input.startsWith(QLatin1Char('=')) || (rowOffset == 0 && columnOffset == 0))
        return input;
    const QList<LexToken> tokens = FormulaLexer::tokenize(input.mid(1), true);
    QString out = QStringLiteral("=");
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        const LexToken &token = tokens.at(i);
        const bool isCall = i + 1 < tokens.size() && tokens.at(i + 1).kind == LexToken::Kind::Open;
        if (token.kind == LexToken::Kind::Word && !isCall)
            out += shiftedWord(token.text, rowOffset, columnOffset);
        else
            out += token.text;
    }
    return out;
}
