#pragma once
// The XML question export of the e-learning platforms: a <quiz> root holding <question type="..."> elements.
// Multiple-choice questions ("multichoice", and "multichoiceset" of the all-or-nothing plugin) and true/false
// ones become set questions; categories are no questions and are passed over; every other kind is left out
// with its name and type. Texts are turned from their format (HTML among them) into plain text.
#include "bridges/imported.h"

#include <QByteArray>
#include <QByteArrayView>
#include <functional>

namespace bridges {

// Whether the bytes are such an export: after a byte order mark, blanks, the XML declaration, comments and a
// DOCTYPE, the first element is <quiz>; or the file at least begins with an XML declaration, so that a
// broken one is refused as XML rather than read as GIFT. Reads no further than the first element.
bool isQuizXml(QByteArrayView bytes);

// Every question of the export, each passed to `take` as soon as its element ends, with the line of its
// <question> element. An answer with a fraction above 0 is right; true/false becomes A "Prawda" and
// B "Fałsz"; the general feedback is the hint. The file's bytes are decoded as its byte order mark or
// encoding declaration says. Returns why the file is refused (not well-formed XML, with the line and
// column, or a root other than <quiz>), or an empty string; after a refusal nothing taken may be kept.
QString readQuizXml(const QByteArray& bytes, QList<Warning>& warnings, const std::function<void(FoundQuestion&)>& take);

}  // namespace bridges
