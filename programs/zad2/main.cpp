#include "ExerciseWindow.h"
#include "ProgramSetup.h"
#include "Task2.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ProgramSetup::apply(app);
    const Task2 task;
    ExerciseWindow window(task);
    window.show();
    return app.exec();
}
