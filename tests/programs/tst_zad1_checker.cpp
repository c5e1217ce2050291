// Задание 1: a complete, formatted table passes; typical mistakes are
// caught at the right cell.
#include "ExerciseTesting.h"
#include "Task1.h"

#include <QtTest>

namespace {

QStringList solution()
{
    QStringList edits = {
        "A1|Товар", "B1|Цена", "C1|Количество", "D1|Сумма", "A1:D1|#bold", "A1:D1|#center",
        "A2|Тетрадь", "B2|45,50", "C2|10", "A3|Ручка", "B3|30", "C3|12", "A4|Карандаш", "B4|15,2", "C4|20",
        "A5|Линейка", "B5|42", "C5|5", "A6|Ластик", "B6|18,90", "C6|8",
        "A7|Итого", "D7|=СУММ(D2:D6)", "A7|#bold", "D7|#bold", "B2:B6|#fixed2", "D2:D7|#fixed2",
    };
    return edits + filledDown("D", 2, 6, "=B%1*C%1");
}

} // namespace

class Zad1CheckerTest : public QObject
{
    Q_OBJECT

private slots:
    void check_data();
    void check();
};

void Zad1CheckerTest::check_data()
{
    QTest::addColumn<QStringList>("edits");   // applied over the correct solution
    QTest::addColumn<QString>("wrongCell");   // empty: the work must pass
    QTest::addColumn<QString>("message");     // a part of the message for that cell

    QTest::newRow("correct solution") << QStringList{} << "" << "";
    QTest::newRow("English names, money format") << QStringList{"D7|=SUM(D2:D6)", "B2:B6|#money"} << "" << "";
    QTest::newRow("decimal point typed") << QStringList{"B2|45.5"} << "" << "";

    QTest::newRow("empty sheet") << QStringList{"A1:D7|"} << "A1" << "пуста";
    QTest::newRow("sum typed as a number") << QStringList{"D3|360"} << "D3" << "готовое значение";
    QTest::newRow("formula of numbers") << QStringList{"D3|=30*12"} << "D3" << "нет ссылок";
    QTest::newRow("wrong row in formula") << QStringList{"D4|=B4*C5"} << "D4" << "должно быть";
    QTest::newRow("total without СУММ") << QStringList{"D7|=D2+D3+D4+D5+D6"} << "D7" << "СУММ";
    QTest::newRow("total over a short range") << QStringList{"D7|=СУММ(D2:D5)"} << "D7" << "D2:D5";
    QTest::newRow("total typed as a number") << QStringList{"D7|1342,2"} << "D7" << "готовое значение";
    QTest::newRow("price typed as text") << QStringList{"B4|15.2.0"} << "B4" << "не число";
    QTest::newRow("wrong quantity") << QStringList{"C2|100"} << "C2" << "Должно быть 10";
    QTest::newRow("misspelt header") << QStringList{"B1|Стоимость"} << "B1" << "Цена";
    QTest::newRow("header not bold") << QStringList{"C1|#plain"} << "C1" << "полужирным";
    QTest::newRow("header not centred") << QStringList{"A1|#left"} << "A1" << "по центру";
    QTest::newRow("price not formatted") << QStringList{"B5|#general"} << "B5" << "0,00";
    QTest::newRow("total not bold") << QStringList{"D7|#plain"} << "D7" << "полужирным";
    QTest::newRow("syntax error") << QStringList{"D5|=B5*"} << "D5" << "Ошибка в формуле";
}

void Zad1CheckerTest::check()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, wrongCell);
    QFETCH(QString, message);
    // Headers, names, prices, quantities, sums, the total and its label.
    verifyCheck(Task1(), solution() + edits, wrongCell, message, 4 + 5 * 4 + 2);
}

QTEST_GUILESS_MAIN(Zad1CheckerTest)
#include "tst_zad1_checker.moc"
