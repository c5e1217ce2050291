#include "QuestionFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>

#include <optional>

namespace {

QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Strips an optional "[topic]" from the start of a question.
void splitTopic(QString text, Question &question)
{
    static const QRegularExpression topic(QStringLiteral("^\\[([^\\]]*)\\]\\s*(.*)$"));
    text = text.trimmed();
    const auto match = topic.match(text);
    if (match.hasMatch()) {
        question.topic = match.captured(1).trimmed();
        text = match.captured(2);
    }
    question.text = text.trimmed();
}

class Reader
{
public:
    explicit Reader(const QString &path)
        : path_(path)
    {
    }

    bool fail(int line, const QString &reason)
    {
        if (result.error.isEmpty()) {
            result.error = QStringLiteral("Ошибка в файле вопросов «%1», строка %2: %3.").arg(shownPath(path_)).arg(line).arg(reason);
            result.errorLine = line;
        }
        return false;
    }

    // Called when a question's options have all been read.
    bool finish()
    {
        if (!current_)
            return true;
        const Question &q = *current_;
        if (q.options.size() < 2)
            return fail(q.line, QStringLiteral("у вопроса меньше двух вариантов ответа"));
        if (!q.multiple && q.correct.size() != 1)
            return fail(q.line, QStringLiteral("у вопроса с одним ответом («?») должен быть ровно один верный "
                                               "вариант («+»), а их %1").arg(q.correct.size()));
        if (q.multiple && q.correct.isEmpty())
            return fail(q.line, QStringLiteral("у вопроса с несколькими ответами («??») нет ни одного верного "
                                               "варианта («+»)"));
        result.questions.append(q);
        current_.reset();
        return true;
    }

    bool read(int line, const QString &raw)
    {
        const QString text = raw.trimmed();
        if (text.isEmpty() || text.startsWith(QLatin1Char('#')))
            return true;
        if (text.startsWith(QLatin1Char('?'))) {
            if (!finish())
                return false;
            Question q;
            q.line = line;
            q.multiple = text.startsWith(QStringLiteral("??"));
            splitTopic(text.mid(q.multiple ? 2 : 1), q);
            if (q.text.isEmpty())
                return fail(line, QStringLiteral("нет текста вопроса"));
            current_ = q;
            return true;
        }
        if (text.startsWith(QLatin1Char('+')) || text.startsWith(QLatin1Char('-'))) {
            if (!current_)
                return fail(line, QStringLiteral("вариант ответа стоит раньше первого вопроса"));
            const QString option = text.mid(1).trimmed();
            if (option.isEmpty())
                return fail(line, QStringLiteral("нет текста варианта ответа"));
            if (current_->options.contains(option))
                return fail(line, QStringLiteral("такой вариант ответа у этого вопроса уже есть"));
            if (text.startsWith(QLatin1Char('+')))
                current_->correct.append(current_->options.size());
            current_->options.append(option);
            return true;
        }
        return fail(line, QStringLiteral("непонятная строка «%1»: строка должна начинаться с «?», «??», «+», "
                                         "«-» или «#»").arg(text.left(40)));
    }

    QuestionFile::Result result;

private:
    QString path_;
    std::optional<Question> current_;
};

} // namespace

QString QuestionFile::defaultPath()
{
    // The textbook starts the test from its own folder: look beside the program.
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("questions.txt"));
}

QuestionFile::Result QuestionFile::load(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        return {{}, QStringLiteral("Не найден файл вопросов «%1».").arg(shownPath(path)), 0};
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("Не удаётся прочитать файл вопросов «%1»: %2.").arg(shownPath(path), file.errorString()), 0};
    return parse(file.readAll(), path);
}

QuestionFile::Result QuestionFile::parse(const QByteArray &content, const QString &path)
{
    Reader reader(path);
    const QList<QByteArray> lines = content.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QStringDecoder decoder(QStringDecoder::Utf8);
        QString line = decoder.decode(lines.at(i));
        if (decoder.hasError()) {
            reader.fail(i + 1, QStringLiteral("текст не в кодировке UTF-8 (сохраните файл в UTF-8)"));
            return reader.result;
        }
        if (i == 0 && line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        if (!reader.read(i + 1, line))
            return reader.result;
    }
    if (!reader.finish())
        return reader.result;
    if (reader.result.questions.isEmpty())
        reader.result.error = QStringLiteral("В файле вопросов «%1» нет ни одного вопроса (строки, начинающейся с "
                                             "«?» или «??»).").arg(shownPath(path));
    return reader.result;
}
