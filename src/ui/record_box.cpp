#include "ui/record_box.h"

#include "platform/codepage.h"
#include "platform/dialogs.h"

#include <QAction>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

namespace ui {
namespace {

bool typable(const QString& text) {
    for (const QChar c : text)
        if (c == u'"' || !platform::fitsIn1250(c))
            return false;
    return true;
}

}  // namespace

RecordBox::RecordBox(QWidget* parent) : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

QString RecordBox::storable(const QString& text, bool* dropped) {
    QString out;
    out.reserve(text.size());
    bool opening = true;
    bool lost = false;
    for (const QChar c : text) {
        if (c == u'"') {
            out += opening ? QChar(0x201E) : QChar(0x201D);
            opening = !opening;
        } else if (platform::fitsIn1250(c)) {
            out += c;
        } else {
            lost = true;
        }
    }
    if (dropped)
        *dropped = lost;
    return out;
}

bool RecordBox::event(QEvent* event) {
    // A key that an enabled command of the window answers to is the command's, not an editing key.
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QAction* action : window()->findChildren<QAction*>()) {
            if (action->isEnabled() && !action->shortcut().isEmpty() && action->shortcut() == pressed) {
                event->ignore();
                return true;
            }
        }
    }
    return QPlainTextEdit::event(event);
}

void RecordBox::keyPressEvent(QKeyEvent* event) {
    if (!event->text().isEmpty() && !typable(event->text())) {
        platform::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void RecordBox::inputMethodEvent(QInputMethodEvent* event) {
    if (!typable(event->commitString())) {
        platform::beep();
        event->accept();
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void RecordBox::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText())
        return;
    bool dropped = false;
    const QString text = storable(source->text(), &dropped);
    if (dropped)
        platform::beep();
    insertPlainText(text);
}

}  // namespace ui
