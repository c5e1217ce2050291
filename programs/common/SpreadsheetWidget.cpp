#include "SpreadsheetWidget.h"

#include "CellDelegate.h"
#include "GridView.h"
#include "ReferenceShifter.h"
#include "SheetTableModel.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int undoLimit = 100;

QAction *makeAction(QToolBar *bar, const QString &text, const QString &tip, const QKeySequence &keys,
                   const std::function<void()> &handler)
{
    QAction *action = bar->addAction(text);
    action->setToolTip(keys.isEmpty() ? tip : QStringLiteral("%1 (%2)").arg(tip, keys.toString(QKeySequence::NativeText)));
    if (!keys.isEmpty()) {
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    }
    QObject::connect(action, &QAction::triggered, bar, handler);
    return action;
}

} // namespace

SpreadsheetWidget::SpreadsheetWidget(int rows, int columns, QWidget *parent)
    : QWidget(parent)
    , sheet_(rows, columns)
{
    auto *toolbar = new QToolBar(this);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    makeAction(toolbar, QStringLiteral("Отменить"), QStringLiteral("Отменить последнее действие"),
              QKeySequence::Undo, [this] { undo(); });
    toolbar->addSeparator();
    makeAction(toolbar, QStringLiteral("Копировать"), QStringLiteral("Копировать выделенные ячейки"),
              QKeySequence::Copy, [this] { copySelection(); });
    makeAction(toolbar, QStringLiteral("Вставить"), QStringLiteral("Вставить скопированное в выделенные ячейки"),
              QKeySequence::Paste, [this] { paste(); });
    makeAction(toolbar, QStringLiteral("Заполнить вниз"),
              QStringLiteral("Скопировать верхнюю ячейку выделения в остальные"), QKeySequence(Qt::CTRL | Qt::Key_D),
              [this] { fillDown(); });
    QAction *sortSeparator = toolbar->addSeparator();
    sortActions_ = {
        sortSeparator,
        makeAction(toolbar, QStringLiteral("Сортировка ↑"),
                   QStringLiteral("Сортировать строки по возрастанию значений текущего столбца"), {},
                   [this] { sortSelection(true); }),
        makeAction(toolbar, QStringLiteral("Сортировка ↓"),
                   QStringLiteral("Сортировать строки по убыванию значений текущего столбца"), {},
                   [this] { sortSelection(false); }),
    };
    setSortingVisible(false);

    auto *formatBar = new QToolBar(this);
    formatBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction *bold = makeAction(formatBar, QStringLiteral("Ж"), QStringLiteral("Полужирный"), QKeySequence::Bold,
                              [this] { toggleBold(); });
    QAction *italic = makeAction(formatBar, QStringLiteral("К"), QStringLiteral("Курсив"), QKeySequence::Italic,
                                [this] { toggleItalic(); });
    QFont boldFont = font();
    boldFont.setBold(true);
    bold->setFont(boldFont);
    QFont italicFont = font();
    italicFont.setItalic(true);
    italic->setFont(italicFont);
    makeAction(formatBar, QStringLiteral("Влево"), QStringLiteral("Выровнять по левому краю"), {},
              [this] { setAlignment(HorizontalAlign::Left); });
    makeAction(formatBar, QStringLiteral("По центру"), QStringLiteral("Выровнять по центру"), {},
              [this] { setAlignment(HorizontalAlign::Center); });
    makeAction(formatBar, QStringLiteral("Вправо"), QStringLiteral("Выровнять по правому краю"), {},
              [this] { setAlignment(HorizontalAlign::Right); });
    formatBar->addSeparator();
    formatBar->addWidget(new QLabel(QStringLiteral(" Формат: "), formatBar));
    numberFormats_ = new QComboBox(formatBar);
    numberFormats_->setToolTip(QStringLiteral("Числовой формат выделенных ячеек"));
    numberFormats_->addItem(QStringLiteral("Общий"), int(NumberFormat::General));
    numberFormats_->addItem(QStringLiteral("Числовой 0,00"), int(NumberFormat::Fixed2));
    numberFormats_->addItem(QStringLiteral("Процентный %"), int(NumberFormat::Percent));
    numberFormats_->addItem(QStringLiteral("Денежный ₽"), int(NumberFormat::Money));
    formatBar->addWidget(numberFormats_);
    connect(numberFormats_, &QComboBox::activated, this,
            [this](int i) { setNumberFormat(NumberFormat(numberFormats_->itemData(i).toInt())); });

    nameBox_ = new QLabel(this);
    nameBox_->setFrameShape(QFrame::StyledPanel);
    nameBox_->setMinimumWidth(64);
    nameBox_->setAlignment(Qt::AlignCenter);
    nameBox_->setToolTip(QStringLiteral("Адрес выделенной ячейки"));
    auto *fx = new QLabel(QStringLiteral("<i>fx</i>"), this);
    formulaBar_ = new QLineEdit(this);
    formulaBar_->setObjectName(QStringLiteral("formulaBar"));
    formulaBar_->setToolTip(QStringLiteral("Строка формул: содержимое выделенной ячейки. Enter — ввести."));
    connect(formulaBar_, &QLineEdit::returnPressed, this, &SpreadsheetWidget::commitFormulaBar);

    view_ = new GridView(this);
    view_->setItemDelegate(new CellDelegate(view_));
    model_ = new SheetTableModel(sheet_, this);
    view_->setModel(model_);
    connect(model_, &SheetTableModel::inputEdited, this, &SpreadsheetWidget::setCellInput);
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this, &SpreadsheetWidget::showCurrentCell);
    connect(view_, &GridView::clearRequested, this, &SpreadsheetWidget::clearSelection);

    auto *formulaRow = new QHBoxLayout;
    formulaRow->addWidget(nameBox_);
    formulaRow->addWidget(fx);
    formulaRow->addWidget(formulaBar_, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(toolbar);
    layout->addWidget(formatBar);
    layout->addLayout(formulaRow);
    layout->addWidget(view_, 1);

    view_->setCurrentIndex(model_->index(0, 0));
    showCurrentCell();
}

