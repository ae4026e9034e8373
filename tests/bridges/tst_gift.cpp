// GIFT files into a set and a set into GIFT: what the platforms' files hold, hostile bytes, the way back
// to the same bytes, and the real `wiedo import` / `wiedo export` on the terminal.
#include "bridges/gift.h"
#include "bridges/imported.h"
#include "questionset/questionset.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using questionset::Question;
Q_DECLARE_METATYPE(questionset::Question)

namespace {

// A question in one line: question|A|B|C|D|E|hint|flags.
QString line(const Question& q)
{
    QString flags;
    for (auto f : q.flags)
        flags += QString::number(f);
    const auto& t = q.texts;
    return QStringList{t.question, t.answers[0], t.answers[1], t.answers[2], t.answers[3], t.answers[4], t.hint, flags}
        .join(u'|');
}

QStringList warnings(const bridges::Imported& imported)
{
    QStringList out;
    for (const auto& w : imported.warnings)
        out << QStringLiteral("%1: %2").arg(w.line).arg(w.message);
    return out;
}

bool anyContains(const QStringList& lines, const QString& part)
{
    return std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(part); });
}

Question question(const QString& text, QStringList answers, const QString& hint, QList<int> right)
{
    Question q;
    q.texts.question = text;
    answers.resize(5);
    for (int i = 0; i < 5; ++i)
        q.texts.answers[i] = answers[i];
    q.texts.hint = hint;
    for (int i : right)
        q.flags[i] = 1;
    return q;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class tst_Gift : public QObject {
    Q_OBJECT
private slots:
    void reads_data();
    void reads();
    void refuses_data();
    void refuses();
    void writes_data();
    void writes();
    void readsLargeFile();
    void examplesComeBackByteForByte();
    void terminalCommands();
};

void tst_Gift::reads_data()
{
    QTest::addColumn<QByteArray>("gift");
    QTest::addColumn<int>("taken");
    QTest::addColumn<int>("skipped");
    QTest::addColumn<QString>("first");  // the first question taken, as line() writes it
    QTest::addColumn<QStringList>("said");  // fragments of the warnings, "line: text"

    const QString two = QStringLiteral("Q|a|b||||Brak|12222");
    QTest::newRow("right_and_wrong") << QByteArray("Stolica Polski to: {=Warszawa ~Kraków ~Gdańsk}") << 1 << 0
                                     << "Stolica Polski to:|Warszawa|Kraków|Gdańsk|||Brak|12222" << QStringList{};
    QTest::newRow("weights") << QByteArray("Q {~%50%2 ~%50%3 ~%-100%4 ~%0%9}") << 1 << 0 << "Q|2|3|4|9||Brak|11222"
                             << QStringList{};
    QTest::newRow("title_format_comment")
        << QByteArray("// komentarz\n::Tytuł::[html]Q {\n// w środku\n=a\n~b\n}") << 1 << 0 << two << QStringList{};
    QTest::newRow("escapes") << QByteArray("A\\: \\{x\\} \\#1 {=a\\~b ~c\\\\ ~d\\=e}") << 1 << 0
                             << "A: {x} #1|a~b|c\\|d=e|||Brak|12222" << QStringList{};
    QTest::newRow("escaped_line_break") << QByteArray("Dwa\\nwiersze {=a ~b}") << 1 << 0
                                        << "Dwa\r\nwiersze|a|b||||Brak|12222" << QStringList{};
    QTest::newRow("backslash_at_line_end") << QByteArray("Q \\\n{=a ~b\\\n}") << 1 << 0
                                           << "Q \\|a|b\\||||Brak|12222" << QStringList{};
    QTest::newRow("text_on_two_lines") << QByteArray("Pierwszy\ndrugi {=a ~b}") << 1 << 0
                                       << "Pierwszy\r\ndrugi|a|b||||Brak|12222" << QStringList{};
    QTest::newRow("general_feedback") << QByteArray("Q {=a#dobrze ~b ####Nad Wisłą}") << 1 << 0
                                      << "Q|a|b||||Nad Wisłą|12222"
                                      << QStringList{"1: informacje zwrotne przy odpowiedziach pominięto"};
    QTest::newRow("empty_general_feedback") << QByteArray("Q {=a ~b ####}") << 1 << 0 << "Q|a|b|||||12222"
                                            << QStringList{};
    QTest::newRow("bom_crlf") << QByteArray("\xEF\xBB\xBFQ {\r\n=a\r\n~b\r\n}\r\n\r\nR {=c ~d}\r\n") << 2 << 0 << two
                              << QStringList{};
    QTest::newRow("lone_cr") << QByteArray("Q {=a ~b}\r\rR {=c ~d}") << 2 << 0 << two << QStringList{};
    QTest::newRow("cr_cr_lf") << QByteArray("Q {\r\r\n=a\r\r\n~b\r\r\n}\r\r\n\r\r\nR {=c ~d}") << 2 << 0 << two
                              << QStringList{};
    QTest::newRow("missing_word") << QByteArray("Stolica {=Warszawa ~Kraków} leży nad Wisłą.") << 1 << 0
                                  << "Stolica _____ leży nad Wisłą.|Warszawa|Kraków||||Brak|12222" << QStringList{};
    QTest::newRow("double_quotes") << QByteArray("Kto napisał \"Pana Tadeusza\"? {=Mickiewicz ~Prus}") << 1 << 0
                                   << "Kto napisał „Pana Tadeusza”?|Mickiewicz|Prus||||Brak|12222"
                                   << QStringList{"1: cudzysłowy zamieniono"};
    QTest::newRow("category") << QByteArray("$CATEGORY: $course$/Geografia\n\nQ {=a ~b}") << 1 << 0 << two
                              << QStringList{};
    QTest::newRow("category_lone_cr") << QByteArray("$CATEGORY: x\rQ {=a ~b}") << 1 << 0 << two << QStringList{};
    QTest::newRow("no_right_answer") << QByteArray("Q {~a ~b}") << 1 << 0 << "Q|a|b||||Brak|22222"
                                     << QStringList{"1: żadna odpowiedź nie jest poprawna"};
    QTest::newRow("empty_answer") << QByteArray("Q {=a ~ ~b}") << 1 << 0 << two
                                  << QStringList{"1: puste odpowiedzi pominięto"};
    QTest::newRow("answer_of_a_line_break") << QByteArray("Q {=a ~\\n ~b}") << 1 << 0 << two
                                            << QStringList{"1: puste odpowiedzi pominięto"};
    QTest::newRow("html_with_picture_and_marked_answers")
        << QByteArray("::P1::[html]<p>Stolica <b>Polski</b> to&nbsp;?</p>\n<p><img src\=\"f.png\" alt\=\"Flaga "
                      "Polski\"></p> {\n=[html]<p>Warszawa</p>\n~[plain]<Kraków>\n~Gda&\\#324;sk&amp;Sopot#[html]<i>nie</i>"
                      "\n####[html]Nad <em>Wisłą</em>&hellip;\n}")
        << 1 << 0 << "Stolica Polski to ?\r\n[obrazek: Flaga Polski]|Warszawa|<Kraków>|Gdańsk&Sopot|||Nad Wisłą…|12222"
        << QStringList{"1: obrazek pominięto", "1: informacje zwrotne"};
    QTest::newRow("blanks_after_a_marker") << QByteArray("Q {=[markdown] \n a ~[plain]\tb\n####[html] \n<i>c</i>}") << 1 << 0
                                           << "Q|a|b||||c|12222" << QStringList{};
    QTest::newRow("moodle_text_with_tags") << QByteArray("[moodle]Ile to <i>2+2</i>? {=4 ~5}") << 1 << 0
                                           << "Ile to 2+2?|4|5||||Brak|12222" << QStringList{};
    QTest::newRow("moodle_text_without_tags") << QByteArray("[moodle]Czy 1 < 2  &  2 > 1? {=tak ~nie}") << 1 << 0
                                              << "Czy 1 < 2  &  2 > 1?|tak|nie||||Brak|12222" << QStringList{};
    QTest::newRow("sound_link") << QByteArray("[html]Posłuchaj <a href\=\"x/ptak.mp3\">nagrania</a> {=a ~b}") << 1 << 0
                                << "Posłuchaj nagrania [nagranie: ptak.mp3]|a|b||||Brak|12222"
                                << QStringList{"1: nagranie dźwięku pominięto"};
    QTest::newRow("true") << QByteArray("2+2=4 {T}") << 1 << 0 << "2+2=4|Prawda|Fałsz||||Brak|12222" << QStringList{};
    QTest::newRow("false_with_feedback") << QByteArray("Ziemia jest płaska {false#Nie#Tak ####Kula}") << 1 << 0
                                         << "Ziemia jest płaska|Prawda|Fałsz||||Kula|21222"
                                         << QStringList{"1: informacje zwrotne"};

    // Left out, each followed by a sound question that must still be taken.
    const QByteArray next("\n\nQ {=a ~b}\n");
    auto skipped = [&](const char* name, const QByteArray& gift, const QString& why) {
        QTest::newRow(name) << gift + next << 1 << 1 << two << QStringList{QStringLiteral("1: pominięto pytanie: "), why};
    };
    skipped("html_text_only_markup", "[html]<p><br></p> {=a ~b}", QStringLiteral("nie ma tekstu"));
    skipped("matching", "Dopasuj {=kot -> miau =pies -> hau}", QStringLiteral("dopasowanie"));
    skipped("numeric", "Ile? {#3:1}", QStringLiteral("liczbowe"));
    skipped("essay", "Opisz {}", QStringLiteral("esej"));
    skipped("short_answer", "Stolica? {=Warszawa =Warsaw}", QStringLiteral("krótką odpowiedzią"));
    skipped("six_answers", "Q {=1 ~2 ~3 ~4 ~5 ~6}", QStringLiteral("ma 6 odpowiedzi"));
    skipped("unterminated_brace", "Q {=a ~b", QStringLiteral("zamykającego nawiasu"));
    skipped("closing_brace_first", "Q } {=a ~b}", QStringLiteral("bez otwierającego"));
    skipped("brace_inside_answers", "Q {=a { ~b}", QStringLiteral("wewnątrz odpowiedzi"));
    skipped("two_blocks", "Q {=a ~b} i {=c ~d}", QStringLiteral("więcej niż jeden blok"));
    skipped("description", "Sam opis bez odpowiedzi", QStringLiteral("to opis"));
    skipped("unclosed_title", "::Tytuł Q {=a ~b}", QStringLiteral("tytuł"));
    skipped("emoji", "Q 😀 {=a ~b}", QStringLiteral("U+1F600"));
    skipped("outside_1250", "Q {=α ~b}", QStringLiteral("U+03B1"));
    skipped("only_empty_answers", "Q {~ ~}", QStringLiteral("nie ma żadnej odpowiedzi"));
    skipped("answer_flood", "Q {" + QByteArray("~a ").repeated(100000) + "}", QStringLiteral("ma 100000 odpowiedzi"));

    const QByteArray huge(1 << 20, 'x');
    QTest::newRow("megabyte_question") << QByteArray(huge + " {=a ~b}") << 1 << 0
                                       << QString::fromLatin1(huge) + "|a|b||||Brak|12222" << QStringList{};
    QTest::newRow("megabyte_unterminated") << QByteArray("Q {" + huge) + next << 1 << 1 << two
                                           << QStringList{"1: pominięto pytanie"};
}

void tst_Gift::reads()
{
    QFETCH(QByteArray, gift);
    QFETCH(int, taken);
    QFETCH(int, skipped);
    QFETCH(QString, first);
    QFETCH(QStringList, said);
    const bridges::Import import = bridges::importBytes(gift);
    QVERIFY2(import.failure.isEmpty(), qPrintable(import.failure));
    QCOMPARE(import.format, bridges::Format::Gift);
    const QStringList got = warnings(import.result);
    QCOMPARE(import.result.questions.size(), taken);
    QCOMPARE(import.result.skipped, skipped);
    QCOMPARE(line(import.result.questions.first()), first);
    for (const QString& part : said)
        QVERIFY2(anyContains(got, part), qPrintable(got.join(u'\n')));
    if (said.isEmpty())
        QVERIFY2(got.isEmpty(), qPrintable(got.join(u'\n')));
}

// A large file is read from its bytes, a question decoded at a time: it gives what the decoded text gives,
// the lines of the warnings included, and a bad byte far into the file is still refused by its line.
void tst_Gift::readsLargeFile()
{
    QByteArray gift;
    for (int i = 0; gift.size() < 300 * 1024; ++i) {
        gift += "Pytanie " + QByteArray::number(i);
        gift += i % 2 ? QByteArray(" {\r\n=a\r\n// komentarz\r\n~b ~c\r\n}\r\n\r\n") : QByteArray(" {=a ~Kraków ~b}\n\n");
        if (i % 7 == 0)
            gift += "Dopasuj {=kot -> miau =pies -> hau}\n\n";
        if (i % 11 == 0)
            gift += "Q 😀 {=a ~b}\n\n";
    }
    const bridges::Imported whole = bridges::collect(bridges::readGift(QString::fromUtf8(gift)));
    const bridges::Import parts = bridges::importBytes(gift);
    QVERIFY(whole.skipped > 1000 && whole.questions.size() > 5000);
    QVERIFY(parts.result.questions == whole.questions);
    QCOMPARE(parts.result.skipped, whole.skipped);
    QCOMPARE(warnings(parts.result), warnings(whole));
    QCOMPARE(parts.result.setBytes, bridges::setBytes(whole.questions));
    // Warnings passed on as they are found come in the order of the lines, and nothing per question is kept.
    QList<bridges::Warning> passed;
    const bridges::Import lean = bridges::importBytes(gift, [&](const bridges::Warning& w) { passed.append(w); });
    QVERIFY(lean.result.questions.isEmpty() && lean.result.warnings.isEmpty());
    QCOMPARE(lean.result.taken, whole.questions.size());
    QCOMPARE(passed, whole.warnings);
    QCOMPARE(lean.result.setBytes, parts.result.setBytes);
    const QByteArray bad = gift + "Q {=a ~Krak\xF3w}\n";
    QVERIFY2(bridges::importBytes(bad).failure.contains(QStringLiteral("wierszu %1").arg(gift.count('\n') + 1)),
             qPrintable(bridges::importBytes(bad).failure));
}

void tst_Gift::refuses_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("why");
    QTest::newRow("windows_1250") << QByteArray("Q {=a ~b}\n\nStolica {=Warszawa ~Krak\xF3w}") << "wierszu 3";
    QTest::newRow("overlong_slash") << QByteArray("Q {=a \xC0\xAF ~b}") << "wierszu 1";
    QTest::newRow("encoded_surrogate") << QByteArray("\n\nQ {=a \xED\xA0\x80 ~b}") << "wierszu 3";
    QTest::newRow("cut_sequence_at_end") << QByteArray("Q {=a ~b}\xC5") << "wierszu 1";
    QTest::newRow("lone_cr_lines") << QByteArray("Q1 {=a ~b}\r\rQ2 {=c ~d}\r\rZ\xFF {=a ~b}\r") << "wierszu 5";
    const QString question = QStringLiteral("\nPytanie {=a ~b}\n");
    const QByteArray utf16(reinterpret_cast<const char*>(question.utf16()), question.size() * 2);
    QTest::newRow("utf16_without_mark") << utf16 << "w wierszu 2 jest bajt zerowy";
    QTest::newRow("utf16_with_mark") << QByteArray("\xFF\xFE") + utf16 << "w UTF-16";
    QTest::newRow("plain_text") << QByteArray("Zwykły tekst bez pytań.\n") << "nie rozpoznano formatu";
    QTest::newRow("empty") << QByteArray() << "nie rozpoznano formatu";
}

