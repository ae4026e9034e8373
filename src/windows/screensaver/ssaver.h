#pragma once
// The screen saver: a black full-screen window on which the program's web address falls and slides to
// the centre, its title falls down the middle again and again, and a small emblem travels row by row. A
// key ends it at once; the mouse only after a short grace time, unless a button is held.
#include "ui/form.h"

#include <QFrame>
#include <QLabel>
#include <QTimer>

namespace windows {

class SSaver : public ui::Form {
    Q_OBJECT
public:
    static inline const QString formName = QStringLiteral("SSaver");
    // What the web address line shows: an address of the program's own, no real site.
    static inline const QString addressText = QStringLiteral("http://www.kwiz-wiedo.example/");
    SSaver();

    void Form_Load() override;
    void Form_Activate() override;
    void Timer1_Timer();
    void Timer3_Timer();
    // The pointer moving over the background or one of the moving labels.
    void MouseMove(Qt::MouseButtons buttons);
    void KoniecSS();

    QLabel* Label1;   // the web address
    QLabel* Label2;   // caption under the emblem
    QLabel* Label3;   // the emblem's row position, as text
    QLabel* Label4;   // "KWIZ v 1.1", the falling title
    QLabel* Label5;   // the emblem's blank grey bar
    QLabel* Label6;   // "1" once the address has started sliding
    QLabel* Label7;   // "1" once the grace time has passed
    QFrame* Shape1;   // the emblem's inner panel
    QFrame* Shape2;   // the emblem's body
    QTimer* Timer1;   // animation step
    QTimer* Timer3;   // the mouse's grace time

    // Positions in twips, exactly as the animation set them (pixels would round every step away).
    static int leftOf(const QWidget* control);
    static int topOf(const QWidget* control);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace windows
