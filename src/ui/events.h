#pragma once
// Connecting the program's handlers to control events. Every handler runs through guarded(), so the
// end of the program or an unhandled failure never escapes into Qt.
#include "ui/form.h"

#include <QObject>
#include <functional>

class QWidget;

namespace ui {

// Any Qt signal to a handler without arguments.
template <class Sender, class Signal>
void on(Sender* sender, Signal signal, std::function<void()> handler) {
    QObject::connect(sender, signal, sender, [handler = std::move(handler)] { guarded(handler); });
}

// Modifier state as the handlers expect it: 1 Shift, 2 Ctrl, 4 Alt, added together.
enum ShiftState { ShiftMask = 1, CtrlMask = 2, AltMask = 4 };

// Key pressed down while the control has the focus: the key code (letters as their upper-case code,
// "Q" = 81) and the modifier state.
void onKeyDown(QWidget* control, std::function<void(int keyCode, int shift)> handler);
// Pointer moving over the control (mouse tracking is switched on for it).
void onMouseMove(QWidget* control, std::function<void()> handler);
// Double click on the control.
void onDoubleClick(QWidget* control, std::function<void()> handler);
// Click on a control that has no clicked signal of its own (a label or a picture).
void onClick(QWidget* control, std::function<void()> handler);

}  // namespace ui