SpreadsheetWidget::~SpreadsheetWidget()
{
    // An open cell editor commits when the view goes; that must happen while
    // the sheet still exists, and must not come back here.
    disconnect(model_, nullptr, this, nullptr);
    delete view_;
}

void SpreadsheetWidget::sheetReplaced()
{
    undo_.clear();
    changed();
}

void SpreadsheetWidget::setColumnWidths(const QList<int> &widths)
{
    for (int c = 0; c < widths.size(); ++c)
        view_->setColumnWidth(c, widths.at(c));
}

void SpreadsheetWidget::setSortingVisible(bool visible)
{
    for (QAction *action : std::as_const(sortActions_))
        action->setVisible(visible);
}

void SpreadsheetWidget::showReport(const CheckReport &report)
{
    model_->setMarks(report);
}

void SpreadsheetWidget::clearMarks()
{
    model_->clearMarks();
}

void SpreadsheetWidget::selectCell(CellAddress cell)
{
    selectRange({cell, cell});
}

void SpreadsheetWidget::selectRange(const CellRange &range)
{
    view_->setCurrentIndex(model_->index(range.first.row, range.first.column));
    view_->selectionModel()->select(QItemSelection(model_->index(range.first.row, range.first.column),
                                                   model_->index(range.last.row, range.last.column)),
                                    QItemSelectionModel::ClearAndSelect);
    view_->setFocus();
}

CellAddress SpreadsheetWidget::currentCell() const
{
    const QModelIndex index = view_->currentIndex();
    return index.isValid() ? CellAddress{index.row(), index.column()} : CellAddress{};
}

CellRange SpreadsheetWidget::selectedRange() const
{
    const QModelIndexList indexes = view_->selectionModel()->selectedIndexes();
    if (indexes.isEmpty())
        return {currentCell(), currentCell()};
    CellRange range{{indexes.first().row(), indexes.first().column()}, {indexes.first().row(), indexes.first().column()}};
    for (const QModelIndex &index : indexes)
        range = CellRange::of(CellAddress{std::min(range.first.row, index.row()), std::min(range.first.column, index.column())},
                              CellAddress{std::max(range.last.row, index.row()), std::max(range.last.column, index.column())});
    return range;
}

void SpreadsheetWidget::remember()
{
    undo_.append(sheet_.snapshot());
    if (undo_.size() > undoLimit)
        undo_.removeFirst();
}

void SpreadsheetWidget::changed()
{
    model_->refresh();
    showCurrentCell();
    emit edited();
}

void SpreadsheetWidget::undo()
{
    if (undo_.isEmpty())
        return;
    sheet_.restore(undo_.takeLast());
    changed();
}

void SpreadsheetWidget::setCellInput(CellAddress cell, const QString &input)
{
    if (sheet_.input(cell) == input)
        return;
    applyInputs({{cell, input}});
}

void SpreadsheetWidget::applyInputs(const QList<QPair<CellAddress, QString>> &inputs)
{
    remember();
    for (const auto &entry : inputs)
        model_->clearMark(entry.first);
    sheet_.setInputs(inputs);
    changed();
}

void SpreadsheetWidget::copySelection()
{
    const CellRange range = selectedRange();
    Clipboard clip{range, {}, {}};
    for (int r = range.first.row; r <= range.last.row; ++r) {
        for (int c = range.first.column; c <= range.last.column; ++c) {
            clip.inputs.append(sheet_.input({r, c}));
            clip.formats.append(sheet_.format({r, c}));
        }
    }
    clipboard_ = clip;
}

