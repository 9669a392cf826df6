// Reading an enhanced metafile (.emf) back: its records, a check of the
// file's structure, and the drawing it describes as a Picture. Used by the
// tests and by the fuzzing of the reader; every function here accepts
// arbitrary bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics.h"
#include "platform/picture.h"

namespace orniva {

// The record types and values of the metafile format that Orniva writes.
namespace emf {
constexpr std::uint32_t kHeader = 1;
constexpr std::uint32_t kPolyline = 4;
constexpr std::uint32_t kSetMapMode = 17;
constexpr std::uint32_t kEof = 14;
constexpr std::uint32_t kMoveToEx = 27;
constexpr std::uint32_t kSelectObject = 37;
constexpr std::uint32_t kCreatePen = 38;
constexpr std::uint32_t kCreateBrushIndirect = 39;
constexpr std::uint32_t kDeleteObject = 40;
constexpr std::uint32_t kEllipse = 42;
constexpr std::uint32_t kLineTo = 54;
constexpr std::uint32_t kBitBlt = 76;
constexpr std::uint32_t kPolyline16 = 87;

constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kVersion = 0x10000;
constexpr std::uint32_t kPatCopy = 0x00F00021;
constexpr std::uint32_t kPenSolid = 0;
constexpr std::uint32_t kBrushSolid = 0;

// Stock objects carry this flag instead of a handle-table index.
constexpr std::uint32_t kStockObject = 0x80000000;
constexpr std::uint32_t kWhiteBrush = kStockObject | 0;
constexpr std::uint32_t kLightGreyBrush = kStockObject | 1;
constexpr std::uint32_t kGreyBrush = kStockObject | 2;
constexpr std::uint32_t kDarkGreyBrush = kStockObject | 3;
constexpr std::uint32_t kBlackBrush = kStockObject | 4;
constexpr std::uint32_t kNullBrush = kStockObject | 5;
constexpr std::uint32_t kWhitePen = kStockObject | 6;
constexpr std::uint32_t kBlackPen = kStockObject | 7;
constexpr std::uint32_t kNullPen = kStockObject | 8;
constexpr std::uint32_t kLastStockObject = kStockObject | 19;

// Sizes in bytes of the fixed records, type and size fields included.
constexpr std::uint32_t kHeaderSize = 108;  // with both header extensions
constexpr std::uint32_t kBaseHeaderSize = 88;
constexpr std::uint32_t kEofSize = 20;
constexpr std::uint32_t kObjectRecordSize = 12;  // select and delete
constexpr std::uint32_t kCreatePenSize = 28;
constexpr std::uint32_t kCreateBrushSize = 24;
constexpr std::uint32_t kEllipseSize = 24;
constexpr std::uint32_t kPointRecordSize = 16;    // move-to and line-to
constexpr std::uint32_t kPolylineFixedSize = 28;  // before the points
constexpr std::uint32_t kBitBltSize = 100;        // without a source bitmap
}  // namespace emf

// One record of a metafile, pointing into the file's bytes.
struct EmfRecordView {
  std::uint32_t type = 0;
  std::uint32_t size = 0;              // the whole record, type and size fields included
  std::size_t offset = 0;              // of the record in the file
  const std::uint8_t* data = nullptr;  // the whole record

