// The question file: the shipped one reads, and a broken one is reported
// with the file and the line, in the reader and in the test's window.
#include "QuestionFile.h"
#include "TestWindow.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

class QuestionFileTest : public QObject
{
    Q_OBJECT

private slots:
    void readsQuestions();
    void readsShippedFile();
    void reportsMalformedFile_data();
    void reportsMalformedFile();
    void reportsMissingFile();
    void windowShowsTheProblem();
};

void QuestionFileTest::readsQuestions()
{
    const QByteArray text = "\xEF\xBB\xBF# comment\r\n"
                            "? [Формулы] С какого знака начинается формула?\r\n"
                            "- :\r\n"
                            "+ =\r\n"
                            "\r\n"
                            "?? Какие ссылки абсолютные?\n"
                            "+ $A$1\n"
                            "+ $B$2\n"
                            "- A1\n";
    const QuestionFile::Result result = QuestionFile::parse(text, "q.txt");
    QVERIFY2(result.ok(), qPrintable(result.error));
    QCOMPARE(result.questions.size(), 2);
    const Question &first = result.questions.at(0);
    QCOMPARE(first.topic, QStringLiteral("Формулы"));
    QCOMPARE(first.text, QStringLiteral("С какого знака начинается формула?"));
    QCOMPARE(first.options, (QStringList{":", "="}));
    QCOMPARE(first.correct, QList<int>{1});
    QVERIFY(!first.multiple);
    QCOMPARE(result.questions.at(1).correct, (QList<int>{0, 1}));
    QVERIFY(result.questions.at(1).multiple);
    QCOMPARE(result.questions.at(1).line, 6);
}

void QuestionFileTest::readsShippedFile()
{
    const QuestionFile::Result result = QuestionFile::load(QStringLiteral(QUESTIONS_FILE));
    QVERIFY2(result.ok(), qPrintable(result.error));
    QVERIFY(result.questions.size() >= 25);
    QSet<QString> topics;
    bool multiple = false;
    for (const Question &q : result.questions) {
        topics.insert(q.topic);
        multiple = multiple || q.multiple;
    }
    QVERIFY(topics.size() >= 10); // the whole course, not one chapter
    QVERIFY(multiple);
}

void QuestionFileTest::reportsMalformedFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("reason");

    QTest::newRow("option before any question") << QByteArray("# test\n+ да\n") << 2 << "раньше первого вопроса";
    QTest::newRow("unknown line") << QByteArray("? Вопрос\n+ да\nнет\n") << 3 << "непонятная строка";
    QTest::newRow("one option") << QByteArray("\n? Вопрос\n+ да\n? Второй\n+ а\n- б\n") << 2 << "меньше двух";
    QTest::newRow("no right answer") << QByteArray("? Вопрос\n- а\n- б\n") << 1 << "ровно один верный";
    QTest::newRow("two right in single choice") << QByteArray("? Вопрос\n+ а\n+ б\n") << 1 << "а их 2";
    QTest::newRow("none right in multiple choice") << QByteArray("?? Вопрос\n- а\n- б\n") << 1 << "ни одного верного";
    QTest::newRow("empty question") << QByteArray("? [Тема]\n+ а\n- б\n") << 1 << "нет текста вопроса";
    QTest::newRow("empty option") << QByteArray("? Вопрос\n+ а\n-\n") << 3 << "нет текста варианта";
    QTest::newRow("repeated option") << QByteArray("? Вопрос\n+ а\n- б\n- а\n") << 4 << "уже есть";
    QTest::newRow("not UTF-8") << QByteArray("? Вопрос\n+ \xE4\xE0\n- б\n") << 2 << "UTF-8";
    QTest::newRow("last question broken") << QByteArray("? Первый\n+ а\n- б\n? Второй\n+ а\n") << 4 << "меньше двух";
}

void QuestionFileTest::reportsMalformedFile()
{
    QFETCH(QByteArray, content);
    QFETCH(int, line);
    QFETCH(QString, reason);
    const QuestionFile::Result result = QuestionFile::parse(content, "/курс/test/questions.txt");
    QVERIFY(!result.ok());
    QCOMPARE(result.errorLine, line);
    QVERIFY2(result.error.contains("questions.txt") && result.error.contains(QString("строка %1").arg(line))
                 && result.error.contains(reason),
             qPrintable(result.error));
}

void QuestionFileTest::reportsMissingFile()
{
    const QuestionFile::Result missing = QuestionFile::load("/нет/такого/questions.txt");
    QVERIFY(!missing.ok());
    QVERIFY(missing.error.contains("/нет/такого/questions.txt"));
    const QuestionFile::Result empty = QuestionFile::parse("# только комментарий\n\n", "пустой.txt");
    QVERIFY(!empty.ok());
    QVERIFY(empty.error.contains("пустой.txt") && empty.error.contains("нет ни одного вопроса"));
}

void QuestionFileTest::windowShowsTheProblem()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("questions.txt");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("? Вопрос\n+ а\n+ б\n");
    file.close();
    TestWindow window(path);
    auto *message = window.findChild<QLabel *>("errorMessage");
    QVERIFY(message);
    QVERIFY(message->text().contains(path) && message->text().contains("строка 1"));
}

QTEST_MAIN(QuestionFileTest)
#include "tst_question_file.moc"
