#pragma once
// The Grading scale: six point thresholds for grades 6 down to 1, each the highest number of points
// still earning its grade, kept in "ptk.ptk" in the program folder.
#include <QString>
#include <array>

namespace grading {

using Thresholds = std::array<double, 6>;
inline constexpr std::array<int, 6> defaultThresholds{40, 39, 34, 27, 19, 12};

// The default layout: one record of the six default numbers. Throws platform::FileError.
void writeDefaultScale(const QString& programFolder);

}  // namespace grading
