#include "bridges/xml_reader.h"

#include <QStringDecoder>

#include <cstring>

namespace bridges {

namespace {

const QString cutShort = QStringLiteral("plik urywa się, zanim zamknięto wszystkie elementy");
const QString badSyntax = QStringLiteral("niepoprawna składnia XML");
const QString unknownEntity = QStringLiteral("nieznana encja (znak „&” poza sekcją CDATA zapisuje się jako &amp;)");
const QString tooLong = QStringLiteral("encje rozwijają się w zbyt długi tekst");
constexpr qsizetype maxAttributes = 256;
// What the references to declared entities may add to the file's texts, all uses together.
constexpr qsizetype maxExpanded = qsizetype(64) << 20;

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Letters, digits, "_", ":", "-", "." and every byte of a character beyond ASCII.
bool isNameByte(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || c == '_'
        || c == ':' || c == '-' || c == '.';
}

// A character an XML file may hold.
bool isXmlCharacter(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD)
        || (c >= 0x10000 && c <= 0x10FFFF);
}

// The first control character other than a tab or a line end, which XML allows nowhere, or -1. The bytes
// are first looked over without stopping, which the compiler does many at a time.
qsizetype firstControlCharacter(QByteArrayView bytes)
{
    unsigned char any = 0;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        any |= (u < 0x20) & (u != '\t') & (u != '\n') & (u != '\r');
    }
    if (!any)
        return -1;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
            return i;
    }
    return -1;
}

// The encoding the XML declaration at the start names, if it names one.
std::optional<QByteArray> declaredEncoding(QByteArrayView bytes)
{
    if (!bytes.startsWith("<?xml") || bytes.size() < 6 || !isBlank(bytes[5]))
        return std::nullopt;
    const qsizetype end = bytes.indexOf("?>");
    const QByteArrayView declaration = bytes.first(end < 0 ? bytes.size() : end);
    qsizetype at = declaration.indexOf("encoding");
    if (at < 0)
        return std::nullopt;
    at += 8;
    while (at < declaration.size() && (isBlank(declaration[at]) || declaration[at] == '='))
        ++at;
    if (at >= declaration.size() || (declaration[at] != '"' && declaration[at] != '\''))
        return std::nullopt;
    const qsizetype close = declaration.indexOf(declaration[at], at + 1);
    if (close < 0)
        return std::nullopt;
    return declaration.sliced(at + 1, close - at - 1).toByteArray();
}

// The names under which the bytes are read as they are. A declaration of UTF-16 in a file without a byte order
// mark cannot be true: its declaration was read as single bytes.
bool readAsItIs(const QByteArray& encoding)
{
    const QByteArray name = encoding.toLower();
    return name == "utf-8" || name == "utf8" || name == "us-ascii" || name == "ascii" || name == "utf-16"
        || name == "utf16";
}

}  // namespace

QByteArrayView XmlAttributes::value(QByteArrayView name) const
{
    for (const Attribute& attribute : list_)
        if (attribute.name == name)
            return attribute.value;
    return {};
}

XmlReader::XmlReader(QByteArrayView bytes)
{
    text_ = bytes;
    std::optional<QStringDecoder> decoder;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        text_ = bytes.sliced(3);
    } else if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        decoder.emplace(bytes[0] == '\xFF' ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
        bytes = bytes.sliced(2);
    } else if (const std::optional<QByteArray> encoding = declaredEncoding(bytes); encoding && !readAsItIs(*encoding)) {
        decoder.emplace(encoding->constData());
        if (!decoder->isValid()) {
            fault_ = XmlFault{{}, QStringLiteral("kodowanie podane w deklaracji pliku nie jest obsługiwane")};
            return;
        }
    }
    if (decoder) {
        decoded_ = QString(decoder->decode(bytes)).toUtf8();
        text_ = decoded_;
        if (decoder->hasError())
            fault_ = XmlFault{{}, QStringLiteral("bajty pliku nie zgadzają się z jego kodowaniem")};
    }
    lineEnd_ = text_.contains('\n') || !text_.contains('\r') ? '\n' : '\r';
}

std::optional<XmlFault> XmlReader::read(XmlHandler& handler)
{
    // The control characters are looked for once the document is read: a reading stopped at its first
    // element tells the file's kind without going through all of it.
    if (!fault_ && readDocument(handler)) {
        if (const qsizetype control = firstControlCharacter(text_); control >= 0)
            fail(control, QStringLiteral("znak niedozwolony w XML"));
    }
    return fault_;
}

