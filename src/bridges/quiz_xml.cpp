#include "bridges/quiz_xml.h"

#include "bridges/lines.h"
#include "bridges/markup.h"

#include <QStringDecoder>
#include <expat.h>
#include <memory>
#include <optional>
#include <type_traits>
#include <vector>

namespace bridges {

namespace {

// The XML declaration at the start, after a UTF-8 byte order mark and blanks.
bool declaresXml(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    return bytes.trimmed().startsWith("<?xml");
}

// An element that holds a text as the export writes it (<questiontext>, <generalfeedback>, <answer>,
// <feedback>, <name>): the format attribute, the <text> child and the files embedded beside it.
struct TextElement {
    QString text;
    TextFormat format = TextFormat::Unmarked;
    QStringList files;
    double fraction = 0;    // of an <answer>: above 0 for a right one
    bool feedback = false;  // an <answer> with feedback of its own
};

QString readable(const TextElement& element, LeftOutMedia* media)
{
    return readableText(element.text, element.format, media).trimmed();
}

// An embedded file is left out of the set; what it was is told by its extension.
void noteFiles(const QStringList& files, LeftOutMedia& media)
{
    for (const QString& file : files) {
        if (isSoundFile(file))
            media.sound = true;
        else if (isVideoFile(file))
            media.video = true;
        else
            media.picture = true;
    }
}

struct QuestionElement {
    int line = 0;
    QString type;
    QString name;
    std::optional<TextElement> text;
    std::optional<TextElement> generalFeedback;
    QList<TextElement> answers;
};

bool isMultipleChoice(const QString& type)
{
    return type == u"multichoice" || type == u"multichoiceset";
}

// A true/false question as GIFT's {T} and {F} make it: A "Prawda", B "Fałsz", the right one marked.
bool takeTrueFalse(const QuestionElement& element, FoundQuestion& q)
{
    std::optional<bool> trueRight, falseRight;
    for (const TextElement& answer : element.answers) {
        const QString text = readable(answer, nullptr).toLower();
        if (text == u"true" && !trueRight)
            trueRight = answer.fraction > 0;
        else if (text == u"false" && !falseRight)
            falseRight = answer.fraction > 0;
        else
            return false;
    }
    if (!trueRight || !falseRight)
        return false;
    setTrueFalse(q, *trueRight, *falseRight);
    return true;
}

FoundQuestion foundQuestion(const QuestionElement& element, QList<Warning>& warnings)
{
    FoundQuestion q;
    q.line = element.line;
    // The reason names the question as the platform does, when it has a name.
    auto leftOut = [&](const QString& named, const QString& unnamed) {
        q.skipReason = element.name.isEmpty() ? unnamed : named.arg(element.name);
        return q;
    };
    const bool trueFalse = element.type == u"truefalse";
    if (!isMultipleChoice(element.type) && !trueFalse) {
        const QString kind = element.type.isEmpty() ? QStringLiteral("bez podanego typu")
                                                    : QStringLiteral("typu %1").arg(element.type);
        return leftOut(QStringLiteral("„%1” to pytanie ") + kind + QStringLiteral(", a nie wielokrotnego wyboru"),
                       QStringLiteral("to pytanie ") + kind + QStringLiteral(", a nie wielokrotnego wyboru"));
    }
    LeftOutMedia media;
    auto used = [&](const TextElement& text) {
        noteFiles(text.files, media);
        return readable(text, &media);
    };
    if (element.text)
        q.text = used(*element.text);
    if (q.text.isEmpty())
        return leftOut(QStringLiteral("„%1” ma pustą treść"), QStringLiteral("treść pytania jest pusta"));
    if (element.generalFeedback) {
        const QString hint = used(*element.generalFeedback);
        if (!hint.isEmpty())
            q.hint = hint;
    }
    bool feedback = false;
    bool empty = false;
    for (const TextElement& answer : element.answers) {
        feedback = feedback || answer.feedback;
        if (trueFalse)
            continue;
        const QString text = used(answer);
        if (text.isEmpty()) {
            empty = true;
            continue;
        }
        addAnswer(q, text, answer.fraction > 0);
    }
    if (trueFalse && !takeTrueFalse(element, q))
        return leftOut(QStringLiteral("„%1” to pytanie prawda/fałsz bez odpowiedzi „true” i „false”"),
                       QStringLiteral("to pytanie prawda/fałsz bez odpowiedzi „true” i „false”"));
    if (empty)
        warnings.append({q.line, emptyAnswersLeftOut});
    if (feedback)
        warnings.append({q.line, answerFeedbackLeftOut});
    warnLeftOut(media, q.line, warnings);
    return q;
}

// An attribute's value as expat passes it (UTF-8), or an empty text when the element has no such attribute.
QByteArrayView attribute(const XML_Char** attributes, const char* name)
{
    for (; *attributes; attributes += 2)
        if (qstrcmp(attributes[0], name) == 0)
            return attributes[1];
    return {};
}

TextElement textElement(const XML_Char** attributes)
{
    TextElement element;
    element.format = formatNamed(QUtf8StringView(attribute(attributes, "format")));
    element.fraction = attribute(attributes, "fraction").toDouble();
    return element;
}

// Reads the export as expat passes its elements and texts: what each open element is to the export decides
// what its content becomes. A question is taken as soon as its element ends.
class QuizReader {
public:
    QuizReader(XML_Parser parser, QList<Warning>& warnings, const std::function<void(FoundQuestion&)>& take)
        : parser_(parser), warnings_(warnings), take_(take)
    {
        XML_SetUserData(parser, this);
        XML_SetElementHandler(
            parser,
            [](void* self, const XML_Char* name, const XML_Char** attributes) {
                static_cast<QuizReader*>(self)->started(name, attributes);
            },
            [](void* self, const XML_Char*) { static_cast<QuizReader*>(self)->ended(); });
        XML_SetCharacterDataHandler(parser, [](void* self, const XML_Char* text, int length) {
            static_cast<QuizReader*>(self)->characters(QByteArrayView(text, length));
        });
    }

