#include "ui/fit_label.h"

#include <QPainter>

namespace ui {

FitLabel::FitLabel(QWidget* parent)
    : QLabel(parent),
      fit_(new TextFit(
          this, [this] { return text(); }, [this] { return contentsRect(); }, Qt::AlignLeft | Qt::AlignVCenter)) {
    setTextFormat(Qt::PlainText);
}

void FitLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawFrame(&painter);
    // The alignment is read at every painting, so setAlignment() on the label keeps working.
    fit_->setAlignment(alignment());
    fit_->paint(painter, palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
}

}  // namespace ui
