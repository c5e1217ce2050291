#pragma once

#include <QWidget>

class QLineEdit;
class QWebEngineView;

// Find in page: a small bar at the top right of the browser pane.
class FindBar : public QWidget
{
    Q_OBJECT
public:
    explicit FindBar(QWebEngineView *view);

    void Open();
    void FindNext();
    void FindPrevious();
    void Close();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void find(bool backward);
    void place();
    bool eventFilter(QObject *watched, QEvent *event) override;

    QWebEngineView *view_;
    QLineEdit *text_;
};