int XmlReader::line()
{
    // Counted on from where the last count stopped, so the lines of a large file are counted once.
    if (linesCountedTo_ < tokenAt_) {
        const QByteArrayView passed = text_.sliced(linesCountedTo_, tokenAt_ - linesCountedTo_);
        for (qsizetype end = passed.indexOf(lineEnd_); end >= 0; end = passed.indexOf(lineEnd_, end + 1))
            ++line_;
        linesCountedTo_ = tokenAt_;
    }
    return line_;
}

XmlPlace XmlReader::place() const
{
    return placeOf(tokenAt_);
}

XmlPlace XmlReader::placeOf(qsizetype at) const
{
    XmlPlace place;
    qsizetype lineStart = 0;
    for (qsizetype i = 0; i < at && i < text_.size(); ++i) {
        if (text_[i] == lineEnd_) {
            ++place.line;
            lineStart = i + 1;
        }
    }
    // Columns count characters, not the bytes that follow the first byte of a character.
    for (qsizetype i = lineStart; i < at && i < text_.size(); ++i)
        if ((static_cast<unsigned char>(text_[i]) & 0xC0) != 0x80)
            ++place.column;
    return place;
}

bool XmlReader::fail(qsizetype at, const QString& what)
{
    fault_ = XmlFault{placeOf(at), what};
    return false;
}

bool XmlReader::failCut()
{
    return fail(text_.size(), cutShort);
}

// Skips blanks; true when there were any.
bool XmlReader::skipBlanks()
{
    const qsizetype from = at_;
    while (at_ < text_.size() && isBlank(text_[at_]))
        ++at_;
    return at_ > from;
}

bool XmlReader::startsWith(const char* text) const
{
    return text_.sliced(at_).startsWith(text);
}

// The name at the reading place, passed over; empty when there is none.
QByteArrayView XmlReader::nameAt()
{
    const qsizetype from = at_;
    if (at_ < text_.size() && isNameByte(text_[at_]) && !(text_[at_] >= '0' && text_[at_] <= '9')
        && text_[at_] != '-' && text_[at_] != '.') {
        while (at_ < text_.size() && isNameByte(text_[at_]))
            ++at_;
    }
    return text_.sliced(from, at_ - from);
}

// Passes over a comment or a processing instruction, whose beginning takes `begun` bytes, up to its `end`.
bool XmlReader::skipUntil(qsizetype begun, const char* end)
{
    const qsizetype found = text_.indexOf(end, at_ + begun);
    if (found < 0)
        return failCut();
    at_ = found + qstrlen(end);
    return true;
}

// A DOCTYPE: its name and the file of declarations it names are passed over; of the declarations in its
// brackets, the entities with a text of their own are kept for the references that follow.
bool XmlReader::readDoctype()
{
    at_ += 9;
    if (!skipDeclaration("[>"))
        return false;
    if (text_[at_ - 1] == '>')
        return true;
    for (;;) {
        skipBlanks();
        if (at_ >= text_.size())
            return failCut();
        if (text_[at_] == ']')
            break;
        bool skipped = false;
        if (!skipCommentOrInstruction(skipped))
            return false;
        if (skipped)
            continue;
        if (startsWith("<!ENTITY")) {
            if (!readEntity())
                return false;
        } else if (startsWith("<!")) {
            at_ += 2;
            if (!skipDeclaration(">"))
                return false;
        } else if (text_[at_] == '%') {
            if (!skipDeclaration(";"))
                return false;
        } else {
            return fail(at_, badSyntax);
        }
    }
    ++at_;
    return passOver('>');
}

// Blanks, then `c`, passed over.
bool XmlReader::passOver(char c)
{
    skipBlanks();
    if (at_ >= text_.size())
        return failCut();
    if (text_[at_] != c)
        return fail(at_, badSyntax);
    ++at_;
    return true;
}

