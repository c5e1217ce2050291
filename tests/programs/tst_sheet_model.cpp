// The sheet under the exercises: what typed text becomes, how values are
// shown, how copying moves references, and sorting keeps rows whole.
#include "InputParser.h"
#include "ReferenceShifter.h"
#include "SheetModel.h"
#include "ValueFormatter.h"

#include <QtTest>

class SheetModelTest : public QObject
{
    Q_OBJECT

private slots:
    void readsInput_data();
    void readsInput();
    void showsFormats_data();
    void showsFormats();
    void shiftsReferences_data();
    void shiftsReferences();
    void sortKeepsRowsAndFormulas();
    void currentRegionStopsAtGaps();
    void undoSnapshotRestoresValues();
};

void SheetModelTest::readsInput_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("kind");
    QTest::addColumn<double>("number");

    const int number = int(InputParser::Kind::Number);
    const int text = int(InputParser::Kind::Text);
    QTest::newRow("integer") << "42" << number << 42.0;
    QTest::newRow("decimal comma") << "1,5" << number << 1.5;
    QTest::newRow("decimal point") << "1.5" << number << 1.5;
    QTest::newRow("digit groups") << "1 234,5" << number << 1234.5;
    QTest::newRow("non-breaking group space") << "1\u00a0234" << number << 1234.0;
    QTest::newRow("negative") << "-3" << number << -3.0;
    QTest::newRow("percent") << "15%" << number << 0.15;
    QTest::newRow("apostrophe keeps text") << "'123" << text << 0.0;
    QTest::newRow("word") << "Итого" << text << 0.0;
    QTest::newRow("two commas") << "1,2,3" << text << 0.0;
    QTest::newRow("inf is not a number") << "inf" << text << 0.0;
    QTest::newRow("too big") << "1e400" << text << 0.0;
    QTest::newRow("blank") << "   " << int(InputParser::Kind::Empty) << 0.0;
    QTest::newRow("formula") << "=A1" << int(InputParser::Kind::Formula) << 0.0;
}

void SheetModelTest::readsInput()
{
    QFETCH(QString, input);
    QFETCH(int, kind);
    QFETCH(double, number);
    const InputParser::Result result = InputParser::parse(input);
    QCOMPARE(int(result.kind), kind);
    if (result.kind == InputParser::Kind::Number)
        QCOMPARE(result.number, number);
}

void SheetModelTest::showsFormats_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("shown");

    QTest::newRow("general") << 1234.5 << int(NumberFormat::General) << "1234,5";
    QTest::newRow("general, a third") << 1.0 / 3 << int(NumberFormat::General) << "0,3333333333";
    QTest::newRow("general, no float noise") << 0.1 + 0.2 << int(NumberFormat::General) << "0,3";
    QTest::newRow("two decimals") << 1234.5 << int(NumberFormat::Fixed2) << "1\u00a0234,50";
    QTest::newRow("percent") << 0.256 << int(NumberFormat::Percent) << "26%";
    QTest::newRow("money") << 45.5 << int(NumberFormat::Money) << "45,50 ₽";
    QTest::newRow("minus zero") << -0.0 << int(NumberFormat::General) << "0";
}

void SheetModelTest::showsFormats()
{
    QFETCH(double, value);
    QFETCH(int, format);
    QFETCH(QString, shown);
    QCOMPARE(ValueFormatter::display(CellValue::number(value), NumberFormat(format)), shown);
}

void SheetModelTest::shiftsReferences_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("shifted");

    QTest::newRow("relative moves") << "=B2*C2" << 2 << 0 << "=B4*C4";
    QTest::newRow("absolute stays") << "=B2/$B$8" << 1 << 0 << "=B3/$B$8";
    QTest::newRow("mixed") << "=$A1+B$1" << 1 << 1 << "=$A2+C$1";
    QTest::newRow("range") << "=СУММ(B2:B7)" << 0 << 1 << "=СУММ(C2:C7)";
    QTest::newRow("text in quotes stays") << "=\"B2\"&B2" << 1 << 0 << "=\"B2\"&B3";
    QTest::newRow("numbers stay") << "=ОКРУГЛ(A1*1,5;2)" << 1 << 0 << "=ОКРУГЛ(A2*1,5;2)";
    QTest::newRow("off the sheet") << "=A1+1" << -1 << 0 << "=#ССЫЛКА!+1";
    QTest::newRow("not a formula") << "B2" << 1 << 0 << "B2";
}

