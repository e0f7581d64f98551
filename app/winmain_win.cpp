// Entry point of the Windows program: hands the instance and show command to the start-up sequence.
#include <windows.h>

#include "app/main_window_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    // The program takes no command-line arguments.
    return runProgram(instance, showCommand);
}
