#pragma once

struct Composition;

// The program's entry: splash, start-up and the message loop. Returns the exit status.
int surveyMain(int argc, char** argv, const Composition& composition);
