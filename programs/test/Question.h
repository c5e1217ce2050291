#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One question of the final test, as the question file gives it.
struct Question
{
    QString text;
    QString topic;          // may be empty
    bool multiple = false;  // several right answers: check boxes
    QStringList options;
    QList<int> correct;     // indexes into options
    int line = 0;           // where it starts in the file
};
