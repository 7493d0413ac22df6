// Program entry: the desktop program, or a batch command when one is named.
#include <iostream>
#include <string>

#include "app/batch.h"

#ifdef MAVROLIN_HAVE_QT
#include "app/desktop_session.h"
#include "ui/qt/picture.h"
#define MAVROLIN_DESKTOP 1
#endif

int main(int argc, char** argv) {
#ifdef MAVROLIN_DESKTOP
    if (mavrolin::IsBatchInvocation(argc, argv))
        return mavrolin::RunBatch(argc, argv, std::cout, std::cerr, mavrolin::qt::WritePicture);
    return mavrolin::qt::RunDesktop(argc, argv, argc > 1 ? argv[1] : std::string());
#else
    if (mavrolin::IsBatchInvocation(argc, argv)) return mavrolin::RunBatch(argc, argv, std::cout, std::cerr);
    std::cerr << "This build has no desktop program; see 'mavrolin --help' for the batch commands.\n";
    return 2;
#endif
}
