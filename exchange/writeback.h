// Writing the result back: at start-up the host's own settings become the
// attributes of every entity the tool adds; on OK the whole order index is
// queued as commands, with progress and an Esc abort; at close the output
// queue replaces JWC_TEMP.TXT.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "exchange/writer.h"

// Receives the progress text (Shift-JIS) while WriteAll works; the window
// shows it and repaints at once.
using WriteProgress = std::function<void(const std::string& sjisText)>;

// Queues "bz" in drawing-size mode, then the command group of every entry of
// the order index with the overrides (the default keeps every record's own),
// then the layer group and layer the host had current. Every 100 entries it
// reports progress (progress may be empty) and polls the Esc key; a held key
// discards the queue and stops the walk.
void WriteAll(const TWriteOverrides& overrides, const WriteProgress& progress);

// Writes the output queue to path as CR LF lines, each text command line
// joined with the text that follows it, or the single line "hq" when the queue
// is empty. Returns false when the file cannot be written; a file at path is
// then deleted, so neither a partial answer nor the host's input remains.
bool SaveJwcTemp(const std::filesystem::path& path);

// Setters of the current attributes; they queue nothing.
void SetCurrentLayerGroup(int32_t v);
void SetCurrentLayer(int32_t v);
void SetCurrentLineColor(int32_t v);
void SetCurrentPointColor(int32_t v);
void SetCurrentLineType(int32_t v);
// -1 gives the initial line width; outside 0..30000 gives 0.
void SetCurrentLineWidth(int32_t v);
// A kind outside 0..10 gives the initial text kind (and for the free size the
// initial free size and colour); the free size and colour are set as given.
void SetCurrentTextKind(int32_t kind, int32_t color, double width, double height, double spacing);
// Outside 0..8 gives 0.
void SetCurrentTextAnchor(int32_t v);
// An empty name or "<>" gives the first font name read.
void SetCurrentFont(const std::string& name);

// The last step of start-up, called by the window's FormShow after
// InitStore, LoadJwcTemp, ResetCurrentAttributes and its own settings: the
// host's initial layer group, layer, line colour (also as the point colour),
// line type, line width, text kind with its free size, and first font name
// become current, with anchor 0, so every entity the tool adds carries them.
void ApplyInitialAttributes();
