#include "windows/editor/nowe_wiedo.h"

#include "platform/dialogs.h"
#include "platform/errors.h"
#include "platform/filetable.h"
#include "platform/text.h"
#include "questionset/editor_store.h"
#include "ui/controls.h"
#include "ui/events.h"
#include "ui/pictures.h"
#include "ui/record_box.h"
#include "ui/value_label.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace windows {

namespace {

using platform::Buttons;
using platform::Icon;
using platform::closeEveryFile;
using questionset::EditorError;

// Positions below are in pixels; the controls take twips.
template <class T>
T* place(QWidget* parent, const char* name, int x, int y, int w, int h) {
    return ui::make<T>(parent, name, x * platform::twipsPerPixel, y * platform::twipsPerPixel,
                       w * platform::twipsPerPixel, h * platform::twipsPerPixel);
}

QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y, int w, int h) {
    auto* l = place<QLabel>(parent, name, x, y, w, h);
    l->setText(text);
    return l;
}

QAction* item(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromUtf8(name));
    action->setShortcut(shortcut);
    return action;
}

QMenu* menu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* m = bar->addMenu(caption);
    m->setObjectName(QString::fromUtf8(name));
    return m;
}

// The arrow beside a record button, pointing the way the button moves.
QPixmap arrow(bool forward) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0, 0, 128), 1));
    painter.setBrush(QColor(255, 11, 100));
    const QPolygon right({QPoint(4, 8), QPoint(12, 8), QPoint(12, 3), QPoint(21, 12), QPoint(12, 21),
                          QPoint(12, 16), QPoint(4, 16)});
    painter.drawPolygon(forward ? right : QTransform(-1, 0, 0, 1, 24, 0).map(right));
    return pixmap;
}

QString reasonText(const EditorError& error) {
    switch (error.reason()) {
    case EditorError::Reason::CannotOpen:
        return QStringLiteral("nie daje się otworzyć ani odczytać");
    case EditorError::Reason::CutShort:
        return QStringLiteral("kończy się w środku pytania albo nie ma pytania o tym numerze");
    case EditorError::Reason::BadFlags:
        return QStringLiteral("ma uszkodzone oznaczenia dobrych odpowiedzi");
    case EditorError::Reason::CountMismatch:
        return QStringLiteral("ma inną liczbę pytań, niż pokazują liczniki (może został zmieniony poza "
                              "edytorem); otwórz go ponownie");
    case EditorError::Reason::WriteFailed:
        return error.cause().isEmpty() ? QStringLiteral("nie dał się zapisać (pełny dysk albo brak prawa zapisu)")
                                       : QStringLiteral("nie dał się zapisać: ") + error.cause();
    case EditorError::Reason::Busy:
        return QStringLiteral("nie może być teraz zapisany: plik roboczy temp.tmp jest używany przez inną "
                              "kopię programu; spróbuj ponownie za chwilę");
    }
    return {};
}

const QString noSetPrompt = QStringLiteral(
    "Nie ma otwartego zestawu pytań. Utwórz nowy zestaw albo otwórz istniejący ( menu Pytania ).");

}  // namespace