void SpreadsheetWidget::paste()
{
    if (!clipboard_)
        return;
    const Clipboard &clip = *clipboard_;
    const CellRange target = selectedRange();
    const int rows = clip.source.rowCount();
    const int columns = clip.source.columnCount();
    // A block fills the selection when it fits a whole number of times, as in a spreadsheet.
    const bool tile = target.rowCount() % rows == 0 && target.columnCount() % columns == 0;
    const int lastRow = tile ? target.last.row : target.first.row + rows - 1;
    const int lastColumn = tile ? target.last.column : target.first.column + columns - 1;
    remember();
    QList<QPair<CellAddress, QString>> inputs;
    for (int r = target.first.row; r <= lastRow; ++r) {
        for (int c = target.first.column; c <= lastColumn; ++c) {
            const CellAddress cell{r, c};
            if (!sheet_.contains(cell))
                continue;
            const int i = ((r - target.first.row) % rows) * columns + (c - target.first.column) % columns;
            const CellAddress from{clip.source.first.row + (r - target.first.row) % rows,
                                   clip.source.first.column + (c - target.first.column) % columns};
            inputs.append({cell, ReferenceShifter::shift(clip.inputs.at(i), r - from.row, c - from.column)});
            sheet_.setFormat(cell, clip.formats.at(i));
            model_->clearMark(cell);
        }
    }
    sheet_.setInputs(inputs);
    changed();
}

void SpreadsheetWidget::fillDown()
{
    CellRange range = selectedRange();
    if (range.rowCount() == 1) { // one row selected: copy the row above into it
        if (range.first.row == 0)
            return;
        range.first.row -= 1;
    }
    remember();
    QList<QPair<CellAddress, QString>> inputs;
    for (int c = range.first.column; c <= range.last.column; ++c) {
        const CellAddress top{range.first.row, c};
        for (int r = range.first.row + 1; r <= range.last.row; ++r) {
            inputs.append({{r, c}, ReferenceShifter::shift(sheet_.input(top), r - top.row, 0)});
            sheet_.setFormat({r, c}, sheet_.format(top));
            model_->clearMark({r, c});
        }
    }
    sheet_.setInputs(inputs);
    changed();
}

void SpreadsheetWidget::clearSelection()
{
    const CellRange range = selectedRange();
    QList<QPair<CellAddress, QString>> inputs;
    for (int r = range.first.row; r <= range.last.row; ++r) {
        for (int c = range.first.column; c <= range.last.column; ++c)
            inputs.append({{r, c}, QString()});
    }
    applyInputs(inputs);
}

void SpreadsheetWidget::changeFormats(const std::function<void(CellFormat &)> &change)
{
    remember();
    const CellRange range = selectedRange();
    for (int r = range.first.row; r <= range.last.row; ++r) {
        for (int c = range.first.column; c <= range.last.column; ++c) {
            CellFormat format = sheet_.format({r, c});
            change(format);
            sheet_.setFormat({r, c}, format);
        }
    }
    changed();
}

void SpreadsheetWidget::toggleBold()
{
    const bool bold = !sheet_.format(currentCell()).bold;
    changeFormats([bold](CellFormat &f) { f.bold = bold; });
}

void SpreadsheetWidget::toggleItalic()
{
    const bool italic = !sheet_.format(currentCell()).italic;
    changeFormats([italic](CellFormat &f) { f.italic = italic; });
}

void SpreadsheetWidget::setAlignment(HorizontalAlign align)
{
    changeFormats([align](CellFormat &f) { f.align = align; });
}

void SpreadsheetWidget::setNumberFormat(NumberFormat format)
{
    changeFormats([format](CellFormat &f) { f.numberFormat = format; });
}

void SpreadsheetWidget::sortSelection(bool ascending)
{
    CellRange range = selectedRange();
    const CellAddress current = currentCell();
    if (range.first == range.last) {
        // One cell: sort the table around it, leaving its header row in place.
        range = sheet_.currentRegion(current);
        bool headerIsText = true;
        bool bodyHasNumbers = false;
        for (int c = range.first.column; c <= range.last.column; ++c) {
            const CellValue head = sheet_.cellValue({range.first.row, c});
            headerIsText = headerIsText && (head.isText() || head.isEmpty());
            for (int r = range.first.row + 1; r <= range.last.row; ++r)
                bodyHasNumbers = bodyHasNumbers || sheet_.cellValue({r, c}).isNumber();
        }
        if (headerIsText && bodyHasNumbers && range.rowCount() > 1)
            range.first.row += 1;
    }
    const int key = range.contains(current) ? current.column : range.first.column;
    remember();
    sheet_.sortRows(range, key, ascending);
    model_->clearMarks();
    changed();
}

void SpreadsheetWidget::showCurrentCell()
{
    const CellAddress cell = currentCell();
    nameBox_->setText(cell.name());
    formulaBar_->setText(sheet_.input(cell));
    const int format = numberFormats_->findData(int(sheet_.format(cell).numberFormat));
    numberFormats_->setCurrentIndex(format);
}

void SpreadsheetWidget::commitFormulaBar()
{
    setCellInput(currentCell(), formulaBar_->text());
    view_->moveDown();
    view_->setFocus();
}
