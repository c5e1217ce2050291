// Задание 2: the share formula must keep the total anchored with $, which
// the checker reads from the formula text, not only from the values.
#include "ExerciseTesting.h"
#include "Task2.h"

#include <QtTest>

namespace {

QStringList solution()
{
    return QStringList{"B8|=СУММ(B2:B7)", "C2:C7|#percent"} + filledDown("C", 2, 7, "=B%1/$B$8");
}

// What copying =B2/B8 down gives: the total moves with the formula.
QStringList copiedWithoutDollars()
{
    QStringList edits;
    for (int row = 2; row <= 7; ++row)
        edits << QStringLiteral("C%1|=B%1/B%2").arg(row).arg(row + 6);
    return edits;
}

} // namespace

class Zad2CheckerTest : public QObject
{
    Q_OBJECT

private slots:
    void check_data();
    void check();
};

void Zad2CheckerTest::check_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("wrongCell");
    QTest::addColumn<QString>("message");

    QTest::newRow("correct solution") << QStringList{} << "" << "";
    QTest::newRow("row fixed only") << filledDown("C", 2, 7, "=B%1/B$8") << "" << "";
    QTest::newRow("English SUM") << QStringList{"B8|=SUM(B2:B7)"} << "" << "";

    QTest::newRow("copied without $") << copiedWithoutDollars() << "C3" << "сдвинулась";
    QTest::newRow("right value, relative total") << QStringList{"C2|=B2/B8"} << "C2" << "абсолютной — $B$8";
    QTest::newRow("divided by a typed total") << QStringList{"C5|=B5/600000"} << "C5" << "итог из B8";
    QTest::newRow("share typed as a number") << QStringList{"C4|0,2"} << "C4" << "готовое значение";
    QTest::newRow("revenue anchored too") << QStringList{"C3|=$B$3/$B$8"} << "C3" << "относительной";
    QTest::newRow("another branch's revenue") << QStringList{"C6|=B5/$B$8"} << "C6" << "B6";
    QTest::newRow("division upside down") << QStringList{"C2|=$B$8/B2"} << "C2" << "должно быть";
    QTest::newRow("not in percent") << QStringList{"C7|#general"} << "C7" << "Процентный";
    QTest::newRow("total typed as a number") << QStringList{"B8|600000"} << "B8" << "готовое значение";
    QTest::newRow("total over a short range") << QStringList{"B8|=СУММ(B2:B6)"} << "B8" << "B2:B6";
    QTest::newRow("no total: shares divide by zero") << QStringList{"B8|"} << "C2" << "#ДЕЛ/0!";
}

void Zad2CheckerTest::check()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, wrongCell);
    QFETCH(QString, message);
    verifyCheck(Task2(), solution() + edits, wrongCell, message, 1 + 6);
}

QTEST_GUILESS_MAIN(Zad2CheckerTest)
#include "tst_zad2_checker.moc"
