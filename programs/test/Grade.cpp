#include "Grade.h"

QString Grade::text() const
{
    return QStringLiteral("%1 (%2)").arg(mark).arg(name);
}

Grade Grade::of(int correct, int total)
{
    const auto atLeast = [&](int share) { return total > 0 && correct * 100 >= share * total; };
    if (atLeast(90))
        return {5, QStringLiteral("отлично")};
    if (atLeast(75))
        return {4, QStringLiteral("хорошо")};
    if (atLeast(50))
        return {3, QStringLiteral("удовлетворительно")};
    return {2, QStringLiteral("неудовлетворительно")};
}

int Grade::percent(int correct, int total)
{
    return total > 0 ? correct * 100 / total : 0;
}
