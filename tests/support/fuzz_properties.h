// The properties that must hold for any bytes given as a data file, a
// curation file, a table to import or a program's arguments, checked
// by the fuzz targets and, over the seed corpus and every input a fuzzer
// ever crashed on, by the regression test.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace orniva::fuzz {

// Bytes as a data file through the reader: SplitDataLines (and, for some
// inputs, ReadDataFile of the same bytes written to `folder`, an existing
// writable folder), then CheckFaultLines. Holds when
// - ReadDataFile gives the same lines as SplitDataLines;
// - the log lines are one per failed check (one set bit of failedChecks,
//   in line and field order);
// - each datum's status names its last failed check, and is empty when
//   none failed; its sense is at most one character.
// (How the log is composed and where it goes, which do not depend on the
// bytes, fault_reader_test pins.)
// Returns a description of the first property that failed, or "".
std::string CheckReaderProperties(const std::uint8_t* bytes, std::size_t size,
                                  const std::string& folder);

// Bytes as a data file through both diagrams: the lines are checked and
// coloured, and each diagram is drawn (PlotDiagram, one PlotCache per
// diagram) with no highlight, datum 1, the last datum and an index taken
// from the input, at a symbol size taken from the input. Holds when
// - every coordinate recorded (FillRect, Ellipse, MoveTo, LineTo fields and
//   every polyline point) is within the plot limit of +-2^29, widened by
//   what symbols and arrows add to a projected point, and every polyline
//   lies within the recorded points;
// - the metafile writer encodes the picture (its bytes emf_test and
//   picture_digest_test pin; here, under the sanitizers, that it stays
//   within its buffers).
std::string CheckRenderProperties(const std::uint8_t* bytes, std::size_t size);

// The data file a fuzzed curation file is read for (CheckCurationProperties).
constexpr int kFuzzCurationLines = 40;
constexpr const char* kFuzzCurationSha256 =  // of no bytes
    "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855";

// Bytes as the curation file of a data file of kFuzzCurationLines lines
// whose SHA-256 is kFuzzCurationSha256 (ParseCuration). Holds when
// - a refused file leaves nothing to apply, unless it is only stale;
// - what is read (stale or not) names lines ascending, each once, within
//   the data, and no line in two phases;
// - the text written back for the data (CurationText) is accepted and read
//   as the same curation, and writing that again gives the same text.
std::string CheckCurationProperties(const std::uint8_t* bytes, std::size_t size);

// Bytes as a table to import (DecodeImportBytes, ReadTable, the columns its
// header proposes, ConvertTable). Holds when
// - a refused input has no text, and a decoded text is UTF-8 without NUL;
// - the rows' lines ascend from 1;
// - the rows converted and failed add up to the table's rows, and the data
//   are the converted rows' lines, each passing the reader's checks (a row
//   without a sense written X fails only that one).
std::string CheckImportProperties(const std::uint8_t* bytes, std::size_t size);

// Bytes as the arguments of a program (the first byte picks orniva-analyse,
// orniva-plot or the window; NUL separates the arguments), read against its
// table (app/options.h). Holds when
// - the same arguments read twice give the same outcome, and a refusal is
//   one line;
// - an accepted run names a command of the program, each option it holds
//   applies to that command with a value its declaration takes, and each
//   option the command needs is there.
std::string CheckOptionsProperties(const std::uint8_t* bytes, std::size_t size);

// Bytes as an orientation table (ParseOrientationTable). Holds when
// - a refused table has no records;
// - the good and the bad rows add up to the rows read, and the log stays
//   within its limit (and the line counting the rest);
// - the records' lines ascend after the header, each value within its
//   range and a position both coordinates or neither;
// - the records' text (OrientationTableText) reads back to the same
//   records with no bad row, and writing those again gives the same text.
std::string CheckOrientationProperties(const std::uint8_t* bytes, std::size_t size);

// Bytes as a field app's export (the first byte picks the preset, the rest
// its text; FieldRecordsOfText, then ConvertRecords). Holds when
// - a refused text gives no record, and no more than kMaxFieldRecords;
// - the conversion counts the records read;
// - every fault written passes the reader's checks (but an unknown sense
//   written X).
std::string CheckFieldPresetProperties(const std::uint8_t* bytes, std::size_t size);

// Reports a failed property on standard error and aborts, so that the
// fuzzer keeps the input as a crash.
[[noreturn]] void Fail(const char* target, const std::string& what);

}  // namespace orniva::fuzz
