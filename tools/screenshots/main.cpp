// Takes the pictures of the program's own windows that the instructions windows and the README show.
// The real windows run in a temporary installation (program folder and drive C:), are driven through
// their controls as a user drives them, grabbed under the offscreen platform and written as PNG files:
//
//     wiedo_screenshots OUTPUT_FOLDER
//
// Help pictures at the sizes of the instructions windows' picture boxes:
//     inform.png  the main window during a test (the picture of the instructions window)
//     dod1.png    the menu "Wiedo" open on "Otwórz plik testu"
//     dod2.png    a part of the open dialog with a question set chosen
//     dod3.png    the sign-in window filled in
//     dod4.png    the Start/next button below the answers, one of them ticked
// Whole windows for the README:
//     main_window.png, sign_in.png, grading_scale.png, question_editor.png (the history set's most wordy
//     question in the editor), and message_box.png (a counter's message)
// The exit code is 0 only when every picture was written.
#include "grabbing_dialogs.h"

#include "platform/clock.h"
#include "platform/gui/qt_language.h"
#include "questionset/questionset.h"
#include "support/program_fixture.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/record_box.h"
#include "windows/editor/nowe_wiedo.h"
#include "windows/info/dod.h"
#include "windows/info/inform.h"
#include "windows/main/wiedo.h"
#include "windows/scale_editor/punkty.h"
#include "windows/signin/open_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFileDialog>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

using questionset::Question;

// Shown on the main window's clock in every picture, so that a new run gives the same files.
const QDateTime pictureTime(QDate(2024, 3, 14), QTime(10, 24, 37));

[[noreturn]] void fail(const QString& what) { throw std::runtime_error(what.toStdString()); }

// The example sets installed beside the program, as a new user finds them. Returns the history set, whose
// most wordy question the main window's picture shows.
QString copyExampleSets(const QString& folder) {
    for (const QString& name : {QStringLiteral("historia.kwz"), QStringLiteral("geografia.kwz"), QStringLiteral("przyroda.kwz")}) {
        const QString source = QStringLiteral(WIEDO_EXAMPLES_DIR "/") + name;
        if (!QFile::copy(source, folder + u'/' + name))
            fail(QStringLiteral("cannot copy the example set %1").arg(source));
    }
    return folder + QStringLiteral("/historia.kwz");
}

// The number of the question with the most text (question, answers and hint together).
int wordiestQuestion(const QString& set) {
    const int count = questionset::countQuestions(set);
    int wordiest = 1;
    qsizetype most = -1;
    for (int n = 1; n <= count; ++n) {
        const Question q = questionset::readQuestion(set, n);
        qsizetype length = q.texts.question.size() + q.texts.hint.size();
        for (const QString& answer : q.texts.answers)
            length += answer.size();
        if (length > most) {
            most = length;
            wordiest = n;
        }
    }
    return wordiest;
}

// ---- pictures ------------------------------------------------------------------------------------------

// The area made to the proportions of the picture it will become, about its centre and inside the
// window: it grows where the window has room, and is cut where it has none.
QRect withProportions(QRect area, QSize picture, QRect bounds) {
    area &= bounds;
    const double ratio = double(picture.width()) / picture.height();
    int width = area.width();
    int height = area.height();
    if (width < height * ratio)
        width = qRound(height * ratio);
    else
        height = qRound(width / ratio);
    if (width > bounds.width()) {
        width = bounds.width();
        height = qRound(width / ratio);
    }
    if (height > bounds.height()) {
        height = bounds.height();
        width = qRound(height * ratio);
    }
    QRect shown(0, 0, width, height);
    shown.moveCenter(area.center());
    shown.moveLeft(std::clamp(shown.left(), bounds.left(), bounds.right() + 1 - width));
    shown.moveTop(std::clamp(shown.top(), bounds.top(), bounds.bottom() + 1 - height));
    return shown;
}

