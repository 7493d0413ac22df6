#pragma once
// What the parts of the text-file code share: how they name a file and a system error in
// their messages, and the table of mapped files the SIGBUS guard reads.
#include <filesystem>
#include <string>

namespace core {

// The path in double quotes, as every file message names it.
std::string Quoted(const std::filesystem::path& path);
// The system's text for an errno value.
std::string Reason(int error);

// A mapped file registered for the guard: its slot, or -1 when the table is full (the
// reader then reads through a buffer). Unregister with ForgetMap.
int RegisterMap(char* start, size_t size);
void ForgetMap(int slot);
// True once a read of the map in `slot` ran past the end of a file that was shortened.
bool MapShrunk(int slot);

}  // namespace core
