#include "shell/core/file_choice.hpp"

#include <algorithm>

namespace mc {

FileChoice::FileChoice(Form& form, std::filesystem::path folder, std::string extension,
                       std::vector<std::string> fileButtons)
    : form_(form), folder_(std::move(folder)), extension_(std::move(extension)), fileButtons_(std::move(fileButtons)) {}

void FileChoice::setFolder(std::filesystem::path folder) {
    folder_ = std::move(folder);
    forget();
    refresh();
}

void FileChoice::setExtension(std::string extension) {
    extension_ = std::move(extension);
    refresh();
}

void FileChoice::refresh() {
    listed_ = listFiles(folder_, extension_);
    std::vector<std::string> names;
    for (const ListedFile& file : listed_) names.push_back(file.shownName);
    Control& list = form_["File1"];
    list.items = names;
    const auto chosen = std::find(listed_.begin(), listed_.end(), chosen_);
    list.selected = chosen == listed_.end() ? -1 : static_cast<int>(chosen - listed_.begin());
    form_["File2"].items = names;
    form_["File2"].selected = -1;
}

bool FileChoice::choose(int row) {
    if (row < 0 || row >= static_cast<int>(listed_.size())) return false;
    chosen_ = listed_[static_cast<std::size_t>(row)];
    form_["Text30"].text = chosen_->shownName;
    enableButtons(true);
    return true;
}

void FileChoice::forget() {
    chosen_.reset();
    form_["Text30"].text.clear();
    enableButtons(false);
    form_["File1"].selected = -1;
}

ReadResult FileChoice::read() const {
    if (!chosen_) return {ReadStatus::Unreadable, {}};
    return readFile(chosen_->path);
}

void FileChoice::enableButtons(bool enabled) {
    form_["Command1"].enabled = enabled;
    for (const std::string& name : fileButtons_) form_[name].enabled = enabled;
}

}  // namespace mc