NoweWiedo::NoweWiedo() : ui::Form(formName) {
    setWindowTitle(QStringLiteral("Nowe wiedo"));
    setWindowIcon(ui::picture(QStringLiteral(":/img/app.png")));
    // Wide and tall enough for a question of 255 characters on three lines and answers of 150 characters
    // on two, and still inside a screen of 800 x 600.
    resize(744, 528);
    CD1.Filter = filter;

    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    menuBar->setGeometry(0, 0, width(), 24);

    Label1 = label(this, "Label1", QStringLiteral("Tu wpisz pytanie"), 8, 30, 400, 18);
    Text1 = place<ui::RecordBox>(this, "Text1", 8, 48, 728, 62);

    QLabel** answerLabels[] = {&Label2, &Label3, &Label4, &Label5, &Label6};
    ui::RecordBox** answerTexts[] = {&Text2, &Text3, &Text4, &Text5, &Text6};
    QCheckBox** checks[] = {&Check1, &Check2, &Check3, &Check4, &Check5};
    const char* labelNames[] = {"Label2", "Label3", "Label4", "Label5", "Label6"};
    const char* textNames[] = {"Text2", "Text3", "Text4", "Text5", "Text6"};
    const char* checkNames[] = {"Check1", "Check2", "Check3", "Check4", "Check5"};
    for (int i = 0; i < 5; ++i) {
        const int top = 118 + i * 52;
        const QString letter(QChar(u'A' + i));
        *answerLabels[i] = label(this, labelNames[i], letter, 8, top + 12, 18, 20);
        ui::setFontFace(*answerLabels[i], font().family(), 11, true);
        *answerTexts[i] = place<ui::RecordBox>(this, textNames[i], 28, top, 560, 46);
        *checks[i] = place<QCheckBox>(this, checkNames[i], 600, top + 12, 136, 22);
        (*checks[i])->setText(QStringLiteral("Dobra odpowiedź"));
        (*checks[i])->setAccessibleDescription(QStringLiteral("Odpowiedź ") + letter);
    }
    Label7 = label(this, "Label7", QStringLiteral("Tu wpisz jakieś wskazówki, podpowiedzi"), 8, 378, 400, 18);
    Text7 = place<ui::RecordBox>(this, "Text7", 8, 396, 728, 46);
    Text7->setText(QStringLiteral("Brak"));

    Label8 = label(this, "Label8", QStringLiteral("Nazwa pliku testu"), 8, 452, 120, 22);
    Label9 = label(this, "Label9", QStringLiteral("Brak"), 130, 452, 284, 22);
    Label10 = label(this, "Label10", QStringLiteral("Pytanie nr"), 420, 452, 80, 22);
    Label10->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label11 = label(this, "Label11", QStringLiteral("1"), 506, 452, 56, 22);
    Label12 = label(this, "Label12", QStringLiteral("z"), 566, 452, 14, 22);
    Label13 = label(this, "Label13", QStringLiteral("1"), 584, 452, 56, 22);
    for (QLabel* counter : {Label11, Label13})
        ui::setFontFace(counter, font().family(), 0, true);
    setCounterTexts(Label11->text(), Label13->text());

    Picture1 = place<QLabel>(this, "Picture1", 8, 488, 28, 30);
    Picture1->setPixmap(arrow(false));
    Picture1->setAccessibleName(QStringLiteral("Poprzedni rekord"));
    Command1 = place<QPushButton>(this, "Command1", 40, 486, 200, 32);
    Command1->setText(QStringLiteral("Poprzedni rekord"));
    Command2 = place<QPushButton>(this, "Command2", 504, 486, 200, 32);
    Command2->setText(QStringLiteral("Następny rekord"));
    Picture2 = place<QLabel>(this, "Picture2", 708, 488, 28, 30);
    Picture2->setPixmap(arrow(true));
    Picture2->setAccessibleName(QStringLiteral("Następny rekord"));

    // The boxes are named after their labels for assistive technology.
    const std::array<QLabel*, 7> labels{Label1, Label2, Label3, Label4, Label5, Label6, Label7};
    const auto boxes = textBoxes();
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i]->setAccessibleName(i >= 1 && i <= 5 ? QStringLiteral("Odpowiedź ") + labels[i]->text()
                                                     : labels[i]->text());
        labels[i]->setBuddy(boxes[i]);
    }

    // ---- menus
    pytania = menu(menuBar, "pytania", QStringLiteral("&Pytania"));
    nowyzestaw = item(pytania, "nowyzestaw", QStringLiteral("Nowy zestaw"), QKeySequence(Qt::CTRL | Qt::Key_N));
    otwórz = item(pytania, "otwórz", QStringLiteral("Otwórz"), QKeySequence(Qt::CTRL | Qt::Key_O));
    Odśw = item(pytania, "Odśw", QStringLiteral("&Odświerz"), QKeySequence(Qt::CTRL | Qt::Key_D));
    ZamiknijZST = item(pytania, "ZamiknijZST", QStringLiteral("&Zamkij zestaw"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    p1 = pytania->addSeparator();
    p1->setObjectName(QStringLiteral("p1"));
    wyjdź = item(pytania, "wyjdź", QStringLiteral("&Wyjdź"), QKeySequence(Qt::SHIFT | Qt::Key_F12));
    rekord = menu(menuBar, "rekord", QStringLiteral("&Rekord"));
    PierRek = item(rekord, "PierRek", QStringLiteral("P&ierwszy rekord"), QKeySequence(Qt::SHIFT | Qt::Key_F2));
    poprzedni = item(rekord, "poprzedni", QStringLiteral("&Poprzedni rekord"), QKeySequence(Qt::Key_F2));
    następny = item(rekord, "następny", QStringLiteral("&Następny rekord"), QKeySequence(Qt::Key_F3));
    OstRek = item(rekord, "OstRek", QStringLiteral("&Ostatni rekord"), QKeySequence(Qt::SHIFT | Qt::Key_F3));
    CzyśćPola = item(rekord, "CzyśćPola", QStringLiteral("&Czyść pola ( aktualny rekord )"), QKeySequence(Qt::Key_F4));
    Odpowied = menu(menuBar, "Odpowied", QStringLiteral("&Odpowiedzi"));
    Zaz_all = item(Odpowied, "Zaz_all", QStringLiteral("&Zaznacz wszystkie"), QKeySequence(Qt::CTRL | Qt::Key_W));
    Odz_all = item(Odpowied, "Odz_all", QStringLiteral("&Odznacz wszystkie"), QKeySequence(Qt::CTRL | Qt::Key_X));
    odwróć = item(Odpowied, "odwróć", QStringLiteral("O&dwróć"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    pomoc = menu(menuBar, "pomoc", QStringLiteral("&Pomoc"));
    Instr_obs = item(pomoc, "Instr_obs", QStringLiteral("&Instrukcja obsługi edytora pytań"), QKeySequence(Qt::Key_F1));

    // ---- events
    ui::on(nowyzestaw, &QAction::triggered, [this] { nowyzestaw_Click(); });
    ui::on(otwórz, &QAction::triggered, [this] { otwórz_Click(); });
    ui::on(Odśw, &QAction::triggered, [this] { Odśw_Click(); });
    ui::on(ZamiknijZST, &QAction::triggered, [this] { ZamiknijZST_Click(); });
    ui::on(wyjdź, &QAction::triggered, [this] { wyjdź_Click(); });
    ui::on(PierRek, &QAction::triggered, [this] { PierRek_Click(); });
    ui::on(poprzedni, &QAction::triggered, [this] { Command1_Click(); });
    ui::on(następny, &QAction::triggered, [this] { Command2_Click(); });
    ui::on(OstRek, &QAction::triggered, [this] { OstRek_Click(); });
    ui::on(CzyśćPola, &QAction::triggered, [this] { CzyśćPola_Click(); });
    ui::on(Zaz_all, &QAction::triggered, [this] { Zaz_all_Click(); });
    ui::on(Odz_all, &QAction::triggered, [this] { Odz_all_Click(); });
    ui::on(odwróć, &QAction::triggered, [this] { odwróć_Click(); });
    ui::on(Instr_obs, &QAction::triggered, [this] { Instr_obs_Click(); });
    ui::on(Command1, &QPushButton::clicked, [this] { Command1_Click(); });
    ui::on(Command2, &QPushButton::clicked, [this] { Command2_Click(); });
    ui::onClick(Picture1, [this] { Picture1_Click(); });
    ui::onClick(Picture2, [this] { Picture2_Click(); });
}

std::array<ui::RecordBox*, 7> NoweWiedo::textBoxes() const { return {Text1, Text2, Text3, Text4, Text5, Text6, Text7}; }
std::array<QCheckBox*, 5> NoweWiedo::answerBoxes() const { return {Check1, Check2, Check3, Check4, Check5}; }

// ---- window events -----------------------------------------------------------------------------------

void NoweWiedo::Form_Load() { centre(); }

// The record moves need a set; a window coming back from the instructions keeps them while one is open.
void NoweWiedo::Form_Activate() { setRekordEnabled(!setPath_.isEmpty()); }

void NoweWiedo::Form_LostFocus() { centre(); }

void NoweWiedo::changeEvent(QEvent* event) {
    ui::Form::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isVisible() && !isActiveWindow())
        ui::guarded([this] { Form_LostFocus(); });
}

void NoweWiedo::Form_Unload(bool& cancel) {
    if (isVisible() && !mayLeaveRecord()) {
        cancel = true;
        return;
    }
    if (platform::msgBox(QStringLiteral("Czy chcesz wyjść z edytora pytań ?"), Buttons::YesNo, Icon::Information,
                         QStringLiteral("Koniec ?")) != platform::Answer::Yes) {
        cancel = true;
        return;
    }
    closeEveryFile();
    TMP();
    Hide();
}

// ---- menu "Pytania" ----------------------------------------------------------------------------------

void NoweWiedo::nowyzestaw_Click() {
    if (!mayLeaveRecord())
        return;
    const std::optional<QString> chosen =
        platform::dialogs().saveFile({QString(), CD1.Filter, QString(), CD1.FileName});
    if (!chosen || chosen->isEmpty())
        return;  // cancelled: no file is touched
    // A name typed without an extension gets the sets' own, so that the open dialogs list the new set.
    const QString path = QFileInfo(*chosen).suffix().isEmpty() ? *chosen + QStringLiteral(".kwz") : *chosen;
    CD1.FileName = path;
    closeEveryFile();
    try {
        questionset::createEmptySet(path);
    } catch (const platform::FileError&) {
        return;
    }
    setOpenSet(path);
    setCounters(1, 1);
    Aktyw();
    // The fields keep what they hold: that is the question the first Next appends.
    onScreenInFile_ = false;
    markShown();
}

void NoweWiedo::otwórz_Click() {
    if (!mayLeaveRecord())
        return;
    const std::optional<QString> chosen =
        platform::dialogs().openFile({QString(), CD1.Filter, QString(), QString()});
    if (!chosen || chosen->isEmpty())
        return;
    openChosen(*chosen);
}

void NoweWiedo::openAt(const QString& path, int number) {
    if (!mayLeaveRecord() || !openChosen(path) || number <= 1 || number > count())
        return;
    closeEveryFile();
    try {
        const questionset::Question question = questionset::readForEditor(setPath_, number);
        setCounters(number, count());
        showRecord(question);
    } catch (const EditorError& error) {
        platform::msgBox(QStringLiteral("Pytanie nr %1: zestaw pytań %2 %3. Na ekranie zostaje pierwsze pytanie.")
                             .arg(number)
                             .arg(setPath_, reasonText(error)),
                         Buttons::Ok, Icon::Exclamation, QStringLiteral("Błąd zestawu pytań"));
    }
}

bool NoweWiedo::openChosen(const QString& path) {
    CD1.FileName = path;
    closeEveryFile();
    // From here on the record operations act on this set only if it proves to be one.
    setOpenSet(QString());
    try {
        if (!questionset::checkHeader(path)) {
            platform::msgBox(QStringLiteral("Ten plik został uszkodzony !!!"), Buttons::Ok, Icon::Exclamation,
                             QStringLiteral("Nieprawidłowy format pliku"));
            return false;
        }
        setCounterTexts(QStringLiteral("1"), Label13->text());
        const int questions = questionset::countQuestions(
            path, [this](int n) { setCounterTexts(Label11->text(), platform::numberText(n)); });
        closeEveryFile();
        setOpenSet(path);
        CzyśćPola_Click();
        Aktyw();
        if (questions == 0) {
            // A set with no question yet is a new set, ready for its first one.
            setCounters(1, 1);
            showNewRecord();
            return true;
        }
        showRecord(questionset::readQuestion(path, 1));
        return true;
    } catch (const platform::FileError&) {
        closeEveryFile();
        return false;
    }
}

void NoweWiedo::Odśw_Click() {
    for (QWidget* box : textBoxes())
        box->repaint();
    for (QWidget* box : answerBoxes())
        box->repaint();
    for (QWidget* l : {Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10, Label11,
                       Label12, Label13})
        l->repaint();
    repaint();
}

void NoweWiedo::ZamiknijZST_Click() {
    if (!mayLeaveRecord())
        return;
    closeEveryFile();
    setOpenSet(QString());
    CzyśćPola_Click();
    Odśw_Click();
    setRecordControlsEnabled(false);
    setRekordEnabled(false);
    setCounterTexts(QStringLiteral("0"), QStringLiteral("0"));
}

void NoweWiedo::wyjdź_Click() {
    try {
        ui::forms().unload(*this);
    } catch (const std::exception&) {
        platform::msgBox(QStringLiteral("To okno nie potrafi samo się zamknąć. Jest to wewnętrzny błąd "
                                        "kompilatora. Wszelkie skargi proszę kierować do założyciela pewnej "
                                        "bardzo dużej firmy produkującej oprogramowanie."),
                         Buttons::Ok, Icon::Critical, QStringLiteral("Błąd"));
    }
}

// ---- record moves ------------------------------------------------------------------------------------

void NoweWiedo::Command2_Click() {
    if (!haveSet())
        return;
    // A question being typed at the end is appended; one the set already holds, the last one included, is
    // saved in its place.
    if (current() == count() && !onScreenInFile_)
        nast_Dop();
    else
        śr_dop();
}

void NoweWiedo::nast_Dop() {
    if (!appendOnScreen())
        return;
    setCounters(current() + 1, count() + 1);
    showNewRecord();
}

bool NoweWiedo::appendOnScreen() {
    closeEveryFile();
    const auto checks = answerBoxes();
    if (count() >= questionset::maxQuestions) {
        platform::msgBox(QStringLiteral("Zestaw %1 jest pełny: edytor obsługuje najwyżej %2 pytań. Pytanie nie "
                                        "zostało dopisane.")
                             .arg(setPath_)
                             .arg(questionset::maxQuestions),
                         Buttons::Ok, Icon::Exclamation, QStringLiteral("Zestaw pełny"));
        return false;
    }
    if (std::none_of(checks.begin(), checks.end(), [](QCheckBox* c) { return c->isChecked(); }) &&
        platform::msgBox(QStringLiteral("Nie zaznaczyłeś żadnego rekordu. Czy kontynuować ( TAK - następny "
                                        "rekord   NIE - popraw rekord )"),
                         Buttons::YesNo, Icon::Exclamation,
                         QStringLiteral("Błąd czy tajny cios ?")) != platform::Answer::Yes)
        return false;
    if (Text7->text().isEmpty())
        Text7->setText(QStringLiteral("Brak"));
    try {
        questionset::appendInPlace(setPath_, screenRecord());
    } catch (const EditorError& error) {
        platform::msgBox(QStringLiteral("Dopisywanie pytania nr %1: zestaw pytań %2 %3. Zestaw pozostał bez "
                                        "zmian, a pytanie zostaje na ekranie.")
                             .arg(current())
                             .arg(setPath_, reasonText(error)),
                         Buttons::Ok, Icon::Exclamation, QStringLiteral("Błąd zestawu pytań"));
        return false;
    }
    return true;
}

void NoweWiedo::śr_dop() {
    const int c = current();
    const std::optional<questionset::Rewritten> rewritten = rewriteOnScreen();
    if (!rewritten)
        return;
    // Saved: on to the next question, as the button says; past the last one, a new question at the end.
    if (rewritten->following) {
        setCounters(c + 1, count());
        showRecord(*rewritten->following);
    } else {
        setCounters(c + 1, std::max(count(), c + 1));
        showNewRecord();
    }
    Odśw_Click();
}

std::optional<questionset::Rewritten> NoweWiedo::rewriteOnScreen() {
    closeEveryFile();
    const int c = current();
    try {
        return questionset::rewriteInPlace(setPath_, c, count(), screenRecord());
    } catch (const EditorError& error) {
        platform::msgBox(QStringLiteral("Zapisywanie pytania nr %1: zestaw pytań %2 %3. Zestaw pozostał bez "
                                        "zmian, a pytanie zostaje na ekranie.")
                             .arg(c)
                             .arg(setPath_, reasonText(error)),
                         Buttons::Ok, Icon::Exclamation, QStringLiteral("Błąd zestawu pytań"));
        return std::nullopt;
    }
}

bool NoweWiedo::saveOnScreen() {
    if (current() == count() && !onScreenInFile_) {
        // Appended, the question stays on screen as the last one of the set, as after "Ostatni rekord".
        if (!appendOnScreen())
            return false;
        onScreenInFile_ = true;
    } else if (!rewriteOnScreen()) {
        return false;
    }
    markShown();
    return true;
}

bool NoweWiedo::mayLeaveRecord() {
    if (setPath_.isEmpty() || screenRecord() == shown_)
        return true;
    switch (platform::msgBox(QStringLiteral("Pytanie na ekranie nie zostało zapisane. Czy zapisać je przed "
                                            "przejściem dalej ?"),
                             Buttons::YesNoCancel, Icon::Question, QStringLiteral("Niezapisane zmiany"))) {
    case platform::Answer::Yes:
        return saveOnScreen();
    case platform::Answer::No:
        markShown();  // the teacher gave the changes up: they are not asked about again
        return true;
    default:
        return false;
    }
}

void NoweWiedo::markShown() { shown_ = screenRecord(); }

void NoweWiedo::setOpenSet(const QString& path) {
    setPath_ = path;
    Label9->setText(path.isEmpty() ? QStringLiteral("Brak") : QFileInfo(path).fileName());
    Label9->setToolTip(QDir::toNativeSeparators(path));
}

void NoweWiedo::Command1_Click() {
    questionset::emptyWorkingCopy();
    Command1->setEnabled(false);
    Command2->setEnabled(false);
    const auto enableBoth = [this] {
        Command1->setEnabled(true);
        Command2->setEnabled(true);
    };
    if (!haveSet()) {
        enableBoth();
        return;
    }
    if (Label11->text() == QStringLiteral("1")) {
        platform::beep();
        platform::msgBox(QStringLiteral("To jest pierwszy rekord. Nie ma rekordów ujemnych, ani rekordu zerowego !!!"),
                         Buttons::Ok, Icon::Exclamation, QStringLiteral("Od kiedy rekordy są ujemne !!!"));
        enableBoth();
        return;
    }
    if (!mayLeaveRecord()) {
        enableBoth();
        return;
    }
    const int c = current() - 1;
    closeEveryFile();
    try {
        const questionset::Question question = questionset::readForEditor(setPath_, c);
        setCounters(c, count());
        showRecord(question);
    } catch (const EditorError& error) {
        platform::msgBox(QStringLiteral("Poprzedni rekord (pytanie nr %1): zestaw pytań %2 %3. Na ekranie "
                                        "zostaje to, co było.")
                             .arg(c)
                             .arg(setPath_, reasonText(error)),
                         Buttons::Ok, Icon::Exclamation, QStringLiteral("Błąd zestawu pytań"));
    }
    enableBoth();
    questionset::emptyWorkingCopy();
}

void NoweWiedo::Picture1_Click() {
    // With no set open the pictures are as dead as the buttons beside them.
    if (Command1->isEnabled())
        Command1_Click();
}

void NoweWiedo::Picture2_Click() {
    if (Command2->isEnabled())
        Command2_Click();
}

void NoweWiedo::PierRek_Click() {
    if (!haveSet() || !mayLeaveRecord())
        return;
    closeEveryFile();
    try {
        const questionset::Question question = questionset::readForEditor(setPath_, 1);
        showRecord(question);
        setCounters(1, count());
    } catch (const EditorError& error) {
        platform::msgBox(QStringLiteral("Pierwszy rekord: zestaw pytań %1 %2. Na ekranie zostaje to, co było.")
                             .arg(setPath_, reasonText(error)),
                         Buttons::Ok, Icon::Exclamation, QStringLiteral("Błąd zestawu pytań"));
    }
}

void NoweWiedo::OstRek_Click() {
    if (!haveSet() || !mayLeaveRecord())
        return;
    closeEveryFile();
    try {
        const questionset::LastQuestion last = questionset::readLast(setPath_);
        if (!last.question) {
            setCounters(1, 1);
            showNewRecord();
            return;
        }
        setCounters(last.count, last.count);
        showRecord(*last.question);
    } catch (const EditorError& error) {
        platform::msgBox(QStringLiteral("Ostatni rekord: zestaw pytań %1 %2. Na ekranie zostaje to, co było.")
                             .arg(setPath_, reasonText(error)),
                         Buttons::Ok, Icon::Exclamation, QStringLiteral("Błąd zestawu pytań"));
    }
}

void NoweWiedo::CzyśćPola_Click() {
    for (ui::RecordBox* box : textBoxes())
        box->setText(QString());
    Odz_all_Click();
}

// ---- menu "Odpowiedzi" and "Pomoc" -------------------------------------------------------------------

void NoweWiedo::Zaz_all_Click() {
    for (QCheckBox* box : answerBoxes())
        box->setChecked(true);
}

void NoweWiedo::Odz_all_Click() {
    for (QCheckBox* box : answerBoxes())
        box->setChecked(false);
}

void NoweWiedo::odwróć_Click() {
    for (QCheckBox* box : answerBoxes())
        box->setChecked(!box->isChecked());
}

void NoweWiedo::Instr_obs_Click() { ui::forms().byName(QStringLiteral("N_edit")).ShowModal(); }

// ---- procedures --------------------------------------------------------------------------------------

void NoweWiedo::Aktyw() {
    setRecordControlsEnabled(true);
    setRekordEnabled(true);
}

void NoweWiedo::TMP() { questionset::removeWorkingCopy(); }

void NoweWiedo::setRekordEnabled(bool enabled) {
    // The items go with their menu, shortcuts included.
    rekord->menuAction()->setEnabled(enabled);
    for (QAction* action : rekord->actions())
        action->setEnabled(enabled);
}

void NoweWiedo::setRecordControlsEnabled(bool enabled) {
    for (QWidget* box : textBoxes())
        box->setEnabled(enabled);
    for (QWidget* box : answerBoxes())
        box->setEnabled(enabled);
    Command1->setEnabled(enabled);
    Command2->setEnabled(enabled);
}

questionset::Question NoweWiedo::screenRecord() const {
    questionset::Question q;
    q.texts.question = Text1->text();
    const auto boxes = textBoxes();
    for (std::size_t i = 0; i < 5; ++i)
        q.texts.answers[i] = boxes[i + 1]->text();
    q.texts.hint = Text7->text();
    const auto checks = answerBoxes();
    for (std::size_t i = 0; i < 5; ++i)
        q.flags[i] = checks[i]->isChecked() ? 1 : 2;
    return q;
}

void NoweWiedo::showRecord(const questionset::Question& question) {
    Text1->setText(question.texts.question);
    const auto boxes = textBoxes();
    for (std::size_t i = 0; i < 5; ++i)
        boxes[i + 1]->setText(question.texts.answers[i]);
    Text7->setText(question.texts.hint);
    const auto checks = answerBoxes();
    for (std::size_t i = 0; i < 5; ++i)
        checks[i]->setChecked(question.flags[i] == 1);
    onScreenInFile_ = true;
    markShown();
}

void NoweWiedo::showNewRecord() {
    for (ui::RecordBox* box : textBoxes())
        box->setText(QString());
    Text7->setText(QStringLiteral("Brak"));
    Odz_all_Click();
    onScreenInFile_ = false;
    markShown();
}

int NoweWiedo::current() const { return static_cast<int>(platform::captionValue(Label11->text())); }
int NoweWiedo::count() const { return static_cast<int>(platform::captionValue(Label13->text())); }

void NoweWiedo::setCounters(int currentNumber, int countNumber) {
    setCounterTexts(platform::numberText(currentNumber), platform::numberText(countNumber));
}

void NoweWiedo::setCounterTexts(const QString& currentText, const QString& countText) {
    ui::showValue(Label11, Label10->text(), currentText);
    ui::showValue(Label13, QStringLiteral("Liczba pytań"), countText);
}

bool NoweWiedo::haveSet() {
    if (!setPath_.isEmpty())
        return true;
    platform::msgBox(noSetPrompt, Buttons::Ok, Icon::Exclamation, QStringLiteral("Brak zestawu"));
    return false;
}

}  // namespace windows
