// The files that one run writes, safe against other writers and against interruptions. Each new
// content is first written in full to a temporary file beside its target. Then every target is
// checked to be still the file that was read, and the targets are replaced one after another while
// interruptions wait; a journal beside the first target lets the next run finish those renames when
// the program is killed among them (a kill or a power cut, which no program can catch). Two runs
// never write into one folder at once: each takes the folders' locks first, and so also finishes
// what an earlier run left there (a journal, temporary files of a run that has ended).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "cli/messages.h"

// What tells whether a file changed: which file stands at the path, its size and the time of its
// last write.
struct FileState {
    bool exists = false;
    std::string identity;
    std::uintmax_t size = 0;
    std::int64_t modified = 0;
    bool operator==(const FileState&) const = default;
};
FileResult fileStateOf(const std::filesystem::path& path, FileState& state);

// For tests: called before a commit checks its targets for the last time (to change one meanwhile),
// and after each rename (true stops the commit right there, journal and temporary files left as a
// killed program leaves them).
struct CommitHooks {
    std::function<void()> beforeRenames;
    std::function<bool(std::size_t renamed)> stopAfterRename;
};
CommitHooks& commitHooks();

class FileCommit {
  public:
    explicit FileCommit(Console& io);
    ~FileCommit(); // removes what is staged and not committed, and gives up the locks
    FileCommit(const FileCommit&) = delete;
    FileCommit& operator=(const FileCommit&) = delete;

    // Takes the lock of the folder of path (once for each folder): then finishes a commit that was
    // interrupted there and removes the temporary files of runs that have ended. Why the lock cannot
    // be had, or nothing.
    std::string lockFolderOf(const std::string& path);

    // Writes bytes in full beside target (named as given, for messages), to replace it at the commit
    // if it is then still as expected (and, when base is not empty, still holds those bytes).
    FileResult stage(const std::string& target, std::span<const std::uint8_t> bytes,
                     const FileState& expected, std::span<const std::uint8_t> base);
    // The same for contents that write makes as it writes them; its false (after it said why) stops
    // the staging, as a failure without a reason of the system's.
    FileResult stageWritten(const std::string& target, const std::function<bool(std::ostream&)>& write,
                            const FileState& expected);
    std::size_t size() const;
    // The target of the index-th file staged, as given.
    const std::string& name(std::size_t index) const;
    Console& console() const { return io_; }

    // Replaces every staged target, in the order staged, calling written with each one's index. A
    // target that changed after it was read stops the commit: it and every target not yet replaced
    // stay as they are, and each of them is said. The number of targets not written.
    std::size_t commit(const std::function<void(std::size_t)>& written);

  private:
    struct Entry;
    struct Journal;
    bool stillAsRead(const Entry& entry) const;
    bool checkAll();
    bool writeJournal(Journal& journal);
    void removeJournal(const Journal& journal);
    std::string finishInterrupted(const std::filesystem::path& journal);
    std::string clearFolder(const std::filesystem::path& folder);
    FileResult added(Entry entry);
    std::size_t stopAt(std::size_t index, const std::string& why);

    Console& io_;
    std::vector<Entry> entries_;
    struct HeldLock {
        std::string identity; // the folder's
        FolderLock lock;
        std::size_t registered = 0; // its file, with the interruption handler
    };
    std::vector<HeldLock> locks_;
    bool killed_ = false;
};

// Takes the lock of the folder of a command's output file, before the command reads its inputs
// (nothing to do for standard output, "-"), and gives the file's state then: the file that
// writeOutput may replace. False after saying why not.
bool prepareOutput(const std::string& target, FileCommit& commit, FileState& state);
// Writes bytes to standard output ("-"), or replaces the file through commit, which holds the lock
// of its folder (taken before the command read its inputs), the file still as expected; false after
// saying why it was not written.
bool writeOutput(const std::string& target, std::string_view bytes, const FileState& expected,
                 FileCommit& commit, Console& io);
