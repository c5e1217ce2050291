#include "ExerciseWindow.h"

#include "ExerciseTask.h"
#include "SpreadsheetWidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

constexpr int cellRole = Qt::UserRole;

} // namespace

ExerciseWindow::ExerciseWindow(const ExerciseTask &task, QWidget *parent)
    : QWidget(parent)
    , task_(task)
{
    setWindowTitle(task.title());

    auto *text = new QTextBrowser(this);
    // Formulas in the text are not broken across lines.
    text->document()->setDefaultStyleSheet(QStringLiteral("code { white-space: nowrap; color: #1a4f8a; }"));
    text->setHtml(task.description());
    text->setOpenLinks(false);

    spreadsheet_ = new SpreadsheetWidget(task.rowCount(), task.columnCount(), this);
    spreadsheet_->setColumnWidths(task.columnWidths());
    spreadsheet_->setSortingVisible(task.offersSorting());
    task.prepare(spreadsheet_->sheet());
    spreadsheet_->sheetReplaced();

    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(text);
    splitter->addWidget(spreadsheet_);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 5);
    splitter->setSizes({290, 670});

    auto *checkButton = new QPushButton(QStringLiteral("Проверить"), this);
    checkButton->setDefault(true);
    QFont strong = checkButton->font();
    strong.setBold(true);
    checkButton->setFont(strong);
    auto *againButton = new QPushButton(QStringLiteral("Начать заново"), this);
    auto *closeButton = new QPushButton(QStringLiteral("Закрыть"), this);
    connect(checkButton, &QPushButton::clicked, this, &ExerciseWindow::check);
    connect(againButton, &QPushButton::clicked, this, [this] {
        const auto answer = QMessageBox::question(this, windowTitle(),
                                                  QStringLiteral("Стереть всё введённое и начать задание заново?"));
        if (answer == QMessageBox::Yes)
            startOver();
    });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    summary_ = new QLabel(QStringLiteral("Выполните задание и нажмите «Проверить»."), this);
    summary_->setWordWrap(true);
    messages_ = new QListWidget(this);
    messages_->setMaximumHeight(130);
    messages_->hide(); // until the first check
    messages_->setWordWrap(true);
    connect(messages_, &QListWidget::itemActivated, this, &ExerciseWindow::showMessage);
    connect(messages_, &QListWidget::itemClicked, this, &ExerciseWindow::showMessage);
    connect(spreadsheet_, &SpreadsheetWidget::edited, this, [this] {
        summary_->setText(QStringLiteral("Выполните задание и нажмите «Проверить»."));
    });

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(summary_, 1);
    buttons->addWidget(againButton);
    buttons->addWidget(closeButton);
    buttons->addWidget(checkButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    layout->addWidget(messages_);
    resize(960, 640);
}

void ExerciseWindow::check()
{
    const CheckReport report = task_.check(spreadsheet_->sheet());
    spreadsheet_->showReport(report);
    messages_->clear();
    messages_->show();
    for (const CheckReport::Item &item : report.items()) {
        if (item.ok)
            continue;
        const QString text = item.cell ? QStringLiteral("%1: %2").arg(item.cell->name(), item.message) : item.message;
        auto *entry = new QListWidgetItem(text, messages_);
        entry->setForeground(QColor(0xa0, 0x10, 0x10));
        if (item.cell)
            entry->setData(cellRole, QVariant::fromValue(QPoint(item.cell->column, item.cell->row)));
    }
    const int right = static_cast<int>(report.rightCells().size());
    if (report.passed()) {
        summary_->setText(QStringLiteral("<b style='color:#1a7a1a'>Всё верно! Задание выполнено.</b>"));
        auto *entry = new QListWidgetItem(QStringLiteral("Все проверенные ячейки (%1) заполнены правильно.").arg(right),
                                          messages_);
        entry->setForeground(QColor(0x1a, 0x7a, 0x1a));
    } else {
        summary_->setText(QStringLiteral("<b style='color:#a01010'>Есть ошибки: %1.</b> Верно: %2. "
                                         "Ошибочные ячейки выделены красным, верные — зелёным.")
                              .arg(report.failureCount())
                              .arg(right));
    }
}

void ExerciseWindow::startOver()
{
    SheetModel fresh(task_.rowCount(), task_.columnCount());
    task_.prepare(fresh);
    spreadsheet_->sheet().restore(fresh.snapshot());
    spreadsheet_->clearMarks();
    spreadsheet_->sheetReplaced();
    messages_->clear();
    messages_->hide();
}

void ExerciseWindow::showMessage(QListWidgetItem *item)
{
    const QVariant cell = item->data(cellRole);
    if (cell.isValid()) {
        const QPoint p = cell.toPoint();
        spreadsheet_->selectCell({p.y(), p.x()});
    }
}
