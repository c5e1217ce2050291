#include "TestWindow.h"

#include "QuestionFile.h"
#include "ResultReport.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QLabel *heading(const QString &text, int pointSize, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    label->setFont(font);
    label->setWordWrap(true);
    return label;
}

} // namespace

TestWindow::TestWindow(const QString &questionFile, QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Итоговое тестирование"));
    pages_ = new QStackedWidget(this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pages_);

    const QuestionFile::Result loaded = QuestionFile::load(questionFile);
    if (!loaded.ok()) {
        error_ = loaded.error;
        pages_->addWidget(buildErrorPage(loaded.error));
    } else {
        questions_ = loaded.questions;
        pages_->addWidget(buildStartPage());
        pages_->addWidget(buildQuestionPage());
        pages_->addWidget(buildResultPage());
    }
    resize(900, 600);
}

TestWindow::~TestWindow()
{
    // Children outlive the session while the window is taken apart.
    if (options_)
        disconnect(options_, nullptr, this, nullptr);
}

QString TestWindow::errorText() const
{
    return error_;
}

QWidget *TestWindow::buildErrorPage(const QString &message)
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    auto *title = heading(QStringLiteral("Тест не может быть начат"), 16, page);
    title->setStyleSheet(QStringLiteral("color:#a01010"));
    auto *text = new QLabel(message, page);
    text->setObjectName(QStringLiteral("errorMessage"));
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont larger = text->font();
    larger.setPointSize(12);
    text->setFont(larger);
    auto *advice = new QLabel(QStringLiteral("Сообщите об этом преподавателю. Файл questions.txt должен лежать "
                                             "рядом с программой теста; как его составлять, написано в начале "
                                             "самого файла."), page);
    advice->setWordWrap(true);
    auto *close = new QPushButton(QStringLiteral("Закрыть"), page);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addWidget(advice);
    layout->addStretch();
    layout->addWidget(close, 0, Qt::AlignRight);
    return page;
}

QWidget *TestWindow::buildStartPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    QLabel *title = heading(QStringLiteral("ИТОГОВОЕ ТЕСТИРОВАНИЕ"), 18, page);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    layout->addSpacing(12);
    auto *intro = new QLabel(
        QStringLiteral("<p>Тест проверяет знания по всему курсу работы с электронными таблицами Excel.</p>"
                       "<p>Вопросов: <b>%1</b>. На каждом экране — один вопрос. Если у вопроса круглые "
                       "переключатели, выберите один ответ; если квадратные флажки — отметьте все верные "
                       "ответы. Вопрос засчитывается, только если выбраны все верные варианты и ни одного "
                       "лишнего.</p>"
                       "<p>Переходить между вопросами можно кнопками «Назад» и «Далее», ответ можно изменить "
                       "до нажатия «Завершить тест».</p>"
                       "<p>Оценка: 90 % верных ответов и больше — «5 (отлично)», от 75 % — «4 (хорошо)», "
                       "от 50 % — «3 (удовлетворительно)», меньше 50 % — «2 (неудовлетворительно)».</p>")
            .arg(questions_.size()),
        page);
    intro->setWordWrap(true);
    studentName_ = new QLineEdit(page);
    studentName_->setPlaceholderText(QStringLiteral("Фамилия и имя (для сохранённого результата, необязательно)"));
    auto *begin = new QPushButton(QStringLiteral("Начать тест"), page);
    begin->setDefault(true);
    connect(begin, &QPushButton::clicked, this, &TestWindow::start);
    connect(studentName_, &QLineEdit::returnPressed, this, &TestWindow::start);
    layout->addWidget(intro);
    layout->addWidget(studentName_);
    layout->addStretch();
    layout->addWidget(begin, 0, Qt::AlignRight);
    return page;
}

QWidget *TestWindow::buildQuestionPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    auto *top = new QHBoxLayout;
    position_ = heading({}, 13, page);
    topic_ = new QLabel(page);
    topic_->setStyleSheet(QStringLiteral("color:#555"));
    top->addWidget(position_);
    top->addStretch();
    top->addWidget(topic_);
    progress_ = new QProgressBar(page);
    progress_->setFormat(QStringLiteral("Отвечено: %v из %m"));
    questionText_ = heading({}, 14, page);
    questionText_->setTextFormat(Qt::PlainText);
    hint_ = new QLabel(page);
    hint_->setStyleSheet(QStringLiteral("color:#555; font-style:italic"));

    auto *optionsBox = new QWidget(page);
    optionsLayout_ = new QVBoxLayout(optionsBox);
    optionsLayout_->setSpacing(10);
    auto *scroll = new QScrollArea(page);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(optionsBox);
    options_ = new QButtonGroup(this);
    connect(options_, &QButtonGroup::buttonToggled, this, [this] { storeAnswer(); });

    back_ = new QPushButton(QStringLiteral("← Назад"), page);
    next_ = new QPushButton(QStringLiteral("Далее →"), page);
    auto *finish = new QPushButton(QStringLiteral("Завершить тест"), page);
    connect(back_, &QPushButton::clicked, this, [this] { showQuestion(current_ - 1); });
    connect(next_, &QPushButton::clicked, this, [this] { showQuestion(current_ + 1); });
    connect(finish, &QPushButton::clicked, this, &TestWindow::finish);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(back_);
    buttons->addWidget(next_);
    buttons->addStretch();
    buttons->addWidget(finish);

    layout->addLayout(top);
    layout->addWidget(progress_);
    layout->addSpacing(8);
    layout->addWidget(questionText_);
    layout->addWidget(hint_);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    return page;
}

