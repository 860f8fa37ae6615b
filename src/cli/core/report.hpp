#pragma once
// What the commands found, for people (text) and for scripts (JSON). The
// texts of the macros are Latin-1; both reports are UTF-8.

#include <string>
#include <vector>

#include "cli/core/commands.hpp"

namespace mc::cli {

std::string checkText(const std::vector<FileCheck>& checks);
std::string checkJson(const std::vector<FileCheck>& checks);

std::string diffText(const FileDiff& diff);
std::string diffJson(const FileDiff& diff);

std::string exportText(const ExportCsv& exported);
std::string importText(const ImportCsv& imported);

}  // namespace mc::cli