void tst_Gift::refuses()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, why);
    const bridges::Import import = bridges::importBytes(bytes);
    QVERIFY2(import.failure.contains(why), qPrintable(import.failure));
    QVERIFY(import.result.questions.isEmpty());
}

void tst_Gift::writes_data()
{
    QTest::addColumn<Question>("set");
    QTest::addColumn<QStringList>("written");  // fragments of the GIFT text
    QTest::addColumn<QString>("warned");       // a fragment of a warning, or empty for none
    QTest::addColumn<bool>("sameBack");        // importing the GIFT gives the same question

    const QStringList five{"a", "b", "c", "d", "e"};
    QTest::newRow("one_right") << question("Q", five, "Brak", {1}) << QStringList{"\t~a\r\n\t=b\r\n"} << "" << true;
    QTest::newRow("two_right") << question("Q", five, "Brak", {0, 3}) << QStringList{"~%50%a", "~%-33.33333%b", "~%50%d"}
                               << "" << true;
    QTest::newRow("three_right") << question("Q", five, "Brak", {0, 1, 2})
                                 << QStringList{"~%33.33333%a", "~%33.33333%c", "~%-50%e"} << "" << true;
    QTest::newRow("only_answer_right") << question("Q", {"tak"}, "Brak", {0}) << QStringList{"~%100%tak"} << ""
                                       << true;
    QTest::newRow("none_right") << question("Q", {"a", "b"}, "Brak", {}) << QStringList{"~%0%a", "~%0%b"}
                                << "żadna odpowiedź" << true;
    QTest::newRow("hint_as_feedback") << question("Q", {"a", "b"}, "Nad Wisłą", {0})
                                      << QStringList{"####Nad Wisłą\r\n}"} << "" << true;
    QTest::newRow("empty_hint") << question("Q", {"a", "b"}, "", {0}) << QStringList{"\t####\r\n}"} << "" << true;
    QTest::newRow("special_characters") << question("a~b=c#d{e}f:g\\h", {"1:2", "x"}, "Brak", {0})
                                        << QStringList{"a\\~b\\=c\\#d\\{e\\}f\\:g\\\\h {", "=1\\:2"} << "" << true;
    QTest::newRow("line_breaks") << question("Dwa\r\nwiersze", {"a\r\n", "b"}, "x\r\ny", {0})
                                 << QStringList{"Dwa\\nwiersze", "=a\\n\r\n", "####x\\ny"} << "" << true;
    QTest::newRow("percent_first") << question("Q", {"%50 całości", "b"}, "Brak", {0})
                                   << QStringList{"~%100%%50 całości", "~%-100%b"} << "" << true;
    QTest::newRow("format_marker_texts") << question("[html]<b>", {"[plain]a", "b"}, "[moodle]<i>x</i>", {0})
                                         << QStringList{"::[plain][html]<b> {", "=[plain][plain]a", "####[plain][moodle]<i>"}
                                         << "" << true;
    QTest::newRow("empty_answer_between") << question("Q", {"a", "", "c"}, "Brak", {2}) << QStringList{"~a\r\n\t=c"}
                                          << "przesuną się" << false;
    QTest::newRow("blanks_at_ends") << question(" Q ", {"a", "b"}, "Brak", {0}) << QStringList{"Pytanie 1:: Q  {"}
                                    << "odstępy" << false;
    QTest::newRow("lone_line_feed") << question("Q\nR", {"a", "b"}, "Brak", {0}) << QStringList{"Q\\nR"}
                                    << "CR LF" << false;
    QTest::newRow("no_answers") << question("Q", {}, "Brak", {}) << QStringList{} << "pominięto pytanie" << false;
    Question oddFlags = question("Q", {"a", "b", "c"}, "Brak", {0});
    oddFlags.flags = {1, 0, 255, 2, 2};
    QTest::newRow("odd_flags") << oddFlags << QStringList{"=a\r\n\t~b\r\n\t~c"} << "odpowiedź C ma oznaczenie 255"
                               << false;
}

