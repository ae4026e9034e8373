#include "windows/scale_editor/scale_preview.h"

#include <QHeaderView>
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
    double highest = -1;
    for (double t : thresholds) {
        if (!std::isfinite(t))
            continue;
        highest = std::max(highest, t);
        for (double start : {std::ceil(t + 1), std::floor(t) + 1})
            if (start > 0)
                starts.push_back(start);
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());

    ScaleOverview overview;
    std::set<int> reachable;
    QStringList gaps;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        if (const auto grade = grading::computeGrade(starts[i], thresholds)) {
            reachable.insert(*grade);
            continue;
        }
        // Neighbouring runs without a grade read as one.
        std::size_t last = i;
        while (last + 1 < starts.size() && !grading::computeGrade(starts[last + 1], thresholds))
            ++last;
        if (last + 1 == starts.size())
            gaps << QStringLiteral("Za %1 pkt. i więcej nie ma oceny").arg(pointsText(starts[i]));
        else if (starts[last + 1] - 1 == starts[i])
            gaps << QStringLiteral("Za %1 pkt. nie ma oceny").arg(pointsText(starts[i]));
        else
            gaps << QStringLiteral("Za %1–%2 pkt. nie ma oceny")
                        .arg(pointsText(starts[i]), pointsText(starts[last + 1] - 1));
        i = last;
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

    const double wanted = std::max(0.0, std::floor(highest) + 1);
    const int lastShown = static_cast<int>(std::min<double>(wanted, maxShownPoints - 1));
    overview.cut = wanted > lastShown;
    if (overview.cut)
        overview.warnings << QStringLiteral("Tabela pokazuje tylko 0–%1 pkt.").arg(lastShown);
    for (int points = 0; points <= lastShown; ++points)
        overview.grades.push_back(grading::computeGrade(points, thresholds));
    return overview;
}

ScalePreview::ScalePreview(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    table = new QTableWidget(2, 0, this);
    table->setObjectName(QStringLiteral("podglad"));
    table->setAccessibleName(QStringLiteral("Podgląd punktacji"));
    table->setVerticalHeaderLabels({QStringLiteral("Pkt."), QStringLiteral("Ocena")});
    table->horizontalHeader()->hide();
    table->horizontalHeader()->setDefaultSectionSize(30);
    table->horizontalHeader()->setMinimumSectionSize(20);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    warning = new QLabel(this);
    warning->setObjectName(QStringLiteral("ostrzezenie"));
    warning->setWordWrap(true);
    warning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(table, 3);
    layout->addWidget(warning, 2);
}

void ScalePreview::showScale(const grading::Thresholds& thresholds) {
    const ScaleOverview overview = overviewOf(thresholds);
    const int columns = static_cast<int>(overview.grades.size());
    table->setColumnCount(columns);
    for (int points = 0; points < columns; ++points) {
        const auto& grade = overview.grades[points];
        auto* pointsItem = new QTableWidgetItem(QString::number(points));
        auto* gradeItem = new QTableWidgetItem(grade ? QString::number(*grade) : QStringLiteral("-"));
        pointsItem->setTextAlignment(Qt::AlignCenter);
        gradeItem->setTextAlignment(Qt::AlignCenter);
        if (!grade)
            gradeItem->setForeground(QColor(192, 0, 0));
        table->setItem(0, points, pointsItem);
        table->setItem(1, points, gradeItem);
    }
    warning->setText(overview.warnings.join(u'\n'));
}

}  // namespace windows
