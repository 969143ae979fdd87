// A folder of its own for one test and the bytes of the files in it, in portable C++ so that every
// test program can use it. Paths are UTF-8 text on every system, so a name may hold any character.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

inline std::filesystem::path pathOfText(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
inline std::string textOfPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

// A fresh folder under the system's temporary folder, removed with everything in it afterwards (the
// read-only files included).
class TempFolder {
  public:
    TempFolder() {
        static int counter = 0;
        path_ =
            std::filesystem::temp_directory_path() /
            ("squadwright-test-" + std::to_string(std::random_device{}()) + "-" + std::to_string(++counter));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path() const { return textOfPath(path_); }
    std::string file(const std::string& name) const { return textOfPath(path_ / pathOfText(name)); }
    // The names of the folder's entries, sorted.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_))
            names.push_back(textOfPath(entry.path().filename()));
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    std::filesystem::path path_;
};

// Empty when the file cannot be read.
inline std::vector<std::uint8_t> readFileBytes(const std::string& path) {
    std::ifstream in(pathOfText(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline bool writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(pathOfText(path), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

inline bool setReadOnly(const std::string& path, bool readOnly) {
    constexpr auto writable = std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                              std::filesystem::perms::others_write;
    std::error_code error;
    std::filesystem::permissions(
        pathOfText(path), writable,
        readOnly ? std::filesystem::perm_options::remove : std::filesystem::perm_options::add, error);
    return !error;
}