void tst_Gift::writes()
{
    QFETCH(Question, set);
    QFETCH(QStringList, written);
    QFETCH(QString, warned);
    QFETCH(bool, sameBack);
    const bridges::Exported exported = bridges::writeGift({set});
    const QString gift = QString::fromUtf8(exported.bytes);
    for (const QString& part : written)
        QVERIFY2(gift.contains(part), qPrintable(gift));
    QStringList said;
    for (const auto& w : exported.warnings)
        said << w.message;
    if (warned.isEmpty())
        QVERIFY2(said.isEmpty(), qPrintable(said.join(u'\n')));
    else
        QVERIFY2(anyContains(said, warned), qPrintable(said.join(u'\n')));
    if (exported.written == 0)
        return;
    const bridges::Import back = bridges::importBytes(exported.bytes);
    QCOMPARE(back.result.questions.size(), 1);
    QCOMPARE(line(back.result.questions.first()) == line(set), sameBack);
}

void tst_Gift::examplesComeBackByteForByte()
{
    const QDir examples(qEnvironmentVariable("WIEDO_EXAMPLES"));
    const QStringList sets = examples.entryList({QStringLiteral("*.kwz")});
    QVERIFY(!sets.isEmpty());
    for (const QString& name : sets) {
        const QString path = examples.filePath(name);
        QList<Question> questions;
        for (int n = 1; n <= questionset::countQuestions(path); ++n)
            questions.append(questionset::readQuestion(path, n));
        const bridges::Exported exported = bridges::writeGift(questions);
        QVERIFY2(exported.warnings.isEmpty(), qPrintable(exported.warnings.isEmpty() ? name : exported.warnings.first().message));
        const bridges::Import back = bridges::importBytes(exported.bytes);
        QCOMPARE(back.result.warnings.size(), 0);
        QCOMPARE(bridges::setBytes(back.result.questions), fileBytes(path));
    }
}

