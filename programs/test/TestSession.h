#pragma once

#include "Question.h"
#include "TestResult.h"

#include <QRandomGenerator>

// One sitting of the test: the questions in a shuffled order, each with its
// options shuffled, and the answers given. A question counts as right only
// when exactly its right options are chosen.
class TestSession
{
public:
    TestSession(const QList<Question> &questions, QRandomGenerator &random);

    int count() const { return static_cast<int>(items_.size()); }
    const Question &question(int i) const { return items_.at(i).question; }
    QStringList options(int i) const; // in the order shown
    void setAnswer(int i, const QList<int> &shownOptions);
    QList<int> answer(int i) const { return items_.at(i).chosen; }
    bool isAnswered(int i) const { return !items_.at(i).chosen.isEmpty(); }
    int answeredCount() const;
    bool isCorrect(int i) const;
    TestResult result() const;

private:
    struct Item
    {
        Question question;
        QList<int> order;  // shown position -> index in question.options
        QList<int> chosen; // shown positions
    };

    QList<Item> items_;
};
