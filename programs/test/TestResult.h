#pragma once

#include "Grade.h"

#include <QList>
#include <QStringList>

// The outcome of a finished test, with every question not answered right.
struct TestResult
{
    struct Mistake
    {
        QString question;
        QString topic;
        QStringList given; // empty: no answer
        QStringList right;
    };

    int total = 0;
    int correct = 0;
    int percent = 0;
    Grade grade;
    QList<Mistake> mistakes;
};
