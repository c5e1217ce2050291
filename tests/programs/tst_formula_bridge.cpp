// The formula bridge: Russian and English formulas through the ixion parser
// into values, errors and circular references as a spreadsheet shows them.
#include "IxionFormulaParser.h"
#include "SheetModel.h"

#include <QtTest>

namespace {

// A1..A6: 10, 20, 30, "текст", empty, 2,5; B1..B3: Москва, Казань, москва;
// C1..C3: 5, 7, 9. Formulas under test go to E1.
SheetModel fixture()
{
    SheetModel sheet(10, 6);
    sheet.setInputs({
        {CellAddress::at("A1"), "10"}, {CellAddress::at("A2"), "20"}, {CellAddress::at("A3"), "30"},
        {CellAddress::at("A4"), "текст"}, {CellAddress::at("A6"), "2,5"},
        {CellAddress::at("B1"), "Москва"}, {CellAddress::at("B2"), "Казань"}, {CellAddress::at("B3"), "москва"},
        {CellAddress::at("C1"), "5"}, {CellAddress::at("C2"), "7"}, {CellAddress::at("C3"), "9"},
    });
    return sheet;
}

} // namespace

class FormulaBridgeTest : public QObject
{
    Q_OBJECT

private slots:
    void evaluates_data();
    void evaluates();
    void circularReferences_data();
    void circularReferences();
    void keepsReferenceAnchors_data();
    void keepsReferenceAnchors();
    void explainsMalformedFormula();
    void survivesRandomInput();
};

