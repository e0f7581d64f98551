// The one replaceable ask function (message boxes) and the one replaceable beep function (sounds).
#pragma once

#include <cstdint>
#include <functional>

#include "base/text.h"

/*
 * Every box and every sound of the game goes through the two functions of a
 * Feedback record, which the game's session holds. The Windows shell hands in
 * the real ones (a system-modal MessageBoxW owned by the main window; tones on
 * the wave output); tests hand in their own, which answer boxes and record
 * beeps, so that no test ever waits for a person.
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
    AnswerFirstChoice = 100,  // a choice box: AnswerFirstChoice + k picks choice k (0-based)
};

/*
 * A box with `choices` is a choice box: one button per choice, in order, and
 * Cancel; its answer is AnswerFirstChoice + k, or any other answer for none
 * (the buttons and the icon fields are then not used).
 */
struct BoxRequest {
    TextString text;
    TextString caption;
    BoxButtons buttons = BoxOk;
    BoxIcon icon = IconInformation;
    bool secondIsDefault = false;  // No (or Cancel) is the default button
    TextList choices;
    TextString cancelLabel;  // the choice box's Cancel button, in the player's language
};

// The choice an answer picks among `count` choices: 0..count-1, or -1 for none.
int16_t choiceOf(BoxAnswer answer, int16_t count);
inline BoxAnswer choiceAnswer(int16_t k) { return static_cast<BoxAnswer>(AnswerFirstChoice + k); }

using AskFunction = std::function<BoxAnswer(const BoxRequest& request)>;
using BeepFunction = std::function<void(int16_t frequencyHz, int16_t durationMs)>;

// An empty function stands for the default: boxes answered Ok/Yes without asking, no sound.
struct Feedback {
    AskFunction ask;
    BeepFunction beep;
};

BoxAnswer ask(const Feedback& feedback, const BoxRequest& request);
void beep(const Feedback& feedback, int16_t frequencyHz, int16_t durationMs);

// The game's signals.
void beepRefused(const Feedback& feedback);       // two short beeps: 800 then 1200 Hz, 5 ms each
void beepErase(const Feedback& feedback);         // three falling beeps: 250, 200, 150 Hz, 80 ms each
void beepNotesCleared(const Feedback& feedback);  // 200 Hz for 50 ms
void beepWin(const Feedback& feedback);           // 800 Hz 80 ms, 1200 Hz 35 ms, 1600 Hz 35 ms
