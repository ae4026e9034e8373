#include "bridges/quiz_xml.h"

#include "bridges/markup.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QXmlStreamReader>
#include <optional>

namespace bridges {

namespace {

// The bytes read through a buffer: the reader then decodes a piece at a time, so a large file is never held
// decoded whole, and telling the format stops after the first element.
class XmlOfBytes {
public:
    explicit XmlOfBytes(QByteArrayView bytes)
    {
        buffer_.setData(QByteArray::fromRawData(bytes.data(), bytes.size()));
        buffer_.open(QIODevice::ReadOnly);
        reader.setDevice(&buffer_);
    }
    QXmlStreamReader reader;

private:
    QBuffer buffer_;
};

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

// `inAnswer`: the element is an <answer>, whose <feedback> is such an element too.
TextElement readTextElement(QXmlStreamReader& xml, bool inAnswer = false)
{
    TextElement element;
    const QXmlStreamAttributes attributes = xml.attributes();
    element.format = formatNamed(attributes.value(QStringLiteral("format")));
    element.fraction = attributes.value(QStringLiteral("fraction")).toDouble();
    while (xml.readNextStartElement()) {
        if (xml.name() == u"text") {
            // A hand-written export may hold its HTML unescaped: the words of its elements are kept.
            element.text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.name() == u"file") {
            element.files.append(xml.attributes().value(QStringLiteral("name")).toString());
            xml.skipCurrentElement();
        } else if (inAnswer && xml.name() == u"feedback") {
            element.feedback = !readable(readTextElement(xml), nullptr).isEmpty();
        } else {
            xml.skipCurrentElement();
        }
    }
    return element;
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

// The parts of a <question> the set can use; of any other kind only its name, for the warning.
QuestionElement readQuestionElement(QXmlStreamReader& xml)
{
    QuestionElement q;
    q.line = static_cast<int>(xml.lineNumber());
    q.type = xml.attributes().value(QStringLiteral("type")).toString();
    const bool taken = isMultipleChoice(q.type) || q.type == u"truefalse";
    while (xml.readNextStartElement()) {
        if (xml.name() == u"name")
            q.name = readTextElement(xml).text.simplified();
        else if (taken && xml.name() == u"questiontext")
            q.text = readTextElement(xml);
        else if (taken && xml.name() == u"generalfeedback")
            q.generalFeedback = readTextElement(xml);
        else if (taken && xml.name() == u"answer")
            q.answers.append(readTextElement(xml, true));
        else
            xml.skipCurrentElement();
    }
    return q;
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

// Qt's message for a fault, in English or in the language of the Qt texts installed, matched against its
// source text ("%1" standing for the part that varies).
bool saysQt(const QString& said, const char* source)
{
    const QStringList parts = QCoreApplication::translate("QXmlStream", source).split(QStringLiteral("%1"));
    return said.startsWith(parts.first()) && said.endsWith(parts.last());
}

QString faultOf(const QXmlStreamReader& xml)
{
    static const struct {
        const char* source;
        const char* polish;
    } faults[] = {
        {"Opening and ending tag mismatch.", "znacznik zamykający nie pasuje do otwartego elementu"},
        {"Entity '%1' not declared.", "nieznana encja (znak „&” poza sekcją CDATA zapisuje się jako &amp;)"},
        {"Extra content at end of document.", "po zamknięciu głównego elementu jest jeszcze treść"},
        {"Encountered incorrectly encoded content.", "bajty pliku nie zgadzają się z jego kodowaniem"},
        {"Encoding %1 is unsupported", "kodowanie podane w deklaracji pliku nie jest obsługiwane"},
        {"Attribute '%1' redefined.", "atrybut powtórzony w jednym znaczniku"},
        {"Invalid XML character.", "znak niedozwolony w XML"},
    };
    QString what = QStringLiteral("niepoprawna składnia XML");
    if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError) {
        what = QStringLiteral("plik urywa się, zanim zamknięto wszystkie elementy");
    } else {
        for (const auto& fault : faults) {
            if (saysQt(xml.errorString(), fault.source)) {
                what = QString::fromUtf8(fault.polish);
                break;
            }
        }
    }
    return QStringLiteral("plik XML jest uszkodzony (wiersz %1, kolumna %2): %3.")
        .arg(xml.lineNumber())
        .arg(xml.columnNumber() + 1)
        .arg(what);
}

}  // namespace

bool isQuizXml(QByteArrayView bytes)
{
    XmlOfBytes xml(bytes);
    if (xml.reader.readNextStartElement() && xml.reader.name() == u"quiz")
        return true;
    return declaresXml(bytes);
}

QString readQuizXml(const QByteArray& bytes, QList<Warning>& warnings, const std::function<void(FoundQuestion&)>& take)
{
    XmlOfBytes file(bytes);
    QXmlStreamReader& xml = file.reader;
    if (xml.readNextStartElement()) {
        if (xml.name() != u"quiz")
            return QStringLiteral("to nie jest eksport pytań: głównym elementem pliku XML jest <%1>, a nie <quiz>.")
                .arg(xml.name().toString());
        while (xml.readNextStartElement()) {
            if (xml.name() != u"question") {
                xml.skipCurrentElement();
                continue;
            }
            const QuestionElement element = readQuestionElement(xml);
            // A category only sorts the questions after it.
            if (element.type == u"category" || xml.hasError())
                continue;
            FoundQuestion q = foundQuestion(element, warnings);
            take(q);
        }
    }
    // What follows the root must be well-formed too.
    while (!xml.atEnd())
        xml.readNext();
    return xml.hasError() ? faultOf(xml) : QString();
}

}  // namespace bridges
