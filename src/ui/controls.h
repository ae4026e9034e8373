#pragma once
// Placing a window's controls at their design positions (twips) with their design names and texts.
#include "platform/screen.h"

#include <QString>
#include <QWidget>

class QLineEdit;
class QProgressBar;

namespace ui {

inline void placeTwips(QWidget* control, int left, int top, int width, int height) {
    control->setGeometry(platform::toPixels(left), platform::toPixels(top), platform::toPixels(width),
                         platform::toPixels(height));
}

// Creates a control of type T as a child of parent, named after its design name, at a twips rectangle.
template <class T>
T* make(QWidget* parent, const char* name, int left, int top, int width, int height) {
    auto* control = new T(parent);
    control->setObjectName(QString::fromUtf8(name));
    placeTwips(control, left, top, width, height);
    return control;
}

// The program's one look on every desktop: Qt's Fusion style, whose ticked check boxes stay plainly ticked
// on the coloured gradients. Called once at start, before any window shows.
void useProgramStyle();

// A caption's "&" marks the access key; a label shows "&&" for a literal ampersand.
void setTextColour(QWidget* control, const QColor& colour);
void setFontFace(QWidget* control, const QString& family, int points = 0, bool bold = false);
// The face a window designed in this family shows in: the family itself where it is installed, else the
// installed face with its letter widths that the system would put in its place.
QString installedFace(const QString& family);

// A box whose text is stored as a quoted text field: a double quote could not be read back (the files
// have no escape for it), so the box does not take one.
void refuseDoubleQuotes(QLineEdit* box);

// The bar shows its progress in blocks, as progress bars did when the program was designed. (Fusion's
// striped bar also draws its stripes with the painter's helper threads, started at every program start.)
void showProgressInBlocks(QProgressBar* bar);

}  // namespace ui
