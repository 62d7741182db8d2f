#pragma once

#include <QString>
#include <array>

// The ten school subjects in record order, with the rules by class that every per-subject screen
// applies the same way. The subject number (1 … 10) is the position in the record order and the
// code the teacher screens store.
namespace SubjectCatalogue {

enum Number : int {
    Algebra = 1,
    Physics = 2,
    Chemistry = 3,
    History = 4,
    Biology = 5,
    ForeignLanguage = 6,
    Literature = 7,
    Russian = 8,
    Geography = 9,
    Informatics = 10,
};

inline constexpr int SubjectCount = 10;

// The classes that take the survey; the class buttons below 5 are disabled.
inline constexpr int FirstClass = 5;
inline constexpr int LastClass = 11;

struct Subject
{
    int number;
    const char* key;            // ASCII, for column names: "foreign_language"
    const char* designCode;     // three letters in designer names: "Alg" in ButtonAlg2p
    const char* heading;        // row heading of the per-subject screens
    const char* gradesHeading;  // the same on the quarter grades screen
    const char* teacherCaption; // button caption on the teacher screens
    const char* english;        // for the record dictionary: "foreign language"
};

// Record order: algebra, physics, chemistry, history, … informatics.
const std::array<Subject, SubjectCount>& subjects();
const Subject& subject(int number);

// Top to bottom on the per-subject screens: physics and chemistry form the bottom two rows.
const std::array<int, SubjectCount>& screenOrder();

// Rules 1 to 3 compare the text of the class number: no physics and chemistry in "5" and "6",
// no chemistry in "7".
bool taughtIn(int number, const QString& classNumber);

// Rule 4: below class 7 (as an integer) the algebra row is headed "МАТЕМАТИКА".
QString heading(int number, const QString& classNumber);
QString gradesHeading(int number, const QString& classNumber);
QString teacherCaption(int number);

} // namespace SubjectCatalogue
