#pragma once
// A fresh folder per test, removed afterwards, to stand for the working directory.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "shell/core/macro_files.hpp"

namespace mc::testing {

class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() / ("mc-test-" + std::to_string(seed()) + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(fileIn(path_, name), std::ios::binary) << bytes;
    }
    std::string read(const std::string& name) const {
        const ReadResult file = readFile(fileIn(path_, name));
        return file.status == ReadStatus::Read ? file.bytes : "<missing>";
    }

private:
    std::filesystem::path path_;
};

}  // namespace mc::testing
