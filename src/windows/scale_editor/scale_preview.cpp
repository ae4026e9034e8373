#include "windows/scale_editor/scale_preview.h"

#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <set>

namespace windows {
namespace {

QString pointsText(double points) { return QString::number(points, 'f', 0); }

// "6", "6 i 5", "6, 5 i 4".
QString gradeList(const std::vector<int>& grades) {
    QString text;
    for (std::size_t i = 0; i < grades.size(); ++i) {
        if (i > 0)
            text += i + 1 == grades.size() ? QStringLiteral(" i ") : QStringLiteral(", ");
        text += QString::number(grades[i]);
    }
    return text;
}

}  // namespace

ScaleOverview overviewOf(const grading::Thresholds& thresholds) {
    // For whole points the grade can change only where a range begins (a threshold + 1) or just after a
    // range ends (the whole part of a threshold + 1), so one point from each run tells the grade of the
    // whole run; this holds for thresholds of any size.
    std::vector<double> starts{0};
    for (double t : thresholds) {
        if (!std::isfinite(t))
            continue;
        for (double start : {std::ceil(t + 1), std::floor(t) + 1})
            if (start > 0)
                starts.push_back(start);
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());

    ScaleOverview overview;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const auto grade = grading::computeGrade(starts[i], thresholds);
        if (!overview.ranges.empty() && overview.ranges.back().grade == grade)
            continue;  // equal thresholds make runs that change nothing
        if (!overview.ranges.empty())
            overview.ranges.back().to = starts[i] - 1;
        overview.ranges.push_back({starts[i], std::nullopt, grade});
    }

    std::set<int> reachable;
    QStringList gaps;
    for (const PointRange& range : overview.ranges) {
        if (range.grade)
            reachable.insert(*range.grade);
        else if (!range.to)
            gaps << QStringLiteral("Za %1 pkt. i więcej nie ma oceny").arg(pointsText(range.from));
        else if (*range.to == range.from)
            gaps << QStringLiteral("Za %1 pkt. nie ma oceny").arg(pointsText(range.from));
        else
            gaps << QStringLiteral("Za %1–%2 pkt. nie ma oceny").arg(pointsText(range.from), pointsText(*range.to));
    }

    std::vector<int> unreachable;
    for (int grade = 6; grade >= 1; --grade)
        if (!reachable.count(grade))
            unreachable.push_back(grade);
    if (unreachable.size() == 1)
        overview.warnings << QStringLiteral("Ocena %1 jest nieosiągalna").arg(unreachable.front());
    else if (!unreachable.empty())
        overview.warnings << QStringLiteral("Oceny %1 są nieosiągalne").arg(gradeList(unreachable));
    overview.warnings << gaps;
    return overview;
}

QString rangeText(const PointRange& range) {
    QString points = pointsText(range.from);
    if (!range.to)
        points += QStringLiteral(" i więcej");
    else if (*range.to != range.from)
        points += u'–' + pointsText(*range.to);
    return points + QStringLiteral(" → ") +
           (range.grade ? QString::number(*range.grade) : QStringLiteral("brak oceny"));
}

ScalePreview::ScalePreview(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    list = new QListWidget(this);
    list->setObjectName(QStringLiteral("podglad"));
    list->setAccessibleName(QStringLiteral("Podgląd punktacji"));
    list->setSelectionMode(QAbstractItemView::NoSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list->setWordWrap(true);
    list->setUniformItemSizes(true);
    warning = new QLabel(this);
    warning->setObjectName(QStringLiteral("ostrzezenie"));
    warning->setWordWrap(true);
    warning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(list, 1);
    layout->addWidget(warning, 0);
}

void ScalePreview::showScale(const grading::Thresholds& thresholds) {
    const ScaleOverview overview = overviewOf(thresholds);
    list->clear();
    for (const PointRange& range : overview.ranges) {
        auto* item = new QListWidgetItem(rangeText(range), list);
        if (!range.grade)
            item->setForeground(QColor(192, 0, 0));
    }
    warning->setText(overview.warnings.join(u'\n'));
}

}  // namespace windows
