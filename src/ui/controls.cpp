#include "ui/controls.h"

#include <QCheckBox>
#include <QColor>
#include <QFont>
#include <QLineEdit>
#include <QPalette>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace ui {

void setTextColour(QWidget* control, const QColor& colour) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colour);
    // A check box draws its tick in the text colour on its own white square: a white caption must not
    // make the tick white too.
    if (!qobject_cast<QCheckBox*>(control) && !qobject_cast<QRadioButton*>(control))
        palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    control->setPalette(palette);
}

void setFontFace(QWidget* control, const QString& family, int points, bool bold) {
    QFont font = control->font();
    font.setFamily(family);
    if (points > 0)
        font.setPointSize(points);
    font.setBold(bold);
    control->setFont(font);
}

void refuseDoubleQuotes(QLineEdit* box) {
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\"]*")), box));
}

}  // namespace ui
