// Задание 4: ЕСЛИ formulas are judged by their results on the given scores
// and on scores moved across the thresholds.
#include "ExerciseTesting.h"
#include "Task4.h"

#include <QtTest>

namespace {

QStringList solution()
{
    return filledDown("D", 2, 9, "=ЕСЛИ(B%1+C%1>=100;\"зачёт\";\"незачёт\")")
        + filledDown("E", 2, 9, "=ЕСЛИ(И(B%1>=50;C%1>=50);500;0)");
}

} // namespace

class Zad4CheckerTest : public QObject
{
    Q_OBJECT

private slots:
    void check_data();
    void check();
};

void Zad4CheckerTest::check_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("wrongCell");
    QTest::addColumn<QString>("message");

    QTest::newRow("correct solution") << QStringList{} << "" << "";
    QTest::newRow("nested ЕСЛИ, other spelling, СУММ")
        << filledDown("E", 2, 9, "=IF(B%1>=50,IF(C%1>=50,500,0),0)")
               + filledDown("D", 2, 9, "=ЕСЛИ(СУММ(B%1:C%1)<100;\"Незачет\";\"Зачет\")")
        << "" << "";

    // Борисова has exactly 100 points, Ершова 45 in the second test.
    QTest::newRow("> instead of >=") << filledDown("D", 2, 9, "=ЕСЛИ(B%1+C%1>100;\"зачёт\";\"незачёт\")")
                                     << "D3" << "должно быть";
    QTest::newRow("bonus checks one test") << filledDown("E", 2, 9, "=ЕСЛИ(B%1>=50;500;0)") << "E7" << "должно быть";
    QTest::newRow("right only by chance") << QStringList{"D9|=ЕСЛИ(C9>=70;\"зачёт\";\"незачёт\")"} << "D9"
                                          << "только для этих чисел";
    QTest::newRow("verdict typed") << QStringList{"D5|зачёт"} << "D5" << "готовое значение";
    QTest::newRow("bonus typed") << QStringList{"E2|500"} << "E2" << "готовое значение";
    QTest::newRow("comparison without ЕСЛИ") << QStringList{"D2|=B2+C2>=100"} << "D2" << "нужна функция ЕСЛИ";
    QTest::newRow("quote missing") << QStringList{"D6|=ЕСЛИ(B6+C6>=100;\"зачёт;\"незачёт\")"} << "D6"
                                   << "Ошибка в формуле";
    QTest::newRow("too few arguments") << QStringList{"E3|=ЕСЛИ(И(B3>=50;C3>=50))"} << "E3" << "аргументов";
}

void Zad4CheckerTest::check()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, wrongCell);
    QFETCH(QString, message);
    verifyCheck(Task4(), solution() + edits, wrongCell, message, 2 * 8);
}

QTEST_GUILESS_MAIN(Zad4CheckerTest)
#include "tst_zad4_checker.moc"
