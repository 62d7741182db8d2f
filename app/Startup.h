#pragma once

#include "app/Environment.h"

#include <memory>

class SurveyRun;

inline constexpr int SplashPauseMs = 2000;

// Start-up up to the message loop: the splash is shown and painted, the thread pauses (no events
// are processed meanwhile), the splash is destroyed, then the run and its screens are created
// and the main window is shown.
std::unique_ptr<SurveyRun> startUp(Environment environment);

// Settings of the application object that the program and its tests share.
void prepareApplication();
