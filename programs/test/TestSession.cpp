#include "TestSession.h"

#include <algorithm>

TestSession::TestSession(const QList<Question> &questions, QRandomGenerator &random)
{
    for (const Question &q : questions) {
        Item item{q, {}, {}};
        for (int i = 0; i < q.options.size(); ++i)
            item.order.append(i);
        std::shuffle(item.order.begin(), item.order.end(), random);
        items_.append(item);
    }
    std::shuffle(items_.begin(), items_.end(), random);
}

QStringList TestSession::options(int i) const
{
    QStringList shown;
    for (int index : items_.at(i).order)
        shown << items_.at(i).question.options.at(index);
    return shown;
}

void TestSession::setAnswer(int i, const QList<int> &shownOptions)
{
    QList<int> chosen;
    for (int option : shownOptions) {
        if (option >= 0 && option < items_.at(i).order.size() && !chosen.contains(option))
            chosen.append(option);
    }
    if (!items_.at(i).question.multiple && chosen.size() > 1)
        chosen = {chosen.last()};
    std::sort(chosen.begin(), chosen.end());
    items_[i].chosen = chosen;
}

int TestSession::answeredCount() const
{
    return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const Item &item) { return !item.chosen.isEmpty(); }));
}

bool TestSession::isCorrect(int i) const
{
    const Item &item = items_.at(i);
    QList<int> chosen;
    for (int shown : item.chosen)
        chosen.append(item.order.at(shown));
    QList<int> right = item.question.correct;
    std::sort(chosen.begin(), chosen.end());
    std::sort(right.begin(), right.end());
    return !chosen.isEmpty() && chosen == right;
}

TestResult TestSession::result() const
{
    TestResult result;
    result.total = count();
    for (int i = 0; i < count(); ++i) {
        if (isCorrect(i)) {
            ++result.correct;
            continue;
        }
        const Item &item = items_.at(i);
        TestResult::Mistake mistake{item.question.text, item.question.topic, {}, {}};
        for (int shown : item.chosen)
            mistake.given << item.question.options.at(item.order.at(shown));
        for (int index : item.question.correct)
            mistake.right << item.question.options.at(index);
        result.mistakes.append(mistake);
    }
    result.percent = Grade::percent(result.correct, result.total);
    result.grade = Grade::of(result.correct, result.total);
    return result;
}
