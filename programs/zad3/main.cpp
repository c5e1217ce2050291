#include "ExerciseWindow.h"
#include "ProgramSetup.h"
#include "Task3.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ProgramSetup::apply(app);
    const Task3 task;
    ExerciseWindow window(task);
    window.show();
    return app.exec();
}
