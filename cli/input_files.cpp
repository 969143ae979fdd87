#include "cli/input_files.h"

#include <algorithm>
#include <memory>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kReadBlock = 1 << 16;

std::string sizeText(std::uintmax_t bytes) {
    return std::to_string(bytes >> 20) + " MB";
}

std::string tooLarge(const std::string& name, std::uintmax_t limit) {
    return quotedPath(name) + " is larger than " + sizeText(limit) +
           ", far more than any team needs: is it the right file?";
}

std::string readStandardInput(std::uintmax_t limit, Console& io, std::string& text) {
    char block[kReadBlock];
    while (io.in.read(block, sizeof block) || io.in.gcount() > 0) {
        text.append(block, static_cast<std::size_t>(io.in.gcount()));
        if (text.size() > limit)
            return "standard input holds more than " + sizeText(limit) + ", far more than any team needs";
    }
    if (io.in.bad())
        return "cannot read standard input";
    return {};
}

// A file of unknown size (a pipe, a device, or a file whose size the system gives as 0 although it
// delivers bytes) is read into a buffer of the limit's size, which takes memory only as far as it
// fills.
std::string readFile(const std::string& name, std::uintmax_t limit, std::string& text) {
    const fs::path path = utf8Path(name);
    FileStatus status;
    const bool sized =
        fileStatus(path, status).ok && status.type == fs::file_type::regular && status.size > 0;
    if (sized && status.size > limit)
        return tooLarge(name, limit);
    const std::size_t capacity = static_cast<std::size_t>(sized ? std::min(status.size, limit) : limit) + 1;
    const auto buffer = std::make_unique_for_overwrite<std::uint8_t[]>(capacity);
    FilePrefix prefix;
    const FileResult read = readFilePrefix(path, {buffer.get(), capacity}, prefix);
    if (!read.ok)
        return fileProblem("cannot read", name, read);
    if (prefix.delivered > limit)
        return tooLarge(name, limit);
    text.assign(reinterpret_cast<const char*>(buffer.get()), prefix.delivered);
    return {};
}

} // namespace

std::string readInputText(const std::string& name, std::uintmax_t limit, Console& io, std::string& text) {
    return name == kStandardStream ? readStandardInput(limit, io, text) : readFile(name, limit, text);
}

FileInput::~FileInput() {
    closeReading(file_);
}

FileResult FileInput::open(const fs::path& path) {
    failure_ = openToRead(path, file_);
    return failure_;
}

FileInput::int_type FileInput::underflow() {
    if (!file_.open)
        return traits_type::eof();
    std::size_t got = 0;
    failure_ = readBlock(file_, {reinterpret_cast<std::uint8_t*>(block_.data()), block_.size()}, got);
    if (got == 0) {
        closeReading(file_);
        return traits_type::eof();
    }
    setg(block_.data(), block_.data(), block_.data() + got);
    return traits_type::to_int_type(block_[0]);
}
