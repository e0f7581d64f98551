// The settings file: the player's settings and, per grid number, the saved game and the time spent on it.
#pragma once

#include <cstdint>

#include "app/app_state.h"
#include "base/text.h"

/*
 * The file is a list of lines: "***-" title "-***", a fixed note line, the
 * key=value settings in sorted order, then for every grid number its state
 * string in pieces ("gv1:A=", "gv1:B=", ...) and its seconds ("tps1="), then
 * the player's own "usr=" lines, kept from the last load.
 *
 * The file is never trusted. Limits below keep a damaged or hostile file from
 * exhausting memory or time; everything the load cannot make sense of is left
 * at its start value, and a later save writes a clean file.
 */
constexpr int16_t kStatePieceLength = 60;        // characters of a state string per "gv" line
constexpr int16_t kStatePieceLetters = 26;       // pieces A..Z
constexpr int32_t kSettingsMaxFileBytes = 4 * 1024 * 1024;  // larger files are not read at all
constexpr int32_t kSettingsMaxLineLength = 4096;  // longer lines are dropped on reading
constexpr int32_t kSettingsMaxLines = 5000;       // lines taken into account, in file order
constexpr int32_t kSettingsMaxUserLines = 500;    // "usr" lines kept, in file order
constexpr int32_t kMaxSavedSeconds = 360000000;   // 100 000 hours: larger times are clamped
constexpr int16_t kCaptionStripWidth = 140;       // what of the window must stay on the screen
constexpr int16_t kCaptionStripHeight = 40;

/*
 * The "usr" lines of the last load, in their order in the file, written back
 * unchanged by every save. Their number is bounded so that everything a save
 * writes is read again by the next load: a save never writes what a load
 * would drop, and load, save, load, save gives the same file twice.
 */
extern TextList keptUserLines;
// What a save writes besides the "usr" lines, at most: 2 header lines, 10 keys, per grid 26 pieces and a time.
constexpr int32_t kSettingsMaxOwnLines = 2 + 10 + 5 * (kStatePieceLetters + 1);
static_assert(kSettingsMaxUserLines + kSettingsMaxOwnLines <= kSettingsMaxLines,
              "a saved file must fit in the lines a load reads");
static_assert(int64_t{kSettingsMaxUserLines} * (kSettingsMaxLineLength + 2) + int64_t{kSettingsMaxOwnLines} * 200 <=
                  kSettingsMaxFileBytes,
              "a saved file must stay below the size a load reads");

enum SettingsLoadStatus : int16_t {
    SettingsMissing = 0,   // no file (or not readable): start values
    SettingsLoaded = 1,    // read
    SettingsTooLarge = 2,  // larger than kSettingsMaxFileBytes: not read, start values
};

/*
 * The start-up load of app.settingsPath: gridNumber, scale (applied to the
 * grid in play), windowLeft, windowTop, language, clocks.enabled,
 * candidateFill, gridStates, the clocks of the grid numbers and
 * keptUserLines. Without a readable file the start values stay; in every case
 * gridNumber ends in 1..gridCount.
 */
SettingsLoadStatus loadSettings(AppState& app);
SettingsLoadStatus loadSettingsFile(AppState& app, TextRef path);
// The same from lines already read (in any order).
void loadSettingsLines(AppState& app, TextList lines);

// The lines a save writes, in their order.
TextList settingsLines(const AppState& app);
/*
 * Writes the settings to app.settingsPath, replacing the old file only once the
 * new one is complete (written beside it, then renamed over it). False when the
 * file could not be written; the old file is then untouched.
 */
bool saveSettings(const AppState& app);
bool saveSettingsFile(const AppState& app, TextRef path);
/*
 * The save the player asked for (Save, or saving after a win): the empty text
 * when the file was written, else the text of the box that must tell the
 * player it was not (saveFailedText, in the current language). Nothing in
 * memory changes either way, so the game can be saved again.
 */
TextString saveSettingsForPlayer(const AppState& app);

// gridStates[n] (1-based), padding the list with empty states up to n; n outside 1..5 is ignored.
void storeGridState(AppState& app, int16_t n, TextRef state);
// gridStates[n], empty when there is none.
TextString gridStateOf(const AppState& app, int16_t n);

// The allowed scale (40, 50, 60, 70) nearest to value; on a tie the smaller.
int16_t nearestAllowedScale(int32_t value);
/*
 * Whether a text can be a per-cell state string: letters A..H and K (any
 * case), and note tokens of two digits 0..7. Whether it fits the grid's cells
 * is decided when the grid reads it.
 */
bool isWellFormedState(TextRef state);
// The state of the older format's "gri" value ("3,1204..."): the part after the first comma,
// digits 1..6 and 0 turned into A..F and G; empty when there is no comma.
TextString olderFormatState(TextRef griValue);
// How many grid numbers the settings keep: the offered count, 5 when it is outside 1..5.
int16_t settingsGridCount(int16_t offered);
// The build date of the program as the file records it ("jj-mm-a4").
TextString buildDateText();