// Passes over the rest of a declaration up to the first of the `ends` outside quotes, and past it.
bool XmlReader::skipDeclaration(const char* ends)
{
    char quote = 0;
    for (; at_ < text_.size(); ++at_) {
        const char c = text_[at_];
        if (quote) {
            quote = c == quote ? 0 : quote;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (std::strchr(ends, c)) {
            ++at_;
            return true;
        }
    }
    return failCut();
}

// <!ENTITY name "text">. A parameter entity, and an entity kept in another file, are passed over: a reference
// to one is an unknown entity. The text's own references are resolved here, so no entity is ever expanded
// within another one's expansion.
bool XmlReader::readEntity()
{
    at_ += 8;
    if (!skipBlanks())
        return fail(at_, badSyntax);
    const bool parameter = at_ < text_.size() && text_[at_] == '%';
    if (parameter) {
        ++at_;
        skipBlanks();
    }
    const QByteArrayView name = nameAt();
    if (name.isEmpty())
        return fail(at_, badSyntax);
    skipBlanks();
    if (at_ >= text_.size())
        return failCut();
    const char quote = text_[at_];
    if (quote != '"' && quote != '\'')
        return skipDeclaration(">");
    const qsizetype close = text_.indexOf(quote, at_ + 1);
    if (close < 0)
        return failCut();
    if (const qsizetype lt = text_.first(close).indexOf('<', at_); lt >= 0)
        return fail(lt, QStringLiteral("encja zawierająca znaczniki nie jest obsługiwana"));
    ++at_;
    QByteArray value;
    if (!resolveUntil(close, value))
        return false;
    at_ = close + 1;
    if (!passOver('>'))
        return false;
    // The first declaration of a name holds.
    if (!parameter && !entities_.contains(name.toByteArray()))
        entities_.insert(name.toByteArray(), value);
    return true;
}

bool XmlReader::readStartTag(XmlHandler& handler)
{
    ++at_;
    const QByteArrayView name = nameAt();
    if (name.isEmpty())
        return fail(at_, badSyntax);
    attributes_.list_.clear();
    for (;;) {
        const bool blank = skipBlanks();
        if (at_ >= text_.size())
            return failCut();
        if (text_[at_] == '>' || startsWith("/>")) {
            const bool empty = text_[at_] == '/';
            at_ += empty ? 2 : 1;
            if (!handler.started(name, attributes_))
                return false;
            if (empty)
                return handler.ended();
            open_.append(name);
            return true;
        }
        const qsizetype attributeAt = at_;
        const QByteArrayView attribute = nameAt();
        if (!blank || attribute.isEmpty())
            return fail(at_, badSyntax);
        if (!passOver('='))
            return false;
        skipBlanks();
        if (at_ >= text_.size())
            return failCut();
        const char quote = text_[at_];
        if (quote != '"' && quote != '\'')
            return fail(at_, badSyntax);
        const qsizetype close = text_.indexOf(quote, at_ + 1);
        if (close < 0)
            return failCut();
        XmlAttributes::Attribute a{attribute, text_.sliced(at_ + 1, close - at_ - 1), {}};
        if (const qsizetype lt = a.value.indexOf('<'); lt >= 0)
            return fail(at_ + 1 + lt, badSyntax);
        if (a.value.contains('&')) {
            ++at_;
            if (!resolveUntil(close, a.resolved))
                return false;
            a.value = a.resolved;
        }
        at_ = close + 1;
        // Each attribute is compared with those before it: a tag may hold only so many.
        if (attributes_.list_.size() == maxAttributes)
            return fail(attributeAt, QStringLiteral("zbyt wiele atrybutów w jednym znaczniku"));
        for (const XmlAttributes::Attribute& earlier : attributes_.list_)
            if (earlier.name == attribute)
                return fail(attributeAt, QStringLiteral("atrybut powtórzony w jednym znaczniku"));
        attributes_.list_.append(std::move(a));
    }
}

bool XmlReader::readEndTag(XmlHandler& handler)
{
    at_ += 2;
    const qsizetype nameStart = at_;
    const QByteArrayView name = nameAt();
    skipBlanks();
    if (at_ >= text_.size())
        return failCut();
    if (text_[at_] != '>' || name.isEmpty())
        return fail(at_, badSyntax);
    if (name != open_.last())
        return fail(nameStart, QStringLiteral("znacznik zamykający nie pasuje do otwartego elementu"));
    open_.removeLast();
    ++at_;
    return handler.ended();
}

// The text up to `end`, where the next tag begins: passed on as the file holds it, or, when it holds a
// reference, with its references resolved.
bool XmlReader::readText(XmlHandler& handler, qsizetype end)
{
    const QByteArrayView run = text_.sliced(at_, end - at_);
    if (!run.contains('&')) {
        at_ = end;
        return handler.characters(run);
    }
    pieces_.clear();
    return resolveUntil(end, pieces_) && handler.characters(pieces_);
}

// The file's bytes from the reading place up to `end`, appended to `to` with their references resolved.
bool XmlReader::resolveUntil(qsizetype end, QByteArray& to)
{
    while (at_ < end) {
        const qsizetype amp = text_.first(end).indexOf('&', at_);
        const qsizetype stop = amp < 0 ? end : amp;
        to += text_.sliced(at_, stop - at_);
        at_ = stop;
        if (amp >= 0 && !resolveReference(to))
            return false;
    }
    return true;
}

// The reference at the reading place ("&amp;", "&#261;", "&#x105;"), its character appended to `to`.
bool XmlReader::resolveReference(QByteArray& to)
{
    // The longest reference the file may hold is "&#x10FFFF;" (or a longer run of leading zeros).
    const QByteArrayView near = text_.sliced(at_, std::min<qsizetype>(text_.size() - at_, 64));
    const qsizetype semicolon = near.indexOf(';');
    if (semicolon < 0)
        return fail(at_, unknownEntity);
    const QByteArrayView name = near.sliced(1, semicolon - 1);
    static const struct {
        const char* name;
        char character;
    } named[] = {{"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& entity : named) {
        if (name == entity.name) {
            to += entity.character;
            at_ += semicolon + 1;
            return true;
        }
    }
    if (const auto declared = entities_.constFind(name.toByteArray()); declared != entities_.cend()) {
        // Each use counts: a few short entities used many times could otherwise fill the memory.
        expanded_ += declared->size();
        if (expanded_ > maxExpanded)
            return fail(at_, tooLong);
        to += *declared;
        at_ += semicolon + 1;
        return true;
    }
    if (!name.startsWith('#'))
        return fail(at_, unknownEntity);
    const bool hex = name.startsWith("#x");
    const QByteArrayView digits = name.sliced(hex ? 2 : 1);
    bool number = !digits.isEmpty();
    for (const char c : digits)
        number = number && ((c >= '0' && c <= '9') || (hex && ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))));
    const qulonglong code = number ? digits.toULongLong(&number, hex ? 16 : 10) : 0;
    if (!number || code > 0x10FFFF || !isXmlCharacter(static_cast<char32_t>(code)))
        return fail(at_, QStringLiteral("znak niedozwolony w XML"));
    const char32_t character = static_cast<char32_t>(code);
    to += QString::fromUcs4(&character, 1).toUtf8();
    at_ += semicolon + 1;
    return true;
}