void SheetModelTest::shiftsReferences()
{
    QFETCH(QString, input);
    QFETCH(int, rows);
    QFETCH(int, columns);
    QFETCH(QString, shifted);
    QCOMPARE(ReferenceShifter::shift(input, rows, columns), shifted);
}

void SheetModelTest::sortKeepsRowsAndFormulas()
{
    // Name, price, quantity, a row formula and a bold name; one price missing.
    SheetModel sheet(8, 5);
    sheet.setInputs({
        {CellAddress::at("A1"), "Б"}, {CellAddress::at("B1"), "20"}, {CellAddress::at("C1"), "2"}, {CellAddress::at("D1"), "=B1*C1"},
        {CellAddress::at("A2"), "В"}, {CellAddress::at("C2"), "5"}, {CellAddress::at("D2"), "=B2*C2"},
        {CellAddress::at("A3"), "А"}, {CellAddress::at("B3"), "30"}, {CellAddress::at("C3"), "3"}, {CellAddress::at("D3"), "=B3*C3"},
        {CellAddress::at("E1"), "=СУММ(D1:D3)"},
    });
    CellFormat bold;
    bold.bold = true;
    sheet.setFormat(CellAddress::at("A3"), bold);

    sheet.sortRows(CellRange::at("A1:D3"), 1, false);

    QCOMPARE(sheet.displayText(CellAddress::at("A1")), QStringLiteral("А"));
    QCOMPARE(sheet.displayText(CellAddress::at("A2")), QStringLiteral("Б"));
    QCOMPARE(sheet.displayText(CellAddress::at("A3")), QStringLiteral("В")); // empty price goes last
    QCOMPARE(sheet.input(CellAddress::at("D1")), QStringLiteral("=B1*C1"));
    QCOMPARE(sheet.displayText(CellAddress::at("D1")), QStringLiteral("90"));
    QVERIFY(sheet.format(CellAddress::at("A1")).bold);
    QVERIFY(!sheet.format(CellAddress::at("A3")).bold);
    QCOMPARE(sheet.displayText(CellAddress::at("E1")), QStringLiteral("130")); // outside the range: untouched

    sheet.sortRows(CellRange::at("A1:D3"), 0, true);
    QCOMPARE(sheet.displayText(CellAddress::at("A3")), QStringLiteral("В"));
}

void SheetModelTest::currentRegionStopsAtGaps()
{
    SheetModel sheet(10, 6);
    sheet.setInputs({{CellAddress::at("B2"), "1"}, {CellAddress::at("C2"), "2"}, {CellAddress::at("B3"), "3"},
                     {CellAddress::at("C4"), "4"}, {CellAddress::at("F9"), "far"}});
    QCOMPARE(sheet.currentRegion(CellAddress::at("B2")).name(), QStringLiteral("B2:C4"));
    QCOMPARE(sheet.currentRegion(CellAddress::at("E1")).name(), QStringLiteral("E1"));
}

void SheetModelTest::undoSnapshotRestoresValues()
{
    SheetModel sheet(4, 4);
    sheet.setInputs({{CellAddress::at("A1"), "2"}, {CellAddress::at("B1"), "=A1*10"}});
    const SheetModel::Snapshot before = sheet.snapshot();
    sheet.setInput(CellAddress::at("A1"), "5");
    QCOMPARE(sheet.displayText(CellAddress::at("B1")), QStringLiteral("50"));
    sheet.restore(before);
    QCOMPARE(sheet.displayText(CellAddress::at("B1")), QStringLiteral("20"));
}

QTEST_GUILESS_MAIN(SheetModelTest)
#include "tst_sheet_model.moc"
