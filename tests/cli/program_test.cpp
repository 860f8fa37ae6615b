#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <cctype>
#include <random>

#include "support/pdf_text.hpp"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the program in the folder of the reference files, so reports name them
// shortly; with a file size limit, files cannot grow past it, as on a full disk.
Outcome run(const QStringList& arguments, const QString& folder = QStringLiteral(MC_CLI_DATA),
            rlim_t fileSizeLimit = 0) {
    QProcess process;
    process.setWorkingDirectory(folder);
    if (fileSizeLimit > 0)
        process.setChildProcessModifier([fileSizeLimit] {
            const rlimit limit{fileSizeLimit, fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
            signal(SIGXFSZ, SIG_IGN);  // a write past the limit fails instead of ending the program
        });
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(MC_CLI_PROGRAM), arguments);
    if (!process.waitForFinished(60000)) {
        process.kill();
        return {-2, "<hung>", ""};
    }
    if (process.exitStatus() != QProcess::NormalExit) return {-3, "<crashed>", ""};
    return {process.exitCode(), process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

// The report with every SHA-256 replaced, for comparing the rest.
std::string withoutHashes(const std::string& text) {
    static const QRegularExpression hash(QStringLiteral("sha256 [0-9a-f]{64}"));
    return QString::fromStdString(text).replace(hash, QStringLiteral("sha256 <hash>")).toStdString();
}

std::string independentSha256(const std::string& file) {
    QProcess process;
    process.setWorkingDirectory(QStringLiteral(MC_CLI_DATA));
    process.start(QStringLiteral("sha256sum"), {QString::fromStdString(file)});
    process.waitForFinished();
    return process.readAllStandardOutput().left(64).toStdString();
}

// Test names from file names: letters and digits only.
std::string testName(std::string text) {
    std::erase_if(text, [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); });
    return text;
}

std::string data(const std::string& file) { return std::string(MC_CLI_DATA) + "/" + file; }
std::string csvData(const std::string& file) { return std::string(MC_CSV_DATA) + "/" + file; }

std::string bytesOf(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll().toStdString() : std::string("<missing>");
}

// ---- check -------------------------------------------------------------------

struct CheckCase {
    const char* file;
    int status;
    const char* report;
};

void PrintTo(const CheckCase& c, std::ostream* out) { *out << c.file; }

class CheckText : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckText, ReportsEachFaultWithItsLineAndCause) {
    const CheckCase& c = GetParam();
    const Outcome result = run({"check", QString::fromLatin1(c.file)});
    EXPECT_EQ(result.status, c.status) << result.err;
    EXPECT_EQ(withoutHashes(result.out), c.report);
}