void FormulaBridgeTest::evaluates_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("shown");

    // Names, in both languages and any case.
    QTest::newRow("СУММ") << "=СУММ(A1:A3)" << "60";
    QTest::newRow("SUM") << "=SUM(A1:A3)" << "60";
    QTest::newRow("lower case") << "=сумм(a1:a3)" << "60";
    QTest::newRow("СРЗНАЧ skips text and empty") << "=СРЗНАЧ(A1:A5)" << "20";
    QTest::newRow("МИН") << "=МИН(A1:A3)" << "10";
    QTest::newRow("МАКС") << "=МАКС(A1:A6)" << "30";
    QTest::newRow("СЧЁТ counts numbers") << "=СЧЁТ(A1:A6)" << "4";
    QTest::newRow("СЧЕТ without ё") << "=СЧЕТ(A1:A6)" << "4";
    QTest::newRow("СЧЁТЗ counts filled") << "=СЧЁТЗ(A1:A6)" << "5";

    // Separators and decimal signs.
    QTest::newRow("; between arguments") << "=СУММ(A1;A2;5)" << "35";
    QTest::newRow(", between arguments") << "=SUM(A1,A2,5)" << "35";
    QTest::newRow("decimal comma with ;") << "=ОКРУГЛ(2,567;1)" << "2,6";
    QTest::newRow("decimal point") << "=ROUND(2.567,1)" << "2,6";
    QTest::newRow("comma is decimal without functions") << "=A1*1,5" << "15";
    QTest::newRow("Russian name: comma is decimal") << "=СУММ(1,5;2)" << "3,5";
    QTest::newRow("English name: comma separates") << "=SUM(1,5)" << "6";
    QTest::newRow("half rounds away") << "=ОКРУГЛ(2,675;2)" << "2,68";
    QTest::newRow("exponent") << "=1,5E3+1" << "1501";

    // Text inside quotes is left as typed.
    QTest::newRow("; and , in a string") << "=СЦЕПИТЬ(\"a;b\";\"1,5\")" << "a;b1,5";
    QTest::newRow("; in an ЕСЛИ branch") << "=ЕСЛИ(A1>5;\"больше; чем 5\";\"нет\")" << "больше; чем 5";
    QTest::newRow("function name in a string") << "=\"СУММ(A1)\"" << "СУММ(A1)";
    QTest::newRow("doubled quotes") << "=\"он сказал \"\"да\"\"\"" << "он сказал \"да\"";

    // References.
    QTest::newRow("relative") << "=A1+A2*C1" << "110";
    QTest::newRow("absolute and mixed") << "=$A$1+A$2+$A3" << "60";
    QTest::newRow("empty cell is 0") << "=A5+1" << "1";
    QTest::newRow("sheet name") << "=Лист1!A1*2" << "20";
    QTest::newRow("range cut to the row") << "=A1:A3" << "10";

    // Precedence as in a spreadsheet (ixion itself gives 8/2/2 = 8).
    QTest::newRow("* before +") << "=2+3*4" << "14";
    QTest::newRow("/ left to right") << "=8/2/2" << "2";
    QTest::newRow("^ left to right") << "=2^3^2" << "64";
    QTest::newRow("minus before ^") << "=-2^2" << "4";
    QTest::newRow("brackets") << "=(1+2)*3" << "9";
    QTest::newRow("percent") << "=A1*50%" << "5";
    QTest::newRow("comparison last") << "=1+2=3" << "ИСТИНА";
    QTest::newRow("number joined as shown") << "=\"a\"&1,5" << "a1,5";

    // Conditions.
    QTest::newRow("texts compare ignoring case") << "=B1=B3" << "ИСТИНА";
    QTest::newRow("ЕСЛИ") << "=ЕСЛИ(A1>5;\"да\";\"нет\")" << "да";
    QTest::newRow("ЕСЛИ without else") << "=ЕСЛИ(A1>50;1)" << "ЛОЖЬ";
    QTest::newRow("ЕСЛИ calculates one branch") << "=ЕСЛИ(A5=0;0;A1/A5)" << "0";
    QTest::newRow("И") << "=ЕСЛИ(И(A1>5;A2>5);1;0)" << "1";
    QTest::newRow("ИЛИ") << "=ИЛИ(A1>50;A2>50)" << "ЛОЖЬ";
    QTest::newRow("НЕ") << "=НЕ(A1>5)" << "ЛОЖЬ";
    QTest::newRow("СЧЁТЕСЛИ text") << "=СЧЁТЕСЛИ(B1:B3;\"москва\")" << "2";
    QTest::newRow("СЧЁТЕСЛИ >=") << "=СЧЁТЕСЛИ(A1:A3;\">=20\")" << "2";
    QTest::newRow("COUNTIF wildcard") << "=COUNTIF(B1:B3,\"Ка*\")" << "1";
    QTest::newRow("СУММЕСЛИ other range") << "=СУММЕСЛИ(B1:B3;\"Москва\";C1:C3)" << "14";
    QTest::newRow("СУММЕСЛИ same range") << "=СУММЕСЛИ(A1:A3;\">15\")" << "50";
    QTest::newRow("СРЗНАЧЕСЛИ <>") << "=СРЗНАЧЕСЛИ(A1:A3;\"<>20\")" << "20";
    QTest::newRow("ВПР exact") << "=ВПР(\"Казань\";B1:C3;2;ЛОЖЬ)" << "7";

    // Errors.
    QTest::newRow("division by zero") << "=A1/0" << "#ДЕЛ/0!";
    QTest::newRow("division by empty") << "=A1/A5" << "#ДЕЛ/0!";
    QTest::newRow("average of nothing") << "=СРЗНАЧ(A4:A5)" << "#ДЕЛ/0!";
    QTest::newRow("misspelt function") << "=СУМ(A1)" << "#ИМЯ?";
    QTest::newRow("unknown name") << "=abc+1" << "#ИМЯ?";
    QTest::newRow("Cyrillic letter in address") << "=А1+1" << "#ИМЯ?";
    QTest::newRow("text in arithmetic") << "=A4*2" << "#ЗНАЧ!";
    QTest::newRow("text argument") << "=СУММ(A1;\"abc\")" << "#ЗНАЧ!";
    QTest::newRow("not found") << "=ВПР(99;A1:C3;2;ЛОЖЬ)" << "#Н/Д";
    QTest::newRow("НД") << "=НД()" << "#Н/Д";
    QTest::newRow("square root of negative") << "=КОРЕНЬ(-1)" << "#ЧИСЛО!";
    QTest::newRow("typed #ССЫЛКА!") << "=#ССЫЛКА!+1" << "#ССЫЛКА!";
    QTest::newRow("error passes on") << "=A1+#Н/Д" << "#Н/Д";
    QTest::newRow("ЕСЛИОШИБКА") << "=ЕСЛИОШИБКА(A1/0;\"нет\")" << "нет";

    // Malformed input never crashes and says so.
    QTest::newRow("unclosed bracket") << "=СУММ(A1" << "Ошибка в формуле";
    QTest::newRow("open call") << "=СУММ(" << "Ошибка в формуле";
    QTest::newRow("missing operand") << "=1+" << "Ошибка в формуле";
    QTest::newRow("brackets reversed") << "=)(" << "Ошибка в формуле";
    QTest::newRow("two values") << "=A1 A2" << "Ошибка в формуле";
    QTest::newRow("unclosed quote") << "=\"abc" << "Ошибка в формуле";
    QTest::newRow("only =") << "=" << "Ошибка в формуле";
    QTest::newRow("==") << "==1" << "Ошибка в формуле";
    QTest::newRow("too few arguments") << "=ЕСЛИ(1)" << "Ошибка в формуле";
    QTest::newRow("no arguments") << "=СУММ()" << "Ошибка в формуле";
    QTest::newRow("stray percent") << "=%" << "Ошибка в формуле";
    QTest::newRow("extra bracket") << "=1)" << "Ошибка в формуле";
    QTest::newRow("deep nesting") << "=" + QString(500, '(') + "1" + QString(500, ')') << "Ошибка в формуле";
    QTest::newRow("junk") << "=@#{}~" << "Ошибка в формуле";
}

