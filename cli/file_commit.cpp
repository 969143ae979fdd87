#include "cli/file_commit.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>
#include <random>

#include "cli/input_files.h"
#include "cli/messages.h"
#include "cli/output_files.h"
#include "cli/platform.h"

namespace fs = std::filesystem;

namespace {

// A journal's name in a folder; the main journal stands beside the first target replaced, and every
// other folder with a target gets a pointer to it under the same name.
constexpr std::string_view kJournalPrefix = ".squadwright-journal-";
constexpr std::string_view kJournalMagic = "squadwright-journal";
constexpr std::string_view kJournalVersion = "1";
// A journal holds this system's paths: a run of the program built for the other system (the
// Windows program under Wine) leaves it alone.
#ifdef _WIN32
constexpr std::string_view kJournalSystem = "windows";
#else
constexpr std::string_view kJournalSystem = "posix";
#endif
constexpr std::string_view kMainJournal = "main";
constexpr std::string_view kJournalPointer = "pointer";
constexpr std::string_view kNewTarget = "new";
constexpr std::string_view kOldTarget = "old";

fs::path folderHolding(const fs::path& path) {
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

std::string absoluteText(const fs::path& path) {
    std::error_code unknown;
    const fs::path absolute = fs::absolute(path, unknown);
    return utf8Text(unknown ? path : absolute);
}

// FNV-1a: whether a target still holds the bytes that were read, after an interruption.
std::string contentHash(std::span<const std::uint8_t> bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (std::uint8_t byte : bytes)
        hash = (hash ^ byte) * 1099511628211ULL;
    return std::to_string(hash);
}

// A journal is a sequence of tokens, each its length, a colon and its bytes, so that any path fits.
void putToken(std::string& out, std::string_view token) {
    out.append(std::to_string(token.size())).append(":").append(token).append("\n");
}

bool takeToken(std::string_view& in, std::string& token) {
    const std::size_t colon = in.find(':');
    std::size_t length = 0;
    if (colon == std::string_view::npos ||
        std::from_chars(in.data(), in.data() + colon, length).ptr != in.data() + colon ||
        in.size() < colon + 2 + length || in[colon + 1 + length] != '\n')
        return false;
    token = in.substr(colon + 1, length);
    in.remove_prefix(colon + 2 + length);
    return true;
}

std::string journalHead(std::string_view kind) {
    std::string head;
    for (std::string_view token : {kJournalMagic, kJournalVersion, kJournalSystem, kind})
        putToken(head, token);
    return head;
}

FileResult writeText(const fs::path& path, const std::string& text) {
    return replaceFileContents(path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

std::string readText(const fs::path& path) {
    FileInput input;
    if (!input.open(path).ok)
        return {};
    return {std::istreambuf_iterator<char>(&input), std::istreambuf_iterator<char>()};
}

// The bytes of a file that holds at most limit of them; false when it could not be read or holds more.
bool readAtMost(const fs::path& path, std::size_t limit, std::vector<std::uint8_t>& bytes) {
    bytes.assign(limit + 1, 0);
    FilePrefix prefix;
    if (!readFilePrefix(path, bytes, prefix).ok || prefix.delivered > limit)
        return false;
    bytes.resize(prefix.delivered);
    return true;
}

// A renamed target, and what it held before, as the journal keeps them.
struct JournalRename {
    std::string temporary;
    std::string target;
    bool existed = false;
    FileState before;
    std::string hash;
};

bool takeRename(std::string_view& in, JournalRename& rename) {
    std::string state;
    if (!takeToken(in, rename.temporary) || !takeToken(in, rename.target) || !takeToken(in, state))
        return false;
    rename.existed = state == kOldTarget;
    if (!rename.existed)
        return state == kNewTarget;
    std::string size;
    std::string modified;
    rename.before.exists = true;
    return takeToken(in, rename.before.identity) && takeToken(in, size) && takeToken(in, modified) &&
           takeToken(in, rename.hash) &&
           std::from_chars(size.data(), size.data() + size.size(), rename.before.size).ec == std::errc() &&
           std::from_chars(modified.data(), modified.data() + modified.size(), rename.before.modified).ec ==
               std::errc();
}

} // namespace

FileResult fileStateOf(const fs::path& path, FileState& state) {
    state = {};
    FileStatus status;
    if (const FileResult examined = fileStatus(path, status); !examined.ok)
        return examined;
    if (status.type == fs::file_type::not_found)
        return {};
    state = {true, fileIdentity(path), status.size, status.modified};
    return {};
}

CommitHooks& commitHooks() {
    static CommitHooks hooks;
    return hooks;
}

struct FileCommit::Entry {
    std::string name; // as given, for messages
    fs::path path;
    StagedFile staged;
    std::size_t registered = 0; // with the interruption handler
    FileState expected;
    std::vector<std::uint8_t> base;
    bool done = false;
};

struct FileCommit::Journal {
    fs::path main;
    std::vector<fs::path> pointers;
};

FileCommit::FileCommit(Console& io) : io_(io) {}

FileCommit::~FileCommit() {
    if (!killed_) {
        holdInterruptions();
        for (Entry& entry : entries_)
            if (!entry.staged.temporary.empty()) {
                discardStagedFile(entry.staged);
                forgetTemporary(entry.registered);
            }
        releaseInterruptions();
    }
    holdInterruptions();
    for (HeldLock& held : locks_) {
        unlockFolder(held.lock);
        forgetTemporary(held.registered);
    }
    releaseInterruptions();
}

std::size_t FileCommit::size() const {
    return entries_.size();
}

const std::string& FileCommit::name(std::size_t index) const {
    return entries_[index].name;
}

std::string FileCommit::lockFolderOf(const std::string& path) {
    const fs::path folder = folderHolding(utf8Path(path));
    FileStatus status;
    if (!fileStatus(folder, status).ok || status.type != fs::file_type::directory)
        return {}; // nothing can be written there: the write says why
    const std::string identity = fileIdentity(folder);
    if (std::any_of(locks_.begin(), locks_.end(),
                    [&](const HeldLock& held) { return held.identity == identity; }))
        return {};
    // An interruption removes the lock file with the temporary files: the lock itself ends with the
    // process.
    HeldLock held{identity, {}, 0};
    bool busy = false;
    holdInterruptions();
    const FileResult locked = lockFolder(folder, held.lock, busy);
    if (locked.ok)
        held.registered = registerTemporary(held.lock.file);
    releaseInterruptions();
    if (!locked.ok)
        return busy ? "another squadwright-cli is writing into the folder " + quotedPath(utf8Text(folder)) +
                          ": nothing was written; run this again when it has finished"
                    : fileProblem("cannot lock the folder", utf8Text(folder), locked);
    locks_.push_back(std::move(held));
    return clearFolder(folder);
}

// Finishes the commits whose journals stand in the folder, then removes the temporary files of runs
// that have ended. Why not, when a commit to finish needs a folder that another run holds.
std::string FileCommit::clearFolder(const fs::path& folder) {
    std::vector<fs::path> names;
    if (!listFolder(folder, names).ok)
        return {};
    for (const fs::path& name : names)
        if (utf8Text(name).starts_with(kJournalPrefix))
            if (std::string problem = finishInterrupted(folder / name); !problem.empty())
                return problem;
    if (!listFolder(folder, names).ok)
        return {};
    std::size_t removed = 0;
    for (const fs::path& name : names)
        if (isStaleTemporary(folder / name) && removeFileAt(folder / name).ok)
            ++removed;
    if (removed > 0)
        io_.err << kProgram << ": removed " << removed
                << (removed == 1 ? " temporary file that an interrupted run left in "
                                 : " temporary files that an interrupted run left in ")
                << quotedPath(utf8Text(folder)) << '\n';
    return {};
}

// Completes the renames of a commit that a kill cut short: every target still as it was before that
// commit gets its new content, which was written in full before the first rename; a target that
// changed since is left as it is.
std::string FileCommit::finishInterrupted(const fs::path& journalPath) {
    std::string text = readText(journalPath);
    std::string_view in = text;
    std::string token;
    std::vector<std::string> head;
    for (int i = 0; i < 4 && takeToken(in, token); ++i)
        head.push_back(token);
    if (head.size() < 4 || head[0] != kJournalMagic || head[1] != kJournalVersion ||
        head[2] != kJournalSystem)
        return {};
    fs::path mainPath = journalPath;
    if (head[3] == kJournalPointer) {
        if (!takeToken(in, token))
            return {};
        mainPath = utf8Path(token);
        FileStatus status;
        if (fileStatus(mainPath, status).ok && status.type == fs::file_type::not_found) {
            removeFileAt(journalPath); // its commit finished, or never began its renames
            return {};
        }
        text = readText(mainPath);
        in = text;
        head.clear();
        for (int i = 0; i < 4 && takeToken(in, token); ++i)
            head.push_back(token);
        if (head.size() < 4 || head[3] != kMainJournal)
            return {};
    }
    std::vector<fs::path> pointers;
    std::size_t count = 0;
    if (!takeToken(in, token) ||
        std::from_chars(token.data(), token.data() + token.size(), count).ec != std::errc())
        return {};
    for (std::size_t i = 0; i < count && takeToken(in, token); ++i)
        pointers.push_back(utf8Path(token));
    // The other folders of that commit are locked too; finishing one of them may finish this journal.
    for (const fs::path& pointer : pointers)
        if (std::string problem = lockFolderOf(utf8Text(pointer)); !problem.empty())
            return problem;
    if (std::string problem = lockFolderOf(utf8Text(mainPath)); !problem.empty())
        return problem;
    if (readText(mainPath).empty())
        return {};

    std::size_t written = 0;
    std::vector<std::string> changed;
    JournalRename rename;
    while (takeRename(in, rename)) {
        const fs::path temporary = utf8Path(rename.temporary);
        const fs::path target = utf8Path(rename.target);
        FileStatus status;
        if (!fileStatus(temporary, status).ok || status.type == fs::file_type::not_found)
            continue; // renamed before the interruption
        FileState now;
        std::vector<std::uint8_t> bytes;
        const bool asBefore =
            fileStateOf(target, now).ok && now.exists == rename.existed &&
            (!rename.existed || (now == rename.before && readAtMost(target, kTeamInputLimit, bytes) &&
                                 contentHash(bytes) == rename.hash));
        StagedFile staged{target, temporary};
        if (asBefore &&
            (rename.existed ? commitStagedFileWaiting(staged) : commitStagedFileAsNew(staged)).ok) {
            ++written;
        } else {
            removeFileAt(temporary);
            changed.push_back(rename.target);
        }
    }
    removeFileAt(mainPath);
    for (const fs::path& pointer : pointers)
        removeFileAt(pointer);
    io_.err << kProgram << ": finished a run that was interrupted while it replaced its files (its journal "
            << quotedPath(utf8Text(mainPath)) << "): " << written << (written == 1 ? " file" : " files")
            << " written\n";
    for (const std::string& target : changed)
        warn(io_, quotedPath(target) + " changed after that run was interrupted: left as it is, without "
                                       "that run's change");
    return {};
}

FileResult FileCommit::stage(const std::string& target, std::span<const std::uint8_t> bytes,
                             const FileState& expected, std::span<const std::uint8_t> base) {
    Entry entry{target, utf8Path(target), {}, 0, expected, {base.begin(), base.end()}, false};
    holdInterruptions();
    const FileResult staged = stageFileContents(entry.path, bytes, entry.staged);
    if (staged.ok)
        entry.registered = registerTemporary(entry.staged.temporary);
    releaseInterruptions();
    return staged.ok ? added(std::move(entry)) : staged;
}

namespace {

// What an output stream writes, passed on to a staged write a block at a time.
class StagedOutput : public std::streambuf {
  public:
    explicit StagedOutput(StagedWrite& write) : write_(write) {
        setp(block_.data(), block_.data() + block_.size());
    }
    const FileResult& failure() const { return failure_; }

  protected:
    int_type overflow(int_type c) override {
        if (!pass())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof()))
            sputc(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }
    int sync() override { return pass() ? 0 : -1; }

  private:
    bool pass() {
        if (failure_.ok)
            failure_ = writeStaged(write_, {reinterpret_cast<const std::uint8_t*>(pbase()),
                                            static_cast<std::size_t>(pptr() - pbase())});
        setp(block_.data(), block_.data() + block_.size());
        return failure_.ok;
    }

    StagedWrite& write_;
    FileResult failure_;
    std::array<char, 1 << 16> block_{};
};

} // namespace

FileResult FileCommit::stageWritten(const std::string& target,
                                    const std::function<bool(std::ostream&)>& write,
                                    const FileState& expected) {
    Entry entry{target, utf8Path(target), {}, 0, expected, {}, false};
    StagedWrite staging;
    holdInterruptions();
    FileResult result = startStagedWrite(entry.path, staging);
    if (result.ok)
        entry.registered = registerTemporary(staging.staged.temporary);
    releaseInterruptions();
    if (!result.ok)
        return result;
    StagedOutput output(staging);
    std::ostream out(&output);
    const bool made = write(out);
    out.flush();
    result = !made ? FileResult{false, {}, FileFailure::other} : output.failure();
    holdInterruptions();
    if (result.ok)
        result = finishStagedWrite(staging);
    else
        abandonStagedWrite(staging);
    if (!result.ok)
        forgetTemporary(entry.registered);
    releaseInterruptions();
    entry.staged = staging.staged;
    return result.ok ? added(std::move(entry)) : result;
}

FileResult FileCommit::added(Entry entry) {
    entries_.push_back(std::move(entry));
    // A symbolic link may lead into another folder, where the temporary file now stands.
    if (std::string locked = lockFolderOf(utf8Text(entries_.back().staged.target)); !locked.empty())
        return {false, locked, FileFailure::sharingViolation};
    return {};
}

bool FileCommit::stillAsRead(const Entry& entry) const {
    FileState now;
    if (!fileStateOf(entry.path, now).ok || now != entry.expected)
        return false;
    std::vector<std::uint8_t> bytes;
    return entry.base.empty() || (readAtMost(entry.path, entry.base.size(), bytes) && bytes == entry.base);
}

bool FileCommit::checkAll() {
    bool unchanged = true;
    for (const Entry& entry : entries_)
        if (!stillAsRead(entry)) {
            fail(io_,
                 quotedPath(entry.name) + " changed after it was read (another program wrote it meanwhile)");
            unchanged = false;
        }
    return unchanged;
}

bool FileCommit::writeJournal(Journal& journal) {
    const std::string name = std::string(kJournalPrefix) + std::to_string(std::random_device{}());
    journal.main = fs::absolute(folderHolding(entries_.front().staged.temporary)) / name;
    std::vector<std::string> folders = {fileIdentity(folderHolding(journal.main))};
    for (const Entry& entry : entries_) {
        const fs::path folder = folderHolding(entry.staged.temporary);
        const std::string identity = fileIdentity(folder);
        if (std::find(folders.begin(), folders.end(), identity) == folders.end()) {
            folders.push_back(identity);
            journal.pointers.push_back(fs::absolute(folder) / name);
        }
    }
    std::string text = journalHead(kMainJournal);
    putToken(text, std::to_string(journal.pointers.size()));
    for (const fs::path& pointer : journal.pointers)
        putToken(text, utf8Text(pointer));
    for (const Entry& entry : entries_) {
        putToken(text, absoluteText(entry.staged.temporary));
        putToken(text, absoluteText(entry.staged.target));
        putToken(text, entry.expected.exists ? kOldTarget : kNewTarget);
        if (entry.expected.exists) {
            putToken(text, entry.expected.identity);
            putToken(text, std::to_string(entry.expected.size));
            putToken(text, std::to_string(entry.expected.modified));
            putToken(text, contentHash(entry.base));
        }
    }
    std::string pointerText = journalHead(kJournalPointer);
    putToken(pointerText, utf8Text(journal.main));
    for (std::size_t i = 0; i < journal.pointers.size(); ++i)
        if (const FileResult written = writeText(journal.pointers[i], pointerText); !written.ok) {
            const fs::path failed = journal.pointers[i];
            journal.pointers.resize(i);
            journal.main.clear();
            removeJournal(journal);
            fail(io_, fileProblem("cannot write the journal", utf8Text(failed), written));
            return false;
        }
    if (const FileResult written = writeText(journal.main, text); !written.ok) {
        removeJournal(journal);
        fail(io_, fileProblem("cannot write the journal", utf8Text(journal.main), written));
        return false;
    }
    return true;
}

void FileCommit::removeJournal(const Journal& journal) {
    if (!journal.main.empty())
        removeFileAt(journal.main);
    for (const fs::path& pointer : journal.pointers)
        removeFileAt(pointer);
}

std::size_t FileCommit::stopAt(std::size_t index, const std::string& why) {
    fail(io_, why);
    std::size_t notWritten = 0;
    if (entries_.size() - index > 1)
        fail(io_, "the " + std::to_string(entries_.size() - index - 1) +
                      " files after it were not written either");
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (!entries_[i].done) {
            ++notWritten;
            if (!entries_[i].staged.temporary.empty()) {
                discardStagedFile(entries_[i].staged);
                forgetTemporary(entries_[i].registered);
            }
        }
    return notWritten;
}

std::size_t FileCommit::commit(const std::function<void(std::size_t)>& written) {
    if (entries_.empty())
        return 0;
    if (commitHooks().beforeRenames)
        commitHooks().beforeRenames();
    holdInterruptions();
    std::size_t notWritten = 0;
    Journal journal;
    if (!checkAll())
        notWritten =
            stopAt(entries_.size() - 1, "nothing was written: run it again to apply it to the files as "
                                        "they are now");
    else if (entries_.size() > 1 && !writeJournal(journal))
        notWritten = stopAt(entries_.size() - 1, "nothing was written");
    for (std::size_t i = 0; notWritten == 0 && i < entries_.size(); ++i) {
        Entry& entry = entries_[i];
        if (!stillAsRead(entry)) {
            notWritten = stopAt(i, quotedPath(entry.name) +
                                       " changed after it was read (another program wrote it meanwhile): it "
                                       "was not written");
            break;
        }
        const FileResult replaced = entry.expected.exists ? commitStagedFileWaiting(entry.staged)
                                                          : commitStagedFileAsNew(entry.staged);
        forgetTemporary(entry.registered);
        if (!replaced.ok) {
            notWritten = stopAt(i, fileProblem("cannot write", entry.name, replaced) + " (it is as it was)");
            break;
        }
        entry.done = true;
        written(i);
        if (commitHooks().stopAfterRename && commitHooks().stopAfterRename(i + 1)) {
            killed_ = true;
            releaseInterruptions();
            return entries_.size() - i - 1;
        }
    }
    removeJournal(journal);
    setInterruptionMessage("interrupted after its files were written");
    releaseInterruptions();
    return notWritten;
}

bool prepareOutput(const std::string& target, FileCommit& commit, FileState& state) {
    state = {};
    if (target == kStandardStream)
        return true;
    if (std::string locked = commit.lockFolderOf(target); !locked.empty()) {
        fail(commit.console(), locked);
        return false;
    }
    fileStateOf(utf8Path(target), state);
    return true;
}

bool writeOutput(const std::string& target, std::string_view bytes, const FileState& expected,
                 FileCommit& commit, Console& io) {
    if (target == kStandardStream)
        return writeStandardOutput(bytes, io).ok;
    const FileResult staged = commit.stage(
        target, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}, expected, {});
    if (!staged.ok) {
        fail(io, fileProblem("cannot write", target, staged));
        return false;
    }
    return commit.commit([](std::size_t) {}) == 0;
}
