// The picture taker (tools/screenshots) run as the refresh script runs it, into a temporary folder: every
// picture is written, at the size of the place that shows it, with something on it, and the same bytes on
// every run. The pictures compiled into the program fit the instructions windows' picture boxes.
#include "support/program_fixture.h"
#include "ui/form.h"
#include "windows/editor/nowe_wiedo.h"
#include "windows/info/dod.h"
#include "windows/info/inform.h"
#include "windows/main/wiedo.h"
#include "windows/scale_editor/punkty.h"
#include "windows/signin/open_window.h"

#include <QDir>
#include <QHash>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList helpPictures = {QStringLiteral("inform.png"), QStringLiteral("dod1.png"), QStringLiteral("dod2.png"),
                                  QStringLiteral("dod3.png"), QStringLiteral("dod4.png")};
const QStringList windowPictures = {QStringLiteral("main_window.png"), QStringLiteral("sign_in.png"),
                                    QStringLiteral("grading_scale.png"), QStringLiteral("question_editor.png"),
                                    QStringLiteral("message_box.png")};

struct Run {
    int exitCode = -1;
    QByteArray output;
};

Run takePictures(const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(qEnvironmentVariable("WIEDO_SCREENSHOTS"), arguments);
    Run run;
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        run.output = "did not finish: " + process.readAll();
        return run;
    }
    run.output = process.readAll();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return run;
}

struct Colours {
    int distinct = 0;
    double commonestShare = 1;  // of the pixels, those with the most common colour
};

Colours coloursOf(const QImage& image) {
    QHash<QRgb, int> counts;
    int most = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            most = std::max(most, ++counts[image.pixel(x, y)]);
    return {int(counts.size()), double(most) / (image.width() * image.height())};
}

// A blank grab is one flat colour; an empty window is one colour with a few more in its frame. A real
// window has text on it (smoothed letters bring many shades) and no colour covering nearly all of it.
QString blankness(const QString& name, const QImage& picture) {
    const Colours colours = coloursOf(picture);
    if (colours.distinct < 32 || colours.commonestShare >= 0.9)
        return QStringLiteral("%1 looks blank: %2 colours, %3% of it one colour")
            .arg(name)
            .arg(colours.distinct)
            .arg(colours.commonestShare * 100);
    return QString();
}

}  // namespace

class tst_Screenshots : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void writesEveryPictureAndNothingElse();
    void pictureFitsItsPlaceAndShowsSomething_data();
    void pictureFitsItsPlaceAndShowsSomething();
    void compiledInPicturesFitTheInstructionsWindows();
    void sameBytesOnEveryRun();
    void wantsAnOutputFolder();

private:
    QTemporaryDir output_;
    Run run_;
    QHash<QString, QSize> places_;
};

void tst_Screenshots::initTestCase() {
    QVERIFY2(QFileInfo::exists(qEnvironmentVariable("WIEDO_SCREENSHOTS")), "WIEDO_SCREENSHOTS names no program");
    QVERIFY(output_.isValid());
    run_ = takePictures({output_.path()});

    // Where the pictures go: the picture boxes of the instructions windows and the windows themselves,
    // as the program lays them out.
    testsupport::ProgramFixture fx;
    fx.writeWiedoIni();
    fx.write(QStringLiteral("Wiedo.cfg"), "\"\"\r\n");
    fx.write(QStringLiteral("ptk.ptk"), "40,39,34,27,19,12\r\n");
    fx.write(QStringLiteral("run.run"), "1\r\n");
    QVERIFY(fx.startUp());
    const auto& inform = ui::forms().get<windows::Inform>();
    const auto& dod = ui::forms().get<windows::Dod>();
    places_[QStringLiteral("inform.png")] = inform.Image1->size();
    places_[QStringLiteral("dod1.png")] = dod.Image2->size();
    places_[QStringLiteral("dod2.png")] = dod.Image3->size();
    places_[QStringLiteral("dod3.png")] = dod.Image4->size();
    places_[QStringLiteral("dod4.png")] = dod.Image5->size();
    places_[QStringLiteral("main_window.png")] = ui::forms().get<windows::Wiedo>().size();
    places_[QStringLiteral("sign_in.png")] = ui::forms().get<windows::open_>().size();
    places_[QStringLiteral("grading_scale.png")] = ui::forms().get<windows::Punkty>().size();
    places_[QStringLiteral("question_editor.png")] = ui::forms().get<windows::NoweWiedo>().size();
    // A message box is as big as its text makes it.
    places_[QStringLiteral("message_box.png")] = QSize();
    QCOMPARE(fx.leftovers(), QString());
}

void tst_Screenshots::writesEveryPictureAndNothingElse() {
    QVERIFY2(run_.exitCode == 0, run_.output.constData());
    QStringList expected = helpPictures + windowPictures;
    expected.sort();
    QCOMPARE(QDir(output_.path()).entryList(QDir::Files, QDir::Name), expected);
}

void tst_Screenshots::pictureFitsItsPlaceAndShowsSomething_data() {
    QTest::addColumn<QString>("name");
    for (const QString& name : helpPictures + windowPictures)
        QTest::newRow(qPrintable(name)) << name;
}

void tst_Screenshots::pictureFitsItsPlaceAndShowsSomething() {
    QFETCH(QString, name);
    const QImage picture(output_.filePath(name));
    QVERIFY2(!picture.isNull(), qPrintable(name + QStringLiteral(" is no picture")));
    const QSize place = places_.value(name);
    if (place.isValid()) {
        QCOMPARE(picture.size(), place);
    } else {
        QVERIFY2(picture.width() >= 100 && picture.height() >= 50, qPrintable(name + QStringLiteral(" is too small")));
        QVERIFY2(picture.width() < places_.value(QStringLiteral("main_window.png")).width(),
                 qPrintable(name + QStringLiteral(" is as wide as the main window")));
    }
    const QString blank = blankness(name, picture);
    QVERIFY2(blank.isEmpty(), qPrintable(blank));
}

void tst_Screenshots::compiledInPicturesFitTheInstructionsWindows() {
    for (const QString& name : helpPictures) {
        const QImage picture(QStringLiteral(":/img/") + name);
        QVERIFY2(!picture.isNull(), qPrintable(name + QStringLiteral(" is not compiled in")));
        QCOMPARE(picture.size(), places_.value(name));
        const QString blank = blankness(name, picture);
        QVERIFY2(blank.isEmpty(), qPrintable(blank));
    }
}

// Nothing of the moment (the clock, file dates, a temporary folder's name) gets into the pictures, so a
// refresh changes only what changed in the windows.
void tst_Screenshots::sameBytesOnEveryRun() {
    QTemporaryDir again;
    QVERIFY(again.isValid());
    const Run second = takePictures({again.path()});
    QVERIFY2(second.exitCode == 0, second.output.constData());
    for (const QString& name : helpPictures + windowPictures) {
        QFile first(output_.filePath(name));
        QFile other(again.filePath(name));
        QVERIFY(first.open(QIODevice::ReadOnly));
        QVERIFY(other.open(QIODevice::ReadOnly));
        QVERIFY2(first.readAll() == other.readAll(), qPrintable(name + QStringLiteral(" differs between runs")));
    }
}

void tst_Screenshots::wantsAnOutputFolder() {
    const Run run = takePictures({});
    QVERIFY2(run.exitCode != 0 && run.exitCode != -1, run.output.constData());
    QVERIFY(run.output.contains("usage"));
}

QTEST_MAIN(tst_Screenshots)
#include "tst_screenshots.moc"
