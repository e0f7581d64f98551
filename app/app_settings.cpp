// The settings file of the application: its values moved between the settings record and the application state.
#include "app/app_settings.h"

#include "ui/messages.h"

static_assert(kSettingsNewGrid == kStopwatchCount - 1, "the file keeps a time for every grid clock");

SettingsRecord settingsOf(const AppState& app) {
    SettingsRecord settings;
    settings.title.assign(app.windowTitle);
    settings.versionMajor = app.versionMajor;
    settings.versionMinor = app.versionMinor;
    settings.gridCount = app.gridCount;
    settings.screenWidth = app.screenWidth;
    settings.screenHeight = app.screenHeight;
    settings.gridNumber = app.gridNumber;
    settings.scale = app.scale;
    settings.windowLeft = app.windowLeft;
    settings.windowTop = app.windowTop;
    settings.language = app.language;
    settings.chronoEnabled = app.clocks.enabled;
    settings.candidateFill = app.candidateFill;
    settings.gridStates = app.gridStates;
    for (int16_t n = 1; n <= kSettingsNewGrid; ++n) settings.seconds[n] = app.clocks.stopwatches[n].elapsedSeconds();
    settings.newGridKept = app.newGridKept;
    settings.newGrid = app.newGrid;
    settings.userLines = app.keptUserLines;
    return settings;
}

void applySettings(AppState& app, const SettingsRecord& settings) {
    app.layoutValid = 0;
    app.gridNumber = settings.gridNumber;
    app.windowLeft = settings.windowLeft;
    app.windowTop = settings.windowTop;
    app.language = settings.language;
    app.candidateFill = settings.candidateFill;
    app.clocks.enabled = settings.chronoEnabled;
    applyScale(app, settings.scale);
    app.gridStates = settings.gridStates;
    if (settings.timesRead) {
        for (int16_t n = 1; n <= settingsGridCount(settings.gridCount); ++n) {
            Stopwatch& clock = app.clocks.stopwatches[n];
            clock.reset();
            clock.addSeconds(settings.seconds[n]);
        }
        Stopwatch& clock = app.clocks.stopwatches[kSettingsNewGrid];
        clock.reset();
        clock.addSeconds(settings.newGridKept ? settings.seconds[kSettingsNewGrid] : 0);
    }
    app.newGridKept = settings.newGridKept;
    app.newGrid = settings.newGrid;
    app.keptUserLines = settings.userLines;
}

void loadSettingsLines(AppState& app, TextList lines) {
    SettingsRecord settings = settingsOf(app);
    readSettingsLines(settings, std::move(lines));
    applySettings(app, settings);
}

SettingsLoadStatus loadSettingsFile(AppState& app, TextRef path) {
    SettingsRecord settings = settingsOf(app);
    SettingsLoadStatus status = readSettingsFile(settings, path);
    applySettings(app, settings);
    return status;
}

SettingsLoadStatus loadSettings(AppState& app) {
    return loadSettingsFile(app, app.settingsPath);
}

TextList settingsLines(const AppState& app) {
    return settingsFileLines(settingsOf(app));
}

bool saveSettingsFile(const AppState& app, TextRef path) {
    return writeSettingsFile(settingsOf(app), path);
}

bool saveSettings(const AppState& app) {
    return saveSettingsFile(app, app.settingsPath);
}

TextString saveSettingsForPlayer(const AppState& app) {
    if (saveSettings(app)) return TextString();
    return saveFailedText(app.language, app.settingsPath);
}

void storeGridState(AppState& app, int16_t n, TextRef state) {
    storeGridStateIn(app.gridStates, n, state);
}

TextString gridStateOf(const AppState& app, int16_t n) {
    return TextString(app.gridStates.str(n));
}
