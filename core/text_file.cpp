#include "core/text_file.h"

#include <cerrno>
#include <cstring>
#include <system_error>

#include "core/errors.h"

namespace core {

namespace {
constexpr size_t kBufferSize = 1 << 20;

std::string Reason() { return std::strerror(errno); }
}  // namespace

TextReader::TextReader(const std::filesystem::path& path) : buf_(kBufferSize), path_(path) {
    // Refused before opening: opening a pipe waits for a writer, and a device may never end.
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (!ec && std::filesystem::is_directory(status))
        throw FileError("Cannot open file \"" + path.string() + "\". It is a folder.");
    if (!ec && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        throw FileError("Cannot open file \"" + path.string() + "\". It is not a regular file.");
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) throw FileError("Cannot open file \"" + path.string() + "\". " + Reason());
}

TextReader::~TextReader() {
    if (file_) std::fclose(file_);
}

bool TextReader::Fill() {
    if (eof_) return false;
    if (pos_ > 0) {
        std::memmove(buf_.data(), buf_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
    }
    if (end_ == buf_.size()) buf_.resize(buf_.size() * 2);  // a line longer than the buffer
    size_t got = std::fread(buf_.data() + end_, 1, buf_.size() - end_, file_);
    if (got == 0) {
        if (std::ferror(file_)) throw FileError("Read error on \"" + path_.string() + "\".");
        eof_ = true;
        return false;
    }
    end_ += got;
    return true;
}

bool TextReader::ReadLine(std::string& line) {
    size_t scanFrom = pos_;
    for (;;) {
        const char* start = buf_.data() + scanFrom;
        const void* nl = std::memchr(start, '\n', end_ - scanFrom);
        if (nl) {
            size_t stop = static_cast<const char*>(nl) - buf_.data();
            size_t len = stop - pos_;
            if (len > 0 && buf_[stop - 1] == '\r') --len;
            line.assign(buf_.data() + pos_, len);
            pos_ = stop + 1;
            ++lineNo_;
            return true;
        }
        size_t scanned = end_ - pos_;
        if (!Fill()) {
            if (pos_ == end_) return false;
            size_t len = end_ - pos_;
            if (buf_[end_ - 1] == '\r') --len;
            line.assign(buf_.data() + pos_, len);
            pos_ = end_;
            ++lineNo_;
            return true;
        }
        scanFrom = pos_ + scanned;
    }
}

bool TextReader::AdvanceTo(long long n, std::string& line) {
    while (lineNo_ < n) {
        if (!ReadLine(line)) return false;
    }
    return true;
}

bool TextReader::Eof() {
    if (pos_ < end_) return false;
    return !Fill();
}

long long CountLines(const std::filesystem::path& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) throw FileError("Cannot open file \"" + path.string() + "\". " + Reason());
    std::vector<char> buf(kBufferSize);
    long long lines = 0;
    char last = '\n';
    size_t got;
    while ((got = std::fread(buf.data(), 1, buf.size(), f)) > 0) {
        const char* p = buf.data();
        const char* e = p + got;
        while ((p = static_cast<const char*>(std::memchr(p, '\n', e - p)))) {
            ++lines;
            ++p;
        }
        last = buf[got - 1];
    }
    bool err = std::ferror(f);
    std::fclose(f);
    if (err) throw FileError("Read error on \"" + path.string() + "\".");
    if (last != '\n') ++lines;
    return lines;
}

TextWriter::TextWriter(const std::filesystem::path& path) : path_(path) {
    temp_ = path;
    temp_ += ".mavrolin-tmp";
    file_ = std::fopen(temp_.c_str(), "wb");
    if (!file_) throw FileError("Cannot create file \"" + path.string() + "\". " + Reason());
}

TextWriter::~TextWriter() {
    if (file_) {
        std::fclose(file_);
        std::error_code ec;
        std::filesystem::remove(temp_, ec);
    }
}

void TextWriter::Write(const std::string& text) {
    if (!file_) throw FileError("File \"" + path_.string() + "\" is closed.");
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) failed_ = true;
}

void TextWriter::WriteLine(const std::string& text) {
    Write(text);
    Write("\r\n");
}

void TextWriter::Close() {
    if (!file_) return;
    bool ok = !failed_ && std::fflush(file_) == 0;
    ok = std::fclose(file_) == 0 && ok;
    file_ = nullptr;
    std::error_code ec;
    if (!ok) {
        std::filesystem::remove(temp_, ec);
        throw FileError("Cannot write file \"" + path_.string() + "\".");
    }
    std::filesystem::rename(temp_, path_, ec);
    if (ec) {
        std::filesystem::remove(temp_, ec);
        throw FileError("Cannot write file \"" + path_.string() + "\". " + ec.message());
    }
}

}  // namespace core
