#pragma once

// Saves an image of the whole main window (menu bar and pane) without ever showing it on screen; with a
// problem, the window grows to hold the whole solution.

#include "app/CMainFrame.h"
#include "app/ProgramArguments.h"

// Starts the main window with the arguments' kind and language (the settings are not written back),
// solves the problem and shows all of its solution, or, without a problem, shows the window as it
// starts, and saves the image. Returns the exit status: 0, or 2 with a message on standard error.
int TakeScreenshot(const ProgramArguments& arguments, MainFrameOptions options);
