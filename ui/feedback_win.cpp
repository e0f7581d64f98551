// Message boxes through MessageBoxW, and tones generated as waveforms and played on the wave output.
#include "ui/feedback_win.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "base/wide_text_win.h"

namespace {

const DWORD kSampleRate = 22050;

bool openWaveOutput(WaveOutput& wave) {
    if (wave.tried) return wave.device != nullptr;
    wave.tried = true;
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = kSampleRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = kSampleRate * 2;
    if (waveOutOpen(&wave.device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        wave.device = nullptr;
        return false;
    }
    return true;
}

// A sine tone with 2 ms ramps at both ends, so the tones do not click.
std::vector<int16_t> toneSamples(int frequencyHz, int durationMs) {
    const size_t count = static_cast<size_t>(kSampleRate) * static_cast<size_t>(durationMs) / 1000;
    const size_t ramp = std::min<size_t>(kSampleRate / 500, count / 2);
    std::vector<int16_t> samples(count);
    for (size_t i = 0; i < count; ++i) {
        double gain = 1.0;
        if (ramp > 0 && i < ramp) gain = static_cast<double>(i) / ramp;
        if (ramp > 0 && count - i <= ramp) gain = static_cast<double>(count - i) / ramp;
        double t = static_cast<double>(i) / kSampleRate;
        samples[i] = static_cast<int16_t>(9000.0 * gain * std::sin(2.0 * std::numbers::pi * frequencyHz * t));
    }
    return samples;
}

// Plays one tone and returns once it has been heard (never later than its duration and a small margin).
bool playTone(WaveOutput& wave, int frequencyHz, int durationMs) {
    if (!openWaveOutput(wave)) return false;
    HWAVEOUT waveOutput = wave.device;
    std::vector<int16_t> samples = toneSamples(frequencyHz, durationMs);
    if (samples.empty()) return true;
    WAVEHDR header = {};
    header.lpData = reinterpret_cast<LPSTR>(samples.data());
    header.dwBufferLength = static_cast<DWORD>(samples.size() * sizeof(int16_t));
    if (waveOutPrepareHeader(waveOutput, &header, sizeof header) != MMSYSERR_NOERROR) return false;
    bool played = waveOutWrite(waveOutput, &header, sizeof header) == MMSYSERR_NOERROR;
    if (played) {
        DWORD deadline = GetTickCount() + static_cast<DWORD>(durationMs) + 250;
        while (!(header.dwFlags & WHDR_DONE) && static_cast<LONG>(deadline - GetTickCount()) > 0) Sleep(1);
        if (!(header.dwFlags & WHDR_DONE)) waveOutReset(waveOutput);
    }
    waveOutUnprepareHeader(waveOutput, &header, sizeof header);
    return played;
}

/*
 * The choice box: a dialog template built in memory (no resource), with the
 * question as a static text on top, one push button per choice and Cancel.
 * Each choice's first character is its mnemonic, so a digit key picks the
 * choice that starts with it. Sizes are in dialog units.
 */
constexpr int kChoiceFirstId = 1000;
constexpr short kChoiceWidth = 200;
constexpr short kChoiceTextHeight = 34;
constexpr short kChoiceRow = 16;

struct DialogTemplate {
    std::vector<WORD> words;
    void word(WORD w) { words.push_back(w); }
    void dword(DWORD d) {
        word(LOWORD(d));
        word(HIWORD(d));
    }
    void text(const std::wstring& t) {
        for (wchar_t c : t) word(static_cast<WORD>(c));
        word(0);
    }
    void align() {
        if (words.size() % 2) word(0);
    }
    // One control of a predefined class (0x0080 button, 0x0082 static).
    void item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom, const std::wstring& title) {
        align();
        dword(style | WS_CHILD | WS_VISIBLE);
        dword(0);
        word(static_cast<WORD>(x));
        word(static_cast<WORD>(y));
        word(static_cast<WORD>(cx));
        word(static_cast<WORD>(cy));
        word(id);
        word(0xFFFF);
        word(atom);
        text(title);
        word(0);
    }
};

INT_PTR CALLBACK choiceProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    if (message == WM_CLOSE) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

BoxAnswer askWithChoiceBox(HWND owner, const BoxRequest& request) {
    const int count = request.choices.count();
    int lines = 1;
    for (char c : request.text.s) lines += c == '\n';
    const short textHeight = static_cast<short>(std::max<int>(kChoiceTextHeight, lines * 10 + 6));
    const short height = static_cast<short>(textHeight + 14 + (count + 1) * kChoiceRow + 8);
    DialogTemplate t;
    t.dword(DS_MODALFRAME | DS_CENTER | DS_SETFONT | DS_SYSMODAL | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    t.dword(0);
    t.word(static_cast<WORD>(count + 2));
    t.word(0);
    t.word(0);
    t.word(static_cast<WORD>(kChoiceWidth));
    t.word(static_cast<WORD>(height));
    t.word(0);  // no menu
    t.word(0);  // the dialog class
    t.text(wideText(request.caption));
    t.word(8);
    t.text(L"MS Shell Dlg");
    t.item(SS_LEFT, 7, 7, kChoiceWidth - 14, textHeight, 0xFFFF, 0x0082, wideText(request.text));
    short y = static_cast<short>(textHeight + 14);
    for (int k = 0; k < count; ++k) {
        const DWORD style = static_cast<DWORD>((k == 0 ? BS_DEFPUSHBUTTON | WS_GROUP : BS_PUSHBUTTON) | WS_TABSTOP);
        t.item(style, 40, y, kChoiceWidth - 80, 14, static_cast<WORD>(kChoiceFirstId + k), 0x0080,
               L"&" + wideText(request.choices.str(k + 1)));
        y = static_cast<short>(y + kChoiceRow);
    }
    t.item(BS_PUSHBUTTON | WS_TABSTOP, 40, static_cast<short>(y + 4), kChoiceWidth - 80, 14, IDCANCEL, 0x0080,
           wideText(request.cancelLabel.isEmpty() ? TextRef("Cancel") : TextRef(request.cancelLabel)));
    const INT_PTR answer = DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                                   reinterpret_cast<LPCDLGTEMPLATEW>(t.words.data()), owner, choiceProc, 0);
    if (answer >= kChoiceFirstId && answer < kChoiceFirstId + count)
        return choiceAnswer(static_cast<int16_t>(answer - kChoiceFirstId));
    return AnswerCancel;
}

}  // namespace

BoxAnswer askWithMessageBox(HWND owner, const BoxRequest& request) {
    if (request.choices.count() > 0) return askWithChoiceBox(owner, request);
    UINT style = MB_SYSTEMMODAL | static_cast<UINT>(request.buttons) | static_cast<UINT>(request.icon);
    if (request.secondIsDefault) style |= MB_DEFBUTTON2;
    int answer = MessageBoxW(owner, wideText(request.text).c_str(), wideText(request.caption).c_str(), style);
    switch (answer) {
    case IDYES: return AnswerYes;
    case IDNO: return AnswerNo;
    case IDCANCEL: return AnswerCancel;
    default: return AnswerOk;
    }
}

void beepOnWaveOutput(WaveOutput& wave, int16_t frequencyHz, int16_t durationMs) {
    if (frequencyHz <= 0 || durationMs <= 0) return;
    if (!playTone(wave, frequencyHz, durationMs)) Beep(static_cast<DWORD>(frequencyHz), static_cast<DWORD>(durationMs));
}

void closeWaveOutput(WaveOutput& wave) {
    if (wave.device) {
        waveOutReset(wave.device);
        waveOutClose(wave.device);
    }
    wave.device = nullptr;
    wave.tried = false;
}
