#pragma once

#include <QWidget>

class ExerciseTask;
class QLabel;
class QListWidget;
class QListWidgetItem;
class SpreadsheetWidget;

// The window of an exercise: the task beside the sheet, «Проверить» and
// the list of what is right and wrong.
class ExerciseWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ExerciseWindow(const ExerciseTask &task, QWidget *parent = nullptr);

    SpreadsheetWidget *spreadsheet() const { return spreadsheet_; }
    void check();
    void startOver();

private:
    void showMessage(QListWidgetItem *item);

    const ExerciseTask &task_;
    SpreadsheetWidget *spreadsheet_ = nullptr;
    QLabel *summary_ = nullptr;
    QListWidget *messages_ = nullptr;
};
