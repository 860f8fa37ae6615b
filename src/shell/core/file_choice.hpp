#pragma once
// The Open page's choice of a macro file: the files of the working folder
// with the extension in force, shown in both lists (File1 to open, File2 on
// the Save page), the entry chosen in File1, and the buttons that wait for a
// choice. Every action on the chosen file goes through the very entry listed.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "shell/core/form.hpp"
#include "shell/core/macro_files.hpp"

namespace mc {

class FileChoice {
public:
    // `fileButtons` act on the chosen file and wait for a choice, as "Open" does.
    FileChoice(Form& form, std::filesystem::path folder, std::string extension, std::vector<std::string> fileButtons);

    const std::filesystem::path& folder() const { return folder_; }
    const std::string& extension() const { return extension_; }
    // The lists show the files of another folder or extension; nothing stays chosen.
    void setFolder(std::filesystem::path folder);
    void setExtension(std::string extension);

    // Lists the folder's files anew, keeping the choice where the file is still listed.
    void refresh();
    // The entry at `row` of File1 is chosen; false when there is none.
    bool choose(int row);
    void forget();
    const std::optional<ListedFile>& chosen() const { return chosen_; }

    // The chosen file whole; else how it failed (nothing chosen reads as Unreadable).
    ReadResult read() const;

private:
    void enableButtons(bool enabled);

    Form& form_;
    std::filesystem::path folder_;
    std::string extension_;
    std::vector<std::string> fileButtons_;
    std::vector<ListedFile> listed_;  // the entries of File1, in its order
    std::optional<ListedFile> chosen_;
};

}  // namespace mc
