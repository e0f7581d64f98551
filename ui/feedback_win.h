// The Windows ask function (system-modal message boxes) and beep function (tones on the wave output).
#pragma once

#include "ui/feedback.h"

// Installs the two real functions; the boxes are owned by owner (the main window, or none).
void installWindowsFeedback();

BoxAnswer askWithMessageBox(const BoxRequest& request);
void beepOnWaveOutput(int16_t frequencyHz, int16_t durationMs);

// Releases the wave output (at exit).
void closeWaveOutput();
