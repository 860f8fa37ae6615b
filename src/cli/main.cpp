// tavrel-macro: checks, compares and prints macro files from a shell, with
// the editors' own readers, rules and printouts, and without a display.

#include <CLI/CLI.hpp>
#include <QCryptographicHash>
#include <exception>
#include <filesystem>
#include <iostream>

#include "cli/core/commands.hpp"
#include "cli/core/report.hpp"

#ifdef MC_CLI_PRINTS
#include <QApplication>
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>

#include "shell/core/macro_files.hpp"

#include "shell/ui/settprint.hpp"
#else
#include <unistd.h>
#endif

namespace {

using namespace mc::cli;

std::string sha256(std::string_view bytes) {
    const QByteArray digest = QCryptographicHash::hash(
        QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), QCryptographicHash::Sha256);
    return digest.toHex().toStdString();
}

int check(const std::vector<std::string>& files, const Choice& choice, bool json) {
    std::vector<FileCheck> checks;
    for (const std::string& file : files) checks.push_back(checkFile(file, choice, sha256));
    std::cout << (json ? checkJson(checks) : checkText(checks));
    return checkStatus(checks);
}

int diff(const std::string& oldFile, const std::string& newFile, const Choice& choice, bool json) {
    const FileDiff found = diffFiles(oldFile, newFile, choice);
    if (json) std::cout << diffJson(found);
    else if (found.error.empty()) std::cout << diffText(found);
    else std::cerr << "tavrel-macro: " << found.error << "\n";
    return found.status();
}

int exportCommand(const std::string& file, const std::string& csv, const Choice& choice) {
    const ExportCsv exported = exportCsv(file, csv, choice);
    if (!exported.error.empty()) std::cerr << "tavrel-macro: " << exported.error << "\n";
    std::cout << exportText(exported);
    return exported.status();
}

int importCommand(const std::string& csv, const std::string& release, const std::string& file) {
    const SheetKind kind = release == "041"   ? SheetKind::Release041
                           : release == "036" ? SheetKind::Release036
                                              : SheetKind::Us;
    const ImportCsv imported = importCsv(csv, kind, file);
    if (!imported.error.empty()) std::cerr << "tavrel-macro: " << imported.error << "\n";
    std::cout << importText(imported);
    return imported.status();
}

#ifdef MC_CLI_PRINTS
// The pages drawn by the print page window, one sheet each, into a new file
// that appears whole or not at all and never in place of another.
int print(const std::string& file, const std::string& pdf, bool byDepartments, const Choice& choice,
          int argc, char* argv[]) {
    if (mc::kindAt(pdf) != mc::PathKind::Nothing) {
        std::cerr << "tavrel-macro: " << pdf << ": is there already; nothing was written\n";
        return Failed;
    }
    const mc::PrintServices clock = mc::ui::systemPrintServices();
    const PrintPages printed =
        printPages(file, choice, {{}, byDepartments, clock.currentDate(), clock.currentTime()}, sha256);
    if (!printed.error.empty()) {
        std::cerr << "tavrel-macro: " << file << ": " << printed.error << "\n";
        return Failed;
    }
    // The page window is laid out but never shown, so no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QByteArray document;
    {
        QBuffer out(&document);
        out.open(QIODevice::WriteOnly);
        mc::ui::SettPrint page;
        QPdfWriter writer(&out);
        page.setUpPdf(writer);
        writer.setTitle(QStringLiteral("tavrel-macro print"));
        QPainter painter(&writer);
        const auto total = static_cast<int>(printed.pages.size());
        for (int i = 0; i < total; ++i) {
            if (i > 0) writer.newPage();
            const mc::PrintedPage& lines = printed.pages[static_cast<std::size_t>(i)];
            page.layOutLines({lines.begin(), lines.end()}, mc::pageFooter(printed.file, i + 1, total, clock.printedAt()));
            page.paintPage(painter);
        }
    }
    switch (mc::writeNewFile(pdf, std::string_view(document.constData(), static_cast<std::size_t>(document.size())))) {
    case mc::WriteOutcome::Written: break;
    case mc::WriteOutcome::AlreadyExists:
        std::cerr << "tavrel-macro: " << pdf << ": is there already; nothing was written\n";
        return Failed;
    case mc::WriteOutcome::Failed:
        std::cerr << "tavrel-macro: " << pdf << ": cannot be written whole (is the disk full?); nothing was written\n";
        return Failed;
    }
    std::cout << "PRINTED " << printed.pages.size() << (printed.pages.size() == 1 ? " page" : " pages") << " of "
              << file << " to " << pdf << "\n";
    return Clean;
}
#else
// Printing needs the window system's libraries, whose loading alone would
// cost check and diff more than their work; a twin program that links them
// prints, with the same arguments.
int print(const std::string&, const std::string&, bool, const Choice&, int, char* argv[]) {
    std::error_code failed;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failed);
    const std::filesystem::path twin =
        (failed ? std::filesystem::path(argv[0]).parent_path() : self.parent_path()) / "tavrel-macro-print";
    execv(twin.c_str(), argv);
    std::cerr << "tavrel-macro: cannot print: " << twin.string() << " is missing\n";
    return Failed;
}
#endif

}  // namespace

