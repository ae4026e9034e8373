#include "windows/results/bar_chart.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace windows {

BarChart::BarChart(const QString& name, QWidget* parent) : QWidget(parent) {
    setAccessibleName(name);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

void BarChart::setBars(QList<Bar> bars, double top) {
    bars_ = std::move(bars);
    top_ = top > 0 ? top : 1;
    setAccessibleDescription(lines().join(QStringLiteral("; ")));
    update();
}

QStringList BarChart::lines() const {
    QStringList out;
    for (const Bar& bar : bars_)
        out << bar.label + QStringLiteral(": ") + bar.caption;
    return out;
}

void BarChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(rect(), palette().base());
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    if (bars_.isEmpty()) {
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Brak danych"));
        return;
    }
    const QFontMetrics metrics = painter.fontMetrics();
    const int line = metrics.height();
    const int margin = 6;
    const QRect area = rect().adjusted(margin, margin + line, -margin, -margin - line);
    const double slot = static_cast<double>(area.width()) / bars_.size();
    const bool captionsFit =
        std::all_of(bars_.begin(), bars_.end(),
                    [&](const Bar& bar) { return metrics.horizontalAdvance(bar.caption) <= slot - 2; });
    // With many bars only every step-th label is written, so that none runs into the next.
    int widest = 0;
    for (const Bar& bar : bars_)
        widest = std::max(widest, metrics.horizontalAdvance(bar.label) + 4);
    const qsizetype step = std::max<qsizetype>(1, static_cast<qsizetype>(std::ceil(widest / slot)));
    const QColor fill = palette().color(QPalette::Highlight);
    for (qsizetype i = 0; i < bars_.size(); ++i) {
        const Bar& bar = bars_.at(i);
        const int left = area.left() + static_cast<int>(i * slot);
        const int width = std::max(1, static_cast<int>(slot * 0.7));
        const int x = left + static_cast<int>((slot - width) / 2);
        const double share = std::clamp(bar.value / top_, 0.0, 1.0);
        const int height = static_cast<int>(share * area.height());
        const QRect barRect(x, area.bottom() - height + 1, width, height);
        painter.fillRect(barRect, fill);
        painter.setPen(palette().color(QPalette::Text));
        if (i % step == 0) {
            const int room = static_cast<int>(step * slot);
            const QRect labelRect(x + width / 2 - room / 2, area.bottom() + 2, room, line);
            painter.drawText(labelRect, Qt::AlignHCenter | Qt::AlignTop, bar.label);
        }
        // Captions that do not fit their bar's slot are left to the description and the tables.
        if (captionsFit)
            painter.drawText(QRect(left, barRect.top() - line - 1, static_cast<int>(slot), line),
                             Qt::AlignHCenter | Qt::AlignBottom, bar.caption);
    }
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(area.left(), area.bottom() + 1, area.right(), area.bottom() + 1);
}

}  // namespace windows
