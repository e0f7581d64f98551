// Loading and saving the settings file: keys, state pieces, times and the player's own lines.
#include "ui/settings.h"

#include <string_view>

#include "base/calendar.h"
#include "base/file_ops.h"

namespace {

// Says what the file is; it starts with "*" so that every key sorts after it.
const char* const kSettingsNote = "*** ORNEL : r\xE9glages et parties enregistr\xE9" "es / settings and saved games ***";
const int16_t kHighestGridNumber = kSettingsHighestGrid;
const int16_t kAllowedScales[4] = {40, 50, 60, 70};

/*
 * The key of a line: the text between its leading blanks and its first '='
 * (no key when there is no '='). A line is answered by getValue(k) exactly
 * when its key equals k ignoring letter case, so comparing keys here keeps
 * the same lines the lookups would find.
 */
bool lineKey(const std::string& line, std::string_view& key) {
    size_t start = line.find_first_not_of(' ');
    size_t equals = line.find('=');
    if (equals == std::string::npos || start == std::string::npos || start > equals) return false;
    key = std::string_view(line).substr(start, equals - start);
    return true;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// "gv" digits ":" letter, or "tps" digits.
bool isGridKey(std::string_view key) {
    if (key.size() >= 5 && (key[0] == 'g' || key[0] == 'G') && (key[1] == 'v' || key[1] == 'V')) {
        size_t i = 2;
        while (i < key.size() && isDigit(key[i])) ++i;
        return i > 2 && i + 2 == key.size() && key[i] == ':' && foldCase(static_cast<unsigned char>(key[i + 1])) >= 'A' &&
               foldCase(static_cast<unsigned char>(key[i + 1])) <= 'Z';
    }
    if (key.size() >= 4 && equalsFolded(key.substr(0, 3), "tps")) {
        for (size_t i = 3; i < key.size(); ++i)
            if (!isDigit(key[i])) return false;
        return true;
    }
    return false;
}

bool isUserKey(std::string_view key) {
    return equalsFolded(key, "usr") || equalsFolded(key, "usr ");
}

// The lines a load reads: the settings keys, the grid keys and the user's lines.
bool isReadLine(const std::string& line) {
    static const char* const kKeys[] = {"ver", "lng", "gri", "tca", "top", "left", "chro", "cviz", kNewGridKey};
    std::string_view key;
    if (!lineKey(line, key)) return false;
    for (const char* k : kKeys)
        if (equalsFolded(key, k)) return true;
    return isGridKey(key) || isUserKey(key);
}

/*
 * A window position read from the file: a whole number within
 * kFarthestPosition of the main monitor's corner (the start value stays
 * otherwise). A monitor left of or above the main one has negative
 * coordinates, so a negative number is a position too; whether some monitor
 * shows the window there is decided at start-up, against every monitor's work
 * area (placeOnMonitors).
 */
void readPosition(const TextList& lines, const char* key, int16_t& field) {
    const TextString value = lines.getValue(key);
    std::string_view v(value.s);
    while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
    while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
    const bool negative = !v.empty() && v.front() == '-';
    if (negative) v.remove_prefix(1);
    if (v.empty() || v.size() > 5) return;
    long number = 0;
    for (char c : v) {
        if (c < '0' || c > '9') return;
        number = number * 10 + (c - '0');
    }
    if (negative) number = -number;
    if (number < -kFarthestPosition || number > kFarthestPosition) return;
    field = static_cast<int16_t>(number);
}

TextString gridKey(const char* prefix, int16_t n, const char* suffix) {
    TextString key;
    key.assign3(prefix, numberText(n), suffix);
    return key;
}

// The pieces "gv" n ":A" .. ":Z" joined, up to the first missing or empty one.
TextString readStatePieces(const TextList& lines, int16_t n) {
    TextString state;
    for (int16_t letter = 0; letter < kStatePieceLetters; ++letter) {
        char suffix[3] = {':', static_cast<char>('A' + letter), 0};
        TextString piece = lines.getValue(gridKey("gv", n, suffix));
        if (piece.isEmpty()) break;
        state.append(piece);
    }
    return state;
}

int32_t readSeconds(const TextList& lines, int16_t n) {
    int32_t seconds = intOf(lines.getValue(gridKey("tps", n, "")));
    if (seconds < 0) return 0;
    return seconds > kMaxSavedSeconds ? kMaxSavedSeconds : seconds;
}

// The state of grid n in pieces "gv" n ":A=" ... An empty state writes no line.
void addStateLines(TextList& lines, int16_t n, const std::string& state) {
    // A state longer than the pieces A..Z hold could not be read back whole, so it is not written.
    if (state.empty() || state.size() > static_cast<size_t>(kStatePieceLength) * kStatePieceLetters) return;
    for (size_t at = 0, letter = 0; at < state.size(); at += kStatePieceLength, ++letter) {
        TextString line = gridKey("gv", n, ":");
        line.s.push_back(static_cast<char>('A' + letter));
        line.append2("=", std::string_view(state).substr(at, kStatePieceLength));
        lines.add(line);
    }
}

// "tps" n "=" seconds, only for a clock that shows at least one second.
void addSecondsLine(TextList& lines, int16_t n, int32_t seconds) {
    if (seconds > 0) lines.add3(gridKey("tps", n, "="), numberText(seconds), "");
}

}  // namespace

int16_t settingsGridCount(int16_t offered) {
    return (offered >= 1 && offered <= kHighestGridNumber) ? offered : kHighestGridNumber;
}

int16_t nearestAllowedScale(int32_t value) {
    int16_t best = kAllowedScales[0];
    int64_t bestDistance = INT64_MAX;
    for (int16_t scale : kAllowedScales) {
        int64_t distance = static_cast<int64_t>(value) - scale;
        if (distance < 0) distance = -distance;
        // Strictly nearer only: on a tie the smaller scale, met first, stays.
        if (distance < bestDistance) {
            best = scale;
            bestDistance = distance;
        }
    }
    return best;
}

bool isWellFormedState(TextRef state) {
    std::string_view s = state.v;
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char c = foldCase(static_cast<unsigned char>(s[i]));
        if ((c >= 'A' && c <= 'H') || c == 'K') continue;
        if (c >= '0' && c <= '7' && i + 1 < s.size() && s[i + 1] >= '0' && s[i + 1] <= '7') {
            ++i;
            continue;
        }
        return false;
    }
    return true;
}

