#include "app/Program.h"
#include "screens/ScreenTable.h"

// The executable composes the program: the shell, with the splash and the screens of this
// folder.
int main(int argc, char** argv)
{
    return surveyMain(argc, argv, surveyComposition());
}