// A comment or a processing instruction at the reading place, passed over; `found` says whether there was one.
bool XmlReader::skipCommentOrInstruction(bool& found)
{
    found = true;
    const qsizetype start = at_;
    if (startsWith("<!--")) {
        if (!skipUntil(4, "-->"))
            return false;
        if (text_.sliced(start + 4, at_ - start - 7).contains("--"))
            return fail(start, QStringLiteral("komentarz zawiera „--”"));
        return true;
    }
    if (startsWith("<?")) {
        // The XML declaration stands only at the very start, and begins with the version.
        at_ += 2;
        const bool declaration = nameAt().compare("xml", Qt::CaseInsensitive) == 0;
        const qsizetype afterName = at_;
        if (declaration && (start != 0 || !skipBlanks() || !startsWith("version")))
            return fail(start == 0 ? afterName : start, badSyntax);
        at_ = start;
        return skipUntil(2, "?>");
    }
    found = false;
    return true;
}

bool XmlReader::readDocument(XmlHandler& handler)
{
    // Before the root: the declaration, blanks, comments, processing instructions and one DOCTYPE.
    bool doctype = false;
    for (;;) {
        skipBlanks();
        tokenAt_ = at_;
        if (at_ >= text_.size())
            return failCut();
        if (text_[at_] != '<')
            return fail(at_, badSyntax);
        bool skipped = false;
        if (!skipCommentOrInstruction(skipped))
            return false;
        if (skipped)
            continue;
        if (!startsWith("<!"))
            break;
        if (doctype || !startsWith("<!DOCTYPE"))
            return fail(at_, badSyntax);
        doctype = true;
        if (!readDoctype())
            return false;
    }
    if (!readStartTag(handler))
        return false;
    while (!open_.isEmpty()) {
        const qsizetype lt = text_.indexOf('<', at_);
        if (lt < 0)
            return failCut();
        if (lt > at_ && !readText(handler, lt))
            return false;
        tokenAt_ = at_ = lt;
        const char after = lt + 1 < text_.size() ? text_[lt + 1] : 0;
        bool goOn = true;
        bool skipped = false;
        if (after != '/' && after != '!' && after != '?') {
            goOn = readStartTag(handler);
        } else if (after == '/') {
            goOn = readEndTag(handler);
        } else if (startsWith("<![CDATA[")) {
            const qsizetype close = text_.indexOf("]]>", at_ + 9);
            if (close < 0)
                return failCut();
            const QByteArrayView data = text_.sliced(at_ + 9, close - at_ - 9);
            at_ = close + 3;
            goOn = handler.characters(data);
        } else {
            goOn = skipCommentOrInstruction(skipped);
            if (goOn && !skipped)
                return fail(at_, badSyntax);
        }
        if (!goOn)
            return false;
    }
    // After the root: blanks, comments and processing instructions only.
    for (;;) {
        skipBlanks();
        tokenAt_ = at_;
        if (at_ >= text_.size())
            return true;
        bool skipped = false;
        if (!skipCommentOrInstruction(skipped))
            return false;
        if (!skipped)
            return fail(at_, QStringLiteral("po zamknięciu głównego elementu jest jeszcze treść"));
    }
}

}  // namespace bridges
