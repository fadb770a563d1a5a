#pragma once
// The vocabulary and value syntax of process document files, shared by the
// reader and the writer (docs/document-format.md describes the format).
#include <optional>
#include <string>
#include <string_view>

namespace KivProcessDocumentFormat {

// The format version written on the root element; the reader accepts only it.
inline constexpr std::string_view kVersion = "1";

// Elements.
inline constexpr std::string_view kDocumentTag = "ProcessDocument";
inline constexpr std::string_view kProductsTag = "Products";
inline constexpr std::string_view kResourcesTag = "Resources";
inline constexpr std::string_view kAssembliesTag = "Assemblies";
inline constexpr std::string_view kProcessTag = "Process";
inline constexpr std::string_view kProductTag = "Product";
inline constexpr std::string_view kResourceTag = "Resource";
inline constexpr std::string_view kAssemblyTag = "Assembly";
inline constexpr std::string_view kMemberTag = "Member";
inline constexpr std::string_view kActivityTag = "Activity";
inline constexpr std::string_view kStartTag = "Start";
inline constexpr std::string_view kStopTag = "Stop";
inline constexpr std::string_view kInputTag = "Input";
inline constexpr std::string_view kOutputTag = "Output";
inline constexpr std::string_view kAssignedItemTag = "AssignedItem";
inline constexpr std::string_view kAssignedResourceTag = "AssignedResource";
inline constexpr std::string_view kAttributeTag = "Attribute";
inline constexpr std::string_view kLinkTag = "Link";

// Types of user-defined attribute values.
inline constexpr std::string_view kLongType = "long";
inline constexpr std::string_view kDoubleType = "double";
inline constexpr std::string_view kStringType = "string";

// Positions and sizes beyond this magnitude are refused as absurd.
inline constexpr double kCoordinateLimit = 1.0e9;
// Whether a position (or size) is finite and within kCoordinateLimit: what
// the reader accepts, so what the document may store.
inline bool IsStorableCoordinate(double value) {
  return value >= -kCoordinateLimit && value <= kCoordinateLimit;
}
// Deeper nesting of products, resources or activities is refused, which
// bounds the reader's recursion (and its stack) on hostile input; real
// process and product trees are a few levels deep.
inline constexpr int kMaxNesting = 256;

// The shortest text that reads back as exactly the same double.
std::string FormatDouble(double value);
std::string FormatLong(long value);

// Whole-text conversions; empty on any extra character, overflow or (for
// doubles) a value that is not finite.
std::optional<double> ParseDouble(std::string_view text);
std::optional<long> ParseLong(std::string_view text);
// "true" or "false".
std::optional<bool> ParseBoolean(std::string_view text);

// An identifier is 1 to 200 characters, none of them blank, a control
// character, a quote or '/' ('/' is kept for the "<activity id>/Start" and
// "<activity id>/Stop" names of Start and Stop nodes).
bool IsValidIdentifier(std::string_view id);

}  // namespace KivProcessDocumentFormat
