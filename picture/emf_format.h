// The part of the Windows enhanced-metafile format that Orniva writes:
// record types, field values, stock objects and record sizes.
#pragma once

#include <cstdint>

namespace orniva::emf {

// Record types.
constexpr std::uint32_t kHeader = 1;
constexpr std::uint32_t kPolygon = 3;
constexpr std::uint32_t kPolyline = 4;
constexpr std::uint32_t kEof = 14;
constexpr std::uint32_t kSetBkMode = 18;
constexpr std::uint32_t kSetTextAlign = 22;
constexpr std::uint32_t kSetTextColor = 24;
constexpr std::uint32_t kMoveToEx = 27;
constexpr std::uint32_t kSelectObject = 37;
constexpr std::uint32_t kCreatePen = 38;
constexpr std::uint32_t kCreateBrushIndirect = 39;
constexpr std::uint32_t kDeleteObject = 40;
constexpr std::uint32_t kEllipse = 42;
constexpr std::uint32_t kLineTo = 54;
constexpr std::uint32_t kBitBlt = 76;
constexpr std::uint32_t kExtCreateFontIndirectW = 82;
constexpr std::uint32_t kExtTextOutW = 84;
constexpr std::uint32_t kPolygon16 = 86;
constexpr std::uint32_t kPolyline16 = 87;

constexpr std::uint32_t kSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kVersion = 0x10000;
constexpr std::uint32_t kPatCopy = 0x00F00021;
constexpr std::uint32_t kPenSolid = 0;
constexpr std::uint32_t kBrushSolid = 0;
constexpr std::uint32_t kTransparent = 1;   // background mode
constexpr std::uint32_t kGmCompatible = 1;  // graphics mode of text output
constexpr std::uint32_t kTextAlignBaseline = 24;
constexpr std::uint32_t kTextAlignCentre = 6;
constexpr std::uint32_t kTextAlignRight = 2;
constexpr std::uint32_t kFontWeightNormal = 400;
constexpr std::uint8_t kDefaultCharset = 1;
constexpr std::uint8_t kSwissVariablePitch = 0x22;
constexpr std::uint32_t kFaceNameChars = 32;

// Stock objects carry this flag instead of a handle-table index; the
// format defines indices 0 to 19.
constexpr std::uint32_t kStockObject = 0x80000000;
constexpr std::uint32_t kWhiteBrush = kStockObject | 0;
constexpr std::uint32_t kBlackPen = kStockObject | 7;
constexpr std::uint32_t kNullPen = kStockObject | 8;
constexpr std::uint32_t kSystemFont = kStockObject | 13;
constexpr std::uint32_t kLastStockObject = kStockObject | 19;

// Sizes in bytes of the fixed records, type and size fields included.
constexpr std::uint32_t kHeaderSize = 108;  // with both header extensions
constexpr std::uint32_t kEofSize = 20;
constexpr std::uint32_t kObjectRecordSize = 12;  // select and delete
constexpr std::uint32_t kCreatePenSize = 28;
constexpr std::uint32_t kCreateBrushSize = 24;
constexpr std::uint32_t kEllipseSize = 24;
constexpr std::uint32_t kPointRecordSize = 16;    // move-to and line-to
constexpr std::uint32_t kPolylineFixedSize = 28;  // before the points
constexpr std::uint32_t kBitBltSize = 100;        // without a source bitmap
constexpr std::uint32_t kStateRecordSize = 12;    // text colour, alignment, background mode
constexpr std::uint32_t kCreateFontSize = 104;    // with a plain logical font
constexpr std::uint32_t kTextOutFixedSize = 76;   // before the string and its advances

}  // namespace orniva::emf