    QString refusal;  // why the file is not an export, when its root is not <quiz>

private:
    // The elements the export is made of; a <text> holds the words of a name, a question text, a general
    // feedback, an answer or an answer's feedback, and every element inside a <text> adds its words to it
    // (a hand-written export may hold its HTML unescaped).
    enum class Role { Quiz, Question, Name, QuestionText, GeneralFeedback, Answer, AnswerFeedback, Text, InText, File,
                      Other };

    static bool holdsText(Role role)
    {
        return role == Role::Name || role == Role::QuestionText || role == Role::GeneralFeedback
            || role == Role::Answer || role == Role::AnswerFeedback;
    }

    // The element whose <text> or <file> is being read.
    TextElement& holder(Role role) { return role == Role::AnswerFeedback ? feedback_ : holder_; }

    void started(QByteArrayView name, const XML_Char** attributes)
    {
        Role role = Role::Other;
        if (open_.empty()) {
            if (name != "quiz") {
                refusal = QStringLiteral("to nie jest eksport pytań: głównym elementem pliku XML jest <%1>, a nie <quiz>.")
                              .arg(QString::fromUtf8(name));
                XML_StopParser(parser_, XML_FALSE);
                return;
            }
            role = Role::Quiz;
        } else if (const Role parent = open_.back(); parent == Role::Quiz) {
            if (name == "question") {
                role = Role::Question;
                question_ = QuestionElement{};
                question_.line = static_cast<int>(XML_GetCurrentLineNumber(parser_));
                question_.type = QString::fromUtf8(attribute(attributes, "type"));
            }
        } else if (parent == Role::Question) {
            const bool taken = isMultipleChoice(question_.type) || question_.type == u"truefalse";
            if (name == "name")
                role = Role::Name;
            else if (taken && name == "questiontext")
                role = Role::QuestionText;
            else if (taken && name == "generalfeedback")
                role = Role::GeneralFeedback;
            else if (taken && name == "answer")
                role = Role::Answer;
            if (role != Role::Other)
                holder_ = textElement(attributes);
        } else if (holdsText(parent)) {
            if (name == "text") {
                role = Role::Text;
                text_.clear();
            } else if (name == "file") {
                role = Role::File;
                holder(parent).files.append(QString::fromUtf8(attribute(attributes, "name")));
            } else if (parent == Role::Answer && name == "feedback") {
                role = Role::AnswerFeedback;
                feedback_ = textElement(attributes);
            }
        } else if (parent == Role::Text || parent == Role::InText) {
            role = Role::InText;
        }
        open_.push_back(role);
    }

    void characters(QByteArrayView text)
    {
        if (!open_.empty() && (open_.back() == Role::Text || open_.back() == Role::InText))
            text_.append(text);
    }

    void ended()
    {
        const Role role = open_.back();
        open_.pop_back();
        switch (role) {
        case Role::Text:
            holder(open_.back()).text = textOfUtf8(text_);
            break;
        case Role::Name:
            question_.name = holder_.text.simplified();
            break;
        case Role::QuestionText:
            question_.text = std::move(holder_);
            break;
        case Role::GeneralFeedback:
            question_.generalFeedback = std::move(holder_);
            break;
        case Role::Answer:
            question_.answers.append(std::move(holder_));
            break;
        case Role::AnswerFeedback:
            holder_.feedback = !readable(feedback_, nullptr).isEmpty();
            break;
        case Role::Question:
            // A category only sorts the questions after it.
            if (question_.type != u"category") {
                FoundQuestion q = foundQuestion(question_, warnings_);
                take_(q);
            }
            break;
        default:
            break;
        }
    }

