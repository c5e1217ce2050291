#include "ResultReport.h"

namespace {

QString answerText(const QStringList &answers)
{
    return answers.isEmpty() ? QStringLiteral("нет ответа") : answers.join(QStringLiteral("; "));
}

} // namespace

QString ResultReport::summary(const TestResult &result)
{
    return QStringLiteral("Верных ответов: %1 из %2 (%3 %)").arg(result.correct).arg(result.total).arg(result.percent);
}

QString ResultReport::reviewHtml(const TestResult &result)
{
    if (result.mistakes.isEmpty())
        return QStringLiteral("<p><b>Ошибок нет — все ответы верные!</b></p>");
    QString html = QStringLiteral("<h3>Разбор ошибок</h3>");
    int n = 0;
    for (const TestResult::Mistake &m : result.mistakes) {
        html += QStringLiteral("<p><b>%1. %2</b>%3<br>Ваш ответ: <span style='color:#a01010'>%4</span><br>"
                               "Верный ответ: <span style='color:#1a7a1a'>%5</span></p>")
                    .arg(++n)
                    .arg(m.question.toHtmlEscaped(),
                         m.topic.isEmpty() ? QString() : QStringLiteral(" <i>(%1)</i>").arg(m.topic.toHtmlEscaped()),
                         answerText(m.given).toHtmlEscaped(), answerText(m.right).toHtmlEscaped());
    }
    return html;
}

QString ResultReport::plainText(const TestResult &result, const QString &student, const QDateTime &when)
{
    QString text = QStringLiteral("ИТОГОВОЕ ТЕСТИРОВАНИЕ\n");
    if (!student.trimmed().isEmpty())
        text += QStringLiteral("Учащийся: %1\n").arg(student.trimmed());
    text += QStringLiteral("Дата: %1\n").arg(when.toString(QStringLiteral("dd.MM.yyyy HH:mm")));
    text += summary(result) + QLatin1Char('\n');
    text += QStringLiteral("Оценка: %1\n").arg(result.grade.text());
    if (result.mistakes.isEmpty()) {
        text += QStringLiteral("\nОшибок нет.\n");
        return text;
    }
    text += QStringLiteral("\nРазбор ошибок\n");
    int n = 0;
    for (const TestResult::Mistake &m : result.mistakes) {
        text += QStringLiteral("\n%1. %2\n").arg(++n).arg(m.question);
        if (!m.topic.isEmpty())
            text += QStringLiteral("   Тема: %1\n").arg(m.topic);
        text += QStringLiteral("   Ваш ответ: %1\n   Верный ответ: %2\n").arg(answerText(m.given), answerText(m.right));
    }
    return text;
}
