#pragma once

#include "Question.h"

#include <QByteArray>

// Reads the question file. The format is documented at the top of
// questions.txt and in README.md; every problem is reported with the file
// and, where there is one, the line.
class QuestionFile
{
public:
    struct Result
    {
        QList<Question> questions;
        QString error; // for the teacher: names the file and the line
        int errorLine = 0;
        bool ok() const { return error.isEmpty(); }
    };

    static QString defaultPath(); // questions.txt beside the program
    static Result load(const QString &path);
    static Result parse(const QByteArray &content, const QString &path);
};
