// ornel-tool subcommands settings and message: the settings file as the game loads it, and the box texts.
#include <climits>
#include <string>

#include "app/app_state.h"
#include "tools/tool.h"
#include "ui/messages.h"
#include "app/app_settings.h"

/*
 * Output conventions: `settings` prints one key=value line per loaded field in
 * a fixed order, then "state N=" and "seconds N=" for the grid numbers that
 * have them, then the kept usr lines as they stand; `message` prints the
 * composed text as its Windows-1252 bytes, followed by one line feed. Errors
 * are one line on err: status 2 for malformed arguments, 1 when the file
 * cannot be read or written or the message does not exist.
 */

namespace {

bool parseLong(const std::string& text, long& value) {
    if (text.empty()) return false;
    size_t used = 0;
    long long v = 0;
    try {
        v = std::stoll(text, &used, 10);
    } catch (...) {
        return false;
    }
    if (used != text.size() || v < LONG_MIN || v > LONG_MAX) return false;
    value = static_cast<long>(v);
    return true;
}

void printLoaded(const AppState& app, std::ostream& out) {
    out << "grid=" << app.game.gridNumber << "\n";
    out << "scale=" << app.view.scale << "\n";
    out << "left=" << app.geometry.windowLeft << "\n";
    out << "top=" << app.geometry.windowTop << "\n";
    out << "language=" << (app.view.language == 1 ? "en" : "fr") << "\n";
    out << "chrono=" << int(app.clocks.enabled) << "\n";
    out << "cviz=" << int(app.view.candidateFill) << "\n";
    for (int16_t n = 1; n < kStopwatchCount; ++n) {
        TextString state = gridStateOf(app, n);
        if (state.isNotEmpty()) out << "state " << n << "=" << state.s << "\n";
        int32_t seconds = app.clocks.stopwatches[n].elapsedSeconds();
        if (seconds > 0) out << "seconds " << n << "=" << seconds << "\n";
    }
    for (const std::string& line : app.keptUserLines.items) out << line << "\n";
}

}  // namespace

int toolSettings(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    std::string file;
    std::string saveTo;
    bool haveFile = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--save") {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                err << "ornel-tool settings: --save needs a file name\n";
                return 2;
            }
            saveTo = args[++i];
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            err << "ornel-tool settings: unknown option '" << args[i] << "'\n";
            return 2;
        } else if (haveFile) {
            err << "ornel-tool settings: only one settings file may be given\n";
            return 2;
        } else {
            file = args[i];
            haveFile = true;
        }
    }
    if (!haveFile) {
        err << "ornel-tool settings: usage: settings FILE [--save OUT]\n";
        return 2;
    }

    AppState app;
    app.windowTitle = windowTitleText();
    app.settingsPath.assign(file);
    SettingsLoadStatus status = loadSettings(app);
    if (status == SettingsMissing) {
        err << "ornel-tool settings: cannot read '" << file << "'\n";
        return 1;
    }
    if (status == SettingsTooLarge) {
        err << "ornel-tool settings: '" << file << "' is larger than " << kSettingsMaxFileBytes
            << " bytes and is not read\n";
        return 1;
    }
    printLoaded(app, out);
    if (!saveTo.empty() && !saveSettingsFile(app, saveTo)) {
        err << "ornel-tool settings: could not write '" << saveTo << "'\n";
        return 1;
    }
    return 0;
}

int toolMessage(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    long number = 0;
    long argument = 0;
    std::string second;
    uint8_t language = 0;
    bool haveNumber = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--lang" || a == "--arg" || a == "--arg2") {
            if (i + 1 >= args.size()) {
                err << "ornel-tool message: " << a << " needs a value\n";
                return 2;
            }
            const std::string& value = args[++i];
            if (a == "--lang") {
                if (value != "fr" && value != "en") {
                    err << "ornel-tool message: --lang is fr or en, not '" << value << "'\n";
                    return 2;
                }
                language = value == "en" ? 1 : 0;
            } else if (a == "--arg") {
                if (!parseLong(value, argument)) {
                    err << "ornel-tool message: --arg needs a whole number, not '" << value << "'\n";
                    return 2;
                }
            } else {
                second = value;
            }
        } else if (!haveNumber && parseLong(a, number)) {
            haveNumber = true;
        } else {
            err << "ornel-tool message: unexpected argument '" << a << "'\n";
            return 2;
        }
    }
    if (!haveNumber) {
        err << "ornel-tool message: usage: message N [--lang fr|en] [--arg A] [--arg2 B]\n";
        return 2;
    }
    if (number < kFirstMessage || number > kLastMessage) {
        err << "ornel-tool message: there is no message " << number << " (messages are 2 to 15)\n";
        return 1;
    }
    TextString text = composeMessage(static_cast<int16_t>(number), language, argument, second);
    out << text.s << "\n";
    return 0;
}