INSTANTIATE_TEST_SUITE_P(
    ReferenceFiles, CheckText,
    ::testing::Values(
        CheckCase{"clean041.tm2", 0, "ACCEPTED clean041.tm2 (release 041) sha256 <hash>\n"},
        CheckCase{"clean036.tm2", 0, "ACCEPTED clean036.tm2 (release 036) sha256 <hash>\n"},
        CheckCase{"bad_checksum041.tm2", 1,
                  "REFUSED bad_checksum041.tm2 (release 041) sha256 <hash>\n"
                  "  line 32: checksum 1A2B, should be 101B\n"},
        CheckCase{"bad_hex041.tm2", 1,
                  "REFUSED bad_hex041.tm2 (release 041) sha256 <hash>\n"
                  "  line 27: dose maximum \"27G0\" is not hexadecimal; the drug keeps its earlier value\n"
                  "  drug 2 (Heparin): Dose Minimum must be less or equal to Maximum\n"},
        CheckCase{"short_line041.tm2", 1,
                  "REFUSED short_line041.tm2 (release 041) sha256 <hash>\n"
                  "  line 34: drug line of 51 characters, should be 52\n"
                  "  no line for drug 9\n"},
        CheckCase{"out_of_order041.tm2", 1,
                  "REFUSED out_of_order041.tm2 (release 041) sha256 <hash>\n"
                  "  line 32: \"D41:0009=Fentanyl      ,27271032C82CEC4A38000004F711\", a line Save does not write\n"
                  "  line 33: drug 8 out of order, after drug 9\n"
                  "  line 34: drug 7 out of order, after drug 9\n"
                  "  line 35: 2 lines missing, Save writes \"D41:0008=              ,000000000000000000000000C07C\" to "
                  "\"D41:0009=Fentanyl      ,27271032C82CEC4A38000004F711\"\n"},
        CheckCase{"duplicate041.tm2", 1,
                  "REFUSED duplicate041.tm2 (release 041) sha256 <hash>\n"
                  "  line 33: drug 7 again (first on line 32); this line wins\n"
                  "  no line for drug 8\n"},
        CheckCase{"missing_lines041.tm2", 1,
                  "REFUSED missing_lines041.tm2 (release 041) sha256 <hash>\n"
                  "  line 75: 52 lines missing, Save writes \"D41:0050=              ,000000000000000000000000C07C\" "
                  "to \"LIBRARY=           \"\n"
                  "  no line for drugs 50 to 100\n"
                  "  no library line\n"},
        CheckCase{"ok_fails041.tm2", 1,
                  "REFUSED ok_fails041.tm2 (release 041) sha256 <hash>\n"
                  "  drug 7 (Morphine): Dose Minimum must be less or equal to Maximum\n"},
        CheckCase{"ok_fails036.tm2", 1,
                  "REFUSED ok_fails036.tm2 (release 036) sha256 <hash>\n"
                  "  drug 5 (Insulin): Concentration Minimum must be less or equal to Maximum\n"},
        CheckCase{"bad_unit036.tm2", 1,
                  "REFUSED bad_unit036.tm2 (release 036) sha256 <hash>\n"
                  "  line 28: dose unit code 07 is not 00 to 03\n"},
        CheckCase{"not_a_macro.tm2", 1,
                  "REFUSED not_a_macro.tm2 (release 036) sha256 <hash>\n"
                  "  line 1: not a line of a .tm2 file: \"<html><body>this is \"...\n"
                  "  line 2: 124 lines missing, Save writes \"DEP:02=                    \" to "
                  "\"D36:0100=          ,000000000000000000000000\"\n"
                  "  no line for departments 1 to 25\n"
                  "  no line for drugs 1 to 100\n"},
        CheckCase{"clean.tb2", 0, "ACCEPTED clean.tb2 (RX_Macro_Creator) sha256 <hash>\n"},
        CheckCase{"clean.tv9", 0, "ACCEPTED clean.tv9 (RX_Macro_Creator) sha256 <hash>\n"},
        CheckCase{"clean.tv1", 0, "ACCEPTED clean.tv1 (US drug library) sha256 <hash>\n"},
        CheckCase{"out_of_order.tv1", 1,
                  "REFUSED out_of_order.tv1 (US drug library) sha256 <hash>\n"
                  "  The editor refuses it: can not be open as corrupted or for newer creator version\n"
                  "  line 28: the entry should be numbered 2\n"},
        CheckCase{"no_finish.tv1", 1,
                  "REFUSED no_finish.tv1 (US drug library) sha256 <hash>\n"
                  "  The editor refuses it: can not be open as corrupted or for newer creator version\n"
                  "  the finish line TYPE=FINISHDRUGLIBRARY,NAME= is missing\n"},
        CheckCase{"ok_fails.tv1", 1,
                  "REFUSED ok_fails.tv1 (US drug library) sha256 <hash>\n"
                  "  drug 1 (Heparin): Dose Rate Initial Value must be less or equal to Dose Rate Upper Soft Limit\n"},
        CheckCase{"unknown_lines.tb2", 1,
                  "REFUSED unknown_lines.tb2 (RX_Macro_Creator) sha256 <hash>\n"
                  "  line 35: \"Send:NOSUCHCOMMAND\", a line Save does not write\n"
                  "  line 36: \"hello\", a line Save does not write\n"
                  "  2 lines not understood\n"},
        // Read without a word by the editors, but not what their Save writes.
        CheckCase{"lower_hex041.tm2", 1,
                  "REFUSED lower_hex041.tm2 (release 041) sha256 <hash>\n"
                  "  line 34: \"D41:0009=Fentanyl      ,27271032c82cec4a38000004f711\", Save writes "
                  "\"D41:0009=Fentanyl      ,27271032C82CEC4A38000004F711\"\n"},
        CheckCase{"lf_only041.tm2", 1,
                  "REFUSED lf_only041.tm2 (release 041) sha256 <hash>\n"
                  "  lines 1 to 126 end in LF, Save ends them in CR LF\n"},
        CheckCase{"cr_only041.tm2", 1,
                  "REFUSED cr_only041.tm2 (release 041) sha256 <hash>\n"
                  "  lines 1 to 126 end in CR, Save ends them in CR LF\n"},
        CheckCase{"twice.tb2", 1,
                  "REFUSED twice.tb2 (RX_Macro_Creator) sha256 <hash>\n"
                  "  line 26: \"Send:DATACOM7:300\", a line Save does not write\n"},
        CheckCase{"extra_lines.tv1", 1,
                  "REFUSED extra_lines.tv1 (US drug library) sha256 <hash>\n"
                  "  line 27: \"\", a line Save does not write\n"
                  "  line 30: \"ignored after\", a line Save does not write\n"},
        CheckCase{"depart_all.tv1", 1,
                  "REFUSED depart_all.tv1 (US drug library) sha256 <hash>\n"
                  "  line 26: DEPART=-1 enables departments beyond 24, which the drug page cannot show\n"},
        // A ".tb2" is taken in either pump mode: a value neither takes is refused.
        CheckCase{"basal300.tb2", 1,
                  "REFUSED basal300.tb2 (RX_Macro_Creator) sha256 <hash>\n"
                  "  settings: Maximum Basal Rate 300 mL/hr: no pump mode takes it (PCA: Maximum Basal Rate must be "
                  "<= 100 mL/hr; EPIDURAL: Maximum Basal Rate must be <= 30 mL/hr)\n"}),
    [](const auto& param) { return testName(param.param.file); });

// ACCEPTED says that nothing was found: it stands alone, with status 0.
TEST(Check, AcceptedOnlyWhenNothingFollowsAndTheStatusIsZero) {
    for (const auto& entry : fs::directory_iterator(MC_CLI_DATA)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".py") continue;
        const Outcome result = run({"check", QString::fromStdString(name)});
        const bool alone = std::count(result.out.begin(), result.out.end(), '\n') == 1;
        EXPECT_EQ(result.out.starts_with("ACCEPTED "), alone && result.status == 0) << result.out;
        EXPECT_EQ(result.out.starts_with("REFUSED "), result.status == 1) << result.out;
    }
}

