// The entry points of the desktop module (mavrolin-desktop.so): the Qt binding and the
// desktop start-up. The program loads it only to open the desktop or to draw a picture,
// so a batch command that draws nothing starts without loading Qt. The module uses the
// program's own copy of everything else (the program exports it).
#include <string>

#include "app/desktop_session.h"
#include "ui/qt/picture.h"
#include "ui/recording_canvas.h"

extern "C" int mavrolin_run_desktop(int argc, char** argv, const char* fileToOpen) {
    return mavrolin::qt::RunDesktop(argc, argv, fileToOpen ? fileToOpen : "");
}

// Throws core::FileError as WritePicture does.
extern "C" void mavrolin_write_picture(const ui::RecordingCanvas* drawing, int width, int height, const char* path) {
    mavrolin::qt::WritePicture(*drawing, width, height, path);
}
