#include "cli/file_lists.h"

#include <algorithm>
#include <filesystem>
#include <unordered_set>

#include "cli/input_files.h"
#include "cli/messages.h"
#include "cli/platform.h"
#include "roster/team_document.h"
#include "teamfile/file_io.h"

namespace fs = std::filesystem;

namespace {

// Names as people sort them: letters ignoring case, then as they are.
bool beforeByName(const std::string& a, const std::string& b) {
    const auto folded = [](char x, char y) {
        return static_cast<unsigned char>(lowerAscii(x)) < static_cast<unsigned char>(lowerAscii(y));
    };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded))
        return false;
    return a < b;
}

bool isTeamFileName(const fs::path& name) {
    return equalsIgnoringCase(utf8Text(name.extension()), ".fbt");
}

std::string addFolder(const std::string& folder, std::vector<std::string>& files) {
    std::vector<fs::path> names;
    if (const FileResult listed = listFolder(utf8Path(folder), names); !listed.ok)
        return fileProblem("cannot read the folder", folder, listed);
    std::vector<std::string> found;
    for (const fs::path& name : names) {
        if (!isTeamFileName(name))
            continue;
        if (!isUnicodeName(name))
            return "the folder " + quotedPath(folder) + " holds " + quotedPath(utf8Text(name)) +
                   ", whose name is not Unicode text: no sheet or message can name it as it is; rename it";
        const fs::path path = utf8Path(folder) / name;
        FileStatus status;
        FileResult examined = fileStatus(path, status);
        if (examined.ok && status.type == fs::file_type::not_found)
            examined = {false, "the folder lists it, but it is not there (a broken link?)",
                        FileFailure::notFound};
        if (!examined.ok)
            return fileProblem("cannot examine", utf8Text(path), examined);
        if (status.type == fs::file_type::regular)
            found.push_back(utf8Text(path));
    }
    if (found.empty())
        return "the folder " + quotedPath(folder) + " holds no .fbt file";
    std::sort(found.begin(), found.end(), beforeByName);
    files.insert(files.end(), found.begin(), found.end());
    return {};
}

std::string addArgument(const std::string& argument, std::vector<std::string>& files) {
    if (isFolder(utf8Path(argument)))
        return addFolder(argument, files);
    std::vector<std::string> names = expandWildcards(argument);
    if (names.empty())
        return "no file matches " + quotedPath(argument);
    std::sort(names.begin(), names.end(), beforeByName);
    files.insert(files.end(), names.begin(), names.end());
    return {};
}

std::string addListed(const std::string& listFile, Console& io, std::vector<std::string>& files) {
    std::string text;
    if (std::string problem = readInputText(listFile, kFileListLimit, io, text); !problem.empty())
        return problem;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        if (line.ends_with('\r'))
            line.pop_back();
        if (!line.empty())
            files.push_back(std::move(line));
        start = end + 1;
    }
    return {};
}

// Each file once, where it is first named: a file named twice (under two spellings, through a folder
// and by name, or through hard links) would be read twice and stand twice in a league sheet, which
// import refuses.
void keepEachFileOnce(std::vector<std::string>& files) {
    std::unordered_set<std::string> seen;
    std::erase_if(files,
                  [&](const std::string& file) { return !seen.insert(fileIdentity(utf8Path(file))).second; });
}

} // namespace

FileList teamFileList(const std::vector<std::string>& arguments, const std::string& listFile, Console& io) {
    FileList list;
    for (const std::string& argument : arguments)
        if (list.error.empty())
            list.error = addArgument(argument, list.files);
    if (list.error.empty() && !listFile.empty())
        list.error = addListed(listFile, io, list.files);
    if (list.error.empty() && list.files.empty())
        list.error = "no team file is named";
    keepEachFileOnce(list.files);
    return list;
}

bool matchesWildcards(std::string_view pattern, std::string_view name) {
    // A UTF-8 character's bytes, for ? and for what * takes one more of.
    const auto characterAt = [&](std::size_t at) {
        std::size_t end = at + 1;
        while (end < name.size() && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80)
            ++end;
        return end - at;
    };
    constexpr std::size_t kNoStar = std::string_view::npos;
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t afterStar = kNoStar; // where the pattern goes on after its last *
    std::size_t starTook = 0;        // where the name goes on after what that * took so far
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            afterStar = ++p;
            starTook = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            ++p;
            n += characterAt(n);
        } else if (p < pattern.size() && lowerAscii(pattern[p]) == lowerAscii(name[n])) {
            ++p;
            ++n;
        } else if (afterStar != kNoStar) {
            p = afterStar;
            starTook += characterAt(starTook);
            n = starTook;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}
