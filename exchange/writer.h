// The command writer: turns entities of the exchange store into the command
// lines the host reads back from JWC_TEMP.TXT, in the vocabulary the reader
// understands. Nothing goes to disk here; every command is appended to the
// store's output queue, which the write-back saves when the window closes.
//
// The writer is stateful: the store's current attributes double as the values
// it sent last, so an attribute command is queued only when its value changes
// or its force flag is raised, and queuing it clears the flag.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "exchange/store.h"

// An output line is cut to this many bytes, never inside a double-byte
// character.
inline constexpr size_t kMaxLineBytes = 255;

// Appends one line to the output queue, cut to kMaxLineBytes.
void QueueLine(std::string_view line);

// Queues a message line for the host: "h#" followed by the text.
void QueueMessage(std::string_view text);

// Empties the output queue and releases its storage.
void ClearOutput();

// Value handling shared by the attribute commands and the current-attribute
// setters: -1 becomes the initial line width, then outside 0..30000 gives 0.
int32_t LineWidthValue(int32_t width);

// An anchor outside 0..8 gives 0.
int32_t TextAnchorValue(int32_t anchor);

// An empty name or "<>" gives the first font name read.
const std::string& FontNameValue(const std::string& name);

// A text kind with its free size and colour.
struct TTextKindValue {
  int32_t Kind;
  int32_t Color;
  double Width, Height, Spacing;
};

// A kind outside 0..10 gives the initial text kind, and when that is the free
// size, the initial free size and colour too; when the initial kind is outside
// 0..10 as well, the default kind.
TTextKindValue TextKindValue(int32_t kind, int32_t color, double width, double height,
                             double spacing);

// Makes v's free size and colour the attributes' own.
void ApplyFreeSize(TJwwAttributes& a, const TTextKindValue& v);

// Attribute commands. Each is queued when its force flag is raised or the
// value differs from the current attribute; queuing it makes the value current
// and clears the flag.

// "lg" and one hexadecimal digit; also forces the layer command, so a layer
// always follows a group. A group outside 0..15 is sent as 0.
void QueueLayerGroup(int32_t group);

// "ly" and one hexadecimal digit; outside 0..15 is sent as 0.
void QueueLayer(int32_t layer);

// "lc" and the colour number; clears the explicit-colour force flag.
void QueueLineColor(int32_t color);

// "lc10 " and a 24-bit colour (outside it gives 0); makes the line colour 10.
// Skipped only when neither colour flag is raised, the line colour is already
// 10 and the explicit colour is unchanged.
void QueueExplicitColor(int32_t rgb);

// "lt" and the line type.
void QueueLineType(int32_t type);

// "lw" and the width after LineWidthValue.
void QueueLineWidth(int32_t width);

// "pn" and the point colour; colour 10 goes with its 24-bit value (outside
// it gives 0), as the host writes it after "lc10".
void QueuePointColor(int32_t color, int32_t rgb);

// "cn" and a kind 1..10, or "cn0 " with width, height, spacing and colour for
// the free size (then also queued when any of the four changed).
void QueueTextKind(int32_t kind, int32_t color, double width, double height, double spacing);

// "cc" and the anchor after TextAnchorValue.
void QueueTextAnchor(int32_t anchor);

// "cn", a quote, "$" and the name after FontNameValue; nothing while that is
// empty (no font is known).
void QueueFont(const std::string& name);

// "z1" .. "z5" for the bits 1, 2, 4, 8, 16 of an entity, "z4" only without
// "z5". Not remembered between entities.
void QueueZFlags(int32_t zFlags);

// Entity commands: the geometry only. Each queues nothing when the shape is
// degenerate.

// Four numbers with no keyword; nothing when both ends are within 1e-8.
void QueueCommand(const TJwwEntLine& l);
// "ci " centre and radius; nothing for a radius up to 1e-8.
void QueueCommand(const TJwwEntCircle& c);
// "ci " and seven numbers; nothing for a radius or flatness up to 1e-8.
void QueueCommand(const TJwwEntArc& a);
// "pt " and the point.
void QueueCommand(const TJwwEntPoint& p);
// "pt " with scale (1 when about 0), angle and code (-3 outside -7..11).
void QueueCommand(const TJwwEntCodedPoint& p);
// The keyword line ending in a blank and a quote, then the text as its own
// line; nothing for a direction of (0, 0) or a blank text.
void QueueCommand(const TJwwEntText& t);
// "msg", the dimension line, the "cs" line and the text, or the line's length
// when the text is blank; nothing for a degenerate line or direction.
void QueueCommand(const TJwwEntDim& d);
// "sl " with two, three or four corners; nothing when corners coincide, and a
// four-corner solid with a repeated corner goes as three corners or nothing.
void QueueCommand(const TJwwEntSolid2& s);
void QueueCommand(const TJwwEntSolid3& s);
void QueueCommand(const TJwwEntSolid4& s);
// "sc", "se", "so" or "sg" by kind, with the shape code or the inner radius.
void QueueCommand(TJwwEntKind kind, const TJwwEntSolidArc& s);

// Attributes that replace every record's own while writing: -1 (and for the
// layer group and layer anything outside 0..15) keeps the record's value.
// ExplicitColor is the 24-bit colour sent when Color is 10.
struct TWriteOverrides {
  int32_t Group = -1;
  int32_t Layer = -1;
  int32_t Color = -1;
  int32_t LineType = -1;
  int32_t LineWidth = -1;
  int32_t TextColor = -1;
  int32_t TextAnchor = -1;
  int32_t ExplicitColor = 0;
};

// Queues the command group of order-index entry i: the attribute commands its
// kind uses, its z flags and its entity command. openPolyline is the number of
// the polyline left open by the previous entry (0 for none); a line opens
// "pl" and closes it with "#" when the next entry does not continue it. Blocks
// queue nothing.
void QueueEntityGroup(size_t i, const TWriteOverrides& overrides, int32_t& openPolyline);
