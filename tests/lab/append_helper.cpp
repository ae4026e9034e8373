// A copy of one of the program's writing steps alone, for the lab tests: it writes into a program folder
// the way the program does, as many times as asked or until it is killed, and says "ok" after each write.
//   wiedo_append_helper append  FOLDER NAME COUNT   result records, as the grade window appends them
//   wiedo_append_helper rewrite FOLDER COUNT        question 2 of FOLDER/zestaw.kwz, as the editor rewrites it
//   wiedo_append_helper scale   FOLDER COUNT        the grading scale, as its editor saves it
// COUNT 0: for ever. Exit status 0 when every write was done, 3 when the folder was busy too long, 4 on
// another failure, 2 for wrong arguments.
#include "grading/results_log.h"
#include "grading/scale.h"
#include "lab_record.h"
#include "platform/errors.h"
#include "questionset/editor_store.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <functional>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString mode = args.value(1);
    if (args.size() != (mode == u"append" ? 5 : 4))
        return 2;
    const QString folder = args.at(2) + u'/';
    const long long count = args.last().toLongLong();
    std::function<void(long long)> write;
    if (mode == u"append") {
        write = [&](long long i) {
            grading::appendResult(folder, lab::recordFor(args.at(3) + u'-' + QString::number(i)));
        };
    } else if (mode == u"rewrite") {
        // The working copy lives in the current folder, as the editor's does.
        QDir::setCurrent(folder);
        const QString set = folder + QStringLiteral("zestaw.kwz");
        const int questions = questionset::countQuestions(set);
        write = [=](long long i) { questionset::rewriteInPlace(set, 2, questions, lab::rewrittenQuestion(i)); };
    } else if (mode == u"scale") {
        write = [&](long long i) { grading::writeEditorScale(folder, lab::scaleBoxes(i)); };
    } else {
        return 2;
    }
    for (long long i = 1; count == 0 || i <= count; ++i) {
        try {
            write(i);
        } catch (const platform::FileError& error) {
            std::fprintf(stderr, "%s\n", error.what());
            return error.kind() == platform::FileError::Kind::Busy ? 3 : 4;
        } catch (const questionset::EditorError& error) {
            std::fprintf(stderr, "editor error %d\n", static_cast<int>(error.reason()));
            return error.reason() == questionset::EditorError::Reason::Busy ? 3 : 4;
        }
        std::fputs("ok\n", stdout);
        std::fflush(stdout);
    }
    return 0;
}
