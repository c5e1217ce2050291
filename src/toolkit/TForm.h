#pragma once

#include <QMainWindow>

// A top-level form: a resizable frame with a caption bar but no window menu
// and no caption buttons, centred on the desktop when first shown.
class TForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TForm(QWidget *parent = nullptr);

    // Visible and in front.
    void Show();
    void Hide();
    // The program's own close: the main form's ends the program, any other
    // form's only hides it.
    void Close();

    void setVisible(bool visible) override;

protected:
    // Sets the client area, the part below the menu bar (from the first show
    // on).
    void SetClientSize(int width, int height);

    // A close request from outside (the window manager, Alt+F4, a taskbar).
    void closeEvent(QCloseEvent *event) override;

private:
    void CenterOnDesktop();
    void EndIfNothingLeftOpen();

    bool closingByProgram_ = false;
    bool placed_ = false;
    QSize clientSize_;
};
