// The real game started in-process for window tests: fake boxes and beeps, real key messages, message pumping and clean restarts.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/main_window_win.h"
#include "base/text.h"
#include "ui/feedback.h"

/*
 * The fakes the game talks to instead of a person. Every box is logged and
 * answered from `answers` (front first); once that is empty, `policy` decides
 * (null: Yes or Ok). `duringBox` runs while a box is "open", as the nested
 * loop of a real box would let messages through. Beeps are only recorded.
 */
struct FakeWorld {
    std::vector<BoxRequest> boxes;
    std::vector<BoxAnswer> answers;
    std::function<BoxAnswer(const BoxRequest&)> policy;
    std::function<void(const BoxRequest&)> duringBox;
    std::vector<int16_t> beepFrequencies;
};

extern FakeWorld fakeWorld;

void resetFakeWorld();
// Hands the fake ask and beep functions to the game (start-up hands it the real ones, so again after it).
void installFakes();

// Dispatches every queued message (a quit message included: it only ends a real loop); false if none was waiting.
bool pumpMessages();
// Pumps until the condition holds or the time runs out; returns the condition.
bool pumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

/*
 * The records that are still process-wide back to those of a process that
 * never ran the game, once endProgram has destroyed the windows. The game's
 * own records go with its MainWindow, made afresh at every start.
 */
void resetGameRecords();

// The running game's window record, and its session's records.
MainWindow& game();
Session& liveSession();
AppState& liveApp();

// The working folder of the settings file: a private temporary folder, made once.
std::wstring sessionFolder();
std::wstring settingsFilePath();

/*
 * Start-up, with the settings file in the session folder, up to the end of
 * the first complete paint (false on failure or timeout). endGame closes and
 * resets everything; startGame after it starts afresh.
 */
bool startGame();
void endGame();
// The first complete paint has happened and nothing is waiting to be painted.
bool paintSettled();

HWND mainWindow();
LPARAM clientPoint(int x, int y);
// The client point of a cell's centre (from the current layout).
POINT cellClientPoint(int16_t cell);

// Real messages to the main window, each followed by pumping.
void sendCommand(int16_t id, int16_t notifyCode = 0);
void leftClick(int x, int y);
void leftClickCell(int16_t cell);
void rightClick(int x, int y);
// A key pressed and released on the main window (WM_KEYDOWN, WM_KEYUP), Shift or Ctrl held meanwhile.
void pressKey(int virtualKey, bool shift = false, bool ctrl = false);
// WM_COMMAND 13..19: digit 0 (erase) to 6.
void chooseDigit(int16_t digit);

// The per-cell state string of the grid on screen.
TextString boardState();

/*
 * A fixture around one run of the game: the settings file deleted first (a
 * fresh start), the game started and painted, ended and reset afterwards.
 */
class GameWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // End and start again with the same settings file.
    void restartGame();
};
