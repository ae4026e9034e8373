#include "ui/events.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace ui {
namespace {

class EventHook : public QObject {
public:
    using Test = std::function<bool(QEvent*)>;
    EventHook(QWidget* control, Test test) : QObject(control), test_(std::move(test)) {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        test_(event);
        return false;
    }

private:
    Test test_;
};

int shiftState(Qt::KeyboardModifiers modifiers) {
    int state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= ShiftMask;
    if (modifiers & Qt::ControlModifier)
        state |= CtrlMask;
    if (modifiers & Qt::AltModifier)
        state |= AltMask;
    return state;
}

}  // namespace

void onKeyDown(QWidget* control, std::function<void(int, int)> handler) {
    new EventHook(control, [handler = std::move(handler)](QEvent* event) {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        int code = key->key();
        if (code > 0xffff)
            code = 0;  // keys without a code of their own
        const int shift = shiftState(key->modifiers());
        guarded([&] { handler(code, shift); });
        return false;
    });
}

void onMouseMove(QWidget* control, std::function<void()> handler) {
    control->setMouseTracking(true);
    new EventHook(control, [control, handler = std::move(handler)](QEvent* event) {
        if (event->type() != QEvent::MouseMove && event->type() != QEvent::Enter)
            return false;
        if (control->isEnabled()) {
            guarded(handler);
            return false;
        }
        // A disabled control raises no mouse move of its own: the move is the window's, over its
        // background. (Qt's disabled buttons keep their moves to themselves, so it is passed on here.)
        QWidget* parent = control->parentWidget();
        if (event->type() == QEvent::MouseMove && parent && !control->isWindow()) {
            const auto* move = static_cast<QMouseEvent*>(event);
            QMouseEvent passed(QEvent::MouseMove, control->mapToParent(move->position()), move->scenePosition(),
                               move->globalPosition(), move->button(), move->buttons(), move->modifiers());
            QCoreApplication::sendEvent(parent, &passed);
        }
        return false;
    });
}

void onDoubleClick(QWidget* control, std::function<void()> handler) {
    new EventHook(control, [handler = std::move(handler)](QEvent* event) {
        if (event->type() == QEvent::MouseButtonDblClick)
            guarded(handler);
        return false;
    });
}

void onClick(QWidget* control, std::function<void()> handler) {
    new EventHook(control, [handler = std::move(handler)](QEvent* event) {
        if (event->type() == QEvent::MouseButtonRelease &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            guarded(handler);
        return false;
    });
}

}  // namespace ui
