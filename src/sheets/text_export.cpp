#include "sheets/text_export.h"

#include "platform/codepage.h"
#include "platform/filetable.h"
#include "platform/opened_file.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "records/records.h"
#include "sheets/blank_tail.h"
#include "testing/question_reader.h"

#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cmath>

namespace sheets {

using platform::FileError;
using platform::files;
using platform::OpenMode;

namespace {

// One question of the counting pass: flags are taken as any value, so only a question cut short stops it.
void countOne(int file) {
    const qint64 start = files().position(file);
    try {
        questionset::skipQuestion(file);
        return;
    } catch (const FileError& error) {
        if (error.kind() != FileError::Kind::NotNumber && error.kind() != FileError::Kind::Overflow)
            throw;
    }
    files().seek(file, start);
    questionset::readTexts(file);
    for (int i = 0; i < 5; ++i)
        records::readValue(file);
}

// One question's lines, appended to `out` in Windows-1250. Answers and the hint are copied as the set holds
// them; only the question is decoded, to be written in capitals.
void appendQuestion(int set, QByteArray& out, bool withHints) {
    static const std::array<QByteArray, 5> labels{"a)  ", "b)  ", "c)  ", "d)  ", "e)  "};
    static const QByteArray hintTitle = "\r\n" + platform::encode1250(QStringLiteral("Wskazówka :")) + "\r\n";
    out += platform::encode1250(platform::upperCase(platform::decode1250(records::readTextBytes(set))));
    out += "\r\n";
    for (const QByteArray& label : labels) {
        out += label;
        out += records::readTextBytes(set);
        out += "\r\n";
    }
    const QByteArray hint = records::readTextBytes(set);
    if (withHints) {
        out += hintTitle;
        out += hint;
        out += "\r\n";
    }
    out += "\r\n";
}

}  // namespace

QString textFileName(const QString& setFileName) {
    return setFileName.chopped(std::min<qsizetype>(4, setFileName.size())) + QStringLiteral(".TXT");
}

double nextProgress(double bar, double step) { return bar < 100 ? std::min(100.0, bar + step) : bar; }

QString progressText(double bar) { return platform::numberTextWithSign(std::lround(bar)) + QStringLiteral(" %"); }

std::optional<QString> refusedTextName(const QString& setPath, const QString& textPath) {
    const QFileInfo target(platform::resolvePath(textPath).value_or(textPath));
    const QFileInfo set(platform::resolvePath(setPath).value_or(setPath));
    const bool sameFile = target.exists() && set.exists() && target.canonicalFilePath() == set.canonicalFilePath();
    bool isSet = target.fileName().endsWith(QStringLiteral(".kwz"), Qt::CaseInsensitive);
    if (!isSet && target.isFile()) {
        try {
            isSet = questionset::checkHeader(target.filePath());
        } catch (const FileError&) {
            // Unreadable or empty: no question set is lost by writing it.
        }
    }
    if (!sameFile && !isSet)
        return std::nullopt;
    return QStringLiteral("Plik %1 jest zestawem pytań, a nie plikiem tekstowym. Zapisanie go zniszczyłoby "
                          "zestaw, więc podaj inną nazwę, na przykład z rozszerzeniem TXT.")
        .arg(textPath);
}

Conversion convertToText(const QString& setPath, const QString& textPath, bool withHints,
                         const ConversionSteps& steps) {
    Conversion result;
    std::optional<FileError> cut;
    {
        platform::OpenedFile set(setPath, OpenMode::Input);
        const int file = set.number();
        try {
            records::readText(file);
        } catch (const FileError&) {
            result.damage = QStringLiteral("Plik %1 jest pusty: nie ma w nim nawet nagłówka zestawu pytań.")
                                .arg(setPath);
            return result;
        }
        const long long bound = static_cast<long long>(static_cast<double>(files().length(file)) / 20.0);
        try {
            for (long long i = 0; i < bound && !files().atEnd(file); ++i) {
                const qint64 start = files().position(file);
                try {
                    countOne(file);
                } catch (const FileError& error) {
                    files().seek(file, start);
                    if (!onlyBlanksLeft(file))
                        cut = error;
                    break;
                }
                ++result.questions;
                if (steps.counted)
                    steps.counted(result.questions, false);
            }
        } catch (const FileError& error) {
            cut = error;
        }
        if (steps.counted)
            steps.counted(result.questions, true);
    }

    platform::OpenedFile set(setPath, OpenMode::Input);
    platform::OpenedFile text(textPath, OpenMode::Output);
    const int in = set.number();
    const int out = text.number();
    records::readText(in);
    const double step = result.questions > 0 ? 100.0 / result.questions : 100.0;
    double bar = 0;
    for (int i = 1; i <= result.questions; ++i) {
        QByteArray lines;
        try {
            appendQuestion(in, lines, withHints);
            questionset::readFlags(in);
        } catch (const FileError& error) {
            // The lines of the question whose flags failed are written as they stood.
            files().write(out, lines);
            result.damage = testing::damageDescription(error, i);
            break;
        }
        files().write(out, lines);
        result.written = i;
        bar = nextProgress(bar, step);
        if (steps.progressed)
            steps.progressed(bar);
    }
    if (result.damage.isEmpty() && cut)
        result.damage = testing::damageDescription(*cut, result.questions + 1);
    text.commit();
    result.created = true;
    return result;
}

}  // namespace sheets
