// The grid's editing commands as the student uses them: copying a formula
// into a range, filling down, sorting from one cell, clearing and undo.
#include "GridView.h"
#include "SpreadsheetWidget.h"

#include <QLineEdit>

#include <QtTest>

namespace {

CellAddress cell(const char *name)
{
    return CellAddress::at(name);
}

} // namespace

class SpreadsheetWidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void pasteOneCellIntoRangeMovesReferences();
    void pasteBlockTilesSelection();
    void fillDownCopiesTopCell();
    void sortFromOneCellKeepsHeader();
    void clearAndUndo();
    void formatAppliesToSelection();
    void closesWhileEditing();
    void typingInCellAndFormulaBar();
};

void SpreadsheetWidgetTest::pasteOneCellIntoRangeMovesReferences()
{
    SpreadsheetWidget grid(10, 4);
    grid.sheet().setInputs({{cell("B2"), "10"}, {cell("B3"), "30"}, {cell("B4"), "60"}, {cell("B5"), "=СУММ(B2:B4)"}});
    grid.setCellInput(cell("C2"), "=B2/$B$5");
    grid.selectCell(cell("C2"));
    grid.copySelection();
    grid.selectRange(CellRange::at("C3:C4"));
    grid.paste();
    QCOMPARE(grid.sheet().input(cell("C3")), QStringLiteral("=B3/$B$5"));
    QCOMPARE(grid.sheet().input(cell("C4")), QStringLiteral("=B4/$B$5"));
    QCOMPARE(grid.sheet().displayText(cell("C4")), QStringLiteral("0,6"));
}

void SpreadsheetWidgetTest::pasteBlockTilesSelection()
{
    SpreadsheetWidget grid(10, 4);
    grid.sheet().setInputs({{cell("A1"), "=D1"}, {cell("B1"), "x"}});
    grid.selectRange(CellRange::at("A1:B1"));
    grid.copySelection();
    grid.selectRange(CellRange::at("A3:B4"));
    grid.paste();
    QCOMPARE(grid.sheet().input(cell("A4")), QStringLiteral("=D4"));
    QCOMPARE(grid.sheet().input(cell("B3")), QStringLiteral("x"));
}

void SpreadsheetWidgetTest::fillDownCopiesTopCell()
{
    SpreadsheetWidget grid(10, 4);
    grid.sheet().setInputs({{cell("A1"), "2"}, {cell("A2"), "3"}, {cell("A3"), "4"}, {cell("B1"), "=A1*$A$1"}});
    grid.selectRange(CellRange::at("B1:B3"));
    grid.fillDown();
    QCOMPARE(grid.sheet().input(cell("B3")), QStringLiteral("=A3*$A$1"));
    QCOMPARE(grid.sheet().displayText(cell("B3")), QStringLiteral("8"));
}

void SpreadsheetWidgetTest::sortFromOneCellKeepsHeader()
{
    SpreadsheetWidget grid(10, 4);
    grid.sheet().setInputs({{cell("A1"), "Товар"}, {cell("B1"), "Цена"}, {cell("A2"), "Ручка"}, {cell("B2"), "45"},
                            {cell("A3"), "Краски"}, {cell("B3"), "340"}, {cell("A4"), "Кисть"}, {cell("B4"), "60"}});
    grid.selectCell(cell("B3"));
    grid.sortSelection(false);
    QCOMPARE(grid.sheet().displayText(cell("A1")), QStringLiteral("Товар"));
    QCOMPARE(grid.sheet().displayText(cell("A2")), QStringLiteral("Краски"));
    QCOMPARE(grid.sheet().displayText(cell("B4")), QStringLiteral("45"));
    QCOMPARE(grid.sheet().displayText(cell("A4")), QStringLiteral("Ручка"));

    // One column selected on its own is sorted on its own, as in a spreadsheet.
    grid.selectRange(CellRange::at("B2:B4"));
    grid.sortSelection(true);
    QCOMPARE(grid.sheet().displayText(cell("A2")), QStringLiteral("Краски"));
    QCOMPARE(grid.sheet().displayText(cell("B2")), QStringLiteral("45"));
    grid.undo();
    QCOMPARE(grid.sheet().displayText(cell("B2")), QStringLiteral("340"));
}

void SpreadsheetWidgetTest::clearAndUndo()
{
    SpreadsheetWidget grid(5, 3);
    grid.setCellInput(cell("A1"), "7");
    grid.setCellInput(cell("B1"), "=A1+1");
    grid.selectRange(CellRange::at("A1:B1"));
    grid.clearSelection();
    QCOMPARE(grid.sheet().input(cell("B1")), QString());
    grid.undo();
    QCOMPARE(grid.sheet().displayText(cell("B1")), QStringLiteral("8"));
    grid.undo();
    grid.undo();
    QCOMPARE(grid.sheet().input(cell("A1")), QString());
    grid.undo(); // nothing left: no effect
}

void SpreadsheetWidgetTest::formatAppliesToSelection()
{
    SpreadsheetWidget grid(5, 3);
    grid.sheet().setInputs({{cell("A1"), "0,25"}, {cell("B1"), "0,5"}});
    grid.selectRange(CellRange::at("A1:B1"));
    grid.setNumberFormat(NumberFormat::Percent);
    grid.toggleBold();
    QCOMPARE(grid.sheet().displayText(cell("B1")), QStringLiteral("50%"));
    QVERIFY(grid.sheet().format(cell("A1")).bold);
    grid.toggleBold();
    QVERIFY(!grid.sheet().format(cell("B1")).bold);
}

void SpreadsheetWidgetTest::closesWhileEditing()
{
    // The window closed (or the program ended) with a cell still being typed in.
    auto *grid = new SpreadsheetWidget(5, 3);
    grid->show();
    QVERIFY(QTest::qWaitForWindowExposed(grid));
    grid->selectCell(cell("A1"));
    grid->view()->edit(grid->view()->currentIndex());
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    QVERIFY(editor);
    editor->setText("=1+2");
    delete grid;
}

void SpreadsheetWidgetTest::typingInCellAndFormulaBar()
{
    SpreadsheetWidget grid(5, 3);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QApplication::setActiveWindow(&grid);
    grid.setCellInput(cell("A1"), "старое");
    grid.selectCell(cell("A1"));

    // Typing over a cell replaces it; Enter confirms and goes down, as in a spreadsheet.
    QTest::keyClicks(grid.view(), "=");
    QTest::keyClicks(QApplication::focusWidget(), "1+2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(grid.sheet().input(cell("A1")), QStringLiteral("=1+2"));
    QCOMPARE(grid.sheet().displayText(cell("A1")), QStringLiteral("3"));
    QCOMPARE(grid.view()->currentIndex().row(), 1);

    // The formula bar shows what the selected cell holds, and edits it.
    auto *bar = grid.findChild<QLineEdit *>("formulaBar");
    QVERIFY(bar);
    grid.selectCell(cell("A1"));
    QCOMPARE(bar->text(), QStringLiteral("=1+2"));
    grid.selectCell(cell("B1"));
    bar->setText("=A1*10");
    QTest::keyClick(bar, Qt::Key_Return);
    QCOMPARE(grid.sheet().displayText(cell("B1")), QStringLiteral("30"));
}

QTEST_MAIN(SpreadsheetWidgetTest)
#include "tst_spreadsheet_widget.moc"
