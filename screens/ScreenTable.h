#pragma once

#include "app/Composition.h"

// The program's splash (Form0_Zastavka) and its screens, created in the order of the screen
// table in ScreenTable.cpp.
Composition surveyComposition();
