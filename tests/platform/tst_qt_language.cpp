// Qt's own dialogs in Polish: the open dialog the program shows for a question set has Polish buttons and
// labels once the program has installed Qt's Polish translations.
#include "platform/gui/qt_language.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMimeDatabase>
#include <QPushButton>
#include <QtTest>

class tst_QtLanguage : public QObject {
    Q_OBJECT
private slots:
    void openDialogSpeaksPolish();
};

void tst_QtLanguage::openDialogSpeaksPolish() {
    // Compiled in, so that the executable alone speaks Polish wherever it is copied.
    QVERIFY2(QFile::exists(QStringLiteral(":/i18n/qtbase_pl.qm")),
             "Qt's Polish translations were not compiled in (package qt6-translations-l10n at build time)");
    QVERIFY(platform::installPolishQtTexts(*qApp));
    QFileDialog dialog(nullptr, QStringLiteral("Otwórz"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    QVERIFY(buttons);
    QCOMPARE(buttons->button(QDialogButtonBox::Open)->text(), QStringLiteral("&Otwórz"));
    QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Anuluj"));
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    QVERIFY2(labels.contains(QStringLiteral("Nazwa &pliku:")), qPrintable(labels.join(u'|')));
    // The list's columns: a file's date and kind.
    QVERIFY(QLocale().toString(QDate(2026, 12, 8), QStringLiteral("d MMMM")).startsWith(QStringLiteral("8 grud")));
    const QString kind = QMimeDatabase().mimeTypeForName(QStringLiteral("text/plain")).comment();
    QVERIFY2(!kind.contains(QStringLiteral("document")), qPrintable(kind));
    // The dates and sizes the list takes from the system, whatever language the computer speaks.
    const QLocale system = QLocale::system();
    QCOMPARE(system.toString(QDateTime(QDate(2026, 12, 8), QTime(13, 5)), QLocale::ShortFormat), QStringLiteral("8.12.2026 13:05"));
    QCOMPARE(system.formattedDataSize(50934), QStringLiteral("49,74 KiB"));
    QVERIFY2(!system.formattedDataSize(271).contains(QStringLiteral("bytes")), qPrintable(system.formattedDataSize(271)));
}

int main(int argc, char* argv[]) {
    qputenv("LC_ALL", "C");  // a computer set to another language
    platform::preferPolishFormats();
    QApplication app(argc, argv);
    tst_QtLanguage test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_qt_language.moc"
