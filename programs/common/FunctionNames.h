#pragma once

#include <QString>

// A function the course programs calculate, with its Russian name and the
// number of arguments it takes.
struct FunctionInfo
{
    const char *english;
    const char *russian; // UTF-8
    int minArguments;
    int maxArguments;
};

class FunctionNames
{
public:
    // By the Russian or the English name, in any case, with Ё or Е.
    static const FunctionInfo *find(const QString &name);
    static QString russianName(const QString &englishName);
    static bool isCyrillic(const QString &name);
};
