#pragma once

#include "app/Composition.h"
#include "app/Environment.h"

#include <memory>

class SurveyRun;

inline constexpr int SplashPauseMs = 2000;

// Start-up up to the message loop: the splash is shown and painted, the thread pauses (no events
// are processed meanwhile), the splash is destroyed, then the run and its screens are created
// and the main window is shown.
std::unique_ptr<SurveyRun> startUp(Environment environment, const Composition& composition);

// Settings of the application object that the program and its tests share. The application's
// display name stays unset: on a desktop the toolkit would append it to every window title.
void prepareApplication();
