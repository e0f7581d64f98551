// The few whole-file operations the game makes on paths: replace one file by another, remove one, size one.
#pragma once

#include <cstdint>

#include "base/text.h"

/*
 * Two implementations: base/file_ops.cpp with <filesystem> for the native
 * build, and base/file_ops_win.cpp with the wide Win32 and C library calls
 * for Windows, so that the Windows program does not carry <filesystem> and
 * the locale and stream machinery it pulls in (most of a megabyte of the
 * statically linked program).
 */

// Renames FROM to TO, taking the place of a file TO that exists; true when done.
bool replaceFile(TextRef from, TextRef to);

// Removes the file PATH; true when done.
bool removeFile(TextRef path);

// True, with its size in bytes, when PATH names a regular file (links followed).
bool regularFileSize(TextRef path, uint64_t& size);
