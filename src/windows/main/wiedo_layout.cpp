// The main window's controls and menus at their design places, and which handler each event runs.
#include "ui/controls.h"
#include "ui/events.h"
#include "ui/fit_label.h"
#include "ui/pictures.h"
#include "ui/wrapping_button.h"
#include "windows/main/wiedo.h"

#include <QMouseEvent>
#include <QPixmap>

namespace windows {

namespace {

QPushButton* button(QWidget* parent, const char* name, const QString& text, int left, int top, int width,
                    int height) {
    auto* b = ui::make<ui::WrappingButton>(parent, name, left, top, width, height);
    b->setText(text);
    return b;
}

QLabel* hiddenLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = ui::make<QLabel>(parent, name, 0, 0, 15, 15);
    label->setText(text);
    label->setVisible(false);
    return label;
}

QAction* item(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromUtf8(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QAction* separator(QMenu* menu, const char* name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(QString::fromUtf8(name));
    return action;
}

// The pointer moving over the window's background. Controls pass their own unused moves on to the
// window, and those must not clear the help line the control has just set.
class BackgroundMove : public QObject {
public:
    BackgroundMove(QWidget* form, std::function<void()> handler)
        : QObject(form), form_(form), handler_(std::move(handler)) {
        form->setMouseTracking(true);
        form->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::MouseMove && event->type() != QEvent::Enter)
            return false;
        // A disabled control is background here: it raises no mouse move of its own.
        const QPoint at = static_cast<QSinglePointEvent*>(event)->position().toPoint();
        const QWidget* control = form_->childAt(at);
        if (!control || !control->isEnabled())
            ui::guarded(handler_);
        return false;
    }

private:
    QWidget* form_;
    std::function<void()> handler_;
};

}  // namespace

Wiedo::Wiedo() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("Wiedo v 1.1"));
    setWindowIcon(ui::picture(QStringLiteral(":/img/question.png")));
    setOuterSizeTwips(6720, 6765);

    const QFont sansSerif(QStringLiteral("MS Sans Serif"), 8);
    // Questions, answers, the hint and the help line may be long: their controls fit the text instead of
    // cutting it.
    Label1 = ui::make<ui::FitLabel>(this, "Label1", 120, 360, 6360, 840);
    Label1->setText(QStringLiteral("Pytanie"));
    Label1->setWordWrap(true);
    Label1->setTextFormat(Qt::PlainText);  // a question may hold "<" and must not be read as markup
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ui::setFontFace(Label1, QStringLiteral("MS Sans Serif"), 10, true);
    ui::setTextColour(Label1, Qt::white);

    const QString answerTexts[] = {QStringLiteral("Możliwa odpowiedź A"), QStringLiteral("Możliwa odpowiedź B"),
                                   QStringLiteral("Możliwa odpowiedź ( co jest po B ? )"),
                                   QStringLiteral("Możliwa odpowiedź D"), QStringLiteral("Możliwa odpowiedź E")};
    const char* answerNames[] = {"Label4", "Label5", "Label6", "Label7", "Label8"};
    const char* boxNames[] = {"Check1", "Check2", "Check3", "Check4", "Check5"};
    QPushButton** answers[] = {&Label4, &Label5, &Label6, &Label7, &Label8};
    QCheckBox** boxes[] = {&Check1, &Check2, &Check3, &Check4, &Check5};
    auto* answerSizes = new ui::FitGroup(this);  // the five answers of a question in one size
    for (int i = 0; i < 5; ++i) {
        const int top = 1260 + i * 525;
        *boxes[i] = ui::make<QCheckBox>(this, boxNames[i], 120, top, 600, 450);
        (*boxes[i])->setText(QString(QChar(u'A' + i)));
        ui::setFontFace(*boxes[i], QStringLiteral("Times New Roman"), 12, true);
        ui::setTextColour(*boxes[i], Qt::white);
        *answers[i] = button(this, answerNames[i], answerTexts[i], 720, top, 5760, 450);
        auto* answer = static_cast<ui::WrappingButton*>(*answers[i]);
        answer->setLeftAligned(true);
        answer->fit()->setGroup(answerSizes);
    }
    Label3 = button(this, "Label3", QStringLiteral("Brak"), 120, 3870, 6360, 420);

    Label9 = button(this, "Label9", QStringLiteral("Pytanie nr"), 120, 4350, 1800, 330);
    Label10 = button(this, "Label10", QStringLiteral("0"), 1920, 4350, 1260, 330);
    Label11 = button(this, "Label11", QStringLiteral("Ilość pytań"), 3300, 4350, 1800, 330);
    Label12 = button(this, "Label12", QStringLiteral("0"), 5100, 4350, 1380, 330);
    Label13 = button(this, "Label13", QStringLiteral("Odp. dobre"), 120, 4710, 1800, 330);
    Label14 = button(this, "Label14", QStringLiteral("0"), 1920, 4710, 1260, 330);
    Label15 = button(this, "Label15", QStringLiteral("Odp. złe"), 3300, 4710, 1800, 330);
    Label16 = button(this, "Label16", QStringLiteral("0"), 5100, 4710, 1380, 330);
    Label19 = button(this, "Label19", QStringLiteral("Imię"), 120, 5100, 2040, 375);
    Label20 = button(this, "Label20", QStringLiteral("Nazwisko"), 2220, 5100, 2100, 375);
    Label21 = button(this, "Label21", QStringLiteral("Klasa"), 4380, 5100, 2100, 375);

    Picture1 = ui::make<QLabel>(this, "Picture1", 120, 5640, 300, 300);
    Picture1->setPixmap(ui::picture(QStringLiteral(":/img/logo16.png")));
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setAccessibleName(QStringLiteral("Logo"));
    Command1 = button(this, "Command1", QStringLiteral("&S  t  a  r  t"), 600, 5535, 3600, 450);
    Command1->setToolTip(QStringLiteral("Kliknij w ten przycisk, aby rozpocząć grę"));
    ui::setFontFace(Command1, QStringLiteral("Arial"), 10, true);
    Label2 = ui::make<QLabel>(this, "Label2", 4440, 5595, 2040, 330);
    Label2->setText(QStringLiteral("22:22:22"));
    Label2->setAlignment(Qt::AlignCenter);
    ui::setFontFace(Label2, QStringLiteral("MS Sans Serif"), 10, true);
    ui::setTextColour(Label2, Qt::white);
    Podp = ui::make<ui::FitLabel>(this, "Podp", 120, 6045, 6360, 285);
    Podp->setTextFormat(Qt::PlainText);
    ui::setTextColour(Podp, Qt::white);

    xx = hiddenLabel(this, "xx", QStringLiteral("0"));
    Tips = hiddenLabel(this, "Tips", QStringLiteral("0"));
    Ap = hiddenLabel(this, "Ap", QString());
    Bp = hiddenLabel(this, "Bp", QString());
    Cp = hiddenLabel(this, "Cp", QString());
    Dp = hiddenLabel(this, "Dp", QString());
    Ep = hiddenLabel(this, "Ep", QString());

    // Test controls wait for the sign-in window.
    for (QWidget* control : std::initializer_list<QWidget*>{
             Label1, Label3, Label4, Label5, Label6, Label7, Label8, Check1, Check2, Check3, Check4, Check5,
             Label9, Label10, Label11, Label12, Label13, Label14, Label15, Label16, Command1})
        control->setEnabled(false);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);

    // ---- menus
    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    menuBar->setGeometry(0, 0, width(), 22);
    tekty_ = menuBar->addMenu(QStringLiteral("&Wiedo"));
    tekty_->setObjectName(QStringLiteral("tekty_"));
    otwórz = item(tekty_, "otwórz", QStringLiteral("&Otwórz plik testu"), QKeySequence(Qt::CTRL | Qt::Key_O));
    dlaNauczyciela = tekty_->addMenu(QStringLiteral("Dla nauczyciela"));
    dlaNauczyciela->setObjectName(QStringLiteral("dlaNauczyciela"));
    edytujwiedo = item(dlaNauczyciela, "edytujwiedo", QStringLiteral("&Twórz i/lub edytuj wiedo"),
                       QKeySequence(Qt::CTRL | Qt::Key_E));
    Punktacja = item(dlaNauczyciela, "Punktacja", QStringLiteral("&Punktacja"), QKeySequence(Qt::CTRL | Qt::Key_P));
    opcje = item(dlaNauczyciela, "opcje", QStringLiteral("Opcje"), QKeySequence(Qt::CTRL | Qt::Key_S));
    wynikiAnaliza = item(dlaNauczyciela, "wynikiAnaliza", QStringLiteral("&Wyniki i analiza"),
                         QKeySequence(Qt::CTRL | Qt::Key_R));
    // "&Twórz" has the T as well: pressing T moves between the two, as menus do with a shared letter.
    ustawieniaTestu = item(dlaNauczyciela, "ustawieniaTestu", QStringLiteral("Ustawienia &testu"));
    Drukowanie = tekty_->addMenu(QStringLiteral("&Drukowanie"));
    Drukowanie->setObjectName(QStringLiteral("Drukowanie"));
    drukuj = item(Drukowanie, "drukuj", QStringLiteral("&Drukuj test"), QKeySequence(Qt::SHIFT | Qt::Key_F2));
    druKPod = item(Drukowanie, "druKPod", QStringLiteral("Drukuj &podpowiedzi"), QKeySequence(Qt::SHIFT | Qt::Key_F3));
    drukKarO = item(Drukowanie, "drukKarO", QStringLiteral("Drukuj karte &odpowiedzi"),
                    QKeySequence(Qt::SHIFT | Qt::Key_F4));
    DrukWsz = item(Drukowanie, "DrukWsz", QStringLiteral("Drukuj &wszystko"), QKeySequence(Qt::SHIFT | Qt::Key_F5));
    pd = separator(Drukowanie, "pd");
    ustdr = item(Drukowanie, "ustdr", QStringLiteral("&Ustawienia drukarki"), QKeySequence(Qt::CTRL | Qt::Key_U));
    for (QAction* action : {drukuj, druKPod, drukKarO, DrukWsz, ustdr})
        action->setEnabled(false);
    p1 = separator(tekty_, "p1");
    koniec = item(tekty_, "koniec", QStringLiteral("&Koniec"), QKeySequence(Qt::Key_F12));
    narzędzia = menuBar->addMenu(QStringLiteral("&Narzędzia"));
    narzędzia->setObjectName(QStringLiteral("narzędzia"));
    KWZ_to_txt = item(narzędzia, "KWZ_to_txt", QStringLiteral("Konwerter plików KWZ na pliki tekstowe"));
    inne = menuBar->addMenu(QStringLiteral("&Inne"));
    inne->setObjectName(QStringLiteral("inne"));
    SS = item(inne, "SS", QStringLiteral("&Wygaszacz ekranu"));
    pomoc = menuBar->addMenu(QStringLiteral("&Pomoc"));
    pomoc->setObjectName(QStringLiteral("pomoc"));
    mnuBitmap1 = item(pomoc, "mnuBitmap1", QStringLiteral("Instrukcja obsługi"), QKeySequence(Qt::Key_F1));
    mnuBitmap2 = item(pomoc, "mnuBitmap2", QStringLiteral("&O autorze"), QKeySequence(Qt::CTRL | Qt::Key_A));
    mnuBitmap3 = item(pomoc, "mnuBitmap3", QStringLiteral("O programie . . ."), QKeySequence(Qt::SHIFT | Qt::Key_F1));

    // ---- events
    using QB = QPushButton;
    ui::on(Timer1, &QTimer::timeout, [this] { Timer1_Timer(); });
    limitTimer = new QTimer(this);
    limitTimer->setInterval(1000);
    ui::on(limitTimer, &QTimer::timeout, [this] { limitTick(); });
    ui::onDoubleClick(Label2, [this] { Label2_DblClick(); });
    ui::on(Command1, &QB::clicked, [this] { Command1_Click(); });
    ui::onClick(Picture1, [this] { Picture1_Click(); });
    ui::onClick(Label1, [this] { Label1_Click(); });
    for (int i = 0; i < 5; ++i) {
        ui::on(answerButton(i), &QB::clicked, [this, i] { AnswerButton_Click(i); });
        ui::onMouseMove(answerButton(i), [this, i] { AnswerButton_MouseMove(i); });
        ui::onMouseMove(answerBox(i), [this, i] {
            Podp->setText(QStringLiteral("Jeśli uważasz, że odpowiedź %1 jest dobra, to zaznacz to pole")
                              .arg(QChar(u'A' + i)));
        });
    }
    ui::onMouseMove(Label1, [this] { Podp->setText(Label1->text()); });
    ui::onMouseMove(Label3, [this] { Podp->setText(Label3->text()); });
    for (QPushButton* person : {Label19, Label20, Label21})
        ui::onMouseMove(person, [this, person] { Podp->setText(person->text()); });
    new BackgroundMove(this, [this] { Form_MouseMove(); });
    ui::on(Label9, &QB::clicked, [this] { Label9_Click(); });
    ui::on(Label10, &QB::clicked, [this] { Label10_Click(); });
    ui::on(Label11, &QB::clicked, [this] { Label11_Click(); });
    ui::on(Label12, &QB::clicked, [this] { Label12_Click(); });
    ui::on(Label13, &QB::clicked, [this] { Label13_Click(); });
    ui::on(Label14, &QB::clicked, [this] { Label14_Click(); });
    ui::on(Label15, &QB::clicked, [this] { Label15_Click(); });
    ui::on(Label16, &QB::clicked, [this] { Label16_Click(); });
    ui::on(Label19, &QB::clicked, [this] { Label19_Click(); });
    ui::on(Label20, &QB::clicked, [this] { Label20_Click(); });
    ui::on(Label21, &QB::clicked, [this] { Label21_Click(); });

    ui::on(tekty_, &QMenu::aboutToShow, [this] { tekty_Click(); });
    ui::on(otwórz, &QAction::triggered, [this] { otwórz_Click(); });
    ui::on(edytujwiedo, &QAction::triggered, [this] { edytujwiedo_Click(); });
    ui::on(Punktacja, &QAction::triggered, [this] { Punktacja_Click(); });
    ui::on(opcje, &QAction::triggered, [this] { opcje_Click(); });
    ui::on(wynikiAnaliza, &QAction::triggered, [this] { wynikiAnaliza_Click(); });
    ui::on(ustawieniaTestu, &QAction::triggered, [this] { ustawieniaTestu_Click(); });
    ui::on(drukuj, &QAction::triggered, [this] { drukuj_Click(); });
    ui::on(druKPod, &QAction::triggered, [this] { druKPod_Click(); });
    ui::on(drukKarO, &QAction::triggered, [this] { drukKarO_Click(); });
    ui::on(DrukWsz, &QAction::triggered, [this] { DrukWsz_Click(); });
    ui::on(ustdr, &QAction::triggered, [this] { ustdr_Click(); });
    ui::on(koniec, &QAction::triggered, [this] { koniec_Click(); });
    ui::on(KWZ_to_txt, &QAction::triggered, [this] { KWZ_to_txt_Click(); });
    ui::on(SS, &QAction::triggered, [this] { SS_Click(); });
    ui::on(mnuBitmap1, &QAction::triggered, [this] { mnuBitmap1_Click(); });
    ui::on(mnuBitmap2, &QAction::triggered, [this] { mnuBitmap2_Click(); });
    ui::on(mnuBitmap3, &QAction::triggered, [this] { mnuBitmap3_Click(); });
}

QPushButton* Wiedo::answerButton(int index) const {
    QPushButton* const all[] = {Label4, Label5, Label6, Label7, Label8};
    return all[index];
}

QCheckBox* Wiedo::answerBox(int index) const {
    QCheckBox* const all[] = {Check1, Check2, Check3, Check4, Check5};
    return all[index];
}

QLabel* Wiedo::flagLabel(int index) const {
    QLabel* const all[] = {Ap, Bp, Cp, Dp, Ep};
    return all[index];
}

}  // namespace windows
