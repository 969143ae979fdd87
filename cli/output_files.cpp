#include "cli/output_files.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace fs = std::filesystem;

std::string checkOutputFile(const std::string& target, const std::vector<std::string>& inputs) {
    if (target.empty())
        return "an empty name is no file to write";
    const fs::path path = utf8Path(target);
    FileStatus status;
    if (const FileResult examined = fileStatus(path, status); !examined.ok)
        return fileProblem("cannot write", target, examined);
    if (status.type != fs::file_type::not_found && status.type != fs::file_type::regular) {
        const std::string kind = kindOfFile(status.type);
        return "cannot write " + quotedPath(target) + ": it is " +
               (kind.empty() ? "not a regular file" : kind) +
               ", not a regular file (give \"-o -\" for standard output)";
    }
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
