#pragma once
// The fuzz targets over every reader of the program's files, as plain functions: the libFuzzer mains and
// the corpus replay test run the same checks. Each writes its input where the program finds the file,
// runs the readers over it and throws Failure when a reader breaks one of its promises; a FileError is
// the expected answer to bad bytes and is not a failure.
#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace fuzz {

class Failure : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// The record reader: the first byte chooses the sequence of field kinds, the rest is the file.
int fuzzRecords(const std::uint8_t* data, std::size_t size);
// A question set: the header check, the count, question n (n from the last four bytes) and the
// sequential Question reader across a "close every open file".
int fuzzQuestionSet(const std::uint8_t* data, std::size_t size);
// The Grading scale file "ptk.ptk": thresholds, box texts, the start-up check and the editor's rewrite.
int fuzzScale(const std::uint8_t* data, std::size_t size);
// The configuration files: work file, password, sign-in preset and the first-run marker.
int fuzzConfig(const std::uint8_t* data, std::size_t size);
// The question editor on a set (after two bytes choosing question n, the question written and the counters):
// question n and n - 1, the last question, a rewrite in the middle and an append. Each either fails with the
// set byte for byte unchanged or leaves a set that reads back question by question.
int fuzzEditor(const std::uint8_t* data, std::size_t size);
// The converter to a text file (the first byte's lowest bit asks for the hints): no crash, and the text file
// holds exactly the questions read whole, laid out line by line with CR LF.
int fuzzTextExport(const std::uint8_t* data, std::size_t size);

// The results log read back for the spreadsheet table: no crash, and every record read, written again as the
// grade window writes it, reads back as the same record.
int fuzzResults(const std::uint8_t* data, std::size_t size);
// The GIFT and the Aiken reader on any bytes: no crash, every question taken is one a set holds (written
// and read back it is the same question), and the GIFT export of the questions taken imports as them.
int fuzzGift(const std::uint8_t* data, std::size_t size);
int fuzzAiken(const std::uint8_t* data, std::size_t size);
// The platforms' XML export on any bytes: no crash, a refused file takes nothing, the warnings passed on as
// found are the warnings kept, they name lines of the file, and every question taken is one a set holds.
int fuzzQuizXml(const std::uint8_t* data, std::size_t size);

struct Target {
    const char* name;  // also the name of its corpus folder
    int (*run)(const std::uint8_t*, std::size_t);
};
inline constexpr std::array<Target, 10> targets{{
    {"records", fuzzRecords},
    {"questionset", fuzzQuestionSet},
    {"scale", fuzzScale},
    {"config", fuzzConfig},
    {"editor", fuzzEditor},
    {"export", fuzzTextExport},
    {"results", fuzzResults},
    {"gift", fuzzGift},
    {"aiken", fuzzAiken},
    {"quizxml", fuzzQuizXml},
}};

}  // namespace fuzz
