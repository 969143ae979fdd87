// What each platform's file layer gives the portable part of it (file_io.cpp).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// The identity of an existing file or folder (after links) as text; false when it does not exist
// or cannot be examined.
bool existingFileIdentity(const std::filesystem::path& path, std::string& identity);

// A file name as the file system compares names: as it is, or on Windows in upper case.
std::string comparedName(const std::filesystem::path& name);

struct FilePrefix;
// The size of a file that a read delivered prefix of: the size the system reports, unless it has
// none (a pipe, a device) or reports less than the read delivered (files that the system makes up as
// they are read report 0); then what was read is all that is known.
std::uintmax_t deliveredSize(bool sized, std::uintmax_t reported, const FilePrefix& prefix);
