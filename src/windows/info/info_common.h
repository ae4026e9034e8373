#pragma once
// What the information windows share: the hover text of their "play" buttons and their text labels.
#include "ui/controls.h"

#include <QColor>
#include <QLabel>
#include <QString>

namespace windows {

inline QString hoverPlay() { return QStringLiteral("Kliknij tu, aby rozpocząć wspaniałą zabawę !!!"); }

// A label of an information window: the text from the top left, word-wrapped, white on the gradient
// unless the window gives it another colour.
inline QLabel* infoLabel(QWidget* parent, const char* name, int left, int top, int width, int height,
                         const QString& text, const QColor& colour = Qt::white) {
    auto* label = ui::make<QLabel>(parent, name, left, top, width, height);
    label->setText(text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui::setTextColour(label, colour);
    return label;
}

}  // namespace windows
