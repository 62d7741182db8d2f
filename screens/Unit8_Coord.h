#pragma once

#include "app/Screen.h"

// Form8_Coord: class, stream and gender of the respondent.
class TForm8_Coord : public Screen
{
    Q_OBJECT

public:
    explicit TForm8_Coord(SurveyRun& run);
};
