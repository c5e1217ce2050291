#include "BrowserEngine.h"

#include "Exception.h"
#include "PaneView.h"

#include <QCoreApplication>
#include <QLibrary>

#include <dlfcn.h>

namespace BrowserEngine {
namespace {

CreatePaneViewFunction LoadModule()
{
    // A program that links the module (the tests do) has it already.
    if (void *linked = ::dlsym(RTLD_DEFAULT, createPaneViewName))
        return reinterpret_cast<CreatePaneViewFunction>(linked);
    // Otherwise it sits beside the program.
    static QLibrary module(QCoreApplication::applicationDirPath() + QStringLiteral("/" TEXTBOOK_BROWSER_MODULE));
    if (auto create = reinterpret_cast<CreatePaneViewFunction>(module.resolve(createPaneViewName)))
        return create;
    throw Exception(QStringLiteral("Не удалось загрузить модуль браузера, страницы курса не могут быть показаны.\n%1")
                        .arg(module.errorString()));
}

}

PaneView *CreateView(QWidget *parent)
{
    static const CreatePaneViewFunction create = LoadModule();
    return create(parent);
}

}
