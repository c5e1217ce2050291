#include "ProgramSetup.h"
#include "QuestionFile.h"
#include "TestWindow.h"

#include <QApplication>

// The final test. The questions are read from questions.txt beside the
// program; a teacher may name another file as the first argument.
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ProgramSetup::apply(app);
    const QString file = app.arguments().size() > 1 ? app.arguments().at(1) : QuestionFile::defaultPath();
    TestWindow window(file);
    window.show();
    return app.exec();
}
