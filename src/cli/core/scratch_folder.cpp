#include "cli/core/scratch_folder.hpp"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>

namespace mc::cli {

ScratchFolder::ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavrel-macro-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::filesystem::filesystem_error("cannot make a scratch folder", pattern,
                                                std::error_code(errno, std::generic_category()));
    path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void ScratchFolder::put(std::string_view name, std::string_view bytes) const {
    std::ofstream file(path_ / name, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush())
        throw std::filesystem::filesystem_error("cannot write into the scratch folder", path_ / name,
                                                std::make_error_code(std::errc::io_error));
}

}  // namespace mc::cli
