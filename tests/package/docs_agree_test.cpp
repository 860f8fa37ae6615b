// The manual pages, the README and the programs' own --help name the same
// commands and options, so that none of them can drift from the others.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace {

using Words = std::set<std::string>;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << "cannot read " << path;
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string output(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
        char buffer[4096];
        while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe)) text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

// A manual page's text with the escapes of roff taken out.
std::string plainRoff(std::string roff) {
    roff = std::regex_replace(roff, std::regex(R"(\\f[BIRP])"), "");
    return std::regex_replace(roff, std::regex(R"(\\-)"), "-");
}

Words matches(const std::string& text, const std::string& pattern, std::size_t group = 0) {
    Words words;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        words.insert((*it)[group].str());
    return words;
}

Words options(const std::string& text) { return matches(text, R"((^|[^a-z0-9-])(--[a-z][a-z0-9-]*))", 2); }
// The commands are the words that follow the program's name.
Words commands(const std::string& text, const std::string& program) {
    return matches(text, program + R"( ([a-z]+)\b)", 1);
}

std::string difference(const Words& a, const Words& b) {
    std::string names;
    for (const auto& word : a)
        if (!b.contains(word)) names += word + " ";
    return names;
}

// The README's section on the command-line program: from a heading that names
// the command line or `tavrel-macro` to the next heading as high or higher.
std::string readmeSection(const std::string& readme) {
    std::istringstream lines(readme);
    std::string line, section;
    std::size_t level = 0;
    while (std::getline(lines, line)) {
        const std::size_t hashes = line.find_first_not_of('#');
        const bool heading = hashes > 0 && hashes != std::string::npos && line[hashes] == ' ';
        if (heading && level > 0 && hashes <= level) break;
        std::string lower = line;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
        const bool names = std::regex_search(lower, std::regex(R"(command[ -]line|tavrel-macro(?!-creator))"));
        if (heading && level == 0 && names) level = hashes;
        if (level > 0) section += line + "\n";
    }
    return section;
}

const std::string source = MC_SOURCE_DIR;

TEST(DocsAgree, ManualPageAndReadmeNameTheSameCommandsAndOptions) {
    const std::string manual = plainRoff(readFile(source + "/data/man/tavrel-macro.1"));
    const std::string readme = readFile(source + "/README.md");
    const std::string section = readmeSection(readme);
    if (section.empty()) {
        // Without a section of its own the README names none of them.
        EXPECT_EQ(commands(readme, "tavrel-macro"), Words{});
        EXPECT_EQ(difference(options(readme), Words{"--documents-folder"}), "");
        return;
    }
    const Words manualOptions = options(manual), readmeOptions = options(section);
    EXPECT_EQ(difference(manualOptions, readmeOptions), "") << "in the manual page only";
    EXPECT_EQ(difference(readmeOptions, manualOptions), "") << "in the README only";
    const Words manualCommands = commands(manual, "tavrel-macro"), readmeCommands = commands(section, "tavrel-macro");
    EXPECT_EQ(difference(manualCommands, readmeCommands), "") << "in the manual page only";
    EXPECT_EQ(difference(readmeCommands, manualCommands), "") << "in the README only";
}

TEST(DocsAgree, ManualPagesNameEveryCommandOfTheirSynopsis) {
    const std::string manual = plainRoff(readFile(source + "/data/man/tavrel-macro.1"));
    EXPECT_EQ(commands(manual, "tavrel-macro"), (Words{"check", "diff", "export", "import", "print"}));
}

// Each program's --help against its manual page, both ways.
struct Program {
    const char* name;
    const char* manualPage;
    const char* path;  // empty when the program is not built
    friend void PrintTo(const Program& program, std::ostream* out) { *out << program.name; }
};

class HelpAgrees : public ::testing::TestWithParam<Program> {};

TEST_P(HelpAgrees, WithTheManualPage) {
    const Program program = GetParam();
    if (std::string(program.path).empty()) return;  // nothing built to compare with
    const std::string manual = plainRoff(readFile(source + "/data/man/" + program.manualPage));
    const std::string run = std::string("env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY '") + program.path + "' ";
    // A program with commands lists each command's options under its own --help.
    std::string help = output(run + "--help");
    if (std::string(program.manualPage) == "tavrel-macro.1")
        for (const std::string& command : commands(manual, "tavrel-macro")) help += output(run + command + " --help");
    const Words manualOptions = options(manual), helpOptions = options(help);
    ASSERT_FALSE(helpOptions.empty()) << help;
    EXPECT_EQ(difference(manualOptions, helpOptions), "") << "not in --help";
    EXPECT_EQ(difference(helpOptions, manualOptions), "") << "not in the manual page";
}

INSTANTIATE_TEST_SUITE_P(Programs, HelpAgrees,
                         ::testing::Values(Program{"Windows", "tavrel-macro-creator.1", MC_GUI_PROGRAM},
                                           Program{"CommandLine", "tavrel-macro.1", MC_CLI_PROGRAM}),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
