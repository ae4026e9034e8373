#pragma once
// A reader of well-formed XML, made for the question exports of the e-learning platforms: elements,
// attributes, text with its character references, CDATA sections, comments, processing instructions and a
// DOCTYPE with entities that stand for a text. A file in UTF-16 (by its byte order mark) or in another
// encoding its declaration names is decoded first. Qt's own XML reader, and expat, each take longer on a
// large export than the whole import may, so the reading is done here, a search for the next "<" at a time.
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <optional>

namespace bridges {

// The attributes of a start tag, their character references resolved.
class XmlAttributes {
public:
    // The value of the attribute `name`, empty when the tag has none.
    QByteArrayView value(QByteArrayView name) const;

private:
    friend class XmlReader;
    struct Attribute {
        QByteArrayView name;
        QByteArrayView value;  // the file's bytes, or `resolved` when the value holds a reference
        QByteArray resolved;
    };
    QList<Attribute> list_;
};

// What the reader passes on as it goes. Each call returns false to stop the reading there.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    virtual bool started(QByteArrayView name, const XmlAttributes& attributes) = 0;
    virtual bool ended() = 0;
    // A piece of an element's text (UTF-8); an element's text may come in several pieces.
    virtual bool characters(QByteArrayView text) = 0;
};

// Where a fault is, lines and columns from 1.
struct XmlPlace {
    int line = 1;
    int column = 1;
};

struct XmlFault {
    XmlPlace place;
    QString what;  // in Polish, for the teacher
};

class XmlReader {
public:
    explicit XmlReader(QByteArrayView bytes);

    // Reads the document to its end, or until the handler stops it. Returns the first fault that makes the
    // file not well-formed (nothing after it is passed on), or nothing.
    std::optional<XmlFault> read(XmlHandler& handler);

    // The line of the token being passed on: for a start tag, the line of its "<".
    int line();
    XmlPlace place() const;

private:
    bool fail(qsizetype at, const QString& what);
    bool failCut();
    bool skipBlanks();
    bool passOver(char c);
    bool startsWith(const char* text) const;
    QByteArrayView nameAt();
    bool skipUntil(qsizetype begun, const char* end);
    bool skipCommentOrInstruction(bool& found);
    bool readDoctype();
    bool skipDeclaration(const char* ends);
    bool readEntity();
    bool readStartTag(XmlHandler& handler);
    bool readEndTag(XmlHandler& handler);
    bool readText(XmlHandler& handler, qsizetype end);
    bool resolveReference(QByteArray& to);
    bool resolveUntil(qsizetype end, QByteArray& to);
    bool readDocument(XmlHandler& handler);
    XmlPlace placeOf(qsizetype at) const;

    QByteArray decoded_;  // the file in UTF-8, when it was in another encoding
    QByteArrayView text_;
    qsizetype at_ = 0;
    qsizetype tokenAt_ = 0;
    qsizetype linesCountedTo_ = 0;
    int line_ = 1;
    char lineEnd_ = '\n';  // a file without any LF ends its lines with a CR
    QList<QByteArrayView> open_;
    XmlAttributes attributes_;
    QByteArray pieces_;  // a text whose references are resolved
    QHash<QByteArray, QByteArray> entities_;  // declared in the DOCTYPE: name, text
    qsizetype expanded_ = 0;
    std::optional<XmlFault> fault_;
};

}  // namespace bridges
