#include "bridges/quiz_xml.h"

#include "bridges/markup.h"
#include "bridges/xml_reader.h"

#include <QStringDecoder>
#include <optional>
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

TextElement textElement(const XmlAttributes& attributes)
{
    TextElement element;
    element.format = formatNamed(QUtf8StringView(attributes.value("format")));
    element.fraction = attributes.value("fraction").toDouble();
    return element;
}

QString damaged(const XmlFault& fault)
{
    return QStringLiteral("plik XML jest uszkodzony (wiersz %1, kolumna %2): %3.")
        .arg(fault.place.line)
        .arg(fault.place.column)
        .arg(fault.what);
}

// Reads the export as the XML reader passes its elements and texts: what each open element is to the export
// decides what its content becomes. A question is taken as soon as its element ends.
class QuizReader : public XmlHandler {
public:
    QuizReader(XmlReader& xml, QList<Warning>& warnings, const std::function<void(FoundQuestion&)>& take)
        : xml_(xml), warnings_(warnings), take_(take)
    {
    }

    QString refusal;  // why the file is not an export: its root is not <quiz>, or a text is not in its encoding

private:
    // The elements the export is made of; a <text> holds the words of a name, a question text, a general
    // feedback, an answer or an answer's feedback, and every element inside a <text> adds its words to it
    // (a hand-written export may hold its HTML unescaped).
    enum class Role { Quiz, Question, Name, QuestionText, GeneralFeedback, Answer, AnswerFeedback, Text, InText, Other };

    static bool holdsText(Role role)
    {
        return role == Role::Name || role == Role::QuestionText || role == Role::GeneralFeedback
            || role == Role::Answer || role == Role::AnswerFeedback;
    }

    // The element whose <text> or <file> is being read.
    TextElement& holder(Role role) { return role == Role::AnswerFeedback ? feedback_ : holder_; }

    bool started(QByteArrayView name, const XmlAttributes& attributes) override
    {
        Role role = Role::Other;
        if (open_.empty()) {
            if (name != "quiz") {
                refusal = QStringLiteral("to nie jest eksport pytań: głównym elementem pliku XML jest <%1>, a nie <quiz>.")
                              .arg(QString::fromUtf8(name));
                return false;
            }
            role = Role::Quiz;
        } else if (const Role parent = open_.back(); parent == Role::Quiz) {
            if (name == "question") {
                role = Role::Question;
                question_ = QuestionElement{};
                question_.line = xml_.line();
                question_.type = QString::fromUtf8(attributes.value("type"));
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
                holder(parent).files.append(QString::fromUtf8(attributes.value("name")));
            } else if (parent == Role::Answer && name == "feedback") {
                role = Role::AnswerFeedback;
                feedback_ = textElement(attributes);
            }
        } else if (parent == Role::Text || parent == Role::InText) {
            role = Role::InText;
        }
        open_.push_back(role);
        return true;
    }

    bool characters(QByteArrayView text) override
    {
        if (!open_.empty() && (open_.back() == Role::Text || open_.back() == Role::InText))
            text_.append(text);
        return true;
    }

    bool ended() override
    {
        const Role role = open_.back();
        open_.pop_back();
        switch (role) {
        case Role::Text: {
            // A mark U+FEFF at the start of a text is a character of it, not a byte order mark.
            QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless
                                                        | QStringConverter::Flag::ConvertInitialBom);
            holder(open_.back()).text = utf8.decode(text_);
            if (utf8.hasError()) {
                refusal = damaged({xml_.place(), QStringLiteral("bajty pliku nie zgadzają się z jego kodowaniem")});
                return false;
            }
            break;
        }
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
        return true;
    }

    XmlReader& xml_;
    QList<Warning>& warnings_;
    const std::function<void(FoundQuestion&)>& take_;
    std::vector<Role> open_;
    QuestionElement question_;
    TextElement holder_;    // the name, question text, general feedback or answer being read
    TextElement feedback_;  // the feedback of the answer being read
    QByteArray text_;       // the words of the <text> being read, as the file holds them (UTF-8)
};

}  // namespace

bool isQuizXml(QByteArrayView bytes)
{
    class FirstElement : public XmlHandler {
    public:
        bool quiz = false;
        bool started(QByteArrayView name, const XmlAttributes&) override
        {
            quiz = name == "quiz";
            return false;
        }
        bool ended() override { return true; }
        bool characters(QByteArrayView) override { return true; }
    } first;
    XmlReader(bytes).read(first);
    return first.quiz || declaresXml(bytes);
}

QString readQuizXml(const QByteArray& bytes, QList<Warning>& warnings, const std::function<void(FoundQuestion&)>& take)
{
    XmlReader xml(bytes);
    QuizReader reader(xml, warnings, take);
    if (const std::optional<XmlFault> fault = xml.read(reader))
        return damaged(*fault);
    return reader.refusal;
}

}  // namespace bridges
