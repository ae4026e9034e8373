// The converter window: opened from the main window without modality, its lists picking the set and
// proposing the text file's name, the hint switch, a conversion with its counter and percentage, the
// reset after it, and the refusals and messages.
#include "main/main_session.h"
#include "windows/converter/kwz_txt.h"
#include "windows/registry.h"

#include <QDir>
#include <QPainter>

using platform::Buttons;
using platform::Icon;
using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;
using windows::KWZ_Txt;

namespace {

QByteArray setBytes(int questions) {
    QByteArray bytes = "\"Kwiz v 1.0\"\r\n";
    for (int i = 1; i <= questions; ++i)
        bytes += QStringLiteral("\"pytanie %1\",\"a\",\"b\",\"c\",\"\",\"e\",\"h\"\r\n1,2,2,2,2\r\n").arg(i).toLatin1();
    return bytes;
}

// Records the text a label had each time it was painted: what the user saw.
class PaintedTexts : public QObject {
public:
    explicit PaintedTexts(QLabel* label) : label_(label) { label->installEventFilter(this); }
    QStringList texts;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            texts << label_->text();
        return false;
    }

private:
    QLabel* label_;
};

}  // namespace

class tst_KWZ_Txt : public QObject {
    Q_OBJECT

    // The converter on screen, its lists in a folder holding the given sets.
    KWZ_Txt& converterIn(const QString& folder) {
        auto& w = ui::forms().get<KWZ_Txt>();
        w.Show();
        if (!QTest::qWaitForWindowExposed(&w))
            qFatal("the converter never came on screen");
        w.Dir1->setPath(folder);
        return w;
    }
    static QString folderWith(ProgramFixture& fx, const QStringList& names, int questions = 2) {
        const QString folder = fx.root() + QStringLiteral("/zestawy");
        QDir().mkpath(folder);
        for (const QString& name : names)
            fx.write(folder + u'/' + name, setBytes(questions));
        return folder;
    }

private slots:
    void initTestCase() { windows::registerAll(); }

    void openedFromMenuWithoutModality() {
        ProgramFixture fx;
        ScriptedDialogs dialogs;
        windows::Wiedo& main = mainsession::start(fx);
        main.KWZ_to_txt->trigger();
        auto* converter = ui::forms().findLoaded(QStringLiteral("KWZ_Txt"));
        QVERIFY(converter && converter->isVisible());
        QVERIFY(!converter->isShowingModal());
        QCOMPARE(converter->windowTitle(),
                 QStringLiteral("Konwerter plików z zestawami pytań na pliki tekstowe ( KWZ -> TXT )"));
        // The main window's own commands still answer while the converter is open.
        QVERIFY(main.isVisible() && main.isEnabled());
        QStringList shown;
        ui::forms().queueModalScript(QStringLiteral("Autor_"), [&shown](ui::Form& window) {
            shown << window.name();
            window.Hide();
        });
        main.mnuBitmap2->trigger();
        QCOMPARE(shown, QStringList{"Autor_"});
        QVERIFY(converter->isVisible());
        // The bands run from RGB(255, 11, 100) at the top towards RGB(0, 11, 100).
        const QColor top = converter->persistentImage().pixelColor(3, 1);
        const QColor low = converter->persistentImage().pixelColor(3, converter->persistentImage().height() * 9 / 10);
        QVERIFY(top.red() > 245 && low.red() < 40);
        QCOMPARE(QList<int>({top.green(), top.blue(), low.green(), low.blue()}), QList<int>({11, 100, 11, 100}));
        WIEDO_VERIFY_DIALOGS(dialogs);
        QCOMPARE(fx.leftovers(), QString());
    }

