// The settings file of the application: its values moved between the settings record and the application state.
#pragma once

#include "app/app_state.h"
#include "base/text.h"
#include "ui/settings.h"

/*
 * The file itself (format, limits, what a damaged file leaves) is the settings
 * record's (ui/settings.h). This side decides which of the application's
 * values the file holds: the grid number, the scale (applied to the grid in
 * play), the window position, the language, the chronometer flag, the
 * candidate fill, the per-grid states, the clocks of the grid numbers, the
 * request of the new grid (grid number 6) and the player's kept "usr" lines.
 */

// The record as a save writes it, and as a load starts from it.
SettingsRecord settingsOf(const AppState& app);
// What a load read, into the application (the layout is to be computed again).
void applySettings(AppState& app, const SettingsRecord& settings);

/*
 * The start-up load of app.settingsPath. Without a readable file the start
 * values stay; in every case gridNumber ends in 1..gridCount.
 */
SettingsLoadStatus loadSettings(AppState& app);
SettingsLoadStatus loadSettingsFile(AppState& app, TextRef path);
// The same from lines already read (in any order).
void loadSettingsLines(AppState& app, TextList lines);

// The lines a save writes, in their order.
TextList settingsLines(const AppState& app);
// Writes the settings to app.settingsPath (or path) safely; false when the file could not be written.
bool saveSettings(const AppState& app);
bool saveSettingsFile(const AppState& app, TextRef path);
/*
 * The save the player asked for (Save, or saving after a win): the empty text
 * when the file was written, else the text of the box that must tell the
 * player it was not (saveFailedText, in the current language). Nothing in
 * memory changes either way, so the game can be saved again.
 */
TextString saveSettingsForPlayer(const AppState& app);

// gridStates[n] (1-based), padding the list with empty states up to n; n outside 1..6 is ignored.
void storeGridState(AppState& app, int16_t n, TextRef state);
// gridStates[n], empty when there is none.
TextString gridStateOf(const AppState& app, int16_t n);
