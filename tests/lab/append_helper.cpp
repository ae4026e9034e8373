// A copy of the program's grading step alone, for the lab tests: appends result records to the results
// log of a program folder the way the grade window does, as many as asked or until it is killed.
//   wiedo_append_helper FOLDER NAME COUNT     (COUNT 0: for ever)
// Exit status 0 when every record was appended, 3 when the log was busy too long, 4 on another failure.
#include "grading/results_log.h"
#include "lab_record.h"
#include "platform/errors.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4)
        return 2;
    const QString folder = args.at(1) + u'/';
    const long long count = args.at(3).toLongLong();
    for (long long i = 1; count == 0 || i <= count; ++i) {
        try {
            grading::appendResult(folder, lab::recordFor(args.at(2) + u'-' + QString::number(i)));
        } catch (const platform::FileError& error) {
            std::fprintf(stderr, "%s\n", error.what());
            return error.kind() == platform::FileError::Kind::Busy ? 3 : 4;
        }
    }
    return 0;
}
