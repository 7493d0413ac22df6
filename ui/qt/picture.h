#pragma once
// Pictures of a paint box's drawing as PNG, SVG or PDF files, and the font set-up every
// Qt drawing needs.
#include <string>

#include "ui/recording_canvas.h"

namespace mavrolin::qt {

// Makes sure a Qt GUI application object exists (an off-screen one for the command
// line) and that the program's fonts resolve.
void EnsureGuiApplication();
// Registers a metric-compatible Tahoma when the system has none, and a fallback chain
// for the names the windows use. Needs a GUI application object.
void PrepareFonts();

// Replays `drawing` onto a picture of width x height pixels; the extension of `path`
// (.png, .svg, .pdf, any case) chooses the format. The file is replaced only when the
// picture is complete. Throws core::FileError.
void WritePicture(const ui::RecordingCanvas& drawing, int width, int height, const std::string& path);

}  // namespace mavrolin::qt
