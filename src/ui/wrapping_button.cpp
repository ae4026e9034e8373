#include "ui/wrapping_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace ui {

WrappingButton::WrappingButton(QWidget* parent)
    : QPushButton(parent),
      fit_(new TextFit(
          this, [this] { return text(); }, [this] { return captionArea(); }, Qt::AlignCenter, true)) {}

void WrappingButton::setLeftAligned(bool left) {
    fit_->setAlignment(Qt::AlignVCenter | (left ? Qt::AlignLeft : Qt::AlignHCenter));
}

QRect WrappingButton::captionArea() const {
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(4, 1, -4, -1);
}

void WrappingButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);
    fit_->paint(painter, palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
}

}  // namespace ui