  // Little-endian fields at `at` bytes from the record's start; 0 when the
  // field lies beyond the record.
  std::uint32_t U32(std::size_t at) const;
  std::int32_t I32(std::size_t at) const { return std::int32_t(U32(at)); }
  std::int16_t I16(std::size_t at) const;
};

// The file cut into records, in order. Stops at the first record that does
// not fit (fewer than 8 bytes left, size below 8 or not a multiple of 4, or
// running past the end) and describes it in `error`; `error` is empty when
// the records cover the file exactly.
struct EmfRecords {
  std::vector<EmfRecordView> records;
  std::string error;
};
EmfRecords SplitEmfRecords(const std::uint8_t* data, std::size_t size);

// The fields of the header record.
struct EmfHeader {
  std::uint32_t size = 0;
  std::int32_t bounds[4] = {0, 0, 0, 0};  // left, top, right, bottom, inclusive
  std::int32_t frame[4] = {0, 0, 0, 0};   // in 0.01 mm
  std::uint32_t signature = 0;
  std::uint32_t version = 0;
  std::uint32_t bytes = 0;
  std::uint32_t records = 0;
  std::uint16_t handles = 0;
  std::uint32_t descriptionLength = 0;
  std::uint32_t descriptionOffset = 0;
  std::uint32_t paletteEntries = 0;
  std::int32_t device[2] = {0, 0};       // reference device, pixels
  std::int32_t millimetres[2] = {0, 0};  // reference device, mm
  std::int32_t micrometres[2] = {0, 0};  // 0 when the header has no room for them
};
// False when the file does not start with a header record of at least the
// base header's size.
bool ReadEmfHeader(const std::uint8_t* data, std::size_t size, EmfHeader& header);

// Checks the file's structure: header first with the right signature and
// version, record sizes, nBytes and nRecords, exactly one EOF record and it
// last, each known record large enough for its fields, and object handles
// created inside the handle table before they are selected or deleted.
// Returns a description of the first fault, or an empty string.
std::string CheckEmfStructure(const std::uint8_t* data, std::size_t size);
inline std::string CheckEmfStructure(const std::vector<std::uint8_t>& bytes) {
  return CheckEmfStructure(bytes.data(), bytes.size());
}

// Decodes a structurally sound file into `picture`, replacing its content:
// pen and brush changes when objects are selected, FillRect from pattern
// copies without a source, Ellipse, MoveTo, LineTo and Polyline. Records
// outside that set are skipped. Returns the structure fault, or an empty
// string when decoded.
std::string DecodeEmf(const std::uint8_t* data, std::size_t size, Picture& picture);
inline std::string DecodeEmf(const std::vector<std::uint8_t>& bytes, Picture& picture) {
  return DecodeEmf(bytes.data(), bytes.size(), picture);
}

// One drawing operation with the attributes that shape it: the pen for
// outlines and lines, the brush for fills; attributes an operation does not
// use are 0. Moves draw nothing and are not listed; a line instead carries
// the point it starts from. So two pictures that draw the same thing compare
// equal however their moves and pen and brush changes were recorded.
struct EffectiveDraw {
  DrawOp op = DrawOp::FillRect;  // never a move or an attribute change
  // As in DrawRecord, except LineTo: a, b = from; c, d = to. 0 for Polyline.
  std::int32_t a = 0, b = 0, c = 0, d = 0;
  std::vector<TPoint> points;  // Polyline only
  std::int32_t penWidth = 0;
  TColor penColour = 0;
  TColor brushColour = 0;

  friend bool operator==(const EffectiveDraw& l, const EffectiveDraw& r) {
    return l.op == r.op && l.a == r.a && l.b == r.b && l.c == r.c && l.d == r.d &&
           l.points == r.points && l.penWidth == r.penWidth && l.penColour == r.penColour &&
           l.brushColour == r.brushColour;
  }
  friend bool operator!=(const EffectiveDraw& l, const EffectiveDraw& r) { return !(l == r); }
};

// The drawing operations of `picture` in order, starting from a fresh
// canvas's black pen of width 1, white brush and position (0, 0).
std::vector<EffectiveDraw> EffectiveDrawing(const Picture& picture);

// The same for a metafile; empty with `error` set when it cannot be decoded.
std::vector<EffectiveDraw> EffectiveDrawingOfEmf(const std::uint8_t* data, std::size_t size,
                                                 std::string& error);
inline std::vector<EffectiveDraw> EffectiveDrawingOfEmf(const std::vector<std::uint8_t>& bytes,
                                                        std::string& error) {
  return EffectiveDrawingOfEmf(bytes.data(), bytes.size(), error);
}

}  // namespace orniva