TEST(Check, NamesTheExactFileByItsSha256) {
    for (const std::string file : {"clean041.tm2", "bad_checksum041.tm2", "clean.tb2"}) {
        const Outcome result = run({"check", QString::fromStdString(file)});
        EXPECT_NE(result.out.find("sha256 " + independentSha256(file)), std::string::npos) << result.out;
    }
}

TEST(Check, ForcedReleaseReadsOnlyAsThatRelease) {
    const Outcome as036 = run({"check", "--release", "036", "clean041.tm2"});
    EXPECT_EQ(as036.status, 1);
    EXPECT_NE(as036.out.find("REFUSED clean041.tm2 (release 036)"), std::string::npos);
    EXPECT_NE(as036.out.find("line 26: release 041 drug line, not read by release 036"), std::string::npos);
    EXPECT_NE(as036.out.find("line 126: release 041 library line, not read by release 036"), std::string::npos);

    const Outcome onProtocols = run({"check", "--release", "041", "clean.tb2"});
    EXPECT_EQ(onProtocols.status, 2);
    EXPECT_EQ(onProtocols.out, "ERROR clean.tb2: --release 041 does not apply to this kind of file\n");

    const Outcome on041 = run({"check", "--release", "041", "clean041.tm2"});
    EXPECT_EQ(on041.status, 0);
    EXPECT_EQ(withoutHashes(on041.out), "ACCEPTED clean041.tm2 (release 041) sha256 <hash>\n");
}

TEST(Check, WorstFileDecidesTheStatus) {
    EXPECT_EQ(run({"check", "clean041.tm2", "clean036.tm2"}).status, 0);
    EXPECT_EQ(run({"check", "clean041.tm2", "ok_fails041.tm2"}).status, 1);
    const Outcome withMissing = run({"check", "ok_fails041.tm2", "missing.tm2", "clean041.tm2"});
    EXPECT_EQ(withMissing.status, 2);
    // Every file is still reported, in the order given.
    EXPECT_EQ(withoutHashes(withMissing.out),
              "REFUSED ok_fails041.tm2 (release 041) sha256 <hash>\n"
              "  drug 7 (Morphine): Dose Minimum must be less or equal to Maximum\n"
              "ERROR missing.tm2: no such file\n"
              "ACCEPTED clean041.tm2 (release 041) sha256 <hash>\n");
}

TEST(Check, JsonCarriesTheSameContent) {
    const Outcome result = run({"check", "--json", "bad_checksum041.tm2", "ok_fails041.tm2", "nothing.tm2"});
    EXPECT_EQ(result.status, 2);
    const json report = json::parse(result.out);
    ASSERT_EQ(report["files"].size(), 3u);
    const json& refused = report["files"][0];
    EXPECT_EQ(refused["status"], "refused");
    EXPECT_EQ(refused["readAs"], "release 041");
    EXPECT_EQ(refused["sha256"], independentSha256("bad_checksum041.tm2"));
    EXPECT_EQ(refused["problems"], json::parse(R"([{"line": 32, "text": "checksum 1A2B, should be 101B"}])"));
    const json& failing = report["files"][1];
    EXPECT_EQ(failing["status"], "refused");
    EXPECT_EQ(failing["clean"], false);
    EXPECT_EQ(failing["entries"], json::parse(R"([{"kind": "drug", "number": 7, "name": "Morphine",
        "messages": ["Dose Minimum must be less or equal to Maximum"]}])"));
    EXPECT_EQ(report["files"][2]["status"], "error");
    EXPECT_EQ(report["files"][2]["error"], "no such file");
    EXPECT_EQ(report["exitStatus"], 2);
}

// ---- bad input ---------------------------------------------------------------

class BadInput : public ::testing::Test {
protected:
    QTemporaryDir folder;
    std::string path(const std::string& name) const { return (fs::path(folder.path().toStdString()) / name).string(); }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }
    Outcome check(const std::string& name) const { return run({"check", QString::fromStdString(name)}, folder.path()); }
};

TEST_F(BadInput, EachGetsAClearMessageAndStatusTwo) {
    fs::create_directory(path("folder.tm2"));
    write("huge.tm2", std::string(1024 * 1024 + 1, 'x'));
    write("notes.txt", "hello\r\n");
    ASSERT_EQ(mkfifo(path("pipe.tm2").c_str(), 0600), 0);
    fs::create_symlink(path("gone.tm2"), path("dangling.tm2"));
    const struct {
        const char* file;
        const char* message;
    } cases[] = {
        {"absent.tm2", "ERROR absent.tm2: no such file\n"},
        {"folder.tm2", "ERROR folder.tm2: is a folder, not a macro file\n"},
        {"huge.tm2", "ERROR huge.tm2: is larger than 1 MiB, far larger than any macro file\n"},
        {"notes.txt", "ERROR notes.txt: is not a macro file (.tm2, .tv1, .tb2, .tv9, .tv8)\n"},
        {"pipe.tm2", "ERROR pipe.tm2: is not a plain file\n"},
        {"dangling.tm2", "ERROR dangling.tm2: cannot be read: the link leads nowhere\n"},
    };
    for (const auto& c : cases) {
        const Outcome result = check(c.file);
        EXPECT_EQ(result.status, 2) << c.file;
        EXPECT_EQ(result.out, c.message);
    }
}

TEST_F(BadInput, ALinkStandsForItsFile) {
    fs::copy_file(data("clean041.tm2"), path("real.tm2"));
    fs::create_symlink(path("real.tm2"), path("link.tm2"));
    EXPECT_EQ(withoutHashes(check("link.tm2").out), "ACCEPTED link.tm2 (release 041) sha256 <hash>\n");
}

