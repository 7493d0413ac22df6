// Program entry: the desktop program, or a batch command when one is named. The desktop
// part (Qt) is a module loaded only when a window opens or a picture is drawn.
#include <iostream>
#include <string>

#include "app/batch.h"
#include "core/mapped_file.h"

#ifdef MAVROLIN_DESKTOP_MODULE
#include <dlfcn.h>

#include <filesystem>

#include "core/errors.h"
#define MAVROLIN_DESKTOP 1
#endif

#ifdef MAVROLIN_DESKTOP
namespace {

// The module beside the program (a build tree) or where it is installed. Null, with the
// reason in `error`, when it cannot be loaded.
void* DesktopModule(std::string& error) {
    static void* handle = nullptr;
    static std::string failure;
    if (handle || !failure.empty()) {
        error = failure;
        return handle;
    }
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
    for (const auto& dir : {self, self / MAVROLIN_DESKTOP_MODULE_DIR}) {
        const auto path = dir / "mavrolin-desktop.so";
        if (!std::filesystem::exists(path, ec)) continue;
        handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle) return handle;
        failure = ::dlerror();
        break;
    }
    if (failure.empty())
        failure = "mavrolin-desktop.so is neither beside the program nor in " + (self / MAVROLIN_DESKTOP_MODULE_DIR).lexically_normal().string();
    error = "The desktop part of Mavrolin cannot be loaded: " + failure;
    failure = error;
    return nullptr;
}

template <class Function>
Function Entry(const char* name, std::string& error) {
    void* module = DesktopModule(error);
    return module ? reinterpret_cast<Function>(::dlsym(module, name)) : nullptr;
}

void WritePicture(const ui::RecordingCanvas& drawing, int width, int height, const std::string& path) {
    std::string error;
    auto write = Entry<void (*)(const ui::RecordingCanvas*, int, int, const char*)>("mavrolin_write_picture", error);
    if (!write) throw core::FileError("Cannot write the picture \"" + path + "\". " + error);
    write(&drawing, width, height, path.c_str());
}

int RunDesktop(int argc, char** argv) {
    std::string error;
    auto run = Entry<int (*)(int, char**, const char*)>("mavrolin_run_desktop", error);
    if (!run) {
        std::cerr << "mavrolin: " << error << "\n";
        return 1;
    }
    return run(argc, argv, argc > 1 ? argv[1] : nullptr);
}

}  // namespace
#endif

int main(int argc, char** argv) {
    core::InstallMappedFileGuard();  // a log shortened while it is read stops the read, not the program
#ifdef MAVROLIN_DESKTOP
    if (mavrolin::IsBatchInvocation(argc, argv)) return mavrolin::RunBatch(argc, argv, std::cout, std::cerr, WritePicture);
    return RunDesktop(argc, argv);
#else
    if (mavrolin::IsBatchInvocation(argc, argv)) return mavrolin::RunBatch(argc, argv, std::cout, std::cerr);
    std::cerr << "This build has no desktop program; see 'mavrolin --help' for the batch commands.\n";
    return 2;
#endif
}
