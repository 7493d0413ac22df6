#pragma once
// The guard that lets a mapped file be read safely while another program shortens it (a
// job re-run under the same log name): reading a page past the new end raises SIGBUS,
// and the guard puts zero pages there so that the reader stops with a message instead of
// the program dying. A signal handler is the whole process's, so a program installs it
// once from main() before it reads a file; the test and benchmark programs do the same.
namespace core {

// Installs the process-wide SIGBUS handler (again: nothing happens).
void InstallMappedFileGuard();

}  // namespace core
