// tavrel-macro run as a user runs it, on the reference files of tests/data/cli
// (made by make_reference_files.py) and the spreadsheets of tests/data/csv.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <nlohmann/json.hpp>

#include "support/full_disk.hpp"
#include "support/pdf_text.hpp"

namespace {

using nlohmann::json;

const QString CliData = QStringLiteral(MC_CLI_DATA);
const QString CsvData = QStringLiteral(MC_CSV_DATA);

struct Outcome {
    int status = -1;
    std::string out, err;
};

// Runs the program in `folder`, so that reports name files shortly; with a
// file size limit, files cannot grow past it, as on a full disk.
Outcome run(const QStringList& arguments, const QString& folder = CliData, rlim_t fileSizeLimit = 0) {
    QProcess process;
    process.setWorkingDirectory(folder);
    mc::testing::limitFileSize(process, fileSizeLimit);
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

// A command line of the cases; no path of theirs holds a blank.
QStringList words(const std::string& line) { return QString::fromStdString(line).split(QLatin1Char(' ')); }

std::string withoutHashes(const std::string& text) {
    static const QRegularExpression hash(QStringLiteral("sha256 [0-9a-f]{64}"));
    return QString::fromStdString(text).replace(hash, QStringLiteral("sha256 <hash>")).toStdString();
}

struct Case {
    std::string line;  // the arguments
    int status;
    std::string says;  // stdout and stderr, SHA-256 as <hash>; "..." at its end: what it begins with
};

void expectSays(const Case& c, const QString& folder = CliData) {
    const Outcome result = run(words(c.line), folder);
    const std::string said = withoutHashes(result.out + result.err);
    EXPECT_EQ(result.status, c.status) << c.line << "\n" << said;
    if (c.says.ends_with("...")) EXPECT_TRUE(said.starts_with(c.says.substr(0, c.says.size() - 3))) << c.line << "\n" << said;
    else EXPECT_EQ(said, c.says) << c.line;
}

std::string bytesOf(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll().toStdString() : std::string("<missing>");
}

void writeFile(const QString& file, const char* bytes) {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
}

// ---- check -------------------------------------------------------------------------

// A file is ACCEPTED, alone on its line with status 0, only when its bytes are
// what its editor's Save writes and "OK" takes every entry; else each fault
// with its line and cause, or the entry and its page's message.
TEST(Check, ReportsEachFaultWithItsLineAndCause) {
    const Case cases[] = {
        {"check clean041.tm2", 0, "ACCEPTED clean041.tm2 (release 041) sha256 <hash>\n"},
        {"check clean036.tm2", 0, "ACCEPTED clean036.tm2 (release 036) sha256 <hash>\n"},
        {"check bad_checksum041.tm2", 1,
         "REFUSED bad_checksum041.tm2 (release 041) sha256 <hash>\n  line 32: checksum 1A2B, should be 101B\n"},
        {"check bad_hex041.tm2", 1,
         "REFUSED bad_hex041.tm2 (release 041) sha256 <hash>\n"
         "  line 27: dose maximum \"27G0\" is not hexadecimal; the drug keeps its earlier value\n"
         "  drug 2 (Heparin): Dose Minimum must be less or equal to Maximum\n"},
        {"check out_of_order041.tm2", 1,
         "REFUSED out_of_order041.tm2 (release 041) sha256 <hash>\n"
         "  line 32: \"D41:0009=Fentanyl      ,27271032C82CEC4A38000004F711\", a line Save does not write\n"
         "  line 33: drug 8 out of order, after drug 9\n  line 34: drug 7 out of order, after drug 9\n"
         "  line 35: 2 lines missing, Save writes \"D41:0008=              ,000000000000000000000000C07C\" to "
         "\"D41:0009=Fentanyl      ,27271032C82CEC4A38000004F711\"\n"},
        {"check missing_lines041.tm2", 1,
         "REFUSED missing_lines041.tm2 (release 041) sha256 <hash>\n"
         "  line 75: 52 lines missing, Save writes \"D41:0050=              ,000000000000000000000000C07C\" "
         "to \"LIBRARY=           \"\n  no line for drugs 50 to 100\n  no library line\n"},
        {"check ok_fails041.tm2", 1,
         "REFUSED ok_fails041.tm2 (release 041) sha256 <hash>\n"
         "  drug 100 (Morphine): Dose Minimum must be less or equal to Maximum\n"},
        {"check ok_fails036.tm2", 1,
         "REFUSED ok_fails036.tm2 (release 036) sha256 <hash>\n"
         "  drug 5 (Insulin): Concentration Minimum must be less or equal to Maximum\n"},
        {"check not_a_macro.tm2", 1,
         "REFUSED not_a_macro.tm2 (release 036) sha256 <hash>\n"
         "  line 1: not a line of a .tm2 file: \"<html><body>this is \"...\n"
         "  line 2: 124 lines missing, Save writes \"DEP:02=                    \" to "
         "\"D36:0100=          ,000000000000000000000000\"\n"
         "  no line for departments 1 to 25\n  no line for drugs 1 to 100\n"},
        // Read without a word by the editors, but not what their Save writes.
        {"check lower_hex041.tm2", 1,
         "REFUSED lower_hex041.tm2 (release 041) sha256 <hash>\n"
         "  line 34: \"D41:0009=Fentanyl      ,27271032c82cec4a38000004f711\", Save writes "
         "\"D41:0009=Fentanyl      ,27271032C82CEC4A38000004F711\"\n"},
        {"check lf_only041.tm2", 1,
         "REFUSED lf_only041.tm2 (release 041) sha256 <hash>\n  lines 1 to 126 end in LF, Save ends them in CR LF\n"},
        {"check --release 036 clean041.tm2", 1,
         "REFUSED clean041.tm2 (release 036) sha256 <hash>\n"
         "  line 26: release 041 drug line, not read by release 036\n..."},
        {"check --release 041 clean.tb2", 2, "ERROR clean.tb2: --release 041 does not apply to this kind of file\n"},
        // Every file is reported, in the order given; the worst decides the status.
        {"check ok_fails041.tm2 missing.tm2 clean041.tm2", 2,
         "REFUSED ok_fails041.tm2 (release 041) sha256 <hash>\n"
         "  drug 100 (Morphine): Dose Minimum must be less or equal to Maximum\n"
         "ERROR missing.tm2: no such file\nACCEPTED clean041.tm2 (release 041) sha256 <hash>\n"},
        {"check clean.tv1", 0, "ACCEPTED clean.tv1 (US drug library) sha256 <hash>\n"},
        {"check out_of_order.tv1", 1,
         "REFUSED out_of_order.tv1 (US drug library) sha256 <hash>\n"
         "  The editor refuses it: can not be open as corrupted or for newer creator version\n"
         "  line 28: the entry should be numbered 2\n"},
        {"check ok_fails.tv1", 1,
         "REFUSED ok_fails.tv1 (US drug library) sha256 <hash>\n"
         "  drug 1 (Heparin): Dose Rate Initial Value must be less or equal to Dose Rate Upper Soft Limit\n"},
        {"check extra_lines.tv1", 1,
         "REFUSED extra_lines.tv1 (US drug library) sha256 <hash>\n"
         "  line 27: \"\", a line Save does not write\n  line 30: \"ignored after\", a line Save does not write\n"},
        {"check depart_all.tv1", 1,
         "REFUSED depart_all.tv1 (US drug library) sha256 <hash>\n"
         "  line 26: DEPART=-1 enables departments beyond 24, which the drug page cannot show\n"
         "  line 27: DEPART=16777216 enables departments beyond 24, which the drug page cannot show\n"
         "  drug 2 (Morphine): At list one Department must be enabled\n"},
        {"check clean.tb2", 0, "ACCEPTED clean.tb2 (RX_Macro_Creator) sha256 <hash>\n"},
        {"check clean.tv9", 0, "ACCEPTED clean.tv9 (RX_Macro_Creator) sha256 <hash>\n"},
        {"check unknown_lines.tb2", 1,
         "REFUSED unknown_lines.tb2 (RX_Macro_Creator) sha256 <hash>\n"
         "  line 35: \"Send:NOSUCHCOMMAND\", a line Save does not write\n"
         "  line 36: \"hello\", a line Save does not write\n  2 lines not understood\n"},
        {"check twice.tb2", 1,
         "REFUSED twice.tb2 (RX_Macro_Creator) sha256 <hash>\n"
         "  line 26: \"Send:DATACOM7:300\", a line Save does not write\n"},
        {"check last_refused.tb2", 1,  // its last protocol, Z, and one line
         "REFUSED last_refused.tb2 (RX_Macro_Creator) sha256 <hash>\n  line 35: \"hello\", a line Save does not write\n"
         "  1 line not understood\n  protocol 26 (Z:Last): Lockout Time must be <= 255 Minutes\n"},
        // A ".tv9" goes to a pump in PCA mode, a ".tv8" in EPIDURAL mode, a ".tb2" in either:
        // its settings are refused only where no mode takes them.
        {"check basal50.tv9 basal50.tb2", 0,
         "ACCEPTED basal50.tv9 (RX_Macro_Creator) sha256 <hash>\nACCEPTED basal50.tb2 (RX_Macro_Creator) sha256 <hash>\n"},
        {"check basal50.tv8", 1,
         "REFUSED basal50.tv8 (RX_Macro_Creator) sha256 <hash>\n  settings: Maximum Basal Rate must be <= 30 mL/hr\n"},
        {"check basal300.tb2", 1,
         "REFUSED basal300.tb2 (RX_Macro_Creator) sha256 <hash>\n"
         "  settings: Maximum Basal Rate 300 mL/hr: no pump mode takes it (PCA: Maximum Basal Rate must be "
         "<= 100 mL/hr; EPIDURAL: Maximum Basal Rate must be <= 30 mL/hr)\n"},
    };
    for (const Case& c : cases) expectSays(c);
}

// Files are read within bounds; what is no macro file is named for what it is.
TEST(Check, WhatIsNoMacroFileGetsAClearMessage) {
    QTemporaryDir folder;
    const QDir at(folder.path());
    ASSERT_TRUE(at.mkdir(QStringLiteral("folder.tm2")));
    writeFile(at.filePath(QStringLiteral("huge.tm2")), std::string(1024 * 1024 + 1, 'x').c_str());
    writeFile(at.filePath(QStringLiteral("notes.txt")), "hello\r\n");
    writeFile(at.filePath(QStringLiteral("odd.tm2")), "\x1B[2J\xB5g\r\n");
    ASSERT_EQ(mkfifo(QFile::encodeName(at.filePath(QStringLiteral("pipe.tm2"))).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(at.filePath(QStringLiteral("gone.tm2")), at.filePath(QStringLiteral("dangling.tm2"))));
    ASSERT_TRUE(QFile::link(CliData + QStringLiteral("/clean041.tm2"), at.filePath(QStringLiteral("link.tm2"))));
    const Case cases[] = {
        {"check absent.tm2", 2, "ERROR absent.tm2: no such file\n"},
        {"check folder.tm2", 2, "ERROR folder.tm2: is a folder, not a macro file\n"},
        {"check huge.tm2", 2, "ERROR huge.tm2: is larger than 1 MiB, far larger than any macro file\n"},
        {"check notes.txt", 2, "ERROR notes.txt: is not a macro file (.tm2, .tv1, .tb2, .tv9, .tv8)\n"},
        {"check pipe.tm2", 2, "ERROR pipe.tm2: is not a plain file\n"},
        {"check dangling.tm2", 2, "ERROR dangling.tm2: cannot be read: the link leads nowhere\n"},
        {"check link.tm2", 0, "ACCEPTED link.tm2 (release 041) sha256 <hash>\n"},  // a link stands for its file
        // Control characters never reach the terminal; Latin-1 is shown as UTF-8.
        {"check odd.tm2", 1,
         "REFUSED odd.tm2 (release 036) sha256 <hash>\n  line 1: not a line of a .tm2 file: \"?[2J\xC2\xB5g\"\n..."},
    };
    for (const Case& c : cases) expectSays(c, folder.path());
}

// What each shows is found in its output.
TEST(Usage, HelpVersionAndMistakes) {
    const Case cases[] = {
        {"--help", 0, "check"}, {"--version", 0, "tavrel-macro 1.0.0"}, {"", 2, "A subcommand is required"},
        {"check --release 040 clean041.tm2", 2, "--release"}, {"print clean041.tm2", 2, "--pdf is required"},
        {"import --csv absent.csv --release 042 --to w.tm2", 2, "--release: 042 not in {041,036,us}"},
    };
    for (const Case& c : cases) {
        const Outcome result = run(c.line.empty() ? QStringList() : words(c.line));
        EXPECT_EQ(result.status, c.status) << c.line;
        EXPECT_NE((result.out + result.err).find(c.says), std::string::npos) << c.line << "\n" << result.out << result.err;
    }
}

// ---- diff --------------------------------------------------------------------------

// Each change in the units its page shows; EQUAL only for equal bytes, and
// where only the bytes differ, the lines.
TEST(Diff, NamesEachChangeInThePagesUnits) {
    const Case cases[] = {
        {"diff clean041.tm2 clean041.tm2", 0, "EQUAL clean041.tm2 clean041.tm2 (release 041)\n"},
        {"diff clean041.tm2 diff_dose041.tm2", 1,
         "DIFFERENT clean041.tm2 diff_dose041.tm2 (release 041)\n"
         "  Drug 7 (Morphine): Dose Maximum \"10 mg/hr\" -> \"12 mg/hr\"\n"},
        {"diff clean041.tm2 diff_department041.tm2", 1,
         "DIFFERENT clean041.tm2 diff_department041.tm2 (release 041)\n"
         "  Department 3 (Pediatrics): Name \"Pediatrics\" -> \"Paediatrics\"\n"},
        {"diff clean041.tm2 diff_moved041.tm2", 1,
         "DIFFERENT clean041.tm2 diff_moved041.tm2 (release 041)\n  Drug 7 (Morphine) moved to 8\n"},
        {"diff clean041.tm2 diff_added041.tm2", 1,
         "DIFFERENT clean041.tm2 diff_added041.tm2 (release 041)\n  Drug 100 (Propofol) added\n"},
        {"diff clean041.tm2 diff_library041.tm2", 1,
         "DIFFERENT clean041.tm2 diff_library041.tm2 (release 041)\n  Library: Name \"CITYHOSP\" -> \"CITYHOS2\"\n"},
        {"diff clean036.tm2 diff_dose036.tm2", 1,
         "DIFFERENT clean036.tm2 diff_dose036.tm2 (release 036)\n"
         "  Drug 3 (Dopamine): Dose Minimum \"0.5 mg/h\" -> \"0.75 mg/h\"\n"},
        // Each file is read as the release it is, and values compare as each page shows them.
        {"diff clean036.tm2 same036as041.tm2", 1,
         "DIFFERENT clean036.tm2 same036as041.tm2 (release 036 and release 041)\n  Library added\n"},
        {"diff clean036.tm2 tenfold036as041.tm2", 1,
         "DIFFERENT clean036.tm2 tenfold036as041.tm2 (release 036 and release 041)\n"
         "  Drug 3 (Dopamine): Concentration Minimum \"1.5 mg/ml\" -> \"15 mg/mL\"\n  Library added\n"},
        {"diff clean041.tm2 bad_checksum041.tm2", 1,
         "DIFFERENT clean041.tm2 bad_checksum041.tm2 (release 041): the values are equal, the bytes are not\n"
         "  line 32: \"D41:0007=Morphine      ,0703E803E801F42710000005101B\" -> "
         "\"D41:0007=Morphine      ,0703E803E801F427100000051A2B\"\n"},
        {"diff clean041.tm2 lf_only041.tm2", 1,
         "DIFFERENT clean041.tm2 lf_only041.tm2 (release 041): the values are equal, the bytes are not\n"
         "  lines 1 to 126: end in CR LF -> LF\n"},
        {"diff clean.tb2 unknown_lines.tb2", 1,
         "DIFFERENT clean.tb2 unknown_lines.tb2 (RX_Macro_Creator): the values are equal, the bytes are not\n"
         "  before line 35: no such line -> \"Send:NOSUCHCOMMAND\"\n  before line 35: no such line -> \"hello\"\n"},
        {"diff clean.tv1 diff_dose.tv1", 1,
         "DIFFERENT clean.tv1 diff_dose.tv1 (US drug library)\n"
         "  Drug 2 (Morphine): Dose Rate Upper Hard Limit \"5 MG/HR\" -> \"6 MG/HR\"\n"},
        {"diff last.tb2 last_refused.tb2", 1,
         "DIFFERENT last.tb2 last_refused.tb2 (RX_Macro_Creator)\n"
         "  Protocol 26 (Z:Last): Lockout Time \"15 Minutes\" -> \"300 Minutes\"\n"},
        {"diff clean.tv1 no_finish.tv1", 1,
         "DIFFERENT clean.tv1 no_finish.tv1 (US drug library): the values are equal, the bytes are not\n"
         "  before line 27: no such line -> \"\"\n  line 28: \"TYPE=FINISHDRUGLIBRARY,NAME=CARDIO\" -> no such line\n"},
        {"diff clean041.tm2 clean.tb2", 2, "tavrel-macro: the files are not of the same kind\n"},
        {"diff clean041.tm2 absent.tm2", 2, "tavrel-macro: absent.tm2: no such file\n"},
    };
    for (const Case& c : cases) expectSays(c);
}

// The JSON reports carry what the text says, with the SHA-256 of the bytes and old and new values.
TEST(Json, CarriesTheSameContent) {
    QProcess sha256sum;
    sha256sum.setWorkingDirectory(CliData);
    sha256sum.start(QStringLiteral("sha256sum"), {QStringLiteral("bad_checksum041.tm2")});
    sha256sum.waitForFinished();
    const Outcome result = run(words("check --json bad_checksum041.tm2 ok_fails041.tm2 nothing.tm2"));
    EXPECT_EQ(result.status, 2);
    json report = json::parse(result.out);
    EXPECT_EQ(report["files"][0]["sha256"], sha256sum.readAllStandardOutput().left(64).toStdString());
    for (json& file : report["files"]) file.erase("sha256");
    EXPECT_EQ(report, json::parse(R"({"exitStatus": 2, "files": [
        {"file": "bad_checksum041.tm2", "status": "refused", "readAs": "release 041", "alsoReadBy": [], "clean": false,
         "refusal": "", "problems": [{"line": 32, "text": "checksum 1A2B, should be 101B"}], "entries": []},
        {"file": "ok_fails041.tm2", "status": "refused", "readAs": "release 041", "alsoReadBy": [], "clean": false,
         "refusal": "", "problems": [], "entries": [{"kind": "drug", "number": 100, "name": "Morphine",
                                                     "messages": ["Dose Minimum must be less or equal to Maximum"]}]},
        {"file": "nothing.tm2", "status": "error", "error": "no such file"}]})"));
    EXPECT_EQ(json::parse(run(words("diff --json clean041.tm2 diff_dose041.tm2")).out), json::parse(R"({
        "old": "clean041.tm2", "new": "diff_dose041.tm2", "readAs": "release 041", "newReadAs": "release 041",
        "equal": false, "exitStatus": 1, "lines": [], "entries": [{"kind": "Drug", "name": "Morphine",
        "change": "changed", "moved": false, "oldNumber": 7, "newNumber": 7,
        "changes": [{"field": "Dose Maximum", "old": "10 mg/hr", "new": "12 mg/hr"}]}]})"));
    const json moved = json::parse(run(words("diff --json clean041.tm2 diff_moved041.tm2")).out);
    EXPECT_EQ(moved["entries"][0]["newNumber"], 8);
    EXPECT_EQ(moved["entries"][0]["moved"], true);
}

// ---- print, export and import --------------------------------------------------------

class Written : public ::testing::Test {
protected:
    QTemporaryDir folder;
    QString at(const QString& name) const { return folder.filePath(name); }
    std::string path(const char* name) const { return at(QString::fromLatin1(name)).toStdString(); }
    bool leftEmpty() const { return QDir(folder.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); }
};

TEST_F(Written, PrintMakesOnePagePerPrintJobOfTheWindow) {
    const struct {
        std::string line;
        const char* pdf;
        std::string said;
        QStringList shows;
    } cases[] = {
        {"print --pdf # clean041.tm2", "drugs.pdf", "PRINTED 3 pages",
         {"Drug Library: CITYHOSP Page 1 of 3", "Drug Library: CITYHOSP Page 3 of 3", "File Name clean041.tm2",
          "Drug Name : Morphine Concentration Minimum : 1 mg/mL", "Dose Maximum : 10 mg/hr"}},
        {"print --by-departments --pdf # clean041.tm2", "departments.pdf", "PRINTED 3 pages",
         {"CITYHOSP , ICU (1) Page 1 of 1", "CITYHOSP , Pediatrics (3) Page 1 of 1"}},
        {"print --pdf # clean.tb2", "proto.pdf", "PRINTED 14 pages",
         {"Protocol CLEAN Setting (page 1 of 14)", "Protocol CLEAN Protocols (page 14 of 14)"}},
    };
    for (const auto& c : cases) {
        const QString pdf = at(QString::fromLatin1(c.pdf));
        const Outcome result = run(words(c.line).replaceInStrings(QStringLiteral("#"), pdf));
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, c.said + " of " + c.line.substr(c.line.rfind(' ') + 1) + " to " + pdf.toStdString() + "\n");
        const QString text = mc::testing::pdfText(pdf).simplified();
        for (const QString& line : c.shows) EXPECT_TRUE(text.contains(line)) << line.toStdString();
    }
}

// Print never writes over anything or through a link, nor when there is
// nothing to print: it says so and leaves what is there as it was.
TEST_F(Written, PrintNeverReplacesWhatIsThereAndWritesNothingItCannotPrint) {
    const QString macro = at(QStringLiteral("ward3.tm2"));
    ASSERT_TRUE(QFile::copy(CliData + QStringLiteral("/clean041.tm2"), macro));
    writeFile(at(QStringLiteral("kept.pdf")), "old");
    ASSERT_TRUE(QFile::link(at(QStringLiteral("nowhere.pdf")), at(QStringLiteral("dangling.pdf"))));
    const std::string there = ": is there already; nothing was written\n";
    const struct {
        std::string pdf, file, says;
    } cases[] = {
        {path("kept.pdf"), "ward3.tm2", path("kept.pdf") + there},
        {path("dangling.pdf"), "ward3.tm2", path("dangling.pdf") + there},
        {path("036.pdf"), CliData.toStdString() + "/clean036.tm2", "clean036.tm2: release 036 libraries have no printout\n"},
        {path("none.pdf"), "absent.tm2", "absent.tm2: no such file\n"},
        {path("no/such/folder.pdf"), "ward3.tm2", "folder.pdf: cannot be written whole (is the disk full?); nothing was written\n"},
    };
    for (const auto& c : cases) {
        const Outcome result = run({"print", "--pdf", QString::fromStdString(c.pdf), QString::fromStdString(c.file)},
                                   folder.path());
        EXPECT_EQ(result.status, 2) << c.pdf;
        EXPECT_EQ(result.out, "");
        EXPECT_TRUE(result.err.ends_with(c.says)) << result.err;
    }
    EXPECT_EQ(bytesOf(macro), bytesOf(CliData + QStringLiteral("/clean041.tm2")));
    EXPECT_EQ(bytesOf(at(QStringLiteral("kept.pdf"))), "old");
    for (const char* absent : {"nowhere.pdf", "036.pdf", "none.pdf"}) EXPECT_FALSE(QFile::exists(at(QString::fromLatin1(absent))));
}

// A disk that takes only part of the file: no cut file is left, and the
// program says so instead of "PRINTED", "EXPORTED" or "IMPORTED".
TEST_F(Written, AFullDiskLeavesNoCutFileAndSaysSo) {
    const struct {
        QStringList arguments;
        rlim_t room;  // the PDF takes 17 KiB, the spreadsheet 1 KiB, the library 6 KiB
        const char* says;
    } cases[] = {
        {{"print", "--pdf", at("full.pdf"), "clean041.tm2"}, 1024, "cannot be written whole"},
        {{"export", "--csv", at("full.csv"), "clean041.tm2"}, 512, "cannot be written"},
        {{"import", "--csv", CsvData + "/plain041.csv", "--release", "041", "--to", at("full.tm2")}, 1024,
         "could not be written"},
    };
    for (const auto& c : cases) {
        const Outcome result = run(c.arguments, CliData, c.room);
        EXPECT_EQ(result.status, 2) << c.arguments.join(' ').toStdString() << "\n" << result.out << result.err;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
        EXPECT_EQ(result.out, "");
    }
    EXPECT_TRUE(leftEmpty());
}

// Export then import under the library's own name gives back the very file,
// for a library of each editor as it saved it.
TEST_F(Written, ExportThenImportGivesBackTheSameFile) {
    const struct {
        const char *file, *release, *readAs;
        int drugs;
        const char* savedAs;
    } cases[] = {{"clean041.tm2", "041", "release 041", 3, "CITYHOSP.tm2"},
                 {"clean036.tm2", "036", "release 036", 2, "W36.tm2"},
                 {"clean.tv1", "us", "US drug library", 2, "CARDIO.tv1"}};
    for (const auto& c : cases) {
        const QString csv = at(QString::fromLatin1(c.release) + ".csv"), saved = at(QString::fromLatin1(c.savedAs));
        const Outcome out = run({"export", "--csv", csv, c.file});
        EXPECT_EQ(out.out, "EXPORTED " + std::to_string(c.drugs) + (c.drugs == 1 ? " drug" : " drugs") +
                               " of " + c.file + " (" + c.readAs + ") to " + csv.toStdString() + "\n");
        const Outcome in = run({"import", "--csv", csv, "--release", c.release, "--to", saved});
        ASSERT_EQ(in.status, 0) << in.out << in.err;
        EXPECT_EQ(bytesOf(saved), bytesOf(CliData + "/" + c.file)) << c.file;
    }
    // The values as the drug page shows them.
    EXPECT_NE(bytesOf(at(QStringLiteral("041.csv"))).find("\r\n\"2\",\"Heparin\",\"mg/mL\",\"1\",\"100\",\"mg\",\"mg/hr\",\"0.5\",\"10\",\"x\",\"x\",\"\","),
              std::string::npos);
}

TEST_F(Written, AEuropeanSpreadsheetImportsAsTheSameLibrary) {
    for (const QString csv : {"plain041", "european041"}) {
        ASSERT_TRUE(QDir(folder.path()).mkdir(csv));
        const Outcome result = run({"import", "--csv", csv + ".csv", "--release", "041", "--to", at(csv + "/W3.tm2")}, CsvData);
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(result.out, "IMPORTED 2 drugs from " + (csv + ".csv into " + at(csv + "/W3.tm2")).toStdString() +
                                  " (release 041)\n");
    }
    EXPECT_EQ(bytesOf(at(QStringLiteral("european041/W3.tm2"))), bytesOf(at(QStringLiteral("plain041/W3.tm2"))));
    EXPECT_NE(bytesOf(at(QStringLiteral("plain041/W3.tm2"))).find("D41:0002=H\xE9parine"), std::string::npos);
}

// Each fault of a spreadsheet is named by its file: its row, column, value and
// the page's own message; nothing is written, not even a temporary file.
TEST_F(Written, ImportListsEveryFailingRowAndWritesNothing) {
    const struct {
        const char *csv, *release;
        std::string says;  // after the REFUSED line
    } cases[] = {
        {"unit_not_fitting041.csv", "041", "  row 2, column \"Dose Units\", value \"mg/hr\": Dose Units must be selected\n"},
        {"min_above_max041.csv", "041",
         "  row 2, column \"Concentration Minimum\", value \"5\": Concentration Minimum must be less or equal to "
         "Maximum\n"},
        {"name_too_long041.csv", "041",
         "  row 2, column \"Drug Name\", value \"Norepinephrines\": Drug Name takes at most 14 characters\n"},
        {"not_latin1.csv", "041",
         "  row 2, column \"Drug Name\", value \"?mega\": The value holds the character U+03A9, which Latin-1 cannot "
         "hold: macro files are Latin-1\n"},
        {"missing_column041.csv", "041", "  row 1, column \"Dose Maximum\": Missing column: the drug page has this field\n"},
        {"duplicate_slot041.csv", "041", "  row 4, column \"Drug Number\", value \"7\": Drug Number 7 is on row 2 already\n"},
        {"entries129_us.csv", "us",
         "  row 130, column \"Drug Number\", value \"129\": The library holds at most 128 drugs\n"},
        {"line_break041.csv", "041",
         "  row 2, column \"Drug Name\", value \"Hepa??rin\": The value holds a line break or another control "
         "character, which no box of the page takes\n"
         "  row 3, column \"Dose Minimum\", value \"abc\": Dose Minimum must be valid value\n"
         "  row 3, column \"Dose Minimum\", value \"abc\": Dose Minimum must be number, up to three digits after "
         "decimal point\n"},
        // With ";" between fields a point groups thousands: "1.500" is never read as 1.5.
        {"thousands_point041.csv", "041",
         "  row 2, column \"Dose Maximum\", value \"1.500\": In a spreadsheet with \";\" between fields the decimal "
         "sign is a comma and a point groups thousands: write this value without a point\n"
         "  row 2, column \"Dose Minimum\", value \"0,5\": Dose Minimum must be less or equal to Maximum\n"},
        // Cut inside its last row: its missing departments must not read as "not enabled".
        {"cut_row041.csv", "041", "  row 3: The row has 16 fields, the headings 34: the file may be cut off\n"},
        // Release 036 takes the same spreadsheet but not its concentration units.
        {"plain041.csv", "036",
         "  row 1, column \"Concentration Units\": Unknown column: the drug page has no field of this caption\n"
         "  row 1, column \"Drug Vial Units\": Unknown column: the drug page has no field of this caption\n"},
    };
    for (const auto& c : cases) {
        const bool us = c.release == std::string("us");
        expectSays({std::string("import --csv ") + c.csv + " --release " + c.release + " --to " +
                        path(us ? "ward.tv1" : "ward.tm2"),
                    1,
                    std::string("REFUSED ") + c.csv + " (" + (us ? "US drug library" : "release " + std::string(c.release)) +
                        "): nothing written\n" + c.says},
                   CsvData);
    }
    EXPECT_TRUE(leftEmpty());
}

TEST_F(Written, ExportAndImportRefuseWhatTheyCannotDo) {
    writeFile(at(QStringLiteral("kept.csv")), "old");
    const std::string plain = CsvData.toStdString() + "/plain041.csv";
    const Case cases[] = {
        {"export --csv " + path("kept.csv") + " clean041.tm2", 2,
         "tavrel-macro: " + path("kept.csv") + ": is there already; nothing was written\n"},
        {"export --csv " + path("bad.csv") + " bad_checksum041.tm2", 1,
         "REFUSED bad_checksum041.tm2 (release 041): not exported\n  line 32: checksum 1A2B, should be 101B\n"},
        {"export --csv " + path("proto.csv") + " clean.tb2", 2,
         "tavrel-macro: clean.tb2: only drug libraries (.tm2, .tv1) have a spreadsheet form\n"},
        {"import --csv " + plain + " --release 041 --to clean041.tm2", 2,
         "tavrel-macro: clean041.tm2: is there already; nothing was written\n"},
        {"import --csv " + plain + " --release 041 --to " + path("w.tv1"), 2,
         "tavrel-macro: " + path("w.tv1") + ": a release 041 is saved as a .tm2 file\n"},
        {"import --csv " + plain + " --release 041 --to " + path("twelve_chars.tm2"), 2,
         "tavrel-macro: " + path("twelve_chars.tm2") +
             ": the Save page of the release 041 editor takes a name of 1 to 11 characters\n"},
        {"import --csv absent.csv --release 041 --to " + path("w.tm2"), 2, "tavrel-macro: absent.csv: no such file\n"},
    };
    for (const Case& c : cases) expectSays(c);
    EXPECT_EQ(bytesOf(at(QStringLiteral("kept.csv"))), "old");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("kept.csv")});
}

}  // namespace
