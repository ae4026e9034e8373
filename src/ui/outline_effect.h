#pragma once
// A thin outline of one colour around whatever a control draws, so a text keeps its designed colour and
// still stands out on a gradient of nearly the same colour (magenta or red on the red-to-blue background).
#include <QColor>
#include <QGraphicsEffect>

class QWidget;

namespace ui {

class OutlineEffect : public QGraphicsEffect {
public:
    explicit OutlineEffect(const QColor& colour, QObject* parent = nullptr);
    QColor colour() const { return colour_; }
    QRectF boundingRectFor(const QRectF& rect) const override;

protected:
    void draw(QPainter* painter) override;

private:
    QColor colour_;
};

// Puts the outline on the control (the control owns it).
void outlineText(QWidget* control, const QColor& colour);

}  // namespace ui
