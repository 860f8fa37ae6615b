// The manual pages, the README and the programs' own --help name the same
// commands and options, so that none of them can drift from the others.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
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

// The README's section on the command-line program, with its subsections.
std::string readmeSection(const std::string& readme) {
    const std::size_t start = readme.find("\n## From a shell: `tavrel-macro`");
    EXPECT_NE(start, std::string::npos) << "the README has no section on the command-line program";
    return start == std::string::npos ? "" : readme.substr(start, readme.find("\n## ", start + 1) - start);
}

const std::string source = MC_SOURCE_DIR;

TEST(DocsAgree, ManualPageAndReadmeNameTheSameCommandsAndOptions) {
    const std::string manual = plainRoff(readFile(source + "/data/man/tavrel-macro.1"));
    const std::string section = readmeSection(readFile(source + "/README.md"));
    const Words manualOptions = options(manual), readmeOptions = options(section);
    EXPECT_EQ(difference(manualOptions, readmeOptions), "") << "in the manual page only";
    EXPECT_EQ(difference(readmeOptions, manualOptions), "") << "in the README only";
    const Words manualCommands = commands(manual, "tavrel-macro"), readmeCommands = commands(section, "tavrel-macro");
    EXPECT_EQ(manualCommands, (Words{"check", "diff", "export", "import", "print"}));
    EXPECT_EQ(readmeCommands, manualCommands);
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