TEST_F(BadInput, ControlCharactersAndLatin1AreShownSafelyAsUtf8) {
    write("odd.tm2", "\x1B[2J\xB5g\r\n");
    const Outcome result = check("odd.tm2");
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.out.find("  line 1: not a line of a .tm2 file: \"?[2J\xC2\xB5g\""), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find('\x1B'), std::string::npos);
}

TEST_F(BadInput, RandomBytesAreRefusedNeverACrash) {
    std::mt19937 random(7);
    for (int round = 0; round < 5; ++round) {
        std::string bytes(static_cast<std::size_t>(random() % 20000), '\0');
        for (char& b : bytes) b = static_cast<char>(random() % 256);
        write("noise.tm2", bytes);
        write("noise.tb2", bytes);
        EXPECT_EQ(check("noise.tm2").status, 1) << round;
        EXPECT_EQ(check("noise.tb2").status, 1) << round;
        const Outcome jsonRun = run({"check", "--json", "noise.tm2"}, folder.path());
        EXPECT_TRUE(json::accept(jsonRun.out)) << round;
    }
}

// ---- usage -------------------------------------------------------------------

TEST(Usage, HelpVersionAndMistakes) {
    const struct {
        QStringList arguments;
        int status;
        const char* shows;
    } cases[] = {
        {{"--help"}, 0, "check"},
        {{"check", "--help"}, 0, "--release"},
        {{"--version"}, 0, "tavrel-macro 1.0.0"},
        {{}, 2, "A subcommand is required"},
        {{"check"}, 2, "FILE is required"},
        {{"check", "--release", "040", "clean041.tm2"}, 2, "--release"},
        {{"diff", "clean041.tm2"}, 2, "NEW is required"},
        {{"print", "clean041.tm2"}, 2, "--pdf is required"},
        {{"frobnicate"}, 2, "A subcommand is required"},
    };
    for (const auto& c : cases) {
        const Outcome result = run(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.arguments.join(' ').toStdString();
        EXPECT_NE((result.out + result.err).find(c.shows), std::string::npos)
            << c.arguments.join(' ').toStdString() << "\n" << result.out << result.err;
    }
}

// ---- diff --------------------------------------------------------------------

struct DiffCase {
    const char* before;
    const char* after;
    int status;
    const char* report;
};

void PrintTo(const DiffCase& c, std::ostream* out) { *out << c.before << " " << c.after; }

class Diff : public ::testing::TestWithParam<DiffCase> {};

TEST_P(Diff, NamesEachChangeInThePagesUnits) {
    const DiffCase& c = GetParam();
    const Outcome result = run({"diff", QString::fromLatin1(c.before), QString::fromLatin1(c.after)});
    EXPECT_EQ(result.status, c.status) << result.err;
    EXPECT_EQ(result.out + result.err, c.report);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, Diff,
    ::testing::Values(
        DiffCase{"clean041.tm2", "clean041.tm2", 0, "EQUAL clean041.tm2 clean041.tm2 (release 041)\n"},
        DiffCase{"clean041.tm2", "diff_dose041.tm2", 1,
                 "DIFFERENT clean041.tm2 diff_dose041.tm2 (release 041)\n"
                 "  Drug 7 (Morphine): Dose Maximum \"10 mg/hr\" -> \"12 mg/hr\"\n"},
        DiffCase{"clean041.tm2", "diff_department041.tm2", 1,
                 "DIFFERENT clean041.tm2 diff_department041.tm2 (release 041)\n"
                 "  Department 3 (Pediatrics): Name \"Pediatrics\" -> \"Paediatrics\"\n"},
        DiffCase{"clean041.tm2", "diff_moved041.tm2", 1,
                 "DIFFERENT clean041.tm2 diff_moved041.tm2 (release 041)\n"
                 "  Drug 7 (Morphine) moved to 8\n"},
        DiffCase{"clean041.tm2", "diff_added041.tm2", 1,
                 "DIFFERENT clean041.tm2 diff_added041.tm2 (release 041)\n"
                 "  Drug 12 (Propofol) added\n"},
        DiffCase{"diff_added041.tm2", "clean041.tm2", 1,
                 "DIFFERENT diff_added041.tm2 clean041.tm2 (release 041)\n"
                 "  Drug 12 (Propofol) removed\n"},
        DiffCase{"clean041.tm2", "diff_library041.tm2", 1,
                 "DIFFERENT clean041.tm2 diff_library041.tm2 (release 041)\n"
                 "  Library: Name \"CITYHOSP\" -> \"CITYHOS2\"\n"},
        DiffCase{"clean036.tm2", "diff_dose036.tm2", 1,
                 "DIFFERENT clean036.tm2 diff_dose036.tm2 (release 036)\n"
                 "  Drug 3 (Dopamine): Dose Minimum \"0.5 mg/h\" -> \"0.75 mg/h\"\n"},
        // Each file is read as the release it is, and values compare in the units each page shows.
        DiffCase{"clean036.tm2", "same036as041.tm2", 1,
                 "DIFFERENT clean036.tm2 same036as041.tm2 (release 036 and release 041)\n"
                 "  Library added\n"},
        DiffCase{"clean036.tm2", "tenfold036as041.tm2", 1,
                 "DIFFERENT clean036.tm2 tenfold036as041.tm2 (release 036 and release 041)\n"
                 "  Drug 3 (Dopamine): Concentration Minimum \"1.5 mg/ml\" -> \"15 mg/mL\"\n"
                 "  Library added\n"},
        // EQUAL only for equal bytes: what differs in what the pump receives is listed.
        DiffCase{"clean041.tm2", "bad_checksum041.tm2", 1,
                 "DIFFERENT clean041.tm2 bad_checksum041.tm2 (release 041): the values are equal, the bytes are not\n"
                 "  line 32: \"D41:0007=Morphine      ,0703E803E801F42710000005101B\" -> "
                 "\"D41:0007=Morphine      ,0703E803E801F427100000051A2B\"\n"},
        DiffCase{"clean041.tm2", "lower_hex041.tm2", 1,
                 "DIFFERENT clean041.tm2 lower_hex041.tm2 (release 041): the values are equal, the bytes are not\n"
                 "  line 34: \"D41:0009=Fentanyl      ,27271032C82CEC4A38000004F711\" -> "
                 "\"D41:0009=Fentanyl      ,27271032c82cec4a38000004f711\"\n"},
        DiffCase{"clean041.tm2", "lf_only041.tm2", 1,
                 "DIFFERENT clean041.tm2 lf_only041.tm2 (release 041): the values are equal, the bytes are not\n"
                 "  lines 1 to 126: end in CR LF -> LF\n"},
        DiffCase{"clean.tb2", "unknown_lines.tb2", 1,
                 "DIFFERENT clean.tb2 unknown_lines.tb2 (RX_Macro_Creator): the values are equal, the bytes are not\n"
                 "  before line 35: no such line -> \"Send:NOSUCHCOMMAND\"\n"
                 "  before line 35: no such line -> \"hello\"\n"},
        DiffCase{"clean.tv1", "no_finish.tv1", 1,
                 "DIFFERENT clean.tv1 no_finish.tv1 (US drug library): the values are equal, the bytes are not\n"
                 "  before line 27: no such line -> \"\"\n"
                 "  line 28: \"TYPE=FINISHDRUGLIBRARY,NAME=CARDIO\" -> no such line\n"},
        DiffCase{"clean041.tm2", "clean.tb2", 2, "tavrel-macro: the files are not of the same kind\n"},
        DiffCase{"clean041.tm2", "absent.tm2", 2, "tavrel-macro: absent.tm2: no such file\n"}),
    [](const auto& param) { return testName(std::string(param.param.before) + "_" + param.param.after); });

TEST(DiffJson, CarriesOldAndNewValues) {
    const Outcome result = run({"diff", "--json", "clean041.tm2", "diff_dose041.tm2"});
    EXPECT_EQ(result.status, 1);
    const json report = json::parse(result.out);
    EXPECT_EQ(report["equal"], false);
    EXPECT_EQ(report["readAs"], "release 041");
    EXPECT_EQ(report["entries"], json::parse(R"([{"kind": "Drug", "name": "Morphine", "change": "changed",
        "moved": false, "oldNumber": 7, "newNumber": 7,
        "changes": [{"field": "Dose Maximum", "old": "10 mg/hr", "new": "12 mg/hr"}]}])"));
    const json moved = json::parse(run({"diff", "--json", "clean041.tm2", "diff_moved041.tm2"}).out);
    EXPECT_EQ(moved["entries"][0]["moved"], true);
    EXPECT_EQ(moved["entries"][0]["newNumber"], 8);
}

