#pragma once
// The answers log "odpowiedzi.txt" beside the results log: for every graded test the letters the student
// ticked and the letters that were correct, question by question, so that the teacher can see which
// questions a class got wrong and whether a key is wrong. One record per test, in the program's record
// format (quoted texts, bare numbers, commas, CR LF), each line led by a word that says what it holds:
//
//   "Odpowiedzi","Jan","Kowalski","3A","12-09-2026","10:52:01","C:\testy\historia.kwz",4
//   "Zaznaczone","AC","B","","ABCDE"
//   "Klucz","A","B","C","AB"
//   "Koniec"
//
// The first line: first name, surname, class, date and time as in "wyniki.txt", the set's path and the
// number of questions shown; then one field per question shown, in the set's order. A lab exam adds, before
// "Koniec", only what applies to the test:
//
//   "Kolejność pytań",3,1,4,2            the set's question numbers in the order the student saw them
//   "Kolejność odpowiedzi","CAB","ABCDE"  per question, in the set's order, its letters in the order shown
//   "Opuszczenia okna",2                 how often the main window stopped being the active one
//   "Przerwany",2                        a test broken off after that many questions and never graded
//
// A reader skips lines it does not know between the first line and "Koniec", so later records may carry more.
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <array>
#include <optional>

namespace grading {

inline const QString answersStartWord = QStringLiteral("Odpowiedzi");
inline const QString answersTickedWord = QStringLiteral("Zaznaczone");
inline const QString answersKeyWord = QStringLiteral("Klucz");
inline const QString answersEndWord = QStringLiteral("Koniec");
inline const QString answersQuestionOrderWord = QStringLiteral("Kolejność pytań");
inline const QString answersAnswerOrderWord = QStringLiteral("Kolejność odpowiedzi");
inline const QString answersWindowLeftWord = QStringLiteral("Opuszczenia okna");
inline const QString answersBrokenOffWord = QStringLiteral("Przerwany");

struct TestAnswers {
    QString firstName;
    QString surname;
    QString className;
    QDateTime when;
    QString setPath;
    // Per question shown, its letters as a set of bits, bit 0 for A to bit 4 for E (answerMask): a log holds
    // hundreds of thousands of them, and a byte each keeps the analysis of a long log cheap.
    QList<quint8> ticked;   // the letters ticked, 0 for none
    QList<quint8> key;      // the letters of the correct answers at the time
    QList<int> questionOrder;       // set's question numbers (from 1) in the order shown; empty: the set's order
    QList<QString> answerOrder;     // per question, its letters in the order shown; empty: A to E everywhere
    int windowLeft = 0;             // times the main window stopped being the active window
    std::optional<int> brokenOffAfter;  // a test broken off and never graded: the questions judged
};

}  // namespace grading

// Every member is one Qt declares relocatable: a list of a long log's tests grows by moving its memory,
// not by moving each test.
Q_DECLARE_TYPEINFO(grading::TestAnswers, Q_RELOCATABLE_TYPE);

namespace grading {

// "AC" for A and C ticked; "" for none.
QString answerLetters(const std::array<bool, 5>& chosen);
// The same as a set of letters, bit 0 for A to bit 4 for E, as a running test keeps its answers, and back.
quint8 answerMask(const std::array<bool, 5>& chosen);
QString lettersOfMask(quint8 mask);
quint8 maskOfLetters(QStringView letters);

// The record's bytes, Windows-1250, CR LF. A straight double quote, which the format cannot hold in a text,
// is written as ”.
QByteArray formatAnswersRecord(const TestAnswers& answers);

// Appends one graded test to both logs under the program folder's shared lock: the answers record to
// "odpowiedzi.txt", then the result record to "wyniki.txt", each pushed to the disk. A test is in both logs
// or in neither: when the second append fails the first is cut back, and both files are as they were.
// A remainder of a record that a killed copy left at the end of either log is cut off first. Throws
// platform::FileError as appendResult does.
void appendTest(const QString& programFolder, const QByteArray& resultRecord, const QByteArray& answersRecord);

// Appends the record of a test broken off and never graded to "odpowiedzi.txt" alone, as appendTest appends.
void appendBrokenOff(const QString& programFolder, const QByteArray& answersRecord);

}  // namespace grading