    void pickingInAFolder_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("text1");
        QTest::newRow("two sets: the first selected") << QStringList{"HISTORIA.KWZ", "biologia.kwz"} << "biologia.TXT";
        QTest::newRow("one set: nothing selected, the old name stays") << QStringList{"HISTORIA.KWZ"} << "stary.TXT";
        QTest::newRow("no set") << QStringList{} << "stary.TXT";
        QTest::newRow("other files are not listed") << QStringList{"a.txt", "b.kwz.bak", "c.Kwz"} << "stary.TXT";
    }
    void pickingInAFolder() {
        QFETCH(QStringList, files);
        QFETCH(QString, text1);
        ProgramFixture fx;
        ScriptedDialogs dialogs;
        const QString folder = folderWith(fx, files);
        auto& w = ui::forms().get<KWZ_Txt>();
        w.Show();
        w.Text1->setText(QStringLiteral("stary.TXT"));
        w.Dir1->setPath(folder);
        QCOMPARE(w.Text1->text(), text1);
        QCOMPARE(w.File1->path(), folder);
        QCOMPARE(w.File1->count(), static_cast<int>(files.filter(QRegularExpression("\\.kwz$", QRegularExpression::CaseInsensitiveOption)).size()));
        WIEDO_VERIFY_DIALOGS(dialogs);
    }

    void clickingAFileNamesTheTextFile() {
        ProgramFixture fx;
        ScriptedDialogs dialogs;
        auto& w = converterIn(folderWith(fx, {"HISTORIA.KWZ"}));
        QVERIFY(w.File1->fileName().isEmpty());
        const QRect row = w.File1->visualItemRect(w.File1->item(0));
        QTest::mouseClick(w.File1->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(w.Text1->text(), QStringLiteral("HISTORIA.TXT"));
    }

    void labelTogglesHints() {
        ProgramFixture fx;
        auto& w = ui::forms().get<KWZ_Txt>();
        w.Show();
        QVERIFY(!w.Check1->isChecked());
        QTest::mouseClick(w.Label6, Qt::LeftButton);
        QVERIFY(w.Check1->isChecked());
        QTest::mouseClick(w.Label6, Qt::LeftButton);
        QVERIFY(!w.Check1->isChecked());
    }

    void convertShowsCountAndPercentThenResets() {
        ProgramFixture fx;
        ScriptedDialogs dialogs;
        const QString folder = folderWith(fx, {"a.kwz", "b.kwz"}, 3);
        auto& w = converterIn(folder);
        w.Text1->setText(folder + QStringLiteral("/wynik.txt"));
        QTest::mouseClick(w.Label6, Qt::LeftButton);
        PaintedTexts count(w.Label5);
        PaintedTexts percent(w.Label3);
        w.Command1->click();  // no event loop afterwards: only what the command itself painted is recorded
        WIEDO_VERIFY_DIALOGS(dialogs);
        QCOMPARE(fx.read(folder + QStringLiteral("/wynik.txt")).count(testsupport::cp1250(QStringLiteral("Wskazówka :\r\n"))), 3);
        // What was on screen just before the reset (the reset's own "0" may be painted by the bar's steps).
        count.texts.removeAll(QStringLiteral("0"));
        percent.texts.removeAll(QStringLiteral("0 %"));
        QVERIFY(!count.texts.isEmpty() && !percent.texts.isEmpty());
        QCOMPARE(count.texts.last(), QStringLiteral("3"));
        QCOMPARE(percent.texts.last(), QStringLiteral(" 100 %"));
        // Reset for the next set.
        QCOMPARE(w.Text1->text(), QString());
        QCOMPARE(w.Label5->text(), QStringLiteral("0"));
        QCOMPARE(w.Label3->text(), QStringLiteral("0 %"));
        QCOMPARE(w.ProgressBar1->value(), 0);
    }

    void largeSetRepaintsFarLessThanOncePerQuestion() {
        ProgramFixture fx;
        ScriptedDialogs dialogs;
        const QString folder = folderWith(fx, {"duzy.kwz"}, 5000);
        auto& w = converterIn(folder);
        w.File1->select(0);
        w.Text1->setText(folder + QStringLiteral("/duzy.txt"));
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        WIEDO_VERIFY_DIALOGS(dialogs);
        QCOMPARE(fx.read(folder + QStringLiteral("/duzy.txt")).count("\r\n"), 5000 * 7);
        QVERIFY2(w.repaints() >= 2 && w.repaints() < 500, qPrintable(QString::number(w.repaints())));
    }

    void refusals_data() {
        QTest::addColumn<bool>("selectFile");
        QTest::addColumn<QString>("textName");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("title");
        QTest::addColumn<Icon>("icon");
        QTest::newRow("no file selected") << false << "x.TXT" << "Nie wybrałeś żadnego pliku" << "Błąd" << Icon::Critical;
        QTest::newRow("no text file name") << true << "" << "Nie wybrałeś żadnego pliku" << "Błąd" << Icon::Critical;
        QTest::newRow("the set itself") << true << "@/a.kwz" << "" << "Zła nazwa pliku" << Icon::Exclamation;
    }
    void refusals() {
        QFETCH(bool, selectFile);
        QFETCH(QString, textName);
        QFETCH(QString, prompt);
        QFETCH(QString, title);
        QFETCH(Icon, icon);
        ProgramFixture fx;
        ScriptedDialogs dialogs;
        const QString folder = folderWith(fx, {"a.kwz"});
        auto& w = converterIn(folder);
        if (selectFile)
            w.File1->select(0);
        textName.replace(u'@', folder);
        w.Text1->setText(textName);
        if (prompt.isEmpty())
            prompt = QStringLiteral("Plik %1 jest zestawem pytań, a nie plikiem tekstowym. Zapisanie go zniszczyłoby "
                                    "zestaw, więc podaj inną nazwę, na przykład z rozszerzeniem TXT.")
                         .arg(textName);
        dialogs.expectMessage(prompt, title, icon);
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        WIEDO_VERIFY_DIALOGS(dialogs);
        QCOMPARE(fx.read(folder + QStringLiteral("/a.kwz")), setBytes(2));
    }

    void damagedSetSaysSoAndKeepsWhatWasWritten() {
        ProgramFixture fx;
        ScriptedDialogs dialogs;
        const QString folder = fx.root() + QStringLiteral("/zestawy");
        QDir().mkpath(folder);
        fx.write(folder + QStringLiteral("/cut.kwz"), setBytes(3).chopped(12));
        auto& w = converterIn(folder);
        w.File1->select(0);
        const QString out = folder + QStringLiteral("/cut.txt");
        w.Text1->setText(out);
        dialogs.expectMessage(QStringLiteral("Zestaw pytań jest uszkodzony: pytanie nr 3 nie ma wszystkich pól.\r"
                                             "Plik %1 zawiera pytania od 1 do 2.")
                                  .arg(out),
                              testing::damagedSetTitle, Icon::Exclamation);
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        WIEDO_VERIFY_DIALOGS(dialogs);
        QCOMPARE(fx.read(out).count("\r\n"), 14);
    }

    void driveNotReady() {
        ProgramFixture fx;
        ScriptedDialogs dialogs;
        auto& w = converterIn(fx.root());
        w.Drive1->setDrives({QStringLiteral("c:"), QStringLiteral("/"), QStringLiteral("a:")});
        const QString before = w.Dir1->path();
        dialogs.expectMessage(QStringLiteral("Włóż dyskietkę !!!"), QStringLiteral("Brak dyskietki"), Icon::Exclamation);
        w.Drive1->setCurrentIndex(w.Drive1->findText(QStringLiteral("a:")));
        WIEDO_VERIFY_DIALOGS(dialogs);
        QCOMPARE(w.Drive1->drive(), w.Dir1->drive());
        QCOMPARE(w.Dir1->path(), before);
    }

    void cancelHidesAndKeepsState() {
        ProgramFixture fx;
        ScriptedDialogs dialogs;
        auto& w = converterIn(folderWith(fx, {"a.kwz", "b.kwz"}));
        QTest::mouseClick(w.Label6, Qt::LeftButton);
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        ui::forms().get<KWZ_Txt>().Show();
        QCOMPARE(&ui::forms().get<KWZ_Txt>(), &w);
        QCOMPARE(w.Text1->text(), QStringLiteral("a.TXT"));
        QVERIFY(w.Check1->isChecked());
    }
};

QTEST_MAIN(tst_KWZ_Txt)
#include "tst_kwz_txt.moc"