// ---- print -------------------------------------------------------------------

class Print : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString pdf(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    static int pageCount(const QString& file) {
        const QString info = mc::testing::output(QStringLiteral("pdfinfo"), {file});
        const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }
    // The first line of each page: its title.
    static QStringList titles(const QString& file) {
        QStringList found;
        for (const QString& page : mc::testing::pdfText(file).split(QLatin1Char('\f'), Qt::SkipEmptyParts)) {
            const QString title = page.trimmed().section(QLatin1Char('\n'), 0, 0).simplified();
            if (!title.isEmpty()) found << title;
        }
        return found;
    }
};

TEST_F(Print, OnePagePerPrintJobOfTheWindow) {
    const Outcome byDrug = run({"print", "--pdf", pdf("drugs.pdf"), "clean041.tm2"});
    ASSERT_EQ(byDrug.status, 0) << byDrug.err;
    EXPECT_EQ(pageCount(pdf("drugs.pdf")), 3);
    EXPECT_EQ(titles(pdf("drugs.pdf")), (QStringList{"Drug Library: CITYHOSP Page 1 of 3",
                                                      "Drug Library: CITYHOSP Page 2 of 3",
                                                      "Drug Library: CITYHOSP Page 3 of 3"}));
    const QString text = mc::testing::pdfText(pdf("drugs.pdf")).simplified();
    EXPECT_TRUE(text.contains(QStringLiteral("Drug Name : Morphine Concentration Minimum : 1 mg/mL")));
    EXPECT_TRUE(text.contains(QStringLiteral("Dose Maximum : 10 mg/hr")));
    EXPECT_TRUE(text.contains(QStringLiteral("File Name clean041.tm2")));

    const Outcome byDepartment = run({"print", "--by-departments", "--pdf", pdf("departments.pdf"), "clean041.tm2"});
    ASSERT_EQ(byDepartment.status, 0) << byDepartment.err;
    EXPECT_EQ(titles(pdf("departments.pdf")),
              (QStringList{"CITYHOSP , ICU (1) Page 1 of 1", "CITYHOSP , Oncology (2) Page 1 of 1",
                           "CITYHOSP , Pediatrics (3) Page 1 of 1"}));
}

