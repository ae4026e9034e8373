#include "grading/scale.h"

#include "config/files.h"
#include "platform/opened_file.h"
#include "platform/shared_lock.h"
#include "platform/errors.h"
#include "platform/text.h"
#include "records/records.h"

#include <QRegularExpression>
#include <cmath>

namespace grading {

using platform::FileError;
using platform::OpenMode;
using records::Field;
using records::Value;

namespace {

QString scalePath(const QString& programFolder)
{
    return programFolder + QLatin1String(config::scaleFileName);
}

// A field as a threshold: an unquoted number, an empty field (0), or a quoted text that holds nothing but
// a number, as the scale's old reader took it.
double thresholdOf(const Value& field)
{
    static const QRegularExpression plainNumber(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    double value = 0;
    switch (field.kind) {
    case Value::Kind::Empty:
        return 0;
    case Value::Kind::Number:
        value = field.number;
        break;
    case Value::Kind::Text: {
        const QString text = field.text.trimmed();
        if (!plainNumber.match(text).hasMatch())
            throw FileError(FileError::Kind::NotNumber,
                            QStringLiteral("grading threshold \"%1\" is not a number").arg(field.text));
        value = text.toDouble();
        break;
    }
    }
    if (!std::isfinite(value))
        throw FileError(FileError::Kind::Overflow, QStringLiteral("grading threshold out of range"));
    return value;
}

}  // namespace

void writeDefaultScale(const QString& programFolder)
{
    const platform::SharedFolderLock lock(programFolder);
    const auto& t = defaultThresholds;
    config::writeRecordFile(scalePath(programFolder),
                            {Field::number(t[0]), Field::number(t[1]), Field::number(t[2]),
                             Field::number(t[3]), Field::number(t[4]), Field::number(t[5])});
}

Thresholds readScale(const QString& programFolder)
{
    platform::OpenedFile file(scalePath(programFolder), OpenMode::Input);
    Thresholds thresholds{};
    for (double& t : thresholds)
        t = thresholdOf(records::readValue(file.number()));
    return thresholds;
}

std::array<QString, 6> readScaleTexts(const QString& programFolder)
{
    std::array<QString, 6> texts;
    readScaleTexts(programFolder, [&texts](std::size_t i, const QString& text) { texts[i] = text; });
    return texts;
}

void readScaleTexts(const QString& programFolder, const std::function<void(std::size_t, const QString&)>& take)
{
    platform::OpenedFile file(scalePath(programFolder), OpenMode::Input);
    for (std::size_t i = 0; i < 6; ++i)
        take(i, records::readText(file.number()));
}

void checkSixFields(const QString& programFolder)
{
    platform::OpenedFile file(scalePath(programFolder), OpenMode::Input);
    for (int i = 0; i < 6; ++i)
        records::readValue(file.number());
}

void writeEditorScale(const QString& programFolder, const std::array<QString, 6>& boxTexts)
{
    QByteArray bytes;
    for (const QString& box : boxTexts)
        bytes += records::formatRecord({Field::value(Value::ofNumber(platform::captionValue(box)))});
    const platform::SharedFolderLock lock(programFolder);
    platform::OpenedFile file(scalePath(programFolder), OpenMode::Output);
    platform::files().write(file.number(), bytes);
    file.commit();
}

std::optional<int> computeGrade(double points, const Thresholds& t)
{
    // From grade 6 down, the first range holding the points decides; each range runs from one point above
    // the next lower threshold up to its own.
    for (int k = 0; k < 5; ++k) {
        if (t[k + 1] + 1 <= points && points <= t[k])
            return 6 - k;
    }
    if (0 <= points && points <= t[5])
        return 1;
    return std::nullopt;
}

}  // namespace grading
