// The converter window: opened without modality, its lists picking the set and naming the text file, a
// conversion with its count and percentage then the reset, and its refusals and messages.
#include "main/main_session.h"
#include "windows/converter/kwz_txt.h"
#include "windows/registry.h"

#include <QAccessible>

using platform::Icon;
using testsupport::ProgramFixture;
using testsupport::ScriptedDialogs;
using windows::KWZ_Txt;

namespace {

QByteArray setBytes(int n) {
    QByteArray bytes = "\"Kwiz v 1.0\"\r\n";
    for (int i = 1; i <= n; ++i)
        bytes += "\"pytanie " + QByteArray::number(i) + "\",\"a\",\"b\",\"c\",\"\",\"e\",\"h\"\r\n1,2,2,2,2\r\n";
    return bytes;
}

// The text a label had each time it was painted: what the user saw.
struct PaintedTexts : QObject {
    explicit PaintedTexts(QLabel* label) : label_(label) { label->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && label_->text() != QLatin1String("0") && label_->text() != "0 %")
            texts << label_->text();  // the reset's own texts left out
        return false;
    }
    QLabel* label_;
    QStringList texts;
};

}  // namespace

class tst_KWZ_Txt : public QObject {
    Q_OBJECT
    ProgramFixture* fx_ = nullptr;
    ScriptedDialogs* dialogs_ = nullptr;
    QString folder_;

    // The converter on screen, its lists in a folder holding these sets.
    KWZ_Txt& converterWith(const QStringList& names, const QByteArray& bytes = setBytes(3)) {
        for (const QString& name : names)
            fx_->write(folder_ + u'/' + name, bytes);
        auto& w = ui::forms().get<KWZ_Txt>();
        w.Show();
        if (!QTest::qWaitForWindowExposed(&w))
            qFatal("the converter never came on screen");
        w.Dir1->setPath(folder_);
        return w;
    }

private slots:
    void initTestCase() { windows::registerAll(); }
    void init() {
        fx_ = new ProgramFixture;
        dialogs_ = new ScriptedDialogs;
        QDir().mkpath(folder_ = fx_->root() + QStringLiteral("/zestawy"));
    }
    void cleanup() {
        WIEDO_VERIFY_DIALOGS(*dialogs_);
        delete dialogs_;
        delete fx_;
    }

    void openedFromMenuWithoutModality() {
        windows::Wiedo& main = mainsession::start(*fx_);
        main.KWZ_to_txt->trigger();
        auto* converter = ui::forms().findLoaded(QStringLiteral("KWZ_Txt"));
        QVERIFY(converter && converter->isVisible() && !converter->isShowingModal());
        QCOMPARE(converter->windowTitle(), "Konwerter plików z zestawami pytań na pliki tekstowe ( KWZ -> TXT )");
        // The main window's commands still answer while the converter is open.
        ui::forms().queueModalScript(QStringLiteral("Autor_"), [](ui::Form& window) { window.Hide(); });
        main.mnuBitmap2->trigger();
        QVERIFY(converter->isVisible());
        QCOMPARE(fx_->leftovers(), QString());
        const QImage& bands = converter->persistentImage();
        QCOMPARE(bands.pixelColor(3, 1).rgb() & 0xffff, 0x0b64u);  // RGB(255 - i, 11, 100)
        QVERIFY(bands.pixelColor(3, 1).red() > 245 && bands.pixelColor(3, bands.height() * 9 / 10).red() < 40);
    }

