// The settings file: the player's settings and, per grid number, the saved game and the time spent on it.
#pragma once

#include <cstdint>

#include "base/text.h"
#include "content/new_grid.h"

/*
 * The file is a list of lines: "***-" title "-***", a fixed note line, the
 * key=value settings in sorted order, then for every grid number its state
 * string in pieces ("gv1:A=", "gv1:B=", ...) and its seconds ("tps1="), then
 * the player's own "usr=" lines, kept from the last load. A new grid made on
 * demand is kept as its request ("ngr=SIZE,LEVEL,SEED", among the keys) with
 * its game and time under grid number 6 ("gv6:A=", ..., "tps6="); without a
 * valid "ngr" line the grid-6 lines are not read. A loader that knows only
 * grid numbers 1..5 drops all three kinds of line and reads the rest alike.
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
// No desktop of monitors reaches this far from the main monitor's corner (Windows parks a minimised window at -32000).
constexpr int16_t kFarthestPosition = 16000;
constexpr int16_t kSettingsHighestGrid = 5;       // grid numbers 1..5 have a state and a time
constexpr int16_t kSettingsNewGrid = kNewGridNumber;  // and the new grid, when there is one, has number 6

// What a save writes besides the "usr" lines, at most: 2 header lines, 11 keys, per grid 26 pieces and a time.
constexpr int32_t kSettingsMaxOwnLines = 2 + 11 + kSettingsNewGrid * (kStatePieceLetters + 1);
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
 * What the file holds, and what a load needs besides it. The load starts from
 * the values the record has (the application's current ones) and replaces
 * those the file says something sane about; the "usr" lines are the player's,
 * kept in their order in the file and written back unchanged by every save.
 * Their number is bounded so that everything a save writes is read again by
 * the next load: a save never writes what a load would drop, and load, save,
 * load, save gives the same file twice.
 */
struct SettingsRecord {
    // Written only: the first line reads "***-" title "-***"; "ver" is major.minor.
    TextString title;
    int16_t versionMajor = 0;
    int16_t versionMinor = 0;
    // Grid numbers the file keeps (1..gridCount, 5 when it is outside 1..5).
    int16_t gridCount = kSettingsHighestGrid;
    // Read only: the screen the window position must stay on, 0 until measured.
    int16_t screenWidth = 0;
    int16_t screenHeight = 0;

    int16_t gridNumber = 0;  // a load leaves it in 1..gridCount, or 6 when the new grid is kept
    int16_t scale = 40;
    int16_t windowLeft = 60;
    int16_t windowTop = 60;
    uint8_t language = 0;  // 0 French, 1 English
    uint8_t chronoEnabled = 1;
    uint8_t candidateFill = 0;
    TextList gridStates;                         // position n: the state string of grid number n
    int32_t seconds[kSettingsNewGrid + 1] = {};  // the time of grid number n; element 0 unused
    uint8_t newGridKept = 0;                     // a new grid is kept: `newGrid` is its request
    NewGridRequest newGrid;
    uint8_t timesRead = 0;                           // the load took the times (a file of the current format)
    TextList userLines;
};

// Reads a file's lines (in any order) into the record.
void readSettingsLines(SettingsRecord& settings, TextList lines);
/*
 * Reads the file at path into the record. Without a readable file (or with
 * one too large) the record keeps its values, but for what every load resets:
 * no states, no times, no user lines, grid number 1.
 */
SettingsLoadStatus readSettingsFile(SettingsRecord& settings, TextRef path);

// The lines a save writes, in their order.
TextList settingsFileLines(const SettingsRecord& settings);
/*
 * Writes the lines to path, replacing the old file only once the new one is
 * complete (written beside it, then renamed over it). False when the file
 * could not be written; the old file is then untouched.
 */
bool writeSettingsFile(const SettingsRecord& settings, TextRef path);

// states[n] (1-based), padding the list with empty states up to n; n outside 1..6 is ignored.
void storeGridStateIn(TextList& states, int16_t n, TextRef state);

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
