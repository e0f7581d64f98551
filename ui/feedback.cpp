// The ask and beep functions of a Feedback record, and the game's sound signals built on the beep.
#include "ui/feedback.h"

BoxAnswer ask(const Feedback& feedback, const BoxRequest& request) {
    if (feedback.ask) return feedback.ask(request);
    return request.buttons == BoxYesNo ? AnswerYes : AnswerOk;
}

int16_t choiceOf(BoxAnswer answer, int16_t count) {
    const int k = static_cast<int>(answer) - AnswerFirstChoice;
    return (k >= 0 && k < count) ? static_cast<int16_t>(k) : static_cast<int16_t>(-1);
}

void beep(const Feedback& feedback, int16_t frequencyHz, int16_t durationMs) {
    if (feedback.beep) feedback.beep(frequencyHz, durationMs);
}

void beepRefused(const Feedback& f) {
    beep(f, 800, 5);
    beep(f, 1200, 5);
}

void beepErase(const Feedback& f) {
    beep(f, 250, 80);
    beep(f, 200, 80);
    beep(f, 150, 80);
}

void beepNotesCleared(const Feedback& f) {
    beep(f, 200, 50);
}

void beepWin(const Feedback& f) {
    beep(f, 800, 80);
    beep(f, 1200, 35);
    beep(f, 1600, 35);
}
