#include "Unit1.h"
#include "Unit2.h"
#include "toolkit/ProcessSetup.h"
#include "toolkit/TApplication.h"

#include <QMessageBox>

#include <cstdio>
#include <exception>

int main(int argc, char *argv[])
{
    PrepareProcess();
    TApplication application(argc, argv);
    try {
        Application->Initialize();
        Application->CreateForm(Form2);
        Application->CreateForm(Form1);
    } catch (const std::exception &error) {
        // A window that cannot be built ends the program before the loop starts.
        std::fprintf(stderr, "Project1: %s\n", error.what());
        QMessageBox::critical(nullptr, QStringLiteral("Project1"), QString::fromUtf8(error.what()));
        return 1;
    }
    return Application->Run();
}