void FormulaBridgeTest::evaluates()
{
    QFETCH(QString, formula);
    QFETCH(QString, shown);
    SheetModel sheet = fixture();
    sheet.setInput(CellAddress::at("E1"), formula);
    QCOMPARE(sheet.displayText(CellAddress::at("E1")), shown);
}

void FormulaBridgeTest::circularReferences_data()
{
    QTest::addColumn<QStringList>("inputs"); // "cell=formula"
    QTest::addColumn<QStringList>("circular");
    QTest::addColumn<QString>("unaffected"); // a formula cell outside the cycle, "" if none

    QTest::newRow("cell reads itself") << QStringList{"E1|=E1+1"} << QStringList{"E1"} << "";
    QTest::newRow("two cells") << QStringList{"E1|=F1", "F1|=E1*2"} << QStringList{"E1", "F1"} << "";
    QTest::newRow("range holds the cell") << QStringList{"E1|=СУММ(A1:E3)"} << QStringList{"E1"} << "";
    QTest::newRow("three cells and a reader")
        << QStringList{"E1|=F1", "F1|=E2", "E2|=E1", "E3|=E1*2", "F3|=A1+1"}
        << QStringList{"E1", "F1", "E2", "E3"} << "F3";
    QTest::newRow("a chain is not a cycle") << QStringList{"E1|=F1", "F1|=A1"} << QStringList{} << "E1";
}

void FormulaBridgeTest::circularReferences()
{
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, circular);
    QFETCH(QString, unaffected);
    SheetModel sheet = fixture();
    QList<QPair<CellAddress, QString>> entries;
    for (const QString &entry : inputs)
        entries.append({*CellAddress::fromName(entry.section('|', 0, 0)), entry.section('|', 1)});
    sheet.setInputs(entries);
    for (const QString &cell : circular)
        QCOMPARE(sheet.displayText(*CellAddress::fromName(cell)), QStringLiteral("Циклическая ссылка"));
    if (!unaffected.isEmpty())
        QVERIFY(sheet.cellValue(*CellAddress::fromName(unaffected)).isNumber());
}

void FormulaBridgeTest::keepsReferenceAnchors_data()
{
    QTest::addColumn<QString>("formula");
    QTest::addColumn<QString>("references"); // single references, then ranges
    QTest::newRow("relative and absolute") << "B2/$B$8" << "B2 $B$8";
    QTest::newRow("mixed") << "C$3+$D4" << "C$3 $D4";
    QTest::newRow("range") << "СУММ(B2:B7)" << "B2:B7";
    QTest::newRow("range written backwards") << "SUM(B7:B2)" << "B2:B7";
    QTest::newRow("absolute range") << "СУММ($B$2:$B$7)" << "$B$2:$B$7";
}

void FormulaBridgeTest::keepsReferenceAnchors()
{
    QFETCH(QString, formula);
    QFETCH(QString, references);
    IxionFormulaParser parser;
    // Parsed in C2 so relative references are resolved away from A1.
    const ParsedFormula parsed = parser.parse(formula, CellAddress::at("C2"));
    QVERIFY2(parsed.ok(), qPrintable(parsed.error));
    QStringList names;
    for (const CellReference &ref : parsed.references())
        names << ref.name();
    for (const FormulaNode *range : parsed.ranges())
        names << range->first.name() + ':' + range->last.name();
    QCOMPARE(names.join(' '), references);
}

void FormulaBridgeTest::explainsMalformedFormula()
{
    SheetModel sheet = fixture();
    sheet.setInput(CellAddress::at("E1"), "=ЕСЛИ(A1>5)");
    const QString note = sheet.note(CellAddress::at("E1"));
    QVERIFY2(note.contains("ЕСЛИ") && note.contains("аргументов"), qPrintable(note));
}

void FormulaBridgeTest::survivesRandomInput()
{
    // Formula-like noise typed over a small sheet, so references, ranges and
    // cycles all turn up: nothing may crash or hang, every cell shows something.
    const QString alphabet = QStringLiteral("==AB12$:;,.()\"+-*/^&<>%# СУММЕСЛИ!");
    QRandomGenerator random(2024);
    SheetModel sheet(4, 3);
    for (int i = 0; i < 3000; ++i) {
        QString input = QStringLiteral("=");
        const int length = random.bounded(1, 24);
        for (int k = 0; k < length; ++k)
            input += alphabet.at(random.bounded(int(alphabet.size())));
        const CellAddress cell{random.bounded(4), random.bounded(3)};
        sheet.setInput(cell, input);
        QVERIFY(!sheet.displayText(cell).isEmpty()); // a value or an error, never nothing
    }
}

QTEST_GUILESS_MAIN(FormulaBridgeTest)
#include "tst_formula_bridge.moc"