void tst_Gift::terminalCommands()
{
    QTemporaryDir dir;
    const QString gift = dir.filePath(QStringLiteral("pytania.gift"));
    const QString set = dir.filePath(QStringLiteral("zestaw.kwz"));
    auto run = [&](const QStringList& arguments, QString* said) {
        QProcess wiedo;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));  // a window would fail
        wiedo.setProcessEnvironment(environment);
        wiedo.setProcessChannelMode(QProcess::MergedChannels);
        wiedo.start(qEnvironmentVariable("WIEDO_EXE"), arguments);
        if (!wiedo.waitForFinished(30000))
            return -1;
        *said = QString::fromUtf8(wiedo.readAll());
        return wiedo.exitStatus() == QProcess::NormalExit ? wiedo.exitCode() : -1;
    };
    auto write = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QVERIFY(write(gift, "// Geografia\r\n::G1:: Stolica Polski to: {\r\n  =Warszawa\r\n  ~Kraków\r\n  ####Nad Wisłą\r\n}\r\n\r\n"
                        "Które są liczbami pierwszymi? {~%50%2 ~%50%3 ~%-100%4}\r\n\r\n2+2=4 {T}\r\n\r\nOpisz Wisłę {}\r\n"));
    QString said;
    QCOMPARE(run({QStringLiteral("import"), gift, set}, &said), 0);
    QVERIFY2(said.contains(QStringLiteral("Zaimportowano pytań: 3 (format GIFT), pominięto: 1.")), qPrintable(said));
    QVERIFY2(said.contains(QStringLiteral("wiersz 12: pominięto pytanie")), qPrintable(said));
    QVERIFY(questionset::checkHeader(set));
    QCOMPARE(questionset::countQuestions(set), 3);
    QCOMPARE(line(questionset::readQuestion(set, 1)), QStringLiteral("Stolica Polski to:|Warszawa|Kraków||||Nad Wisłą|12222"));
    QCOMPARE(line(questionset::readQuestion(set, 2)), QStringLiteral("Które są liczbami pierwszymi?|2|3|4|||Brak|11222"));
    QCOMPARE(line(questionset::readQuestion(set, 3)), QStringLiteral("2+2=4|Prawda|Fałsz||||Brak|12222"));

    // A failed import leaves the set that was there.
    const QByteArray before = fileBytes(set);
    QVERIFY(write(gift, "Stolica {=Krak\xF3w ~b}\n"));
    QCOMPARE(run({QStringLiteral("import"), gift, set}, &said), 2);
    QVERIFY2(said.contains(QStringLiteral("nie jest zapisany w UTF-8")), qPrintable(said));
    QCOMPARE(fileBytes(set), before);

    const QString back = dir.filePath(QStringLiteral("z_powrotem.gift"));
    QCOMPARE(run({QStringLiteral("export"), set, back}, &said), 0);
    QVERIFY2(said.contains(QStringLiteral("Wyeksportowano pytań: 3, pominięto: 0.")), qPrintable(said));
    const QString again = dir.filePath(QStringLiteral("znowu.kwz"));
    QCOMPARE(run({QStringLiteral("import"), back, again}, &said), 0);
    QCOMPARE(fileBytes(again), before);

    // A set ending in an empty line and an old editor's end mark is whole, as the test reads it.
    QVERIFY(write(set, before + "\r\n\x1A"));
    QCOMPARE(run({QStringLiteral("export"), set, back}, &said), 0);
    QVERIFY2(said.contains(QStringLiteral("Wyeksportowano pytań: 3")) && !said.contains(QStringLiteral("uszkodzony")),
             qPrintable(said));

    QCOMPARE(run({QStringLiteral("export"), gift, back}, &said), 2);
    QVERIFY2(said.contains(QStringLiteral("nie jest zestawem pytań")), qPrintable(said));
}

QTEST_GUILESS_MAIN(tst_Gift)
#include "tst_gift.moc"
