#pragma once
// The grading scale editor's preview: which grade each range of points earns by the scale in the boxes,
// one short line per range ("0–11 → 1", "41 i więcej → brak oceny"), and a warning line when a grade can
// never be reached or some points earn no grade. Grades come from the grade window's own rule.
#include "grading/scale.h"

#include <QLabel>
#include <QListWidget>
#include <QStringList>
#include <QWidget>
#include <optional>
#include <vector>

namespace windows {

// Whole points from `from` to `to` (to none: and every number above) earn `grade` (none: no grade).
struct PointRange {
    double from = 0;
    std::optional<double> to;
    std::optional<int> grade;
    bool operator==(const PointRange&) const = default;
};

// What the preview shows for one scale.
struct ScaleOverview {
    std::vector<PointRange> ranges;  // from 0 up, neighbours always differ in grade
    QStringList warnings;
};

ScaleOverview overviewOf(const grading::Thresholds& thresholds);
// "12–18 → 2", "40 → 6", "41 i więcej → brak oceny".
QString rangeText(const PointRange& range);

class ScalePreview : public QWidget {
    Q_OBJECT
public:
    explicit ScalePreview(QWidget* parent = nullptr);
    void showScale(const grading::Thresholds& thresholds);

    QListWidget* list;  // one row per range
    QLabel* warning;
};

}  // namespace windows