TEST_F(Print, APumpCommandMacroPrintsItsFourteenPages) {
    const Outcome result = run({"print", "--pdf", pdf("proto.pdf"), "clean.tb2"});
    ASSERT_EQ(result.status, 0) << result.err;
    const QStringList pages = titles(pdf("proto.pdf"));
    ASSERT_EQ(pages.size(), 14);
    EXPECT_EQ(pages.front(), QStringLiteral("Protocol CLEAN Setting (page 1 of 14)"));
    EXPECT_EQ(pages.back(), QStringLiteral("Protocol CLEAN Protocols (page 14 of 14)"));
}

TEST_F(Print, NothingIsWrittenWhenThereIsNothingToPrintOrNoPlaceForIt) {
    const struct {
        QStringList arguments;
        QString pdf;
    } cases[] = {
        {{"print", "--pdf", pdf("036.pdf"), "clean036.tm2"}, pdf("036.pdf")},
        {{"print", "--pdf", pdf("none.pdf"), "absent.tm2"}, pdf("none.pdf")},
        {{"print", "--pdf", pdf("no/such/folder.pdf"), "clean041.tm2"}, pdf("no/such/folder.pdf")},
    };
    for (const auto& c : cases) {
        const Outcome result = run(c.arguments);
        EXPECT_EQ(result.status, 2) << c.arguments.join(' ').toStdString();
        EXPECT_FALSE(QFile::exists(c.pdf)) << c.pdf.toStdString();
        EXPECT_FALSE(result.err.empty());
    }
    // A PDF that is there already stays as it was when the new one cannot be made.
    QFile kept(pdf("kept.pdf"));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("old");
    kept.close();
    EXPECT_EQ(run({"print", "--pdf", pdf("kept.pdf"), "clean036.tm2"}).status, 2);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), QByteArray("old"));
    // A folder in the PDF's place is not replaced.
    QDir(folder.path()).mkdir(QStringLiteral("taken.pdf"));
    EXPECT_EQ(run({"print", "--pdf", pdf("taken.pdf"), "clean041.tm2"}).status, 2);
    EXPECT_TRUE(QFileInfo(pdf("taken.pdf")).isDir());
}

// Like export, print never writes over anything or through a link: it says so
// and leaves what is there as it was.
TEST_F(Print, NeverReplacesWhatIsAtThePdfPath) {
    const QString macro = folder.filePath(QStringLiteral("ward3.tm2"));
    ASSERT_TRUE(QFile::copy(QString::fromStdString(data("clean041.tm2")), macro));
    QFile kept(pdf("kept.pdf"));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("old");
    kept.close();
    ASSERT_TRUE(QFile::link(pdf("kept.pdf"), pdf("link.pdf")));
    ASSERT_TRUE(QFile::link(pdf("nowhere.pdf"), pdf("dangling.pdf")));
    ASSERT_EQ(mkfifo(pdf("fifo.pdf").toLocal8Bit().constData(), 0600), 0);
    for (const QString& target : {macro, pdf("kept.pdf"), pdf("link.pdf"), pdf("dangling.pdf"), pdf("fifo.pdf")}) {
        const Outcome result = run({"print", "--pdf", target, macro}, folder.path());
        EXPECT_EQ(result.status, 2) << target.toStdString();
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "tavrel-macro: " + target.toStdString() + ": is there already; nothing was written\n");
    }
    EXPECT_EQ(bytesOf(macro), bytesOf(QString::fromStdString(data("clean041.tm2"))));
    EXPECT_EQ(bytesOf(pdf("kept.pdf")), "old");
    EXPECT_FALSE(QFile::exists(pdf("nowhere.pdf")));
    EXPECT_TRUE(QFileInfo(pdf("fifo.pdf")).isFile() == false && QFileInfo::exists(pdf("fifo.pdf")));
}

// A disk that takes only part of the file: no cut file is left, and the
// program says so instead of "PRINTED" or "EXPORTED".
TEST_F(Print, AFullDiskLeavesNoCutFileAndSaysSo) {
    const struct {
        QStringList arguments;
        QString file;
        rlim_t room;  // the PDF takes 17 KiB, the spreadsheet 1 KiB, the library 6 KiB
        const char* says;
    } cases[] = {
        {{"print", "--pdf", pdf("full.pdf"), "clean041.tm2"}, pdf("full.pdf"), 1024, "cannot be written whole"},
        {{"export", "--csv", pdf("full.csv"), "clean041.tm2"}, pdf("full.csv"), 512, "cannot be written"},
        {{"import", "--csv", QString::fromStdString(csvData("plain041.csv")), "--release", "041", "--to",
          pdf("full.tm2")},
         pdf("full.tm2"), 1024, "could not be written"},
    };
    for (const auto& c : cases) {
        const Outcome result = run(c.arguments, QStringLiteral(MC_CLI_DATA), c.room);
        EXPECT_EQ(result.status, 2) << c.arguments.join(' ').toStdString() << "\n" << result.out << result.err;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
        EXPECT_EQ(result.out.find("PRINTED"), std::string::npos);
        EXPECT_FALSE(QFile::exists(c.file));
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
}

// ---- export and import -----------------------------------------------------------



class Spreadsheet : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString at(const QString& name) const { return folder.filePath(name); }
};

struct ImportCase {
    const char* file;
    const char* release;
    const char* report;  // after the REFUSED line
};

