#include "FunctionNames.h"

#include <array>

namespace {

constexpr int many = 255;

constexpr std::array functions = {
    FunctionInfo{"SUM", "СУММ", 1, many},
    FunctionInfo{"AVERAGE", "СРЗНАЧ", 1, many},
    FunctionInfo{"MIN", "МИН", 1, many},
    FunctionInfo{"MAX", "МАКС", 1, many},
    FunctionInfo{"COUNT", "СЧЁТ", 1, many},
    FunctionInfo{"COUNTA", "СЧЁТЗ", 1, many},
    FunctionInfo{"COUNTBLANK", "СЧИТАТЬПУСТОТЫ", 1, 1},
    FunctionInfo{"COUNTIF", "СЧЁТЕСЛИ", 2, 2},
    FunctionInfo{"SUMIF", "СУММЕСЛИ", 2, 3},
    FunctionInfo{"AVERAGEIF", "СРЗНАЧЕСЛИ", 2, 3},
    FunctionInfo{"PRODUCT", "ПРОИЗВЕД", 1, many},
    FunctionInfo{"IF", "ЕСЛИ", 2, 3},
    FunctionInfo{"IFERROR", "ЕСЛИОШИБКА", 2, 2},
    FunctionInfo{"AND", "И", 1, many},
    FunctionInfo{"OR", "ИЛИ", 1, many},
    FunctionInfo{"NOT", "НЕ", 1, 1},
    FunctionInfo{"TRUE", "ИСТИНА", 0, 0},
    FunctionInfo{"FALSE", "ЛОЖЬ", 0, 0},
    FunctionInfo{"ROUND", "ОКРУГЛ", 2, 2},
    FunctionInfo{"ABS", "ABS", 1, 1},
    FunctionInfo{"SQRT", "КОРЕНЬ", 1, 1},
    FunctionInfo{"INT", "ЦЕЛОЕ", 1, 1},
    FunctionInfo{"MOD", "ОСТАТ", 2, 2},
    FunctionInfo{"POWER", "СТЕПЕНЬ", 2, 2},
    FunctionInfo{"PI", "ПИ", 0, 0},
    FunctionInfo{"LEN", "ДЛСТР", 1, 1},
    FunctionInfo{"LEFT", "ЛЕВСИМВ", 1, 2},
    FunctionInfo{"RIGHT", "ПРАВСИМВ", 1, 2},
    FunctionInfo{"CONCATENATE", "СЦЕПИТЬ", 1, many},
    FunctionInfo{"CHAR", "СИМВОЛ", 1, 1},
    FunctionInfo{"NA", "НД", 0, 0},
    FunctionInfo{"ISBLANK", "ЕПУСТО", 1, 1},
    FunctionInfo{"ISNUMBER", "ЕЧИСЛО", 1, 1},
    FunctionInfo{"ISERROR", "ЕОШИБКА", 1, 1},
    FunctionInfo{"VLOOKUP", "ВПР", 3, 4},
};

QString normalized(const QString &name)
{
    QString upper = name.trimmed().toUpper();
    upper.replace(QChar(0x0401), QChar(0x0415)); // Ё -> Е
    return upper;
}

} // namespace

const FunctionInfo *FunctionNames::find(const QString &name)
{
    const QString key = normalized(name);
    for (const FunctionInfo &info : functions) {
        if (key == QLatin1String(info.english) || key == normalized(QString::fromUtf8(info.russian)))
            return &info;
    }
    return nullptr;
}

QString FunctionNames::russianName(const QString &englishName)
{
    const FunctionInfo *info = find(englishName);
    return info ? QString::fromUtf8(info->russian) : englishName;
}

bool FunctionNames::isCyrillic(const QString &name)
{
    for (QChar ch : name) {
        if (ch.script() == QChar::Script_Cyrillic)
            return true;
    }
    return false;
}