TextString olderFormatState(TextRef griValue) {
    TextString state;
    size_t comma = griValue.v.find(',');
    if (comma == std::string_view::npos) return state;
    for (char c : griValue.v.substr(comma + 1)) {
        if (c >= '1' && c <= '6') c = static_cast<char>('A' + (c - '1'));
        else if (c == '0') c = 'G';
        state.s.push_back(c);
    }
    return state;
}

void storeGridStateIn(TextList& states, int16_t n, TextRef state) {
    if (n < 1 || n > kSettingsNewGrid) return;
    while (states.count() < n) states.add("");
    states.replaceAt(n, state);
}

TextString buildDateText() {
    CalendarDate date;
    date.readBuildStamp();
    return date.formatDate("jj-mm-a4");
}

namespace {

// What every load starts with, whatever the file turns out to be.
void beginLoad(SettingsRecord& settings) {
    settings.gridNumber = 0;
    settings.gridStates.clear();
    settings.timesRead = 0;
    settings.newGridKept = 0;
    settings.newGrid = NewGridRequest();
    settings.userLines.clear();
}

// What every load ends with: a grid number in 1..gridCount.
void endLoad(SettingsRecord& settings) {
    if (settings.gridNumber == 0) settings.gridNumber = 1;
}

}  // namespace