void PrintTo(const ImportCase& c, std::ostream* out) { *out << c.file; }

class ImportFaults : public ::testing::TestWithParam<ImportCase> {};

// Each fault of a spreadsheet is named by its file; the report gives its row,
// column, value and the page's own message, and nothing is written.
TEST_P(ImportFaults, ListsEveryFailingRowAndWritesNothing) {
    const ImportCase& c = GetParam();
    QTemporaryDir folder;
    const bool us = std::string(c.release) == "us";
    const QString target = folder.filePath(us ? QStringLiteral("ward.tv1") : QStringLiteral("ward.tm2"));
    const Outcome result = run({"import", "--csv", QString::fromStdString(csvData(c.file)), "--release",
                                QString::fromLatin1(c.release), "--to", target},
                               QStringLiteral(MC_CSV_DATA));
    EXPECT_EQ(result.status, 1) << result.err;
    EXPECT_EQ(result.out, std::string("REFUSED ") + MC_CSV_DATA + "/" + c.file + " (" +
                              (us ? "US drug library" : "release " + std::string(c.release)) +
                              "): nothing written\n" + c.report);
    EXPECT_FALSE(QFile::exists(target));
    EXPECT_TRUE(QDir(folder.path()).isEmpty()) << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(
    FaultFiles, ImportFaults,
    ::testing::Values(
        ImportCase{"bad_number041.csv", "041",
                   "  row 3, column \"Dose Minimum\", value \"1.2.3\": Dose Minimum must be valid value\n"
                   "  row 3, column \"Dose Minimum\", value \"1.2.3\": Dose Minimum must be number, up to three "
                   "digits after decimal point\n"},
        ImportCase{"unit_not_fitting041.csv", "041",
                   "  row 2, column \"Dose Units\", value \"mg/hr\": Dose Units must be selected\n"},
        ImportCase{"min_above_max041.csv", "041",
                   "  row 2, column \"Concentration Minimum\", value \"5\": Concentration Minimum must be less or "
                   "equal to Maximum\n"},
        ImportCase{"name_too_long041.csv", "041",
                   "  row 2, column \"Drug Name\", value \"Norepinephrines\": Drug Name takes at most 14 "
                   "characters\n"},
        ImportCase{"not_latin1.csv", "041",
                   "  row 2, column \"Drug Name\", value \"?mega\": The value holds the character U+03A9, which "
                   "Latin-1 cannot hold: macro files are Latin-1\n"},
        ImportCase{"unknown_column041.csv", "041",
                   "  row 1, column \"Comment\": Unknown column: the drug page has no field of "
                   "this caption\n"},
        ImportCase{"missing_column041.csv", "041",
                   "  row 1, column \"Dose Maximum\": Missing column: the drug page has this field\n"},
        ImportCase{"duplicate_slot041.csv", "041",
                   "  row 4, column \"Drug Number\", value \"7\": Drug Number 7 is on row 2 already\n"},
        ImportCase{"entries129_us.csv", "us",
                   "  row 130, column \"Drug Number\", value \"129\": The library holds at most 128 drugs\n"},
        ImportCase{"line_break041.csv", "041",
                   "  row 2, column \"Drug Name\", value \"Hepa??rin\": The value holds a line break or another "
                   "control character, which no box of the page takes\n"
                   "  row 3, column \"Dose Minimum\", value \"abc\": Dose Minimum must be valid value\n"
                   "  row 3, column \"Dose Minimum\", value \"abc\": Dose Minimum must be number, up to three "
                   "digits after decimal point\n"},
        // With ";" between fields a point groups thousands: "1.500" is never read as 1.5.
        ImportCase{"thousands_point041.csv", "041",
                   "  row 2, column \"Dose Maximum\", value \"1.500\": In a spreadsheet with \";\" between fields the "
                   "decimal sign is a comma and a point groups thousands: write this value without a point\n"
                   "  row 2, column \"Dose Minimum\", value \"0,5\": Dose Minimum must be less or equal to Maximum\n"},
        // Cut inside its last row: its missing departments must not read as "not enabled".
        ImportCase{"cut_row041.csv", "041", "  row 3: The row has 16 fields, the headings 34: the file may be cut off\n"},
        // Release 036 takes the same spreadsheet but not its concentration units.
        ImportCase{"plain041.csv", "036",
                   "  row 1, column \"Concentration Units\": Unknown column: the drug page has no field of this caption\n"
                   "  row 1, column \"Drug Vial Units\": Unknown column: the drug page has no field of this caption\n"}),
    [](const ::testing::TestParamInfo<ImportCase>& param) { return testName(param.param.file) + param.param.release; });

TEST_F(Spreadsheet, AEuropeanSpreadsheetImportsAsTheSameLibrary) {
    QDir(folder.path()).mkdir(QStringLiteral("plain"));
    QDir(folder.path()).mkdir(QStringLiteral("european"));
    const Outcome plain = run({"import", "--csv", "plain041.csv", "--release", "041", "--to", at("plain/w3.tm2")},
                              QStringLiteral(MC_CSV_DATA));
    ASSERT_EQ(plain.status, 0) << plain.out << plain.err;
    EXPECT_EQ(plain.out, "IMPORTED 2 drugs from plain041.csv into " + at("plain/w3.tm2").toStdString() +
                             " (release 041)\n");
    const Outcome european = run(
        {"import", "--csv", "european041.csv", "--release", "041", "--to", at("european/w3.tm2")},
        QStringLiteral(MC_CSV_DATA));
    ASSERT_EQ(european.status, 0) << european.out << european.err;
    EXPECT_EQ(bytesOf(at("european/w3.tm2")), bytesOf(at("plain/w3.tm2")));
    // The values as the drug page shows them, decimal commas and all turned into the library's own.
    const Outcome shown = run({"diff", "plain/w3.tm2", "european/w3.tm2"}, folder.path());
    EXPECT_EQ(shown.status, 0) << shown.out;
    EXPECT_NE(bytesOf(at("plain/w3.tm2")).find("D41:0002=H\xE9parine"), std::string::npos);
}

// Export then import under the same name gives back the very bytes, through
// the real program, for a library of each editor as the editor saved it.
TEST_F(Spreadsheet, ExportThenImportGivesBackTheSameFile) {
    const struct {
        QString release, name, reference;
    } kinds[] = {{"041", "w41.tm2", "clean041.tm2"}, {"036", "w36.tm2", "clean036.tm2"}, {"us", "w1.tv1", "clean.tv1"}};
    QDir(folder.path()).mkpath(QStringLiteral("saved"));
    QDir(folder.path()).mkpath(QStringLiteral("again"));
    for (const auto& kind : kinds) {
        const QString saved = at("saved/" + kind.name), again = at("again/" + kind.name);
        ASSERT_EQ(run({"export", "--csv", at(kind.release + ".csv"), kind.reference}).status, 0);
        ASSERT_EQ(run({"import", "--csv", at(kind.release + ".csv"), "--release", kind.release, "--to", saved}).status, 0);
        const Outcome out = run({"export", "--csv", at(kind.release + "-again.csv"), saved});
        ASSERT_EQ(out.status, 0) << out.err;
        const Outcome in =
            run({"import", "--csv", at(kind.release + "-again.csv"), "--release", kind.release, "--to", again});
        ASSERT_EQ(in.status, 0) << in.out << in.err;
        EXPECT_EQ(bytesOf(again), bytesOf(saved)) << kind.name.toStdString();
    }
}

TEST_F(Spreadsheet, ExportWritesTheHeadingsAndTheValuesTheDrugPageShows) {
    const Outcome result = run({"export", "--csv", at("ward.csv"), "clean041.tm2"});
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "EXPORTED 3 drugs of clean041.tm2 (release 041) to " + at("ward.csv").toStdString() + "\n");
    const std::string csv = bytesOf(at("ward.csv"));
    EXPECT_TRUE(csv.starts_with("\"Drug Number\",\"Drug Name\",\"Concentration Units\",\"Concentration Minimum\","
                                "\"Concentration Maximum\",\"Drug Vial Units\",\"Dose Units\",\"Dose Minimum\","
                                "\"Dose Maximum\",\"Department 1: ICU\",\"Department 2: Oncology\","))
        << csv;
    EXPECT_NE(csv.find("\"Department 24: \",\"Department 25: \"\r\n"), std::string::npos);
    EXPECT_NE(csv.find("\r\n\"2\",\"Heparin\",\"mg/mL\",\"1\",\"100\",\"mg\",\"mg/hr\",\"0.5\",\"10\",\"x\",\"x\",\"\","),
              std::string::npos)
        << csv;
}

