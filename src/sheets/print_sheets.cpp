#include "sheets/print_sheets.h"

#include "platform/filetable.h"
#include "platform/opened_file.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "records/records.h"
#include "sheets/blank_tail.h"
#include "testing/question_reader.h"

#include <QDir>
#include <QFileInfo>
#include <array>

namespace sheets {

using platform::FileError;
using platform::files;
using platform::Printer;
using questionset::Question;

namespace {

const QString nothingPrinted = QStringLiteral("Nic nie zostało wydrukowane.");

QString numbered(long long i) { return platform::numberTextWithSign(i); }

}  // namespace

std::vector<Question> questionsToPrint(const QString& setPath, long long count) {
    std::vector<Question> questions;
    try {
        platform::OpenedFile set(setPath, platform::OpenMode::Input);
        const int file = set.number();
        try {
            records::readText(file);
        } catch (const FileError&) {
            throw Refusal{QStringLiteral("Plik %1 jest pusty: nie ma w nim nawet nagłówka zestawu pytań.\r")
                                  .arg(setPath) +
                              nothingPrinted,
                          testing::damagedSetTitle};
        }
        for (long long i = 1; i <= count; ++i) {
            const qint64 start = files().position(file);
            try {
                questions.push_back(questionset::readQuestionAt(file));
            } catch (const FileError& error) {
                files().seek(file, start);
                if (error.kind() == FileError::Kind::PastEnd && onlyBlanksLeft(file))
                    throw Refusal{QStringLiteral("Zestaw pytań jest krótszy, niż podaje licznik „Ilość pytań”.\r"
                                                 "Liczba pytań w zestawie: %1, do wydruku: %2.\r")
                                          .arg(i - 1)
                                          .arg(count) +
                                      nothingPrinted,
                                  QStringLiteral("Za mało pytań w zestawie")};
                throw Refusal{testing::damageDescription(error, i) + u'\r' + nothingPrinted,
                              testing::damagedSetTitle};
            }
        }
    } catch (const FileError&) {
        throw Refusal{QStringLiteral("Nie mogę otworzyć zestawu pytań %1.\r").arg(setPath) + nothingPrinted,
                      QStringLiteral("Brak zestawu pytań")};
    }
    return questions;
}

void printQuestionSheet(const std::vector<Question>& questions, Printer& printer) {
    static const std::array<QString, 5> letters{
        QStringLiteral("                A)  "), QStringLiteral("                B)  "),
        QStringLiteral("                C)  "), QStringLiteral("                D)  "),
        QStringLiteral("                E)   ")};
    long long i = 0;
    for (const Question& q : questions) {
        ++i;
        printer.setFontSize(12);
        printer.setBold(true);
        printer.print(numbered(i) + QStringLiteral(") ") + q.texts.question, true);
        printer.setFontSize(10);
        printer.setBold(false);
        for (std::size_t x = 0; x < 5; ++x) {
            printer.setBold(true);
            printer.print(letters[x], false);
            printer.setBold(false);
            printer.print(q.texts.answers[x], true);
        }
        printer.print(QString(), true);
        if (i % 9 == 0)
            printer.newPage();
    }
    printer.endDoc();
}

void printHintSheet(const std::vector<Question>& questions, Printer& printer) {
    printer.setFontSize(20);
    printer.setBold(true);
    printer.print(QString(39, u' ') + QStringLiteral("Podpowiedzi do testu"), true);
    printer.print(QString(), true);
    printer.setFontSize(10);
    printer.setBold(false);
    long long i = 0;
    for (const Question& q : questions)
        printer.print(numbered(++i) + QStringLiteral(" ) ") + q.texts.hint, true);
    printer.endDoc();
}

void printAnswerKey(const std::vector<Question>& questions, Printer& printer) {
    static const std::array<QString, 5> marks{QStringLiteral("A, "), QStringLiteral("B, "), QStringLiteral("C, "),
                                              QStringLiteral("D, "), QStringLiteral("E ")};
    printer.setBold(true);
    printer.setFontSize(20);
    printer.print(QString(31, u' ') + QStringLiteral("Odpowiedzi do testu"), true);
    printer.print(QString(), true);
    printer.setFontSize(10);
    printer.setBold(false);
    long long i = 0;
    for (const Question& q : questions) {
        printer.print(numbered(++i) + QStringLiteral(" ) "), false);
        for (std::size_t x = 0; x < 5; ++x)
            if (q.flags[x] == 1)
                printer.print(marks[x], false);
        printer.print(QString(), true);
    }
    printer.endDoc();
}

void printSheet(Sheet sheet, const std::vector<Question>& questions, Printer& printer) {
    switch (sheet) {
    case Sheet::Questions: printQuestionSheet(questions, printer); break;
    case Sheet::Hints: printHintSheet(questions, printer); break;
    case Sheet::Key: printAnswerKey(questions, printer); break;
    }
}

QString pdfPath(const QString& setPath, Sheet sheet, const QString& fallbackFolder) {
    const QFileInfo set(platform::resolvePath(setPath).value_or(setPath));
    QString suffix;
    switch (sheet) {
    case Sheet::Questions: suffix = QStringLiteral(" - test.pdf"); break;
    case Sheet::Hints: suffix = QStringLiteral(" - podpowiedzi.pdf"); break;
    case Sheet::Key: suffix = QStringLiteral(" - odpowiedzi.pdf"); break;
    }
    const QString name = set.completeBaseName() + suffix;
    const QFileInfo folder(set.absolutePath());
    const QFileInfo beside(QDir(set.absolutePath()).filePath(name));
    if (folder.isDir() && folder.isWritable() && (!beside.exists() || beside.isWritable()))
        return beside.filePath();
    return QDir(fallbackFolder).filePath(name);
}

}  // namespace sheets
