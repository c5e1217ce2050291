// Задание 3: each answer needs its own function over the whole range B2:B11.
#include "ExerciseTesting.h"
#include "Task3.h"

#include <QtTest>

namespace {

const QStringList solution = {"E2|=СУММ(B2:B11)", "E3|=СРЗНАЧ(B2:B11)", "E4|=МИН(B2:B11)", "E5|=МАКС(B2:B11)",
                              "E6|=СЧЁТ(B2:B11)"};

} // namespace

class Zad3CheckerTest : public QObject
{
    Q_OBJECT

private slots:
    void check_data();
    void check();
};

void Zad3CheckerTest::check_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("wrongCell");
    QTest::addColumn<QString>("message");

    QTest::newRow("correct solution") << QStringList{} << "" << "";
    QTest::newRow("English names, absolute range")
        << QStringList{"E2|=SUM($B$2:$B$11)", "E3|=AVERAGE(B2:B11)", "E4|=min(B2:B11)", "E5|=MAX(B2:B11)",
                       "E6|=COUNT(B2:B11)"}
        << "" << "";

    QTest::newRow("count typed") << QStringList{"E6|9"} << "E6" << "готовое значение";
    QTest::newRow("СЧЁТЗ instead of СЧЁТ") << QStringList{"E6|=СЧЁТЗ(B2:B11)"} << "E6" << "использована СЧЁТЗ";
    QTest::newRow("sum over a short range") << QStringList{"E2|=СУММ(B2:B10)"} << "E2" << "B2:B10";
    QTest::newRow("range with the header") << QStringList{"E5|=МАКС(B1:B11)"} << "E5" << "B1:B11";
    QTest::newRow("sum added by hand") << QStringList{"E2|=B2+B3+B4+B5+B7+B8+B9+B10+B11"} << "E2" << "нужна функция СУММ";
    QTest::newRow("average as sum over rows") << QStringList{"E3|=СУММ(B2:B11)/10"} << "E3" << "использована СУММ";
    QTest::newRow("МАКС where МИН is asked") << QStringList{"E4|=МАКС(B2:B11)"} << "E4" << "МИН";
    QTest::newRow("function of typed numbers") << QStringList{"E5|=МАКС(97;92)"} << "E5" << "нет ссылок";
    QTest::newRow("misspelt function") << QStringList{"E3|=СРЗНАЧЕНИЕ(B2:B11)"} << "E3" << "#ИМЯ?";
}

void Zad3CheckerTest::check()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, wrongCell);
    QFETCH(QString, message);
    verifyCheck(Task3(), solution + edits, wrongCell, message, 5);
}

QTEST_GUILESS_MAIN(Zad3CheckerTest)
#include "tst_zad3_checker.moc"
