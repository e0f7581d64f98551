// Whole-file operations on paths through <filesystem> (native build; Windows: base/file_ops_win.cpp).
#include "base/file_ops.h"

#ifndef _WIN32

#include <filesystem>
#include <string>
#include <system_error>

bool replaceFile(TextRef from, TextRef to) {
    std::error_code ec;
    std::filesystem::rename(std::string(from.v), std::string(to.v), ec);
    return !ec;
}

bool removeFile(TextRef path) {
    std::error_code ec;
    return std::filesystem::remove(std::string(path.v), ec);
}

bool regularFileSize(TextRef path, uint64_t& size) {
    std::error_code ec;
    std::filesystem::path file{std::string(path.v)};
    if (!std::filesystem::is_regular_file(file, ec)) return false;
    uintmax_t bytes = std::filesystem::file_size(file, ec);
    if (ec) return false;
    size = bytes;
    return true;
}

#endif
