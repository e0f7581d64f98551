// Shared set-up of the tests: fresh temporary folders, an application state for the settings file, a layout bench.
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>

#include "app/app_state.h"
#include "content/collection.h"
#include "render/draw_surface.h"
#include "app/app_settings.h"

// A new empty folder under the system's temporary folder, named from prefix, the clock and a serial number.
inline std::filesystem::path freshTempDir(const std::string& prefix) {
    static std::atomic<int> serial{0};
    std::filesystem::path dir =
        std::filesystem::temp_directory_path() /
        (prefix + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "_" +
         std::to_string(serial++));
    std::filesystem::create_directories(dir);
    return dir;
}

// A fresh application state whose settings file is path, with the collection's grid count and no kept lines.
inline void prepareSettingsApp(AppState& app, const std::string& path, int16_t offeredGrids) {
    resetAppState(app);
    app.windowTitle.assign("ORNEL 162");
    app.settingsPath.assign(path);
    app.game.gridCount = offeredGrids;
}

/*
 * The layout's bench: Play mode on a 1024 x 768 screen, the frame Wine draws
 * (3, 22), and a 96 pixels-per-inch surface the size of the client area.
 */
inline void prepareLayoutBench(AppState& app, DrawSurface& surface) {
    setScreenMode(app, ScreenMode::Play);
    app.geometry.screenWidth = 1024;
    app.geometry.screenHeight = 768;
    app.geometry.frameX = 3;
    app.geometry.frameY = 22;
    construct(surface);
    bindMeasured(surface, nullptr, 974, 796, 96, 96, kDrawingDeviceName);
}

#ifndef ORNEL_WINDOWS_BUILD
#include <cstdio>
#include <sys/wait.h>

/*
 * Runs the built ornel-tool program with a command line (its error stream
 * discarded) and gives what it wrote on its standard output; exitStatus is its
 * exit status, or -1 when it did not end normally.
 */
inline std::string runToolProgram(const std::string& arguments, int& exitStatus) {
    std::string out;
    exitStatus = -1;
    FILE* p = popen((std::string(ORNEL_TOOL_PATH) + " " + arguments + " 2>/dev/null").c_str(), "r");
    if (!p) return out;
    char buf[256];
    while (size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
    int status = pclose(p);
    if (WIFEXITED(status)) exitStatus = WEXITSTATUS(status);
    return out;
}
#endif
