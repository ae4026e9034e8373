#include "ui/wrapping_button.h"

#include <QFontMetrics>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace ui {

void WrappingButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    const QRect area = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this).adjusted(4, 1, -4, -1);
    const int flags = Qt::TextWordWrap | Qt::TextShowMnemonic | Qt::AlignVCenter |
                      (leftAligned_ ? Qt::AlignLeft : Qt::AlignHCenter);
    QFont font = this->font();
    // Shrink the text a little before cutting it: a long answer should still be read whole.
    for (int step = 0; step < 3; ++step) {
        const QRect needed = QFontMetrics(font).boundingRect(area, flags, caption);
        if (needed.height() <= area.height() && needed.width() <= area.width())
            break;
        if (font.pointSizeF() <= 7)
            break;
        font.setPointSizeF(font.pointSizeF() - 1);
    }
    painter.setFont(font);
    const QFontMetrics metrics(font);
    QString shown = caption;
    if (metrics.boundingRect(area, flags, shown).height() > area.height()) {
        // Keep as many whole lines as fit, the last one ending in "...".
        const int lines = std::max(1, area.height() / metrics.lineSpacing());
        shown = metrics.elidedText(caption, Qt::ElideRight, area.width() * lines - metrics.averageCharWidth() * 2);
    }
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(area, flags, shown);
}

}  // namespace ui
