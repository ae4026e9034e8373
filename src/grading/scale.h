#pragma once
// The Grading scale: six point thresholds for grades 6 down to 1, each the highest number of points
// still earning its grade, kept in "ptk.ptk" in the program folder. Every reader takes six fields one after
// another, so the one-line default layout and the six-line editor layout read the same; anything after the
// sixth field is ignored.
#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace grading {

using Thresholds = std::array<double, 6>;
inline constexpr std::array<int, 6> defaultThresholds{40, 39, 34, 27, 19, 12};

// The default layout: one record of the six default numbers. Throws platform::FileError.
void writeDefaultScale(const QString& programFolder);

// The six thresholds as numbers (for grading). Throws platform::FileError: CannotOpen for a missing file,
// PastEnd for fewer than six fields, NotNumber for a field that is not a number (a quoted number counts as
// its number; an empty field counts as 0).
Thresholds readScale(const QString& programFolder);

// The six fields as they stand in the file, for the grading scale editor's boxes. Throws like readScale,
// except that any text is accepted.
std::array<QString, 6> readScaleTexts(const QString& programFolder);
// The same fields handed over one at a time as they are read, so that those before a failure have been
// taken when it is thrown.
void readScaleTexts(const QString& programFolder, const std::function<void(std::size_t, const QString&)>& take);
// The start-up check: six fields of any kind can be read from the file. Throws FileError when not.
void checkSixFields(const QString& programFolder);

// The editor layout: six records of one number each, the leading number of each box text (0 when it has
// none, "007" gives 7). The old file stays as it was when the new one cannot be written. Throws FileError.
void writeEditorScale(const QString& programFolder, const std::array<QString, 6>& boxTexts);

// The grade for the points, 1 to 6, or none: points above the top threshold, or between two ranges.
std::optional<int> computeGrade(double points, const Thresholds& thresholds);

}  // namespace grading