    XML_Parser parser_;
    QList<Warning>& warnings_;
    const std::function<void(FoundQuestion&)>& take_;
    std::vector<Role> open_;
    QuestionElement question_;
    TextElement holder_;    // the name, question text, general feedback or answer being read
    TextElement feedback_;  // the feedback of the answer being read
    QByteArray text_;       // the words of the <text> being read, as the file holds them (UTF-8)
};

struct FreeParser {
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};
using Parser = std::unique_ptr<std::remove_pointer_t<XML_Parser>, FreeParser>;

// An encoding expat does not know itself, windows-1250 and ISO-8859-2 among them: any one-byte encoding Qt
// can decode. A byte that does not stand for one character alone is not well-formed.
int XMLCALL oneByteEncoding(void*, const XML_Char* name, XML_Encoding* encoding)
{
    if (!QStringDecoder(name).isValid())
        return XML_STATUS_ERROR;
    for (int b = 0; b < 256; ++b) {
        const char byte = static_cast<char>(b);
        const QString character = QStringDecoder(name).decode(QByteArrayView(&byte, 1));
        const bool one = character.size() == 1 && character[0] != QChar::ReplacementCharacter;
        encoding->map[b] = one ? character[0].unicode() : -1;
    }
    encoding->data = nullptr;
    encoding->convert = nullptr;
    encoding->release = nullptr;
    return XML_STATUS_OK;
}

// A parser that decodes the file as its byte order mark or encoding declaration says (UTF-8 when neither does).
Parser newParser()
{
    Parser parser(XML_ParserCreate(nullptr));
    if (!parser)
        throw std::bad_alloc();
    XML_SetUnknownEncodingHandler(parser.get(), oneByteEncoding, nullptr);
    return parser;
}

// Passes the bytes to the parser, in pieces that expat's int lengths can hold.
XML_Status parseAll(XML_Parser parser, QByteArrayView bytes)
{
    constexpr qsizetype piece = 1 << 24;
    qsizetype at = 0;
    do {
        const qsizetype size = std::min(piece, bytes.size() - at);
        const bool last = at + size == bytes.size();
        if (XML_Parse(parser, bytes.data() + at, static_cast<int>(size), last) != XML_STATUS_OK)
            return XML_STATUS_ERROR;
        at += size;
    } while (at < bytes.size());
    return XML_STATUS_OK;
}

QString faultOf(XML_Parser parser)
{
    QString what;
    switch (XML_GetErrorCode(parser)) {
    case XML_ERROR_NO_ELEMENTS:
    case XML_ERROR_UNCLOSED_TOKEN:
    case XML_ERROR_UNCLOSED_CDATA_SECTION:
    case XML_ERROR_PARTIAL_CHAR:
        what = QStringLiteral("plik urywa się, zanim zamknięto wszystkie elementy");
        break;
    case XML_ERROR_TAG_MISMATCH:
        what = QStringLiteral("znacznik zamykający nie pasuje do otwartego elementu");
        break;
    case XML_ERROR_UNDEFINED_ENTITY:
        what = QStringLiteral("nieznana encja (znak „&” poza sekcją CDATA zapisuje się jako &amp;)");
        break;
    case XML_ERROR_JUNK_AFTER_DOC_ELEMENT:
        what = QStringLiteral("po zamknięciu głównego elementu jest jeszcze treść");
        break;
    case XML_ERROR_INCORRECT_ENCODING:
        what = QStringLiteral("bajty pliku nie zgadzają się z jego kodowaniem");
        break;
    case XML_ERROR_UNKNOWN_ENCODING:
        what = QStringLiteral("kodowanie podane w deklaracji pliku nie jest obsługiwane");
        break;
    case XML_ERROR_DUPLICATE_ATTRIBUTE:
        what = QStringLiteral("atrybut powtórzony w jednym znaczniku");
        break;
    case XML_ERROR_INVALID_TOKEN:
    case XML_ERROR_BAD_CHAR_REF:
        what = QStringLiteral("znak niedozwolony w tym miejscu (znak „<” w tekście zapisuje się jako &lt;) albo "
                              "bajty niezgodne z kodowaniem pliku");
        break;
    case XML_ERROR_AMPLIFICATION_LIMIT_BREACH:
        what = QStringLiteral("encje rozwijają się w zbyt długi tekst");
        break;
    default:
        what = QStringLiteral("niepoprawna składnia XML");
        break;
    }
    return QStringLiteral("plik XML jest uszkodzony (wiersz %1, kolumna %2): %3.")
        .arg(XML_GetCurrentLineNumber(parser))
        .arg(XML_GetCurrentColumnNumber(parser) + 1)
        .arg(what);
}

}  // namespace

bool isQuizXml(QByteArrayView bytes)
{
    const Parser parser = newParser();
    struct FirstElement {
        XML_Parser parser;
        bool quiz = false;
    } first{parser.get()};
    XML_SetUserData(parser.get(), &first);
    XML_SetStartElementHandler(parser.get(), [](void* data, const XML_Char* name, const XML_Char**) {
        auto* first = static_cast<FirstElement*>(data);
        first->quiz = qstrcmp(name, "quiz") == 0;
        XML_StopParser(first->parser, XML_FALSE);
    });
    parseAll(parser.get(), bytes);
    return first.quiz || declaresXml(bytes);
}

QString readQuizXml(const QByteArray& bytes, QList<Warning>& warnings, const std::function<void(FoundQuestion&)>& take)
{
    const Parser parser = newParser();
    QuizReader reader(parser.get(), warnings, take);
    if (parseAll(parser.get(), bytes) == XML_STATUS_OK)
        return QString();
    return reader.refusal.isEmpty() ? faultOf(parser.get()) : reader.refusal;
}

}  // namespace bridges