// A part of a window, made smaller to the size of the picture box that shows it.
QImage part(const QImage& window, const QRect& area, QSize picture) {
    const QRect shown = withProportions(area, picture, window.rect());
    return window.copy(shown).scaled(picture, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The area of some controls of a window, with a margin, in the window's pixels.
QRect around(std::initializer_list<const QWidget*> controls, int margin = 6) {
    QRect area;
    for (const QWidget* control : controls)
        area |= control->geometry();
    return area.adjusted(-margin, -margin, margin, margin);
}

QImage grabbed(QWidget& widget) {
    QCoreApplication::processEvents();
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

class Pictures {
public:
    explicit Pictures(QString folder) : folder_(std::move(folder)) {}

    void save(const QString& name, const QImage& image) {
        const QString path = folder_ + u'/' + name;
        if (image.isNull() || !image.save(path, "PNG"))
            fail(QStringLiteral("cannot write %1").arg(path));
        std::printf("%s %dx%d\n", qPrintable(path), image.width(), image.height());
        std::fflush(stdout);
    }

private:
    QString folder_;
};

// The pointer resting on a control, as Qt delivers it (the main window's help line follows it).
void hover(QWidget* control) {
    const QPointF at = control->rect().center();
    QMouseEvent move(QEvent::MouseMove, at, control->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(control, &move);
}

void click(QWidget* control) {
    if (!control->isEnabled() || !control->isVisible())
        fail(QStringLiteral("%1 cannot be clicked").arg(control->objectName()));
    QTest::mouseClick(control, Qt::LeftButton);
}

// Waits until the open dialog lists the files of its folder (the list fills in the background).
QAbstractItemView* filledFileList(QFileDialog& dialog, int files) {
    for (int i = 0; i < 300; ++i) {
        for (QAbstractItemView* view : dialog.findChildren<QAbstractItemView*>()) {
            if (view->isVisible() && view->model() && view->model()->rowCount(view->rootIndex()) >= files)
                return view;
        }
        QTest::qWait(10);
    }
    fail(QStringLiteral("the open dialog did not list the question sets"));
}

void takePictures(const QString& output) {
    testsupport::ProgramFixture fx;
    platform::setFixedNow(pictureTime);
    fx.writeWiedoIni();
    fx.write(QStringLiteral("Wiedo.cfg"), "\"\"\r\n");
    fx.write(QStringLiteral("ptk.ptk"), "40,39,34,27,19,12\r\n");
    fx.write(QStringLiteral("run.run"), "6\r\n");
    // Beside the program, where the open dialog starts, as the example sets are installed.
    const QString history = copyExampleSets(fx.programFolder());
    const int shownQuestion = wordiestQuestion(history);
    tools::GrabbingDialogs dialogs;
    Pictures pictures(output);

    if (!fx.startUp() || ui::forms().hasEnded())
        fail(QStringLiteral("the start procedure did not finish"));
    auto& inform = ui::forms().get<windows::Inform>();
    const QSize informPicture = inform.Image1->size();
    auto& dod = ui::forms().get<windows::Dod>();
    const QSize stepPicture = dod.Image2->size();
    dod.Hide();
    click(inform.Command1);  // "GRAM !!!"
    auto& main = ui::forms().get<windows::Wiedo>();

    // The grading scale editor, opened by the teacher's menu, with the default scale.
    ui::forms().queueModalScript(windows::Punkty::formName, [&](ui::Form& form) {
        auto& scale = static_cast<windows::Punkty&>(form);
        try {
            click(scale.Command1);  // "&Standart"
            pictures.save(QStringLiteral("grading_scale.png"), grabbed(scale));
            click(scale.Command3);  // "Powrót"
        } catch (const std::exception& e) {
            dialogs.noteProblem(QString::fromStdString(e.what()));
            scale.Hide();
        }
    });
    main.Punktacja->trigger();

    // The question editor with the most wordy question of the history set on screen, as moving to it in
    // the opened set shows it.
    ui::forms().queueModalScript(windows::NoweWiedo::formName, [&](ui::Form& form) {
        auto& editor = static_cast<windows::NoweWiedo&>(form);
        try {
            const Question q = questionset::readQuestion(history, shownQuestion);
            const auto boxes = editor.textBoxes();
            boxes[0]->setText(q.texts.question);
            for (std::size_t i = 0; i < 5; ++i) {
                boxes[i + 1]->setText(q.texts.answers[i]);
                editor.answerBoxes()[i]->setChecked(q.flags[i] == 1);
            }
            boxes[6]->setText(q.texts.hint);
            editor.Label11->setText(QString::number(shownQuestion));
            editor.Label13->setText(QString::number(questionset::countQuestions(history)));
            editor.Aktyw();
            editor.Command2->setFocus();  // no blinking text cursor: the same picture on every run
            pictures.save(QStringLiteral("question_editor.png"), grabbed(editor));
        } catch (const std::exception& e) {
            dialogs.noteProblem(QString::fromStdString(e.what()));
        }
        editor.Hide();
    });
    main.edytujwiedo->trigger();

    // Step 1: the menu "Wiedo" dropped down, the pointer on "Otwórz plik testu". The menu is a window of
    // its own; it goes onto the main window where it opened.
    main.menuBar->setActiveAction(main.tekty_->menuAction());
    QTest::qWait(50);
    if (!main.tekty_->isVisible())
        fail(QStringLiteral("the menu did not open"));
    main.tekty_->setActiveAction(main.otwórz);
    QImage menuShot = grabbed(main);
    {
        QPainter painter(&menuShot);
        painter.drawImage(main.mapFromGlobal(main.tekty_->geometry().topLeft()), grabbed(*main.tekty_));
    }
    const QRect menuArea = main.tekty_->geometry().translated(main.mapFromGlobal(QPoint(0, 0)));
    main.tekty_->hide();
    main.menuBar->setActiveAction(nullptr);
    pictures.save(QStringLiteral("dod1.png"),
                  part(menuShot, menuArea.united(QRect(0, 0, 1, 1)).adjusted(0, 0, 12, 12), stepPicture));

    // Step 2: the open dialog of "Otwórz plik testu", a question set chosen. The part below the folder
    // line: the folder's own name is a temporary one.
    dialogs.expect([&](QDialog& dialog) {
        auto* files = qobject_cast<QFileDialog*>(&dialog);
        if (!files)
            fail(QStringLiteral("expected the open dialog, saw %1").arg(dialog.windowTitle()));
        // The list alone, without the side bar of places, at a size whose lower part has the
        // proportions of the picture.
        files->setViewMode(QFileDialog::List);
        files->resize(370, 262);
        QAbstractItemView* list = filledFileList(*files, 3);
        auto* splitter = files->findChild<QSplitter*>();
        if (!splitter)
            fail(QStringLiteral("the open dialog has no side bar"));
        splitter->setCollapsible(0, true);
        splitter->setSizes({0, splitter->width()});
        // A click on the set in the list, as the user picks it.
        const QModelIndex root = list->rootIndex();
        QModelIndex chosen;
        for (int row = 0; row < list->model()->rowCount(root); ++row) {
            const QModelIndex index = list->model()->index(row, 0, root);
            if (index.data().toString() == QFileInfo(history).fileName())
                chosen = index;
        }
        if (!chosen.isValid())
            fail(QStringLiteral("the open dialog does not list %1").arg(history));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(chosen).center());
        QTest::qWait(50);
        const QImage shot = grabbed(*files);
        const int listTop = list->mapTo(files, QPoint(0, 0)).y();
        const QRect below(0, listTop - 6, files->width(), files->height() - listTop + 6);
        pictures.save(QStringLiteral("dod2.png"), part(shot, below, stepPicture));
        // "Otwórz", as the user clicks it.
        auto* buttons = files->findChild<QDialogButtonBox*>();
        QPushButton* open = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
        if (!open)
            fail(QStringLiteral("the open dialog has no open button"));
        click(open);
    });
    main.otwórz->trigger();
    if (!dialogs.allShown())
        fail(QStringLiteral("the open dialog was not shown"));

    // Step 3: the sign-in window, typed into.
    auto& signIn = ui::forms().get<windows::open_>();
    if (!signIn.isVisible())
        fail(QStringLiteral("the sign-in window was not shown ") + dialogs.problems());
    QTest::keyClicks(signIn.Text1, QStringLiteral("Zosia"));
    QTest::keyClicks(signIn.Text2, QStringLiteral("Nowakowska"));
    QTest::keyClicks(signIn.Text3, QStringLiteral("6b"));
    signIn.Command1->setFocus();
    const QImage signInShot = grabbed(signIn);
    pictures.save(QStringLiteral("sign_in.png"), signInShot);
    // The names and the button below them; the boxes are cut on the right.
    pictures.save(QStringLiteral("dod3.png"),
                  part(signInShot, around({signIn.Label1, signIn.Label3, signIn.Command1}), stepPicture));
    click(signIn.Command1);  // "Wprowadź personalia"

    // The test up to the wordiest question, every other one answered well, the correct answers of the
    // one on screen ticked and the pointer on the last of them.
    click(main.Command1);  // "Start"
    for (int n = 1;; ++n) {
        const Question q = questionset::readQuestion(history, n);
        QCheckBox* lastCorrect = nullptr;
        for (int x = 0; x < 5; ++x) {
            if (q.flags[static_cast<std::size_t>(x)] == 1 && (n == shownQuestion || n % 2 == 1)) {
                click(main.answerBox(x));
                lastCorrect = main.answerBox(x);
            }
        }
        if (n == shownQuestion) {
            if (lastCorrect)
                hover(lastCorrect);
            break;
        }
        click(main.Command1);
    }
    const QImage mainShot = grabbed(main);
    pictures.save(QStringLiteral("main_window.png"), mainShot);
    pictures.save(QStringLiteral("inform.png"),
                  part(mainShot, around({main.Label1, main.Check1, main.Label4, main.Check4, main.Label7}),
                       informPicture));
    // Step 4: the button below the answers, which now reads "Nastepne Pytanie".
    pictures.save(QStringLiteral("dod4.png"),
                  part(mainShot, around({main.Check3, main.Command1, main.Label2}), stepPicture));

    // A click on the good-answers counter tells its value in a message box.
    dialogs.expect([&](QDialog& dialog) {
        auto* box = qobject_cast<QMessageBox*>(&dialog);
        if (!box || box->buttons().size() != 1)
            fail(QStringLiteral("expected the counter's message, saw %1").arg(dialog.windowTitle()));
        pictures.save(QStringLiteral("message_box.png"), grabbed(*box));
        click(box->buttons().constFirst());  // "OK"
    });
    click(main.Label14);

    if (!dialogs.allShown())
        fail(QStringLiteral("a dialog was not shown"));
    const QString problems = fx.leftovers() + dialogs.problems();
    if (!problems.isEmpty())
        fail(problems);
}

}  // namespace

int main(int argc, char* argv[]) {
    // The pictures look the same on every machine: no window system, one style.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::useProgramStyle();
    platform::installPolishQtTexts(app);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", qPrintable(arguments.value(0)));
        return 2;
    }
    const QString output = QDir(arguments.at(1)).absolutePath();
    if (!QDir().mkpath(output)) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(output));
        return 1;
    }
    // A window that waits for a user nobody plays would hang the build: give up after a minute.
    QTimer::singleShot(60000, [] {
        std::fprintf(stderr, "the pictures took too long: a window is waiting for an answer\n");
        std::_Exit(1);
    });
    int code = 0;
    QTimer::singleShot(0, [&] {
        try {
            takePictures(output);
        } catch (const ui::ProgramEnded&) {
            std::fprintf(stderr, "the program ended while the pictures were taken\n");
            code = 1;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            code = 1;
        }
        QCoreApplication::exit(code);
    });
    app.exec();
    return code;
}
