// Loading and saving the settings file: keys, state pieces, times and the player's own lines.
#include "ui/settings.h"

#include "base/calendar.h"
#include "base/file_ops.h"
#include "ui/messages.h"

TextList keptUserLines;

namespace {

// Says what the file is; it starts with "*" so that every key sorts after it.
const char* const kSettingsNote = "*** ORNEL : r\xE9glages et parties enregistr\xE9" "es / settings and saved games ***";
const int16_t kHighestGridNumber = kStopwatchCount - 1;
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
    static const char* const kKeys[] = {"ver", "lng", "gri", "tca", "top", "left", "chro", "cviz"};
    std::string_view key;
    if (!lineKey(line, key)) return false;
    for (const char* k : kKeys)
        if (equalsFolded(key, k)) return true;
    return isGridKey(key) || isUserKey(key);
}

/*
 * A window position read from the file: taken only when above 0 (the start
 * value stays otherwise) and representable; once the screen is measured it is
 * pulled back so that the caption strip, by which the player moves the
 * window, stays on the screen.
 */
void readPosition(const TextList& lines, const char* key, int16_t screenSize, int16_t margin, int16_t& field) {
    int32_t v = intOf(lines.getValue(key));
    if (v <= 0 || v > INT16_MAX) return;
    if (screenSize > 0 && v > screenSize - margin) v = screenSize > margin ? screenSize - margin : 0;
    field = static_cast<int16_t>(v);
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

}  // namespace

int16_t settingsGridCount() {
    return (gridCount >= 1 && gridCount <= kHighestGridNumber) ? gridCount : kHighestGridNumber;
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

void storeGridState(AppState& app, int16_t n, TextRef state) {
    if (n < 1 || n > kHighestGridNumber) return;
    while (app.gridStates.count() < n) app.gridStates.add("");
    app.gridStates.replaceAt(n, state);
}

TextString gridStateOf(const AppState& app, int16_t n) {
    return TextString(app.gridStates.str(n));
}

TextString buildDateText() {
    CalendarDate date;
    date.readBuildStamp();
    return date.formatDate("jj-mm-a4");
}

namespace {

// What every load starts with, whatever the file turns out to be.
void beginLoad(AppState& app) {
    app.gridNumber = 0;
    app.gridStates.clear();
    app.layoutValid = 0;
    keptUserLines.clear();
}

// What every load ends with: a grid number in 1..gridCount.
void endLoad(AppState& app) {
    if (app.gridNumber == 0) app.gridNumber = 1;
}

}  // namespace

void loadSettingsLines(AppState& app, TextList lines) {
    beginLoad(app);
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
        if (keptUserLines.count() < kSettingsMaxUserLines && lineKey(line, key) && isUserKey(key))
            keptUserLines.add(line);
    }
    read.sort();

    int32_t version = intOf(read.getValue("ver"));
    TextString gri = read.getValue("gri");
    int32_t number = intOf(gri);
    app.gridNumber = (number >= 1 && number <= settingsGridCount()) ? static_cast<int16_t>(number) : 0;
    readPosition(read, "top", app.screenHeight, kCaptionStripHeight, app.windowTop);
    readPosition(read, "left", app.screenWidth, kCaptionStripWidth, app.windowLeft);
    app.language = intOf(read.getValue("lng")) == 2 ? 1 : 0;
    app.candidateFill = intOf(read.getValue("cviz")) != 0 ? 1 : 0;
    app.chronoEnabled = read.hasKey("chro") ? (intOf(read.getValue("chro")) != 0 ? 1 : 0) : 1;
    int32_t scale = intOf(read.getValue("tca"));
    if (scale > 0 && scale != app.scale) app.scale = nearestAllowedScale(scale);
    applyScale(app, app.scale);

    if (version > 1) {
        for (int16_t n = 1; n <= settingsGridCount(); ++n) {
            TextString state = readStatePieces(read, n);
            storeGridState(app, n, isWellFormedState(state) ? TextRef(state) : TextRef(""));
            app.stopwatches[n].reset();
            app.stopwatches[n].addSeconds(readSeconds(read, n));
        }
    } else if (app.gridNumber > 0) {
        TextString state = olderFormatState(gri);
        if (isWellFormedState(state)) storeGridState(app, app.gridNumber, state);
    }
    endLoad(app);
}

SettingsLoadStatus loadSettingsFile(AppState& app, TextRef path) {
    SettingsLoadStatus status = SettingsMissing;
    uint64_t size = 0;
    if (!path.v.empty() && regularFileSize(path, size))
        status = size > static_cast<uint64_t>(kSettingsMaxFileBytes) ? SettingsTooLarge : SettingsLoaded;
    if (status == SettingsLoaded) {
        TextList lines;
        lines.readFile(path);
        loadSettingsLines(app, std::move(lines));
    } else {
        // No file to read: every setting keeps the value it has.
        beginLoad(app);
        applyScale(app, app.scale);
        endLoad(app);
    }
    return status;
}

SettingsLoadStatus loadSettings(AppState& app) {
    return loadSettingsFile(app, app.settingsPath);
}

TextList settingsLines(const AppState& app) {
    TextList lines;
    TextString first;
    first.assign3("***-", app.windowTitle, "-***");
    lines.add(first);
    lines.add(kSettingsNote);

    TextString version;
    version.assign3(numberText(app.versionMajor), ".", numberText(app.versionMinor));
    lines.setValue("ver", version);
    lines.setInt("lng", app.language + 1);
    lines.setInt("gri", app.gridNumber);
    lines.setInt("tca", app.scale);
    lines.setInt("top", app.windowTop);
    lines.setInt("left", app.windowLeft);
    lines.setInt("vcr", 3);
    lines.setValue("cmpd", buildDateText());
    lines.setInt("chro", app.chronoEnabled ? 1 : 0);
    lines.setInt("cviz", app.candidateFill ? 1 : 0);

    /*
     * Times are written for every grid number the collection offers, not only
     * up to the last saved state: a grid played but never saved still keeps
     * the time spent on it.
     */
    int16_t last = static_cast<int16_t>(app.gridStates.count());
    if (last < settingsGridCount()) last = settingsGridCount();
    for (int16_t n = 1; n <= last; ++n) {
        const std::string& state = app.gridStates.str(n);
        // A state longer than the pieces A..Z hold could not be read back whole, so it is not written.
        if (!state.empty() && state.size() <= static_cast<size_t>(kStatePieceLength) * kStatePieceLetters) {
            for (size_t at = 0, letter = 0; at < state.size(); at += kStatePieceLength, ++letter) {
                TextString line = gridKey("gv", n, ":");
                line.s.push_back(static_cast<char>('A' + letter));
                line.append2("=", std::string_view(state).substr(at, kStatePieceLength));
                lines.add(line);
            }
        }
        if (app.chronoEnabled && n <= settingsGridCount() && n < kStopwatchCount) {
            int32_t seconds = app.stopwatches[n].elapsedSeconds();
            if (seconds > 0) lines.add3(gridKey("tps", n, "="), numberText(seconds), "");
        }
    }
    keptUserLines.copyAllTo(lines);
    return lines;
}

bool saveSettingsFile(const AppState& app, TextRef path) {
    if (path.v.empty()) return false;
    return settingsLines(app).writeFileReplacing(path);
}

bool saveSettings(const AppState& app) {
    return saveSettingsFile(app, app.settingsPath);
}

TextString saveSettingsForPlayer(const AppState& app) {
    if (saveSettings(app)) return TextString();
    return saveFailedText(app.language, app.settingsPath);
}
