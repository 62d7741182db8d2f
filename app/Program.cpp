#include "app/Program.h"

#include "app/Startup.h"
#include "app/SurveyRun.h"

#include <QApplication>

int surveyMain(int argc, char** argv, const Composition& composition)
{
    QApplication application(argc, argv);
    prepareApplication();
    const std::unique_ptr<SurveyRun> run = startUp(Environment::system(), composition);
    return QApplication::exec();
}
