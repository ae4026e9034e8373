#pragma once
// How the e-learning platforms write their texts: a GIFT text may begin with a format marker ("[html]",
// "[moodle]", "[plain]", "[markdown]"), an XML export names the format in an attribute. A set holds plain
// text, so HTML becomes the text a reader of the page sees.
#include "bridges/imported.h"

#include <QString>
#include <QStringView>

namespace bridges {

enum class TextFormat { Unmarked, Moodle, Html, Plain, Markdown };

// The format marker at the start of a GIFT text, taken off `text`; Unmarked (and `text` unchanged) when
// there is none.
TextFormat takeFormatMarker(QStringView& text);

// Whether `text` begins with a format marker, so that a writer of GIFT knows to put one of its own before it.
bool startsWithFormatMarker(QStringView text);

// The format named by an XML export's `format` attribute ("html", "moodle_auto_format", "plain_text",
// "markdown"); Unmarked for anything else.
TextFormat formatNamed(QAnyStringView name);

// What a text showed that a set cannot hold, so that its question can be warned about it.
struct LeftOutMedia {
    bool picture = false;
    bool sound = false;
    bool video = false;
    bool any() const { return picture || sound || video; }
};

// Whether a file, by its name, holds a recording of sound or a film.
bool isSoundFile(QStringView name);
bool isVideoFile(QStringView name);

// Whether readableText changes more of `text` than its line ends: an HTML text, or a "[moodle]" one with tags.
bool isMarkup(QStringView text, TextFormat format);

// The text as a reader sees it, its line breaks as CR LF. An "[html]" text, or a "[moodle]" one that holds
// tags, loses its tags: <p>, <div>, <li> and the like end a line, <br> breaks one, entities are decoded and
// each run of blanks becomes one. A picture becomes "[obrazek: ALT]" and a sound or a film likewise, noted in
// `media`. Every other text is kept as it is.
QString readableText(QStringView text, TextFormat format, LeftOutMedia* media);

// The warnings for what `media` says was left out of the question that begins at `line`.
void warnLeftOut(const LeftOutMedia& media, int line, QList<Warning>& warnings);

}  // namespace bridges
