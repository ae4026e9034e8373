#include "grading/scale.h"

#include "config/files.h"

namespace grading {

void writeDefaultScale(const QString& programFolder) {
    const auto& t = defaultThresholds;
    using records::Field;
    config::writeRecordFile(programFolder + QLatin1String(config::scaleFileName),
                            {Field::number(t[0]), Field::number(t[1]), Field::number(t[2]),
                             Field::number(t[3]), Field::number(t[4]), Field::number(t[5])});
}

}  // namespace grading
