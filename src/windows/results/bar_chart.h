#pragma once
// A plain bar chart drawn with QPainter: one bar per entry with its label below and its caption above.
// Assistive technology reads the chart's name and, as its description, every bar's label and caption.
#include <QList>
#include <QString>
#include <QWidget>

namespace windows {

class BarChart : public QWidget {
    Q_OBJECT
public:
    struct Bar {
        QString label;    // under the bar: "5", "12"
        double value = 0;
        QString caption;  // over the bar: "7 (35,0%)"
    };

    BarChart(const QString& name, QWidget* parent = nullptr);
    // `top` is the value of a full-height bar: 100 for percentages, the largest count for counts.
    void setBars(QList<Bar> bars, double top);
    const QList<Bar>& bars() const { return bars_; }
    // The chart as text, one bar per line, for the description and for printing.
    QStringList lines() const;

    QSize sizeHint() const override { return {320, 150}; }
    QSize minimumSizeHint() const override { return {160, 110}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<Bar> bars_;
    double top_ = 1;
};

}  // namespace windows
