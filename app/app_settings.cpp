// The settings file of the application: its values moved between the settings record and the application state.
#include "app/app_settings.h"

#include "ui/messages.h"

static_assert(kSettingsNewGrid == kStopwatchCount - 1, "the file keeps a time for every grid clock");

SettingsRecord settingsOf(const AppState& app) {
    SettingsRecord settings;
    settings.title.assign(app.windowTitle);
    settings.versionMajor = app.versionMajor;
    settings.versionMinor = app.versionMinor;
    settings.gridCount = app.game.gridCount;
    settings.screenWidth = app.geometry.screenWidth;
    settings.screenHeight = app.geometry.screenHeight;
    settings.gridNumber = app.game.gridNumber;
    settings.scale = app.view.scale;
    settings.windowLeft = app.geometry.windowLeft;
    settings.windowTop = app.geometry.windowTop;
    settings.language = app.view.language;
    settings.chronoEnabled = app.clocks.enabled;
    settings.candidateFill = app.view.candidateFill;
    settings.gridStates = app.game.gridStates;
    for (int16_t n = 1; n <= kSettingsNewGrid; ++n) settings.seconds[n] = app.clocks.stopwatches[n].elapsedSeconds();
    settings.newGridKept = app.game.newGrid.kept;
    settings.newGrid = app.game.newGrid.request;
    settings.userLines = app.keptUserLines;
    return settings;
}

void applySettings(AppState& app, const SettingsRecord& settings) {
    app.view.layoutValid = false;
    app.game.gridNumber = settings.gridNumber;
    app.geometry.windowLeft = settings.windowLeft;
    app.geometry.windowTop = settings.windowTop;
    app.view.language = settings.language;
    app.view.candidateFill = settings.candidateFill;
    app.clocks.enabled = settings.chronoEnabled;
    applyScale(app, settings.scale);
    app.game.gridStates = settings.gridStates;
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
    app.game.newGrid.kept = settings.newGridKept;
    app.game.newGrid.request = settings.newGrid;
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
    return saveFailedText(app.view.language, app.settingsPath);
}

void storeGridState(AppState& app, int16_t n, TextRef state) {
    storeGridStateIn(app.game.gridStates, n, state);
}

TextString gridStateOf(const AppState& app, int16_t n) {
    return TextString(app.game.gridStates.str(n));
}
