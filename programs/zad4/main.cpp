#include "ExerciseWindow.h"
#include "ProgramSetup.h"
#include "Task4.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ProgramSetup::apply(app);
    const Task4 task;
    ExerciseWindow window(task);
    window.show();
    return app.exec();
}
