#pragma once
// An empty folder of its own for an editor model to work in, removed with
// everything in it when done. The models read and list files only in their
// working directory; the program never lets them near the user's folders.

#include <filesystem>
#include <string_view>

namespace mc::cli {

class ScratchFolder {
public:
    ScratchFolder();  // throws std::filesystem::filesystem_error when none can be made
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // Puts a file of these bytes into the folder.
    void put(std::string_view name, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

}  // namespace mc::cli