QWidget *TestWindow::buildResultPage()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(heading(QStringLiteral("Результат тестирования"), 16, page));
    score_ = heading({}, 13, page);
    grade_ = heading({}, 15, page);
    review_ = new QTextBrowser(page);
    auto *save = new QPushButton(QStringLiteral("Сохранить результат…"), page);
    auto *again = new QPushButton(QStringLiteral("Пройти тест заново"), page);
    auto *close = new QPushButton(QStringLiteral("Закрыть"), page);
    connect(save, &QPushButton::clicked, this, &TestWindow::saveResult);
    connect(again, &QPushButton::clicked, this, &TestWindow::start);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addStretch();
    buttons->addWidget(again);
    buttons->addWidget(close);
    layout->addWidget(score_);
    layout->addWidget(grade_);
    layout->addWidget(review_, 1);
    layout->addLayout(buttons);
    return page;
}

void TestWindow::start()
{
    session_ = std::make_unique<TestSession>(questions_, *QRandomGenerator::global());
    progress_->setRange(0, session_->count());
    pages_->setCurrentIndex(1);
    showQuestion(0);
}

void TestWindow::showQuestion(int index)
{
    if (!session_ || index < 0 || index >= session_->count())
        return;
    current_ = index;
    const Question &q = session_->question(index);
    position_->setText(QStringLiteral("Вопрос %1 из %2").arg(index + 1).arg(session_->count()));
    topic_->setText(q.topic);
    questionText_->setText(q.text);
    hint_->setText(q.multiple ? QStringLiteral("Отметьте все верные ответы.") : QStringLiteral("Выберите один ответ."));

    // New buttons for each question; the group must not store answers while they are set up.
    const QSignalBlocker blocker(options_);
    for (QAbstractButton *button : options_->buttons()) {
        options_->removeButton(button);
        delete button;
    }
    options_->setExclusive(!q.multiple);
    const QStringList shown = session_->options(index);
    const QList<int> chosen = session_->answer(index);
    for (int i = 0; i < shown.size(); ++i) {
        QAbstractButton *button = q.multiple ? static_cast<QAbstractButton *>(new QCheckBox(shown.at(i)))
                                             : new QRadioButton(shown.at(i));
        button->setChecked(chosen.contains(i));
        QFont font = button->font();
        font.setPointSize(12);
        button->setFont(font);
        options_->addButton(button, i);
        optionsLayout_->insertWidget(i, button);
    }
    if (optionsLayout_->count() == shown.size())
        optionsLayout_->addStretch();
    back_->setEnabled(index > 0);
    next_->setEnabled(index + 1 < session_->count());
    progress_->setValue(session_->answeredCount());
}

void TestWindow::storeAnswer()
{
    if (!session_)
        return;
    QList<int> chosen;
    for (QAbstractButton *button : options_->buttons()) {
        if (button->isChecked())
            chosen.append(options_->id(button));
    }
    session_->setAnswer(current_, chosen);
    progress_->setValue(session_->answeredCount());
}

void TestWindow::finish()
{
    const int unanswered = session_->count() - session_->answeredCount();
    if (unanswered > 0) {
        const auto answer = QMessageBox::question(
            this, windowTitle(),
            QStringLiteral("Без ответа осталось вопросов: %1. Они будут засчитаны как неверные.\n"
                           "Завершить тест?").arg(unanswered));
        if (answer != QMessageBox::Yes)
            return;
    }
    result_ = session_->result();
    score_->setText(ResultReport::summary(result_));
    grade_->setText(QStringLiteral("Оценка: %1").arg(result_.grade.text()));
    grade_->setStyleSheet(result_.grade.mark >= 3 ? QStringLiteral("color:#1a7a1a") : QStringLiteral("color:#a01010"));
    review_->setHtml(ResultReport::reviewHtml(result_));
    pages_->setCurrentIndex(2);
}

void TestWindow::saveResult()
{
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Сохранить результат"), QDir::home().filePath(QStringLiteral("Результат теста.txt")),
        QStringLiteral("Текстовые файлы (*.txt);;Все файлы (*)"));
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const QByteArray text = ResultReport::plainText(result_, studentName_->text(), QDateTime::currentDateTime()).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Не удалось сохранить результат в «%1»: %2.")
                                 .arg(QDir::toNativeSeparators(path), file.errorString()));
        return;
    }
    QMessageBox::information(this, windowTitle(),
                             QStringLiteral("Результат сохранён в «%1».").arg(QDir::toNativeSeparators(path)));
}