void readSettingsLines(SettingsRecord& settings, TextList lines) {
    beginLoad(settings);
    // Only the lines a lookup can answer are kept, at most kSettingsMaxLines of
    // them: junk cannot crowd out the settings or make the sort and the lookups slow.
    TextList read;
    for (const std::string& line : lines.items) {
        if (read.count() >= kSettingsMaxLines) break;
        if (static_cast<int32_t>(line.size()) <= kSettingsMaxLineLength && isReadLine(line)) read.add(line);
    }
    /*
     * The player's own lines are taken before the sort, in the file's order:
     * the sort puts equal lines (say "usr=a" and "USR=A") in reverse order, so
     * taking them after it would turn them round at every load and save.
     */
    for (const std::string& line : read.items) {
        std::string_view key;
        if (settings.userLines.count() < kSettingsMaxUserLines && lineKey(line, key) && isUserKey(key))
            settings.userLines.add(line);
    }
    read.sort();

    const int16_t gridCount = settingsGridCount(settings.gridCount);
    int32_t version = intOf(read.getValue("ver"));
    TextString gri = read.getValue("gri");
    int32_t number = intOf(gri);
    // The new grid's request: the grid-6 lines mean something only with it, and only in the current format.
    if (version > 1 && readNewGridSetting(read.getValue(kNewGridKey), settings.newGrid)) settings.newGridKept = 1;
    const bool newGridNumber = settings.newGridKept && number == kSettingsNewGrid;
    settings.gridNumber = ((number >= 1 && number <= gridCount) || newGridNumber) ? static_cast<int16_t>(number) : 0;
    readPosition(read, "top", settings.windowTop);
    readPosition(read, "left", settings.windowLeft);
    settings.language = intOf(read.getValue("lng")) == 2 ? 1 : 0;
    settings.candidateFill = intOf(read.getValue("cviz")) != 0 ? 1 : 0;
    settings.chronoEnabled = read.hasKey("chro") ? (intOf(read.getValue("chro")) != 0 ? 1 : 0) : 1;
    int32_t scale = intOf(read.getValue("tca"));
    if (scale > 0 && scale != settings.scale) settings.scale = nearestAllowedScale(scale);

    if (version > 1) {
        for (int16_t n = 1; n <= gridCount; ++n) {
            TextString state = readStatePieces(read, n);
            storeGridStateIn(settings.gridStates, n, isWellFormedState(state) ? TextRef(state) : TextRef(""));
            settings.seconds[n] = readSeconds(read, n);
        }
        if (settings.newGridKept) {
            TextString state = readStatePieces(read, kSettingsNewGrid);
            storeGridStateIn(settings.gridStates, kSettingsNewGrid, isWellFormedState(state) ? TextRef(state) : TextRef(""));
            settings.seconds[kSettingsNewGrid] = readSeconds(read, kSettingsNewGrid);
        }
        settings.timesRead = 1;
    } else if (settings.gridNumber > 0) {
        TextString state = olderFormatState(gri);
        if (isWellFormedState(state)) storeGridStateIn(settings.gridStates, settings.gridNumber, state);
    }
    endLoad(settings);
}

SettingsLoadStatus readSettingsFile(SettingsRecord& settings, TextRef path) {
    SettingsLoadStatus status = SettingsMissing;
    uint64_t size = 0;
    if (!path.v.empty() && regularFileSize(path, size))
        status = size > static_cast<uint64_t>(kSettingsMaxFileBytes) ? SettingsTooLarge : SettingsLoaded;
    if (status == SettingsLoaded) {
        TextList lines;
        lines.readFile(path);
        readSettingsLines(settings, std::move(lines));
    } else {
        // No file to read: every setting keeps the value it has.
        beginLoad(settings);
        endLoad(settings);
    }
    return status;
}

TextList settingsFileLines(const SettingsRecord& settings) {
    TextList lines;
    TextString first;
    first.assign3("***-", settings.title, "-***");
    lines.add(first);
    lines.add(kSettingsNote);

    TextString version;
    version.assign3(numberText(settings.versionMajor), ".", numberText(settings.versionMinor));
    lines.setValue("ver", version);
    lines.setInt("lng", settings.language + 1);
    lines.setInt("gri", settings.gridNumber);
    lines.setInt("tca", settings.scale);
    lines.setInt("top", settings.windowTop);
    lines.setInt("left", settings.windowLeft);
    lines.setInt("vcr", 3);
    lines.setValue("cmpd", buildDateText());
    lines.setInt("chro", settings.chronoEnabled ? 1 : 0);
    lines.setInt("cviz", settings.candidateFill ? 1 : 0);
    if (settings.newGridKept) lines.setValue(kNewGridKey, newGridSettingValue(settings.newGrid));

    /*
     * Times are written for every grid number the collection offers, not only
     * up to the last saved state: a grid played but never saved still keeps
     * the time spent on it.
     */
    const int16_t gridCount = settingsGridCount(settings.gridCount);
    int16_t last = static_cast<int16_t>(settings.gridStates.count());
    if (last > kHighestGridNumber) last = kHighestGridNumber;
    if (last < gridCount) last = gridCount;
    for (int16_t n = 1; n <= last; ++n) {
        addStateLines(lines, n, settings.gridStates.str(n));
        if (settings.chronoEnabled && n <= gridCount) addSecondsLine(lines, n, settings.seconds[n]);
    }
    // The new grid's game and time follow the numbered grids', and only with its request.
    if (settings.newGridKept) {
        addStateLines(lines, kSettingsNewGrid, settings.gridStates.str(kSettingsNewGrid));
        if (settings.chronoEnabled) addSecondsLine(lines, kSettingsNewGrid, settings.seconds[kSettingsNewGrid]);
    }
    settings.userLines.copyAllTo(lines);
    return lines;
}

bool writeSettingsFile(const SettingsRecord& settings, TextRef path) {
    if (path.v.empty()) return false;
    return settingsFileLines(settings).writeFileReplacing(path);
}
