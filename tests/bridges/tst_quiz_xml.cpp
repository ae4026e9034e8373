// The platforms' XML export into a set: HTML texts, pictures, true/false, the kinds left out, the encodings
// the file declares, and broken files refused by their line and column.
#include "bridges/imported.h"

#include <QtTest>

namespace {

QByteArray quiz(const QByteArray& questions)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n" + questions + "</quiz>\n";
}

QByteArray question(const char* type, const char* name, const QByteArray& text, const QByteArray& answers)
{
    return QByteArray("<question type=\"") + type + "\">\n<name><text>" + name + "</text></name>\n"
        + "<questiontext format=\"html\"><text>" + text + "</text></questiontext>\n" + answers + "</question>\n";
}

QByteArray answer(int fraction, const QByteArray& text)
{
    return "<answer fraction=\"" + QByteArray::number(fraction) + "\" format=\"html\"><text>" + text
        + "</text><feedback format=\"html\"><text></text></feedback></answer>\n";
}

const QByteArray capital = question("multichoice", "Stolica", "Stolica Polski to:", answer(100, "Warszawa") + answer(0, "Kraków"));

}  // namespace

class tst_QuizXml : public QObject {
    Q_OBJECT
private slots:
    void reads_data();
    void reads();
    void refuses_data();
    void refuses();
};

void tst_QuizXml::reads_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<int>("skipped");
    QTest::addColumn<QString>("first");     // question|A|B|C|D|E|hint|flags of the first question taken
    QTest::addColumn<QStringList>("said");  // fragments of the warnings, "line: text"

    QTest::newRow("html_entities_image")
        << quiz("<question type=\"multichoice\">\n<name><text>Mapa</text></name>\n<questiontext format=\"html\">\n"
                "<text><![CDATA[<p>Stolica Polski to&nbsp;&bdquo;miasto&rdquo;<br>nad Wisłą</p>"
                "<p><img src=\"@@PLUGINFILE@@/mapa.png\" alt=\"Mapa Polski\"></p>]]></text>\n"
                "<file name=\"mapa.png\" path=\"/\" encoding=\"base64\">iVBORw0KGgo=</file>\n</questiontext>\n"
                "<generalfeedback format=\"html\"><text>&lt;p&gt;Leży nad Wisłą.&lt;/p&gt;</text></generalfeedback>\n"
                + answer(100, "&lt;p&gt;Warszawa&lt;/p&gt;")
                + "<answer fraction=\"0\" format=\"html\"><text>Kraków</text>"
                  "<feedback format=\"html\"><text>Dawna stolica</text></feedback></answer>\n</question>\n")
        << 0 << "Stolica Polski to „miasto”\r\nnad Wisłą\r\n[obrazek: Mapa Polski]|Warszawa|Kraków||||Leży nad Wisłą.|12222"
        << QStringList{"3: informacje zwrotne przy odpowiedziach pominięto", "3: obrazek pominięto"};
    QTest::newRow("true_false")
        << quiz("<question type=\"truefalse\"><name><text>TF</text></name>\n"
                "<questiontext format=\"moodle_auto_format\"><text>Ziemia jest płaska.</text></questiontext>\n"
                "<answer fraction=\"0\" format=\"moodle_auto_format\"><text>true</text></answer>\n"
                "<answer fraction=\"100\" format=\"moodle_auto_format\"><text>false</text></answer>\n</question>\n")
        << 0 << "Ziemia jest płaska.|Prawda|Fałsz||||Brak|21222" << QStringList{};
    QTest::newRow("category_and_cloze")
        << quiz("<question type=\"category\"><category><text>$course$/Geografia</text></category></question>\n"
                + question("cloze", "Luki", "Stolica to {1:SHORTANSWER:=Warszawa}", "") + capital)
        << 1 << "Stolica Polski to:|Warszawa|Kraków||||Brak|12222"
        << QStringList{"4: pominięto pytanie: „Luki” to pytanie typu cloze, a nie wielokrotnego wyboru."};
    QTest::newRow("cdata_plain_text_weights")
        << quiz("<question type=\"multichoice\"><questiontext format=\"plain_text\">"
                "<text><![CDATA[Czy 2 < 3 & <b>?]]></text></questiontext>\n<single>false</single>\n"
                "<answer fraction=\"50\"><text>tak</text></answer><answer fraction=\"50\"><text>na pewno</text></answer>"
                "<answer fraction=\"-100\"><text>nie</text></answer>\n</question>\n")
        << 0 << "Czy 2 < 3 & <b>?|tak|na pewno|nie|||Brak|11222" << QStringList{};
    const QString utf16 = QString::fromUtf8(quiz(capital)).replace("UTF-8", "UTF-16");
    QTest::newRow("utf16_byte_order_mark")
        << QByteArray("\xFF\xFE") + QByteArray(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2) << 0
        << "Stolica Polski to:|Warszawa|Kraków||||Brak|12222" << QStringList{};
    QTest::newRow("windows_1250_declared")
        << QByteArray(quiz(capital)).replace("UTF-8", "windows-1250").replace("Kraków", "Krak\xF3w") << 0
        << "Stolica Polski to:|Warszawa|Kraków||||Brak|12222" << QStringList{};
    QTest::newRow("unescaped_html_and_references")
        << quiz(question("multichoice", "Rzeka", "<p>Najdłu&#380;sza <b>rzeka</b> Polski &#x2013; to:</p>",
                         answer(100, "Wis&#322;a") + answer(0, "<![CDATA[Odra]]> &amp; Warta")))
        << 0 << "Najdłuższa rzeka Polski – to:|Wisła|Odra & Warta||||Brak|12222" << QStringList{};
    QTest::newRow("doctype_entity")
        << quiz(question("multichoice", "S", "Stolica to &w;?", answer(100, "&w;") + answer(0, "Kraków")))
               .replace("<quiz>", "<!DOCTYPE quiz [<!ENTITY w 'Warszawa'> <!ENTITY % p 'x'> <!ELEMENT quiz ANY>]>\n<quiz>")
        << 0 << "Stolica to Warszawa?|Warszawa|Kraków||||Brak|12222" << QStringList{};
    QTest::newRow("utf8_mark_comment_doctype")
        << "\xEF\xBB\xBF\n<!-- eksport -->\n<!DOCTYPE quiz>\n<quiz>" + capital + "</quiz>" << 0
        << "Stolica Polski to:|Warszawa|Kraków||||Brak|12222" << QStringList{};
    QTest::newRow("too_many_and_empty")
        << quiz(question("multichoice", "Sześć", "Q", answer(100, "1") + answer(0, "2") + answer(0, "3") + answer(0, "4")
                                                        + answer(0, "5") + answer(0, "6"))
                + question("multichoice", "Pusta", "&lt;p&gt;&amp;nbsp;&lt;/p&gt;", answer(100, "a") + answer(0, "b"))
                + question("multichoice", "Luka", "Q", answer(100, "a") + answer(0, "&lt;br&gt;") + answer(0, "b")))
        << 2 << "Q|a|b||||Brak|12222"
        << QStringList{"3: pominięto pytanie: ma 6 odpowiedzi", "13: pominięto pytanie: „Pusta” ma pustą treść",
                       "19: puste odpowiedzi pominięto"};
}