TEST_F(Spreadsheet, RefusesWhatItCannotDoAndWritesNothing) {
    QFile kept(at("kept.csv"));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("old");
    kept.close();
    const struct {
        const char* what;
        QStringList arguments;
        int status;
        QString absent;  // must not appear
    } cases[] = {
        {"an existing CSV is kept", {"export", "--csv", at("kept.csv"), "clean041.tm2"}, 2, ""},
        {"a file its reader refuses", {"export", "--csv", at("bad.csv"), "bad_checksum041.tm2"}, 1, at("bad.csv")},
        {"no drug library", {"export", "--csv", at("proto.csv"), "clean.tb2"}, 2, at("proto.csv")},
        {"an existing library is kept",
         {"import", "--csv", QString::fromStdString(csvData("plain041.csv")), "--release", "041", "--to",
          QString::fromStdString(data("clean041.tm2"))},
         2, ""},
        {"the extension of another editor",
         {"import", "--csv", QString::fromStdString(csvData("plain041.csv")), "--release", "041", "--to", at("w.tv1")},
         2, at("w.tv1")},
        {"a name longer than the Save page takes",
         {"import", "--csv", QString::fromStdString(csvData("plain041.csv")), "--release", "041", "--to",
          at("twelve_chars.tm2")},
         2, at("twelve_chars.tm2")},
        {"no CSV at all", {"import", "--csv", "clean041.tm2", "--release", "041", "--to", at("w.tm2")}, 1, at("w.tm2")},
        {"no such CSV", {"import", "--csv", "absent.csv", "--release", "041", "--to", at("w.tm2")}, 2, at("w.tm2")},
        {"an unknown release", {"import", "--csv", "absent.csv", "--release", "042", "--to", at("w.tm2")}, 2,
         at("w.tm2")},
    };
    for (const auto& c : cases) {
        const Outcome result = run(c.arguments);
        EXPECT_EQ(result.status, c.status) << c.what << "\n" << result.out << result.err;
        if (!c.absent.isEmpty()) {
            EXPECT_FALSE(QFile::exists(c.absent)) << c.what;
        }
    }
    EXPECT_EQ(bytesOf(at("kept.csv")), "old");
}

}  // namespace
