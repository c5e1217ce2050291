#include "ProgramSetup.h"

#include "TerminationHandler.h"

#include <QApplication>
#include <QFont>
#include <QLocale>
#include <QStyleFactory>

void ProgramSetup::apply(QApplication &app)
{
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
    QFont font = QApplication::font();
    font.setPointSize(10);
    QApplication::setFont(font);
    new TerminationHandler(&app);
}
