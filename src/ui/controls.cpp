#include "ui/controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QColor>
#include <QFont>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleFactory>
#include <utility>

namespace ui {

void setTextColour(QWidget* control, const QColor& colour) {
    QPalette palette = control->palette();
    palette.setColor(QPalette::WindowText, colour);
    // A check box draws its mark in the text colour on a white box: a white caption must not make the
    // mark white too, or a ticked box looks empty.
    if (!qobject_cast<QAbstractButton*>(control) || qobject_cast<QPushButton*>(control))
        palette.setColor(QPalette::Text, colour);
    palette.setColor(QPalette::ButtonText, colour);
    control->setPalette(palette);
}

QString installedFace(const QString& family) {
    // The free faces with the same letter widths, which the system picks for these where they are
    // missing; named outright, they are found without asking the system for its substitute at a first
    // paint, which costs more than the painting itself.
    static const std::pair<QLatin1String, QLatin1String> standIns[] = {
        {QLatin1String("Arial"), QLatin1String("Liberation Sans")},
        {QLatin1String("Times New Roman"), QLatin1String("Liberation Serif")}};
    for (const auto& [designed, standIn] : standIns) {
        if (family.compare(designed, Qt::CaseInsensitive) != 0)
            continue;
        // The program adds no fonts of its own: the installed families are listed once.
        static const QStringList installed = QFontDatabase::families();
        if (!installed.contains(family, Qt::CaseInsensitive) && installed.contains(standIn))
            return standIn;
    }
    return family;
}

void setFontFace(QWidget* control, const QString& family, int points, bool bold) {
    QFont font = control->font();
    font.setFamily(installedFace(family));
    if (points > 0)
        font.setPointSize(points);
    font.setBold(bold);
    control->setFont(font);
}

void useProgramStyle() {
    if (QApplication::style()->name().compare(QStringLiteral("fusion"), Qt::CaseInsensitive) != 0)
        QApplication::setStyle(QStringLiteral("Fusion"));
    // Every text the program shows is Windows-1250, which each of its typefaces holds whole: no font needs
    // the system's fallback fonts merged in, and looking them up is the dearest part of a first paint.
    // The plain texts are in DejaVu Sans, which the program needs installed: named outright, it is found
    // without asking the system which of its fonts stands in for a generic "Sans Serif". Unhinted
    // outlines look the same on every desktop of a lab and spare running each letter's hinting program.
    // Polish needs no shaping (its letters are whole characters in the code page): the letters are set
    // straight from the font's own widths and kerning, without the shaper's pass over every text.
    QFont font = QApplication::font();
    font.setStyleStrategy(QFont::StyleStrategy(QFont::NoFontMerging | QFont::PreferNoShaping));
    font.setFamily(QStringLiteral("DejaVu Sans"));
    font.setHintingPreference(QFont::PreferNoHinting);
    QApplication::setFont(font);
}

void showProgressInBlocks(QProgressBar* bar) {
    static QPointer<QStyle> blocks;
    if (!blocks) {
        blocks = QStyleFactory::create(QStringLiteral("Windows"));
        if (blocks)
            blocks->setParent(qApp);  // one for every bar, gone with the application
    }
    if (blocks)
        bar->setStyle(blocks);
}

void refuseDoubleQuotes(QLineEdit* box) {
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^\"]*")), box));
}

}  // namespace ui
