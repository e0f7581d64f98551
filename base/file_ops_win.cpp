// Whole-file operations on paths through the wide Win32 and C library calls (Windows build).
#include "base/file_ops.h"

#include <sys/stat.h>

#include "base/wide_text_win.h"

bool replaceFile(TextRef from, TextRef to) {
    return MoveFileExW(wideText(from).c_str(), wideText(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool removeFile(TextRef path) {
    return DeleteFileW(wideText(path).c_str()) != 0;
}

bool regularFileSize(TextRef path, uint64_t& size) {
    struct _stat64 status;
    if (_wstat64(wideText(path).c_str(), &status) != 0) return false;
    if ((status.st_mode & _S_IFMT) != _S_IFREG) return false;
    size = static_cast<uint64_t>(status.st_size);
    return true;
}
