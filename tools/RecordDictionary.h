#pragma once

#include <QString>
#include <optional>

// The tables of docs/record-layout.md, the data dictionary of the statistics files, made from the
// record layout, the answer codes and the subject catalogue, so that the document cannot drift
// from what the program writes. The document keeps them between two marker lines; the prose
// around them is written by hand.
namespace RecordDictionary {

inline constexpr char BeginMarker[] =
    "<!-- BEGIN GENERATED: tables made by record-dictionary from the code; do not edit -->";
inline constexpr char EndMarker[] = "<!-- END GENERATED -->";

// The generated tables, in Markdown: the fields, every place, the value sets and the subjects by
// class. Throws std::logic_error when the layout has a field this generator cannot describe.
QString tables();

// The text between the marker lines (without them); nothing when the markers are missing, out of
// order or doubled.
std::optional<QString> generatedPart(const QString& document);

// The document with the text between its markers replaced by tables(); nothing when
// generatedPart() finds no part to replace.
std::optional<QString> regenerated(const QString& document);

// Rewrites the generated part of the document file at path (a temporary file renamed into place).
// An empty result on success, else the reason nothing was written.
QString updateDocument(const QString& path, bool* changed = nullptr);

} // namespace RecordDictionary
