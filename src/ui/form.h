#pragma once
// The forms runtime: every window of the program is a Form, created on first use and reached by name
// from any other window. The runtime itself fires Load, Activate and Unload in the order the windows rely
// on, runs modal showings in a nested event loop, and ends the program on request.
#include <QAbstractButton>
#include <QColor>
#include <QEventLoop>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

class QPainter;
#include <map>
#include <vector>

namespace ui {

// Thrown when the program ends, to leave every handler still running at once; the runtime catches it
// where it called the handler.
struct ProgramEnded {};

class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(const QString& name);
    ~Form() override;
    QString name() const { return objectName(); }

    // The window's own events, fired by the runtime.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Unload(bool& cancel) { (void)cancel; }
    virtual void Form_Resize() {}
    // The title bar's close box; unloads the window unless a window does something else with it.
    virtual void closeBoxClicked();

    void Show();       // not modal; the window becomes the active one
    void ShowModal();  // returns when the window was hidden or unloaded
    void Hide();
    bool isShowingModal() const { return modalLoop_ != nullptr; }

    // Position and outer size in twips, as the window's layout gives them.
    void setOuterSizeTwips(int width, int height);
    int widthTwips() const;
    int heightTwips() const;
    int innerWidthTwips() const;
    int innerHeightTwips() const;
    void setLeftTwips(int left);
    void setTopTwips(int top);
    int leftTwips() const;
    int topTwips() const;
    // left = (screen width - window width) / 2, top = (screen height - window height) / 2.
    void centre();

    // The window's persistent image: what is drawn into it stays and the window is redrawn from it.
    QImage& persistentImage();
    // Fills row y of the persistent image with rows[y], across the window's present width. Rows drawn
    // before anything else are kept as colours and painted straight onto the window: the image is made
    // only when something asks for it.
    void fillRows(const std::vector<QRgb>& rows);
    bool isMinimized() const { return isMinimizedState_; }
    // The colour of the painted background at a point of the window; invalid where nothing was painted.
    QColor backgroundAt(QPoint point) const;

    // Enter presses the default button (a button with the focus takes Enter itself, as it takes Space);
    // Escape presses the cancel button. Neither is set unless the window sets it.
    void setDefaultButton(QAbstractButton* button) { defaultButton_ = button; }
    void setCancelButton(QAbstractButton* button) { cancelButton_ = button; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Where the focus ring goes around a control of this window: outside the control, on the background.
    QRect focusRing(const QWidget* control) const;
    void focusMoved(QWidget* from, QWidget* to);
    void paintFocusRing(QPainter& painter, const QRect& ring) const;
    friend class Runtime;
    QImage image_;
    std::vector<QRgb> rows_;  // rows of the persistent image not yet made, each one colour
    int rowsWidth_ = 0;
    QEventLoop* modalLoop_ = nullptr;
    QPointer<Form> opener_;
    bool isMinimizedState_ = false;
    bool unloading_ = false;
    QPointer<QAbstractButton> defaultButton_;
    QPointer<QAbstractButton> cancelButton_;
    QPointer<QWidget> ringed_;  // the control the focus ring is drawn around
};

// The registry of loaded windows and the program's life.
class Runtime {
public:
    static Runtime& instance();

    using Factory = std::function<Form*()>;
    void registerForm(const QString& name, Factory factory);

    // The loaded window of that name, creating and loading it first when needed.
    Form& byName(const QString& name);
    Form* findLoaded(const QString& name) const;
    template <class T>
    T& get() {
        return static_cast<T&>(byName(T::formName));
    }

    // Unload: fires Form_Unload; unless cancelled the window is hidden and destroyed, and the next use
    // creates it again. Returns false when the window cancelled.
    bool unload(Form& form);
    bool unload(const QString& name);

    // Ends the program: every window is hidden, every nested loop left, the application asked to quit,
    // and ProgramEnded thrown to leave the running handler.
    [[noreturn]] void endProgram();
    bool hasEnded() const { return ended_; }

    Form* activeForm() const { return active_; }
    std::vector<Form*> loadedForms() const;
    std::vector<Form*> visibleForms() const;

    // What ending the program does besides leaving the handlers (the program quits the application).
    void setQuitHandler(std::function<void()> handler) { quitHandler_ = std::move(handler); }

    // Test support: modal showings run a queued script inside the window instead of waiting for a user.
    // With scripts required, a modal showing with no script queued, or a script for another window, is
    // recorded as a failure and the window is closed at once; so is a script that leaves its window open.
    using ModalScript = std::function<void(Form&)>;
    void requireModalScripts(bool required) { requireScripts_ = required; }
    void queueModalScript(const QString& formName, ModalScript script);
    int pendingModalScripts() const { return static_cast<int>(scripts_.size()); }
    QStringList takeFailures();
    void recordFailure(const QString& failure) { failures_ << failure; }

    // Test support: destroys every window and forgets that the program ended.
    void reset();

private:
    friend class Form;
    Runtime() = default;
    void created(Form* form);
    void destroyed(Form* form);
    void activate(Form* form);
    void runModal(Form& form);

    std::map<QString, Factory> factories_;
    std::map<QString, QPointer<Form>> loaded_;
    QPointer<Form> active_;
    bool ended_ = false;
    std::function<void()> quitHandler_;
    bool requireScripts_ = false;
    std::vector<std::pair<QString, ModalScript>> scripts_;
    QStringList failures_;
};

inline Runtime& forms() { return Runtime::instance(); }

// Runs a handler of the program: the end of the program leaves it quietly; a failure nobody handled is
// reported to the user instead of taking the program down.
void guarded(const std::function<void()>& handler);

}  // namespace ui
