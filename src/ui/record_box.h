#pragma once
// A text box of the question editor: a question, an answer or a hint, wrapped onto as many lines as the
// box shows. Its text is stored as a quoted text field in Windows-1250, which has no escape for a double
// quote and no room for most other characters: a typed straight double quote, or a character the code
// page cannot hold, is refused with a beep; pasted or dropped text has its straight double quotes turned
// into the typographic „ and ” and loses (with a beep) what the code page cannot hold.
// The window's own menu shortcuts win over the box's editing keys (Ctrl+Z, Ctrl+X, Ctrl+Y ...).
#include <QPlainTextEdit>

namespace ui {

class RecordBox : public QPlainTextEdit {
public:
    explicit RecordBox(QWidget* parent = nullptr);
    QString text() const { return toPlainText(); }
    void setText(const QString& text) { setPlainText(text); }

    // What pasted text becomes: straight double quotes alternate between „ and ”, characters outside
    // Windows-1250 are dropped. `dropped`, when given, tells whether anything was dropped.
    static QString storable(const QString& text, bool* dropped = nullptr);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace ui
