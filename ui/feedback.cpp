// The replaceable ask and beep functions, and the game's sound signals built on the beep.
#include "ui/feedback.h"

namespace {

BoxAnswer answerWithoutAsking(const BoxRequest& request) {
    return request.buttons == BoxYesNo ? AnswerYes : AnswerOk;
}

void silentBeep(int16_t, int16_t) {}

AskFunction currentAsk = answerWithoutAsking;
BeepFunction currentBeep = silentBeep;

}  // namespace

void setAskFunction(AskFunction function) {
    currentAsk = function ? function : answerWithoutAsking;
}

void setBeepFunction(BeepFunction function) {
    currentBeep = function ? function : silentBeep;
}

AskFunction askFunction() {
    return currentAsk;
}

BeepFunction beepFunction() {
    return currentBeep;
}

BoxAnswer ask(const BoxRequest& request) {
    return currentAsk(request);
}

void beep(int16_t frequencyHz, int16_t durationMs) {
    currentBeep(frequencyHz, durationMs);
}

void beepRefused() {
    beep(800, 5);
    beep(1200, 5);
}

void beepErase() {
    beep(250, 80);
    beep(200, 80);
    beep(150, 80);
}

void beepNotesCleared() {
    beep(200, 50);
}

void beepWin() {
    beep(800, 80);
    beep(1200, 35);
    beep(1600, 35);
}
