#include "cli/command_support.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>

#include "cli/ansi_text.h"
#include "cli/commands.h"
#include "cli/platform.h"
#include "cli/quoting.h"
#include "cli/team_check.h"

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

std::string kindOfThing(fs::file_type type) {
    switch (type) {
    case fs::file_type::directory: return "a folder";
    case fs::file_type::character:
    case fs::file_type::block: return "a device";
    case fs::file_type::fifo: return "a pipe";
    case fs::file_type::socket: return "a socket";
    default: return "not a regular file";
    }
}

} // namespace

int fail(Console& io, const std::string& message) {
    io.err << kProgram << ": " << message << '\n';
    return kExitError;
}

void warn(Console& io, const std::string& message) {
    io.err << kProgram << ": warning: " << message << '\n';
}

std::string quotedPath(const std::string& path) {
    return inQuotes(shownPath(path));
}

std::string fileProblem(std::string_view doing, const std::string& path, const FileResult& result,
                        bool dashIsStream) {
    const std::string name = path != kStandardStream || !dashIsStream ? quotedPath(path)
                             : doing == "cannot read"                 ? "standard input"
                                                                      : "standard output";
    return std::string(doing) + " " + name + ": " + systemTextToUtf8(result.reason);
}

void warnOfSize(const std::string& path, std::uintmax_t size, Console& io) {
    const std::string finding = sizeFinding(size);
    if (!finding.empty())
        warn(io, quotedPath(path) + " is not the size of a team file (" + finding +
                     "); it is read as the editor reads it");
}

bool loadTeam(TeamInMemory& team, const std::string& path, Console& io) {
    const TeamFileRead file = readTeamFile(utf8Path(path));
    if (!file.result.ok) {
        fail(io, fileProblem("cannot read", path, file.result, false));
        return false;
    }
    warnOfSize(path, file.prefix.size, io);
    decodeTeam(team.doc, file.delivered());
    return true;
}

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

std::string formatByExtension(const std::string& path) {
    std::string extension = utf8Text(utf8Path(path).extension());
    std::transform(extension.begin(), extension.end(), extension.begin(), lowerAscii);
    if (extension == ".csv" || extension == ".json")
        return extension.substr(1);
    return {};
}

std::string checkOutputFile(const std::string& target, const std::vector<std::string>& inputs) {
    if (target.empty())
        return "an empty name is no file to write";
    const fs::path path = utf8Path(target);
    FileStatus status;
    if (const FileResult examined = fileStatus(path, status); !examined.ok)
        return fileProblem("cannot write", target, examined);
    if (status.type != fs::file_type::not_found && status.type != fs::file_type::regular)
        return "cannot write " + quotedPath(target) + ": it is " + kindOfThing(status.type) +
               ", not a regular file (give \"-o -\" for standard output)";
    for (const std::string& input : inputs)
        if (input != kStandardStream && sameFile(path, utf8Path(input)))
            return "cannot write " + quotedPath(target) + ": it is the input " + quotedPath(input) +
                   ", which would be lost: give another output file";
    return {};
}

std::string checkOutput(const std::string& target, const std::vector<std::string>& inputs) {
    return target == kStandardStream ? std::string() : checkOutputFile(target, inputs);
}

FileResult writeStandardOutput(std::string_view bytes, Console& io) {
    errno = 0;
    io.out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    io.out.flush();
    if (io.out)
        return {};
    io.outputFailureReported = true;
    const FileResult failed = {false, errno != 0 ? std::strerror(errno) : "the output stream failed",
                               errno == ENOSPC ? FileFailure::diskFull : FileFailure::other};
    fail(io, fileProblem("cannot write", std::string(kStandardStream), failed));
    return failed;
}
