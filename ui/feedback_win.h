// The Windows ask function (system-modal message boxes) and beep function (tones on the wave output).
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include "ui/feedback.h"

/*
 * The wave output, opened on first use and kept. When no sound device exists
 * (a headless machine, a Wine without audio) opening fails once and every tone
 * falls back to Beep, which on Windows sounds through the speaker and under
 * Wine returns at once.
 */
struct WaveOutput {
    HWAVEOUT device = nullptr;
    bool tried = false;
};

// A system-modal box owned by `owner` (null: no owner).
BoxAnswer askWithMessageBox(HWND owner, const BoxRequest& request);
void beepOnWaveOutput(WaveOutput& wave, int16_t frequencyHz, int16_t durationMs);

// Releases the wave output (at exit).
void closeWaveOutput(WaveOutput& wave);