    void picking_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("text1");
        QTest::newRow("two sets: the first selected") << QStringList{"HISTORIA.KWZ", "biologia.kwz"} << "biologia.TXT";
        QTest::newRow("one set: nothing selected") << QStringList{"HISTORIA.KWZ"} << "stary.TXT";
        QTest::newRow("only other files") << QStringList{"a.txt", "b.kwz.bak"} << "stary.TXT";
        QTest::newRow("one set and a killed copy's new version of it")
            << QStringList{"HISTORIA.KWZ", "HISTORIA.KWZ.~0a7c9cdf-fa8-70144y"} << "stary.TXT";
    }
    void picking() {
        QFETCH(QStringList, files);
        QFETCH(QString, text1);
        auto& w = ui::forms().get<KWZ_Txt>();
        w.Text1->setText(QStringLiteral("stary.TXT"));
        converterWith(files);
        QCOMPARE(w.Text1->text(), text1);
        if (w.File1->count() == 1) {
            QTest::mouseClick(w.File1->viewport(), Qt::LeftButton, {}, w.File1->visualItemRect(w.File1->item(0)).center());
            QCOMPARE(w.Text1->text(), QStringLiteral("HISTORIA.TXT"));
        }
    }

    void shownOnFolderOfOneSetSelectsIt() {
        fx_->write(folder_ + QStringLiteral("/HISTORIA.KWZ"), setBytes(1));
        auto& w = ui::forms().get<KWZ_Txt>();
        w.Dir1->setPath(folder_);
        w.Show();
        QCOMPARE(w.Text1->text(), QStringLiteral("HISTORIA.TXT"));
    }

    void convertShowsCountAndPercentThenResets() {
        auto& w = converterWith({"a.kwz", "b.kwz"});
        w.Text1->setText(folder_ + QStringLiteral("/wynik.txt"));
        QTest::mouseClick(w.Label6, Qt::LeftButton);
        QVERIFY(w.Check1->isChecked());
        PaintedTexts count(w.Label5), percent(w.Label3);
        w.Command1->click();  // no event loop after it: only what the command itself painted is seen
        QCOMPARE(fx_->read(folder_ + QStringLiteral("/wynik.txt")).count("Wskaz\xf3wka :\r\n"), 3);
        QCOMPARE(count.texts.value(count.texts.size() - 1), QStringLiteral("3"));
        QCOMPARE(percent.texts.value(percent.texts.size() - 1), QStringLiteral(" 100 %"));
        QVERIFY(w.Text1->text().isEmpty() && w.Label5->text() == "0" && w.Label3->text() == "0 %");
        // Assistive technology reads each value with its caption.
        QCOMPARE(QAccessible::queryAccessibleInterface(w.Label5)->text(QAccessible::Name),
                 QStringLiteral("Liczba pytań 0"));
        QCOMPARE(QAccessible::queryAccessibleInterface(w.Label3)->text(QAccessible::Name),
                 QStringLiteral("Procent zaawansowania 0 %"));
        QCOMPARE(w.ProgressBar1->value(), 0);
        // "&Anuluj" hides the window; the next showing finds it as it was left.
        QTest::mouseClick(w.Command2, Qt::LeftButton);
        QVERIFY(!w.isVisible());
        ui::forms().get<KWZ_Txt>().Show();
        QVERIFY(w.Check1->isChecked());
    }

    void largeSetRepaintsFarLessThanOncePerQuestion() {
        auto& w = converterWith({"duzy.kwz"}, setBytes(5000));
        w.File1->select(0);
        w.Text1->setText(folder_ + QStringLiteral("/duzy.txt"));
        w.Command1->click();
        QCOMPARE(fx_->read(folder_ + QStringLiteral("/duzy.txt")).count("\r\n"), 5000 * 7);
        QVERIFY2(w.repaints() >= 2 && w.repaints() < 500, qPrintable(QString::number(w.repaints())));
    }

    void refusals_data() {
        QTest::addColumn<bool>("select");
        QTest::addColumn<QString>("textName");
        QTest::addColumn<QString>("title");
        QTest::newRow("no file selected") << false << "x.TXT" << "Błąd";
        QTest::newRow("no text file name") << true << "" << "Błąd";
        QTest::newRow("the set itself") << true << "a.KWZ" << "Zła nazwa pliku";
        QTest::newRow("set cut in question 3") << true << "cut.txt" << testing::damagedSetTitle;
    }
    void refusals() {
        QFETCH(bool, select);
        QFETCH(QString, textName);
        QFETCH(QString, title);
        const QByteArray bytes = textName == "cut.txt" ? setBytes(3).chopped(12) : setBytes(3);
        auto& w = converterWith({"a.kwz"}, bytes);
        if (select)
            w.File1->select(0);
        const QString out = textName.isEmpty() ? QString() : folder_ + u'/' + textName;
        w.Text1->setText(out);
        QString prompt = QStringLiteral("Nie wybrałeś żadnego pliku");
        if (title == "Zła nazwa pliku")
            prompt = "Plik " + out + " jest zestawem pytań, a nie plikiem tekstowym. Zapisanie go zniszczyłoby zestaw, "
                     "więc podaj inną nazwę, na przykład z rozszerzeniem TXT.";
        else if (title == testing::damagedSetTitle)
            prompt = "Zestaw pytań jest uszkodzony: pytanie nr 3 nie ma wszystkich pól.\rPlik " + out +
                     " zawiera pytania od 1 do 2.";
        dialogs_->expectMessage(prompt, title, title == "Błąd" ? Icon::Critical : Icon::Exclamation);
        QTest::mouseClick(w.Command1, Qt::LeftButton);
        QCOMPARE(fx_->read(folder_ + QStringLiteral("/a.kwz")), bytes);
        if (title == testing::damagedSetTitle)
            QCOMPARE(fx_->read(out).count("\r\n"), 14);
    }

    void driveNotReady() {
        auto& w = converterWith({});
        w.Drive1->setDrives({QStringLiteral("c:"), QStringLiteral("/"), QStringLiteral("a:")});
        dialogs_->expectMessage(QStringLiteral("Włóż dyskietkę !!!"), QStringLiteral("Brak dyskietki"), Icon::Exclamation);
        w.Drive1->setCurrentIndex(w.Drive1->findText(QStringLiteral("a:")));
        QCOMPARE(w.Drive1->drive(), w.Dir1->drive());
        QCOMPARE(w.Dir1->path(), folder_);
    }
};

QTEST_MAIN(tst_KWZ_Txt)
#include "tst_kwz_txt.moc"
