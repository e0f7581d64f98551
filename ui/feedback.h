// The one replaceable ask function (message boxes) and the one replaceable beep function (sounds).
#pragma once

#include <cstdint>

#include "base/text.h"

/*
 * Every box and every sound of the game goes through these two functions. The
 * Windows shell installs the real ones (a system-modal MessageBoxW owned by the
 * main window; tones on the wave output); tests install their own, which answer
 * boxes and record beeps, so that no test ever waits for a person.
 */
enum BoxButtons : int16_t {
    BoxOk = 0,
    BoxOkCancel = 1,
    BoxYesNo = 4,
};

enum BoxIcon : int16_t {
    IconNone = 0,
    IconStop = 0x10,
    IconQuestion = 0x20,
    IconWarning = 0x30,
    IconInformation = 0x40,
};

enum BoxAnswer : int16_t {
    AnswerOk = 1,
    AnswerCancel = 2,
    AnswerYes = 6,
    AnswerNo = 7,
};

struct BoxRequest {
    TextString text;
    TextString caption;
    BoxButtons buttons = BoxOk;
    BoxIcon icon = IconInformation;
    uint8_t secondIsDefault = 0;  // No (or Cancel) is the default button
    void* owner = nullptr;        // the window the box belongs to (opaque here; the main window)
};

using AskFunction = BoxAnswer (*)(const BoxRequest& request);
using BeepFunction = void (*)(int16_t frequencyHz, int16_t durationMs);

// Installs a function; a null one puts back the default (answers Ok/Yes without asking, beeps nothing).
void setAskFunction(AskFunction function);
void setBeepFunction(BeepFunction function);
AskFunction askFunction();
BeepFunction beepFunction();

BoxAnswer ask(const BoxRequest& request);
void beep(int16_t frequencyHz, int16_t durationMs);

// The game's signals.
void beepRefused();       // two short beeps: 800 then 1200 Hz, 5 ms each
void beepErase();         // three falling beeps: 250, 200, 150 Hz, 80 ms each
void beepNotesCleared();  // 200 Hz for 50 ms
void beepWin();           // 800 Hz 80 ms, 1200 Hz 35 ms, 1600 Hz 35 ms