int main(int argc, char* argv[]) {
    CLI::App app{"Checks, compares, prints, exports and imports Tavrel macro files (" + std::string(KnownExtensions) +
                     ") with the editors' own readers, rules and printouts.",
                 "tavrel-macro"};
    app.set_version_flag("--version", "tavrel-macro " MC_CLI_VERSION);
    app.require_subcommand(1);

    std::vector<std::string> files;
    std::string oldFile, newFile, file, pdf, release, csv, to;
    bool json = false;
    bool byDepartments = false;
    const auto releaseOption = [&release](CLI::App* command) {
        command->add_option("--release", release, "Read .tm2 files as this release only")
            ->check(CLI::IsMember({"041", "036"}));
    };

    CLI::App* checkCommand = app.add_subcommand(
        "check", "Is each file sound? Prints ACCEPTED or REFUSED, its SHA-256, why, and what \"OK\" says of each entry");
    checkCommand->add_option("FILE", files, "Macro files")->required();
    checkCommand->add_flag("--json", json, "One JSON document instead of text");
    releaseOption(checkCommand);

    CLI::App* diffCommand =
        app.add_subcommand("diff", "What changed between two files of the same kind, in the units the pages show");
    diffCommand->add_option("OLD", oldFile, "The file as signed off")->required();
    diffCommand->add_option("NEW", newFile, "The file for review")->required();
    diffCommand->add_flag("--json", json, "One JSON document instead of text");
    releaseOption(diffCommand);

    CLI::App* printCommand = app.add_subcommand("print", "Writes the pages the window prints to one PDF");
    printCommand->add_option("--pdf", pdf, "The PDF to write")->required();
    printCommand->add_option("FILE", file, "Macro file")->required();
    printCommand->add_flag("--by-departments", byDepartments, "The printout by departments");
    releaseOption(printCommand);

    CLI::App* exportCommand_ = app.add_subcommand(
        "export", "Writes a drug library as one spreadsheet (CSV): a row per drug, a column per department");
    exportCommand_->add_option("--csv", csv, "The CSV file to write")->required();
    exportCommand_->add_option("FILE", file, "Drug library (.tm2, .tv1)")->required();
    releaseOption(exportCommand_);

    CLI::App* importCommand_ = app.add_subcommand(
        "import", "Builds a drug library from a spreadsheet (CSV) through the drug page's \"OK\" and saves it");
    importCommand_->add_option("--csv", csv, "The CSV file to read")->required();
    importCommand_->add_option("--release", release, "The editor that builds the library")
        ->required()
        ->check(CLI::IsMember({"041", "036", "us"}));
    importCommand_->add_option("--to", to, "The new macro file (.tm2 or .tv1); never an existing one")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        return app.exit(error) == 0 ? Clean : Failed;
    }

    try {
        Choice choice;
        if (!release.empty()) choice.release = release;
        if (checkCommand->parsed()) return check(files, choice, json);
        if (diffCommand->parsed()) return diff(oldFile, newFile, choice, json);
        if (exportCommand_->parsed()) return exportCommand(file, csv, choice);
        if (importCommand_->parsed()) return importCommand(csv, release, to);
        return print(file, pdf, byDepartments, choice, argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "tavrel-macro: " << error.what() << "\n";
        return Failed;
    }
}
