#pragma once
// The grading scale editor's preview: for every number of points from 0 up to one above the highest
// threshold, the grade the scale in the boxes would give, and a warning line when a grade can never be
// reached or some points earn no grade. Grades come from the grade window's own rule.
#include "grading/scale.h"

#include <QLabel>
#include <QStringList>
#include <QTableWidget>
#include <QWidget>
#include <optional>
#include <vector>

namespace windows {

// What the preview shows for one scale.
struct ScaleOverview {
    // grades[p] is the grade for p points; p runs from 0 to lastShown.
    std::vector<std::optional<int>> grades;
    // True when the table stops before one above the highest threshold.
    bool cut = false;
    QStringList warnings;
};

// The table shows at most this many point values (0 .. maxShownPoints - 1).
inline constexpr int maxShownPoints = 301;

ScaleOverview overviewOf(const grading::Thresholds& thresholds);

class ScalePreview : public QWidget {
    Q_OBJECT
public:
    explicit ScalePreview(QWidget* parent = nullptr);
    void showScale(const grading::Thresholds& thresholds);

    QTableWidget* table;  // row 0: points, row 1: grade ("-" for none)
    QLabel* warning;
};

}  // namespace windows
