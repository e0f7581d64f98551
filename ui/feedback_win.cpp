// Message boxes through MessageBoxW, and tones generated as waveforms and played on the wave output.
#include "ui/feedback_win.h"

#include <windows.h>
#include <mmsystem.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "base/wide_text_win.h"

namespace {

const DWORD kSampleRate = 22050;

/*
 * The wave output, opened on first use and kept. When no sound device exists
 * (a headless machine, a Wine without audio) opening fails once and every tone
 * falls back to Beep, which on Windows sounds through the speaker and under
 * Wine returns at once.
 */
HWAVEOUT waveOutput = nullptr;
bool waveTried = false;

bool openWaveOutput() {
    if (waveTried) return waveOutput != nullptr;
    waveTried = true;
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = kSampleRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 2;
    format.nAvgBytesPerSec = kSampleRate * 2;
    if (waveOutOpen(&waveOutput, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        waveOutput = nullptr;
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
bool playTone(int frequencyHz, int durationMs) {
    if (!openWaveOutput()) return false;
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

}  // namespace

void installWindowsFeedback() {
    setAskFunction(askWithMessageBox);
    setBeepFunction(beepOnWaveOutput);
}

BoxAnswer askWithMessageBox(const BoxRequest& request) {
    UINT style = MB_SYSTEMMODAL | static_cast<UINT>(request.buttons) | static_cast<UINT>(request.icon);
    if (request.secondIsDefault) style |= MB_DEFBUTTON2;
    HWND owner = static_cast<HWND>(request.owner);
    int answer = MessageBoxW(owner, wideText(request.text).c_str(), wideText(request.caption).c_str(), style);
    switch (answer) {
    case IDYES: return AnswerYes;
    case IDNO: return AnswerNo;
    case IDCANCEL: return AnswerCancel;
    default: return AnswerOk;
    }
}

void beepOnWaveOutput(int16_t frequencyHz, int16_t durationMs) {
    if (frequencyHz <= 0 || durationMs <= 0) return;
    if (!playTone(frequencyHz, durationMs)) Beep(static_cast<DWORD>(frequencyHz), static_cast<DWORD>(durationMs));
}

void closeWaveOutput() {
    if (waveOutput) {
        waveOutReset(waveOutput);
        waveOutClose(waveOutput);
    }
    waveOutput = nullptr;
    waveTried = false;
}
