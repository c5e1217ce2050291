#pragma once

#include "TestResult.h"

#include <QDateTime>

// The result as the student sees it and as it is saved to a text file.
class ResultReport
{
public:
    static QString summary(const TestResult &result);      // «Верных ответов: 24 из 30 (80 %)»
    static QString reviewHtml(const TestResult &result);   // the wrong answers with the right ones
    static QString plainText(const TestResult &result, const QString &student, const QDateTime &when);
};