void tst_QuizXml::reads()
{
    QFETCH(QByteArray, xml);
    QFETCH(int, skipped);
    QFETCH(QString, first);
    QFETCH(QStringList, said);
    const bridges::Import import = bridges::importBytes(xml);
    QVERIFY2(import.failure.isEmpty(), qPrintable(import.failure));
    QCOMPARE(import.format, bridges::Format::QuizXml);
    QCOMPARE(import.result.skipped, skipped);
    QCOMPARE(import.result.questions.size(), 1);
    const auto& q = import.result.questions.first();
    QString flags;
    for (auto f : q.flags)
        flags += QString::number(f);
    QCOMPARE(QStringList({q.texts.question, q.texts.answers[0], q.texts.answers[1], q.texts.answers[2],
                          q.texts.answers[3], q.texts.answers[4], q.texts.hint, flags}).join(u'|'), first);
    QStringList got;
    for (const auto& w : import.result.warnings)
        got << QStringLiteral("%1: %2").arg(w.line).arg(w.message);
    QCOMPARE(got.size(), said.size());
    for (qsizetype i = 0; i < said.size(); ++i)
        QVERIFY2(got[i].startsWith(said[i]), qPrintable(got.join(u'\n')));
}

void tst_QuizXml::refuses_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("why");
    QTest::newRow("tag_mismatch") << quiz(capital).replace("</name>", "</nazwa>")
                                  << "plik XML jest uszkodzony (wiersz 4, kolumna 29): znacznik zamykający";
    QTest::newRow("cut_short") << quiz(capital).chopped(10) << "plik urywa się";
    QTest::newRow("html_entity_outside_cdata") << quiz(question("multichoice", "A", "a&nbsp;b", "")) << "nieznana encja";
    QTest::newRow("junk_after_root") << quiz(capital) + "<quiz/>" << "po zamknięciu głównego elementu";
    QTest::newRow("repeated_attribute") << quiz(capital).replace("type=\"multichoice\"", "type=\"a\" type=\"b\"")
                                        << "(wiersz 3, kolumna 20): atrybut powtórzony";
    QTest::newRow("windows_1250_bytes_undeclared") << quiz(capital).replace("Kraków", "Krak\xF3w")
                                                   << "bajty pliku nie zgadzają się z jego kodowaniem";
    QTest::newRow("unknown_encoding") << quiz(capital).replace("UTF-8", "x-nieznane") << "kodowanie podane w deklaracji";
    QTest::newRow("control_character_reference") << quiz(capital).replace("Kraków", "&#1;") << "znak niedozwolony w XML";
    QTest::newRow("nul_byte") << quiz(capital).replace("Kraków", QByteArray("Kra\0ków", 8)) << "znak niedozwolony w XML";
    QByteArray laughs = "<?xml version=\"1.0\"?><!DOCTYPE quiz [<!ENTITY e0 'hahahahaha'>";
    for (int level = 1; level < 10; ++level)
        laughs += QByteArray("<!ENTITY e%1 '").replace("%1", QByteArray::number(level))
            + QByteArray("&e%1;").replace("%1", QByteArray::number(level - 1)).repeated(10) + "'>";
    QTest::newRow("entities_without_end") << laughs + "]>\n" + quiz(question("multichoice", "S", "&e9;", ""))
                                          << "encje rozwijają się w zbyt długi tekst";
    QByteArray attributes;
    for (int n = 0; n < 300; ++n)
        attributes += " a" + QByteArray::number(n) + "=''";
    QTest::newRow("too_many_attributes") << quiz(capital).replace("<quiz>", "<quiz" + attributes + ">")
                                         << "zbyt wiele atrybutów";
    QTest::newRow("other_root") << QByteArray("<?xml version=\"1.0\"?>\n<html><p>x</p></html>") << "a nie <quiz>";
}

void tst_QuizXml::refuses()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, why);
    const bridges::Import import = bridges::importBytes(bytes);
    QVERIFY2(import.failure.contains(why), qPrintable(import.failure));
    QCOMPARE(import.result.taken + import.result.skipped, 0);
}

QTEST_GUILESS_MAIN(tst_QuizXml)
#include "tst_quiz_xml.moc"
