#pragma once

#include <functional>
#include <memory>

class Splash;
class SurveyRun;

// What makes the shell a program: the splash shown during the start-up pause, and the screens of
// a run. The shell knows the screens only by their instance names in SurveyRun; which class each
// instance is, and in which order they are created, is decided where the screens are
// (screens/ScreenTable.cpp), and handed to start-up by the executable.
struct Composition
{
    std::function<std::unique_ptr<Splash>()> splash;
    // Creates every screen of the run once, hidden; the first one created is the main window.
    std::function<void(SurveyRun&)> createScreens;
};
