#pragma once
// Entry points of the desktop program for main(): the event loop with every window, and
// picture writing for the batch command line.
#include <string>

#include "ui/qt/picture.h"  // WritePicture

namespace mavrolin::qt {

// Opens the main window (and scans `fileToOpen` when one is named) and runs until the
// program exits. Returns the process exit status.
int RunDesktop(int argc, char** argv, const std::string& fileToOpen);

}  // namespace mavrolin::qt
