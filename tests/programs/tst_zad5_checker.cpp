// Задание 5: the list must be sorted by price with its rows kept whole,
// and the selections made with СЧЁТЕСЛИ/СУММЕСЛИ over the right ranges.
#include "ExerciseTesting.h"
#include "Task5.h"

#include <QtTest>

namespace {

// The list as typed into rows 2..11, in the given order of goods.
const QStringList rowsByPriceDown = {
    "Бумага А4|Бумага|450|10", "Краски|Рисование|340|8", "Фломастеры|Рисование|210|12", "Альбом|Бумага|130|15",
    "Блокнот|Бумага|95|30",    "Тетрадь 48 л.|Бумага|85|40", "Маркер|Письмо|75|60",    "Кисть|Рисование|60|25",
    "Ручка гелевая|Письмо|45|120", "Карандаш|Письмо|20|200",
};

QStringList rows(const QStringList &list)
{
    QStringList edits;
    for (int i = 0; i < list.size(); ++i) {
        const QStringList cells = list.at(i).split('|');
        for (int c = 0; c < cells.size(); ++c)
            edits << QStringLiteral("%1%2|%3").arg(QChar('A' + c)).arg(i + 2).arg(cells.at(c));
    }
    return edits;
}

QStringList solution()
{
    return rows(rowsByPriceDown)
        + QStringList{"G2|=СЧЁТЕСЛИ(B2:B11;\"Бумага\")", "G3|=СУММЕСЛИ(B2:B11;\"Бумага\";D2:D11)",
                      "G4|=СЧЁТЕСЛИ(C2:C11;\">100\")"};
}

QStringList reversed(QStringList list)
{
    std::reverse(list.begin(), list.end());
    return list;
}

// Only the price column sorted: names and quantities stay where they were.
QStringList priceColumnAlone()
{
    QStringList edits = rows({"Тетрадь 48 л.|Бумага|85|40", "Ручка гелевая|Письмо|45|120", "Альбом|Бумага|130|15",
                              "Фломастеры|Рисование|210|12", "Карандаш|Письмо|20|200", "Краски|Рисование|340|8",
                              "Блокнот|Бумага|95|30", "Маркер|Письмо|75|60", "Кисть|Рисование|60|25",
                              "Бумага А4|Бумага|450|10"});
    const int prices[] = {450, 340, 210, 130, 95, 85, 75, 60, 45, 20};
    for (int i = 0; i < 10; ++i)
        edits << QStringLiteral("C%1|%2").arg(i + 2).arg(prices[i]);
    return edits;
}

} // namespace

class Zad5CheckerTest : public QObject
{
    Q_OBJECT

private slots:
    void check_data();
    void check();
};

void Zad5CheckerTest::check_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("wrongCell");
    QTest::addColumn<QString>("message");

    QTest::newRow("correct solution") << QStringList{} << "" << "";
    QTest::newRow("English, other case") << QStringList{"G2|=COUNTIF(B2:B11,\"бумага\")"} << "" << "";

    QTest::newRow("not sorted") << rows({"Тетрадь 48 л.|Бумага|85|40", "Ручка гелевая|Письмо|45|120",
                                         "Альбом|Бумага|130|15", "Фломастеры|Рисование|210|12",
                                         "Карандаш|Письмо|20|200", "Краски|Рисование|340|8", "Блокнот|Бумага|95|30",
                                         "Маркер|Письмо|75|60", "Кисть|Рисование|60|25", "Бумага А4|Бумага|450|10"})
                                << "C2" << "ещё не отсортирован";
    QTest::newRow("ascending") << rows(reversed(rowsByPriceDown)) << "C3" << "по убыванию";
    QTest::newRow("two rows out of order") << rows({"Тетрадь 48 л.|Бумага|85|40"}).replaceInStrings("2|", "6|")
                                                  + rows({"Блокнот|Бумага|95|30"}).replaceInStrings("2|", "7|")
                                           << "C7" << "по убыванию";
    QTest::newRow("price column sorted alone") << priceColumnAlone() << "A2" << "целиком";
    QTest::newRow("header sorted away") << QStringList{"A1|Альбом"} << "A1" << "заголовок";

    QTest::newRow("count typed") << QStringList{"G2|4"} << "G2" << "готовое значение";
    QTest::newRow("СЧЁТ instead of СЧЁТЕСЛИ") << QStringList{"G2|=СЧЁТ(B2:B11)"} << "G2" << "СЧЁТЕСЛИ";
    QTest::newRow("prices summed") << QStringList{"G3|=СУММЕСЛИ(B2:B11;\"Бумага\";C2:C11)"} << "G3" << "должно быть";
    QTest::newRow("no range to sum") << QStringList{"G3|=СУММЕСЛИ(B2:B11;\"Бумага\")"} << "G3" << "должно быть";
    QTest::newRow("wrong column") << QStringList{"G4|=СЧЁТЕСЛИ(D2:D11;\">100\")"} << "G4" << "D2:D11";
    QTest::newRow(">= instead of >") << QStringList{"G4|=СЧЁТЕСЛИ(C2:C11;\">=100\")"} << "G4"
                                     << "только для этих чисел";
}

void Zad5CheckerTest::check()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, wrongCell);
    QFETCH(QString, message);
    verifyCheck(Task5(), solution() + edits, wrongCell, message, 10 + 3);
}

QTEST_GUILESS_MAIN(Zad5CheckerTest)
#include "tst_zad5_checker.moc"
