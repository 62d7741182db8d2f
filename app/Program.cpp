#include "app/Program.h"

#include <QApplication>

int surveyMain(int argc, char** argv)
{
    QApplication application(argc, argv);
    return 0;
}
