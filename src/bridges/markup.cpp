#include "bridges/markup.h"

#include <algorithm>
#include <array>

namespace bridges {

namespace {

struct Marker {
    QStringView text;
    TextFormat format;
};

constexpr std::array markers{
    Marker{u"[html]", TextFormat::Html},
    Marker{u"[moodle]", TextFormat::Moodle},
    Marker{u"[plain]", TextFormat::Plain},
    Marker{u"[markdown]", TextFormat::Markdown},
};

// The named entities the platforms' editors write, the letters of Polish and its neighbours among them.
struct Entity {
    QStringView name;
    char16_t character;
};

constexpr std::array entities{
    Entity{u"AElig", 0xC6},   Entity{u"Aacute", 0xC1},  Entity{u"Acirc", 0xC2},   Entity{u"Agrave", 0xC0},
    Entity{u"Auml", 0xC4},    Entity{u"Ccedil", 0xC7},  Entity{u"Eacute", 0xC9},  Entity{u"Euml", 0xCB},
    Entity{u"Iacute", 0xCD},  Entity{u"Oacute", 0xD3},  Entity{u"Ocirc", 0xD4},   Entity{u"Ouml", 0xD6},
    Entity{u"Uacute", 0xDA},  Entity{u"Uuml", 0xDC},    Entity{u"Yacute", 0xDD},  Entity{u"aacute", 0xE1},
    Entity{u"acirc", 0xE2},   Entity{u"acute", 0xB4},   Entity{u"aelig", 0xE6},   Entity{u"agrave", 0xE0},
    Entity{u"amp", u'&'},     Entity{u"apos", u'\''},   Entity{u"auml", 0xE4},    Entity{u"bdquo", 0x201E},
    Entity{u"brvbar", 0xA6},  Entity{u"bull", 0x2022},  Entity{u"ccedil", 0xE7},  Entity{u"cedil", 0xB8},
    Entity{u"cent", 0xA2},    Entity{u"copy", 0xA9},    Entity{u"curren", 0xA4},  Entity{u"dagger", 0x2020},
    Entity{u"deg", 0xB0},     Entity{u"divide", 0xF7},  Entity{u"eacute", 0xE9},  Entity{u"ecirc", 0xEA},
    Entity{u"egrave", 0xE8},  Entity{u"euml", 0xEB},    Entity{u"euro", 0x20AC},  Entity{u"frac12", 0xBD},
    Entity{u"frac14", 0xBC},  Entity{u"frac34", 0xBE},  Entity{u"ge", 0x2265},    Entity{u"gt", u'>'},
    Entity{u"hellip", 0x2026}, Entity{u"iacute", 0xED}, Entity{u"icirc", 0xEE},   Entity{u"iexcl", 0xA1},
    Entity{u"iquest", 0xBF},  Entity{u"iuml", 0xEF},    Entity{u"laquo", 0xAB},   Entity{u"ldquo", 0x201C},
    Entity{u"le", 0x2264},    Entity{u"lsaquo", 0x2039}, Entity{u"lsquo", 0x2018}, Entity{u"lt", u'<'},
    Entity{u"macr", 0xAF},    Entity{u"mdash", 0x2014}, Entity{u"micro", 0xB5},   Entity{u"middot", 0xB7},
    Entity{u"nbsp", 0xA0},    Entity{u"ndash", 0x2013}, Entity{u"ne", 0x2260},    Entity{u"not", 0xAC},
    Entity{u"oacute", 0xF3},  Entity{u"ocirc", 0xF4},   Entity{u"ordf", 0xAA},    Entity{u"ordm", 0xBA},
    Entity{u"ouml", 0xF6},    Entity{u"para", 0xB6},    Entity{u"permil", 0x2030}, Entity{u"pi", 0x3C0},
    Entity{u"plusmn", 0xB1},  Entity{u"pound", 0xA3},   Entity{u"quot", u'"'},    Entity{u"raquo", 0xBB},
    Entity{u"rdquo", 0x201D}, Entity{u"reg", 0xAE},     Entity{u"rsaquo", 0x203A}, Entity{u"rsquo", 0x2019},
    Entity{u"sbquo", 0x201A}, Entity{u"sect", 0xA7},    Entity{u"shy", 0xAD},     Entity{u"sup1", 0xB9},
    Entity{u"sup2", 0xB2},    Entity{u"sup3", 0xB3},    Entity{u"szlig", 0xDF},   Entity{u"times", 0xD7},
    Entity{u"trade", 0x2122}, Entity{u"uacute", 0xFA},  Entity{u"uuml", 0xFC},    Entity{u"yacute", 0xFD},
    Entity{u"yen", 0xA5},
};

bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return (u <= u' ' && (u == u' ' || u == u'\t' || u == u'\r' || u == u'\n' || u == u'\f')) || u == 0xA0;
}

// Whether a tag begins at `at`: "<" before a letter, "/" or "!", with a ">" after it.
bool tagAt(QStringView text, qsizetype at, qsizetype lastClose)
{
    if (at + 1 >= text.size() || at > lastClose)
        return false;
    const QChar next = text[at + 1];
    return next.isLetter() || next == u'/' || next == u'!';
}

bool holdsTags(QStringView text)
{
    const qsizetype lastClose = text.lastIndexOf(u'>');
    for (qsizetype i = text.indexOf(u'<'); i >= 0; i = text.indexOf(u'<', i + 1))
        if (tagAt(text, i, lastClose))
            return true;
    return false;
}

QString withCrLf(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n') {
            out += u"\r\n";
            if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The character an entity written at `at` ("&amp;", "&#243;", "&#xF3;") stands for, and its length; nothing
// for an ampersand that begins no entity known here, which then stays as written.
std::optional<std::pair<char32_t, qsizetype>> entityAt(QStringView text, qsizetype at)
{
    const qsizetype semicolon = text.indexOf(u';', at + 1);
    if (semicolon < 0 || semicolon - at > 12)
        return std::nullopt;
    const QStringView name = text.sliced(at + 1, semicolon - at - 1);
    const qsizetype length = semicolon - at + 1;
    if (name.startsWith(u'#')) {
        bool ok = false;
        const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
        const uint code = name.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return std::nullopt;
        return std::pair{static_cast<char32_t>(code), length};
    }
    const auto found = std::find_if(entities.begin(), entities.end(), [&](const Entity& e) { return e.name == name; });
    if (found == entities.end())
        return std::nullopt;
    return std::pair{static_cast<char32_t>(found->character), length};
}

// The value of attribute `name` in the inside of a tag (`<img src="a.png" alt="Flaga">` gives "Flaga" for
// "alt"), entities decoded; empty when it is missing.
QString attribute(QStringView tag, QStringView name)
{
    for (qsizetype i = tag.indexOf(name, 0, Qt::CaseInsensitive); i >= 0;
         i = tag.indexOf(name, i + 1, Qt::CaseInsensitive)) {
        if (i == 0 || !isBlank(tag[i - 1]))
            continue;
        qsizetype p = i + name.size();
        while (p < tag.size() && isBlank(tag[p]))
            ++p;
        if (p >= tag.size() || tag[p] != u'=')
            continue;
        ++p;
        while (p < tag.size() && isBlank(tag[p]))
            ++p;
        if (p >= tag.size())
            return {};
        qsizetype end;
        if (tag[p] == u'"' || tag[p] == u'\'') {
            end = tag.indexOf(tag[p], p + 1);
            ++p;
            if (end < 0)
                end = tag.size();
        } else {
            end = p;
            while (end < tag.size() && !isBlank(tag[end]) && tag[end] != u'>')
                ++end;
        }
        return readableText(tag.sliced(p, end - p), TextFormat::Html, nullptr);
    }
    return {};
}

QString fileNameOf(const QString& url)
{
    const QString path = url.section(u'?', 0, 0).section(u'#', 0, 0);
    return path.section(u'/', -1);
}

// Builds the text a reader sees: blanks gathered into one, line breaks kept apart from them, no empty lines
// before the first words or after the last ones.
class PlainTextBuilder {
public:
    explicit PlainTextBuilder(qsizetype expected) { text_.reserve(expected); }

    void text(QStringView s)
    {
        // Most texts are words with one space between them, as a reader sees them: they go in at once.
        if (!s.isEmpty() && asShown(s))
            return words(s);
        qsizetype i = 0;
        while (i < s.size()) {
            if (isBlank(s[i])) {
                blank_ = true;
                ++i;
                continue;
            }
            qsizetype end = i + 1;
            while (end < s.size()
                   && (!isBlank(s[end]) || (s[end] == u' ' && end + 1 < s.size() && !isBlank(s[end + 1]))))
                ++end;
            words(s.sliced(i, end - i));
            i = end;
        }
    }
    void character(char32_t c)
    {
        if (c == 0xA0 || c == u' ' || c == u'\t' || c == u'\n' || c == u'\r')
            blank_ = true;
        else
            text(QStringView(QString::fromUcs4(&c, 1)));
    }
    // A block element: a line of its own, without empty lines between blocks.
    void endBlock()
    {
        if (lineHasWords_)
            breakLine();
    }
    void breakLine()
    {
        if (!text_.isEmpty())
            ++breaks_;
        lineHasWords_ = false;
        blank_ = false;
    }
    QString result() { return std::move(text_); }

private:
    // Whether the text has no blank but single spaces between words: seen in one pass without a branch per
    // character, as the words of a long text are many.
    static bool asShown(QStringView s)
    {
        const char16_t* c = s.utf16();
        unsigned other = isBlank(s.front()) || isBlank(s.back());
        for (qsizetype k = 1; k < s.size(); ++k) {
            const char16_t u = c[k];
            other |= (u == u'\t') | (u == u'\r') | (u == u'\n') | (u == u'\f') | (u == 0xA0)
                | ((u == u' ') & (c[k - 1] == u' '));
        }
        return !other;
    }

    // Words with one space between them, after the blank or the line breaks that wait for them.
    void words(QStringView s)
    {
        for (; breaks_ > 0; --breaks_)
            text_ += u"\r\n";
        if (blank_ && lineHasWords_)
            text_ += u' ';
        blank_ = false;
        lineHasWords_ = true;
        text_ += s;
    }

    QString text_;
    int breaks_ = 0;  // line breaks that wait for the next words
    bool lineHasWords_ = false;
    bool blank_ = false;
};

bool isBlockElement(QStringView name)
{
    for (QStringView block : {u"p", u"div", u"li", u"ul", u"ol", u"tr", u"table", u"h1", u"h2", u"h3", u"h4", u"h5",
                              u"h6", u"blockquote", u"pre", u"dt", u"dd", u"figure", u"figcaption", u"section"})
        if (name.compare(block, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

QString htmlToText(QStringView html, LeftOutMedia* media)
{
    PlainTextBuilder out(html.size());
    auto note = [&](bool LeftOutMedia::*kind) {
        if (media)
            media->*kind = true;
    };
    auto mediaText = [&](QStringView label, const QString& described) {
        out.text(u" ");
        out.text(described.isEmpty() ? QStringLiteral("[%1]").arg(label) : QStringLiteral("[%1: %2]").arg(label, described));
        out.text(u" ");
    };
    const qsizetype lastClose = html.lastIndexOf(u'>');
    QString linkedFile;  // of the link being read, when it leads to a recording
    QStringView linkedLabel;
    qsizetype nextTag = 0;
    qsizetype nextEntity = 0;
    qsizetype i = 0;
    while (i < html.size()) {
        const QChar c = html[i];
        if (c == u'&') {
            if (const auto entity = entityAt(html, i)) {
                out.character(entity->first);
                i += entity->second;
            } else {
                out.text(u"&");
                ++i;
            }
            continue;
        }
        if (c != u'<' || !tagAt(html, i, lastClose)) {
            // The next "<" and the next "&" are each looked for again only once the reading has passed them.
            const auto nextOf = [html, i](char16_t what) {
                const qsizetype at = html.indexOf(what, i + 1);
                return at < 0 ? html.size() : at;
            };
            if (nextTag <= i)
                nextTag = nextOf(u'<');
            if (nextEntity <= i)
                nextEntity = nextOf(u'&');
            const qsizetype next = std::min(nextTag, nextEntity);
            out.text(html.sliced(i, next - i));
            i = next;
            continue;
        }
        if (html.sliced(i).startsWith(u"<!--")) {
            const qsizetype end = html.indexOf(u"-->", i + 4);
            i = end < 0 ? html.size() : end + 3;
            continue;
        }
        const qsizetype close = html.indexOf(u'>', i);
        const QStringView tag = html.sliced(i + 1, close - i - 1);
        i = close + 1;
        const bool ending = tag.startsWith(u'/');
        qsizetype nameEnd = ending ? 1 : 0;
        while (nameEnd < tag.size() && !isBlank(tag[nameEnd]) && tag[nameEnd] != u'/')
            ++nameEnd;
        const QStringView name = tag.sliced(ending ? 1 : 0, nameEnd - (ending ? 1 : 0));
        auto is = [&](QStringView what) { return name.compare(what, Qt::CaseInsensitive) == 0; };
        if (!ending && (is(u"script") || is(u"style"))) {
            const QString end = QStringLiteral("</%1").arg(name.toString());
            const qsizetype at = html.indexOf(end, i, Qt::CaseInsensitive);
            const qsizetype after = at < 0 ? -1 : html.indexOf(u'>', at);
            i = after < 0 ? html.size() : after + 1;
        } else if (is(u"br")) {
            out.breakLine();
        } else if (isBlockElement(name)) {
            out.endBlock();
        } else if (!ending && is(u"img")) {
            note(&LeftOutMedia::picture);
            QString described = attribute(tag, u"alt");
            if (described.isEmpty())
                described = attribute(tag, u"title");
            mediaText(u"obrazek", described);
        } else if (!ending && (is(u"audio") || is(u"video"))) {
            const bool video = is(u"video");
            note(video ? &LeftOutMedia::video : &LeftOutMedia::sound);
            mediaText(video ? u"film" : u"nagranie", fileNameOf(attribute(tag, u"src")));
        } else if (ending && is(u"a")) {
            if (!linkedFile.isEmpty())
                mediaText(linkedLabel, linkedFile);
            linkedFile.clear();
        } else if (!ending && (is(u"a") || is(u"source") || is(u"embed"))) {
            // A link's recording is named after the link's own words.
            const QString file = fileNameOf(attribute(tag, is(u"a") ? u"href" : u"src"));
            const bool sound = isSoundFile(file);
            if (!sound && !isVideoFile(file))
                continue;
            note(sound ? &LeftOutMedia::sound : &LeftOutMedia::video);
            const QStringView label = sound ? u"nagranie" : u"film";
            if (is(u"a")) {
                linkedFile = file;
                linkedLabel = label;
            } else {
                mediaText(label, file);
            }
        }
    }
    if (!linkedFile.isEmpty())
        mediaText(linkedLabel, linkedFile);
    return out.result();
}

}  // namespace

bool isSoundFile(QStringView name)
{
    for (QStringView e : {u".mp3", u".wav", u".ogg", u".oga", u".m4a", u".aac", u".flac", u".wma"})
        if (name.endsWith(e, Qt::CaseInsensitive))
            return true;
    return false;
}

bool isVideoFile(QStringView name)
{
    for (QStringView e : {u".mp4", u".webm", u".ogv", u".avi", u".mov", u".mkv", u".wmv", u".flv", u".m4v"})
        if (name.endsWith(e, Qt::CaseInsensitive))
            return true;
    return false;
}

TextFormat takeFormatMarker(QStringView& text)
{
    for (const Marker& m : markers) {
        if (text.startsWith(m.text)) {
            text = text.sliced(m.text.size());
            return m.format;
        }
    }
    return TextFormat::Unmarked;
}

bool startsWithFormatMarker(QStringView text)
{
    return takeFormatMarker(text) != TextFormat::Unmarked;
}

TextFormat formatNamed(QAnyStringView name)
{
    if (name == u"html")
        return TextFormat::Html;
    if (name == u"moodle_auto_format")
        return TextFormat::Moodle;
    if (name == u"plain_text")
        return TextFormat::Plain;
    if (name == u"markdown")
        return TextFormat::Markdown;
    return TextFormat::Unmarked;
}

bool isMarkup(QStringView text, TextFormat format)
{
    return format == TextFormat::Html || (format == TextFormat::Moodle && holdsTags(text));
}

QString readableText(QStringView text, TextFormat format, LeftOutMedia* media)
{
    return isMarkup(text, format) ? htmlToText(text, media) : withCrLf(text);
}

void warnLeftOut(const LeftOutMedia& media, int line, QList<Warning>& warnings)
{
    if (media.picture)
        warnings.append({line, QStringLiteral("obrazek pominięto (zestaw przechowuje tylko tekst); w pytaniu został jego opis.")});
    if (media.sound)
        warnings.append({line, QStringLiteral("nagranie dźwięku pominięto (zestaw przechowuje tylko tekst).")});
    if (media.video)
        warnings.append({line, QStringLiteral("film pominięto (zestaw przechowuje tylko tekst).")});
}

}  // namespace bridges
