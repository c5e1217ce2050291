#pragma once

#include <QApplication>
#include <QList>

#include <exception>
#include <utility>

class TForm;

// The application object. It owns the forms; the first form created is the
// main form for the whole run, and closing the main form ends the program.
class TApplication : public QApplication
{
    Q_OBJECT
public:
    TApplication(int &argc, char **argv);
    ~TApplication() override;

    // Russian texts for Qt and the web engine, and the program's icon.
    void Initialize();

    template <class Form>
    void CreateForm(Form *&reference)
    {
        reference = new Form();
        Adopt(reference);
    }

    // Shows the main form and runs the message loop until Terminate.
    int Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    TForm *MainForm() const { return mainForm_; }
    const QList<TForm *> &Forms() const { return forms_; }
    // Destroys the forms, newest first, and forgets the main form.
    void DestroyForms();

    // Runs an event handler's work. An exception it raises goes to
    // HandleException and never unwinds into Qt's frames.
    template <class Work>
    void Guard(Work &&work) noexcept
    {
        try {
            std::forward<Work>(work)();
        } catch (...) {
            HandleException(std::current_exception());
        }
    }

    // The default handler: the error's text in a message box, shown once the
    // handler has returned; the loop goes on.
    void HandleException(std::exception_ptr error) noexcept;

    bool notify(QObject *receiver, QEvent *event) override;

signals:
    // Sent with the text as the message box appears.
    void ExceptionShown(const QString &message);

private:
    void Adopt(TForm *form);
    void ShowMessage(const QString &message);

    QList<TForm *> forms_;
    TForm *mainForm_ = nullptr;
    bool terminated_ = false;
};

extern TApplication *Application;
