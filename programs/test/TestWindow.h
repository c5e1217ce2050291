#pragma once

#include "TestSession.h"

#include <QWidget>

#include <memory>

class QAbstractButton;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTextBrowser;
class QVBoxLayout;

// The final test: a start page, one question a screen, and the result
// with the review of mistakes. If the question file cannot be read, the
// window says why instead of starting an empty test.
class TestWindow : public QWidget
{
    Q_OBJECT

public:
    explicit TestWindow(const QString &questionFile, QWidget *parent = nullptr);
    ~TestWindow() override;

    QString errorText() const; // empty when the questions were read

private:
    QWidget *buildErrorPage(const QString &message);
    QWidget *buildStartPage();
    QWidget *buildQuestionPage();
    QWidget *buildResultPage();
    void start();
    void showQuestion(int index);
    void storeAnswer();
    void finish();
    void saveResult();

    QList<Question> questions_;
    std::unique_ptr<TestSession> session_;
    TestResult result_;
    int current_ = 0;
    QString error_;

    QStackedWidget *pages_ = nullptr;
    QLineEdit *studentName_ = nullptr;
    QLabel *position_ = nullptr;
    QLabel *topic_ = nullptr;
    QProgressBar *progress_ = nullptr;
    QLabel *questionText_ = nullptr;
    QLabel *hint_ = nullptr;
    QVBoxLayout *optionsLayout_ = nullptr;
    QButtonGroup *options_ = nullptr;
    QPushButton *back_ = nullptr;
    QPushButton *next_ = nullptr;
    QLabel *score_ = nullptr;
    QLabel *grade_ = nullptr;
    QTextBrowser *review_ = nullptr;
};
