// The final test's scoring: shuffled questions are still scored against
// their own right answers, multiple choice is all or nothing, and the
// grade follows the documented thresholds.
#include "Grade.h"
#include "ResultReport.h"
#include "TestSession.h"

#include <QtTest>

namespace {

Question question(const QString &text, const QStringList &options, const QList<int> &correct, bool multiple = false)
{
    Question q;
    q.text = text;
    q.options = options;
    q.correct = correct;
    q.multiple = multiple;
    return q;
}

// Two single-choice questions and one with two right answers.
const QList<Question> fixture = {
    question("Сколько будет 2+2?", {"3", "4", "5", "22"}, {1}),
    question("Какая ссылка абсолютная?", {"A1", "$A$1", "A$1"}, {1}),
    question("Какие функции статистические?", {"СРЗНАЧ", "МАКС", "ЕСЛИ", "СЦЕПИТЬ"}, {0, 1}, true),
};

int shownIndex(const TestSession &session, int i, const QString &option)
{
    return static_cast<int>(session.options(i).indexOf(option));
}

int findQuestion(const TestSession &session, const QString &text)
{
    for (int i = 0; i < session.count(); ++i)
        if (session.question(i).text == text)
            return i;
    return -1;
}

} // namespace

class TestScoringTest : public QObject
{
    Q_OBJECT

private slots:
    void grades_data();
    void grades();
    void scoresShuffledAnswers();
    void shufflesQuestionsAndOptions();
    void singleChoiceKeepsOneAnswer();
    void savedTextHasReview();
};

void TestScoringTest::grades_data()
{
    QTest::addColumn<int>("correct");
    QTest::addColumn<int>("total");
    QTest::addColumn<QString>("grade");
    QTest::addColumn<int>("percent");

    QTest::newRow("all right") << 30 << 30 << "5 (отлично)" << 100;
    QTest::newRow("exactly 90 %") << 27 << 30 << "5 (отлично)" << 90;
    QTest::newRow("just below 90 %") << 26 << 30 << "4 (хорошо)" << 86;
    QTest::newRow("exactly 75 %") << 3 << 4 << "4 (хорошо)" << 75;
    QTest::newRow("just below 75 %") << 22 << 30 << "3 (удовлетворительно)" << 73;
    QTest::newRow("exactly 50 %") << 15 << 30 << "3 (удовлетворительно)" << 50;
    QTest::newRow("just below 50 %") << 14 << 30 << "2 (неудовлетворительно)" << 46;
    QTest::newRow("nothing right") << 0 << 30 << "2 (неудовлетворительно)" << 0;
    QTest::newRow("no questions") << 0 << 0 << "2 (неудовлетворительно)" << 0;
}

void TestScoringTest::grades()
{
    QFETCH(int, correct);
    QFETCH(int, total);
    QFETCH(QString, grade);
    QFETCH(int, percent);
    QCOMPARE(Grade::of(correct, total).text(), grade);
    QCOMPARE(Grade::percent(correct, total), percent);
}

void TestScoringTest::scoresShuffledAnswers()
{
    QRandomGenerator random(7);
    TestSession session(fixture, random);
    const int sum = findQuestion(session, "Сколько будет 2+2?");
    const int ref = findQuestion(session, "Какая ссылка абсолютная?");
    const int stats = findQuestion(session, "Какие функции статистические?");

    session.setAnswer(sum, {shownIndex(session, sum, "4")});
    session.setAnswer(ref, {shownIndex(session, ref, "A$1")});
    session.setAnswer(stats, {shownIndex(session, stats, "СРЗНАЧ")}); // one of two: not enough
    QVERIFY(session.isCorrect(sum));
    QVERIFY(!session.isCorrect(ref));
    QVERIFY(!session.isCorrect(stats));

    TestResult result = session.result();
    QCOMPARE(result.correct, 1);
    QCOMPARE(result.mistakes.size(), 2);
    const auto &mistake = result.mistakes.at(0).question == fixture.at(1).text ? result.mistakes.at(0) : result.mistakes.at(1);
    QCOMPARE(mistake.given, QStringList{"A$1"});
    QCOMPARE(mistake.right, QStringList{"$A$1"});

    session.setAnswer(stats, {shownIndex(session, stats, "МАКС"), shownIndex(session, stats, "СРЗНАЧ")});
    QVERIFY(session.isCorrect(stats));
    session.setAnswer(stats, {shownIndex(session, stats, "МАКС"), shownIndex(session, stats, "СРЗНАЧ"),
                              shownIndex(session, stats, "ЕСЛИ")});
    QVERIFY(!session.isCorrect(stats)); // an extra wrong option spoils it
}

void TestScoringTest::shufflesQuestionsAndOptions()
{
    QList<Question> many;
    for (int i = 0; i < 12; ++i)
        many << question(QString("Вопрос %1").arg(i), {"a", "b", "c", "d"}, {0});
    QRandomGenerator random(11);
    TestSession session(many, random);
    QStringList order;
    bool optionsMoved = false;
    for (int i = 0; i < session.count(); ++i) {
        order << session.question(i).text;
        optionsMoved = optionsMoved || session.options(i) != QStringList{"a", "b", "c", "d"};
        QCOMPARE(session.options(i).size(), 4);
    }
    QStringList original;
    for (const Question &q : many)
        original << q.text;
    QVERIFY(order != original);
    QVERIFY(optionsMoved);
    order.sort();
    original.sort();
    QCOMPARE(order, original); // every question exactly once
}

void TestScoringTest::singleChoiceKeepsOneAnswer()
{
    QRandomGenerator random(3);
    TestSession session({fixture.at(0)}, random);
    session.setAnswer(0, {0, 2});
    QCOMPARE(session.answer(0).size(), 1);
    session.setAnswer(0, {99});
    QVERIFY(!session.isAnswered(0));
}

void TestScoringTest::savedTextHasReview()
{
    QRandomGenerator random(5);
    TestSession session(fixture, random);
    const int sum = findQuestion(session, "Сколько будет 2+2?");
    session.setAnswer(sum, {shownIndex(session, sum, "4")});
    const QString text = ResultReport::plainText(session.result(), "Иванов Иван", QDateTime(QDate(2024, 5, 20), QTime(10, 30)));
    QVERIFY(text.contains("Иванов Иван"));
    QVERIFY(text.contains("20.05.2024 10:30"));
    QVERIFY(text.contains("Верных ответов: 1 из 3 (33 %)"));
    QVERIFY(text.contains("Оценка: 2 (неудовлетворительно)"));
    QVERIFY(text.contains("Ваш ответ: нет ответа"));
    QVERIFY(text.contains("Верный ответ: СРЗНАЧ; МАКС"));
}

QTEST_GUILESS_MAIN(TestScoringTest)
#include "tst_test_scoring.moc"
