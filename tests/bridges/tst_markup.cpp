// The platforms' texts as a reader of the page sees them, whatever markup the teacher's bank carried.
#include "bridges/markup.h"

#include <QtTest>

using bridges::TextFormat;

class tst_Markup : public QObject {
    Q_OBJECT
private slots:
    void readable_data();
    void readable();
};

void tst_Markup::readable_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("seen");
    QTest::addColumn<QString>("leftOut");  // p(icture), s(ound), v(ideo)

    auto row = [](const char* name, const QString& text, TextFormat format, const QString& seen, const QString& leftOut = {}) {
        QTest::newRow(name) << text << static_cast<int>(format) << seen << leftOut;
    };
    row("blocks_and_breaks", "<div>Wymień:<ul><li>Odrę</li>\n <li>Wisłę</li></ul></div><p>a<br>b<br/><br>c</p>",
        TextFormat::Html, "Wymień:\r\nOdrę\r\nWisłę\r\na\r\nb\r\n\r\nc");
    row("entities", "&oacute;&#243;&#xF3;&Oacute;&nbsp;&lt;x&gt; &bdquo;&rdquo; &unknown; &#0; & A", TextFormat::Html,
        "óóóÓ <x> „” &unknown; &#0; & A");
    row("blanks_joined", "  a \t\r\n  b&nbsp;&nbsp;c  ", TextFormat::Html, "a b c");
    row("script_style_comment", "a<script>x<y</script><style>p{}</style><!-- uwaga -->b", TextFormat::Html, "ab");
    row("not_a_tag", "1 < 2 i 3 <4", TextFormat::Html, "1 < 2 i 3 <4");
    row("picture_without_alt", "<img src=\"a.png\" title='Mapa'> i <IMG SRC=b.png>", TextFormat::Html,
        "[obrazek: Mapa] i [obrazek]", "p");
    row("video_and_sound", "<video src=\"film/lekcja.mp4?t=1\"></video><audio><source src=\"x.ogg\"></audio>",
        TextFormat::Html, "[film: lekcja.mp4] [nagranie] [nagranie: x.ogg]", "sv");
    row("link_to_a_page", "<a href=\"https://example.org/strona.html\">strona</a>", TextFormat::Html, "strona");
    row("moodle_with_tags", "Jest <b>gruba</b>", TextFormat::Moodle, "Jest gruba");
    row("moodle_plain", "Jest  &amp;\nlinia", TextFormat::Moodle, "Jest  &amp;\r\nlinia");
    row("plain_keeps_tags", "<b>x</b>\r", TextFormat::Plain, "<b>x</b>\r\n");
    row("markdown_kept", "**x**", TextFormat::Markdown, "**x**");
}

void tst_Markup::readable()
{
    QFETCH(QString, text);
    QFETCH(int, format);
    QFETCH(QString, seen);
    QFETCH(QString, leftOut);
    bridges::LeftOutMedia media;
    QCOMPARE(bridges::readableText(text, static_cast<TextFormat>(format), &media), seen);
    QCOMPARE(media.picture, leftOut.contains(u'p'));
    QCOMPARE(media.sound, leftOut.contains(u's'));
    QCOMPARE(media.video, leftOut.contains(u'v'));
}

QTEST_GUILESS_MAIN(tst_Markup)
#include "tst_markup.moc"
