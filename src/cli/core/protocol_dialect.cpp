#include "cli/core/protocol_dialect.hpp"

#include "cli/core/page_ok.hpp"
#include "cli/core/scratch_folder.hpp"
#include "protocols/core/macro_file.hpp"
#include "protocols/core/protocol_editor.hpp"
#include "shell/core/macro_files.hpp"
#include "shell/core/text.hpp"

namespace mc::cli {
namespace {

using protocols::PumpMode;
using protocols::Variant;

constexpr PageButtons SettingPage{"Text1", "Command4", "Command5", "Label36", "Setting Updated"};
constexpr PageButtons ProtocolPage{"Text18", "Command9", "Command8", "Label74", "Protocol Updated"};

// The editor with the file opened in it, in the pump mode of the file, driven
// by the events a technician's clicks send: its pages, its "OK" and its
// printout are the editor's own.
class ProtocolPages {
public:
    ProtocolPages(std::string_view bytes, Variant variant, PumpMode mode, PrintServices printing = {}) {
        const bool rx = variant == Variant::Rx;
        const char* file = rx && mode == PumpMode::Pca ? "macro.tv9" : rx && mode == PumpMode::Epidural ? "macro.tv8" : "macro.tb2";
        folder_.put(file, bytes);
        editor_ = std::make_unique<protocols::ProtocolEditor>(variant, folder_.path(), NumberFormat{}, std::move(printing));
        if (mode == PumpMode::Pca) editor_->click("PCA");
        if (mode == PumpMode::Epidural) editor_->click("EPIDURAL");
        editor_->pick("File1", 0);
    }

    protocols::ProtocolEditor& editor() { return *editor_; }
    const std::filesystem::path& folder() const { return folder_.path(); }

private:
    ScratchFolder folder_;
    std::unique_ptr<protocols::ProtocolEditor> editor_;
};

// A printed line: the caption in the first 40 columns, then the value.
Field fieldOf(std::string_view line) {
    const std::string caption = trimTrailingBlanks(std::string(line.substr(0, std::min<std::size_t>(line.size(), 40))));
    return {caption, line.size() > 40 ? std::string(line.substr(40)) : std::string()};
}

class ProtocolDialect : public Dialect {
public:
    ProtocolDialect(Variant variant, PumpMode mode) : variant_(variant), mode_(mode) {}

    std::string name() const override { return variant_ == Variant::Rx ? "RX_Macro_Creator" : "Macro_Creator"; }
    std::string kind() const override { return "pump command macro"; }

    std::optional<std::string> saved(std::string_view bytes) const override {
        const protocols::ReadMacro read = protocols::readProtocolMacro(bytes, variant_, NumberFormat{});
        return protocols::writeProtocolMacro(read.macro, variant_, read.macro.MacroTitle);
    }

    // The reader takes every line it knows and counts the rest; it cannot
    // tell which lines they were.
    Reading read(std::string_view bytes) const override {
        const int notUnderstood = protocols::readProtocolMacro(bytes, variant_, NumberFormat{}).linesNotUnderstood;
        Reading reading;
        if (notUnderstood > 0)
            reading.problems.push_back(
                {0, std::to_string(notUnderstood) + (notUnderstood == 1 ? " line" : " lines") + " not understood"});
        return reading;
    }

    // "OK" on the "Pump Setting" page and on every protocol that holds
    // anything, each as if one of its fields had been retyped.
    std::vector<EntryCheck> checkEntries(std::string_view bytes) const override {
        ProtocolPages pages(bytes, variant_, mode_);
        protocols::ProtocolEditor& editor = pages.editor();
        editor.click("Command1");  // Open: the setting page
        std::vector<EntryCheck> checks;
        auto settingMessages = pressOk(editor, SettingPage);
        if (mode_ == PumpMode::None) {
            for (FieldMessage& message : valuesNoModeTakes(editor.form())) settingMessages.push_back(std::move(message));
        }
        if (!settingMessages.empty()) checks.push_back({"settings", 0, "", std::move(settingMessages)});
        editor.click("Command3");  // Next: protocol A
        const protocols::ProtocolMacro macro = editor.macro();
        for (int k = 1; k <= protocols::ProtocolCount; ++k) {
            if (!holdsAnything(macro, k)) continue;
            editor.pick("Combo19", k - 1);
            if (auto messages = pressOk(editor, ProtocolPage); !messages.empty())
                checks.push_back({"protocol", k, std::string(1, protocols::protocolLetter(k)) + ":" +
                                                     macro.ProtocolDrugName[k], std::move(messages)});
        }
        return checks;
    }

    // The entries as the printout shows them: values with the units of the pages.
    std::vector<Entry> entries(std::string_view bytes) const override {
        const Printout printed = printout(bytes, {"", false, "", ""});
        const protocols::ProtocolMacro macro = protocols::readProtocolMacro(bytes, variant_, NumberFormat{}).macro;
        std::vector<Entry> entries;
        if (printed.pages.empty()) return entries;
        Entry settings{"Settings", 0, "", false, {}};
        for (std::size_t i = 1; i < printed.pages[0].size() && !printed.pages[0][i].empty(); ++i)
            settings.fields.push_back(fieldOf(printed.pages[0][i]));
        entries.push_back(std::move(settings));
        int protocol = 0;
        for (std::size_t p = 1; p < printed.pages.size(); ++p) {
            Entry* current = nullptr;
            for (std::size_t i = 1; i < printed.pages[p].size(); ++i) {
                const std::string_view line = printed.pages[p][i];
                if (line.starts_with("Printed ")) break;  // the footer
                if (line.empty()) {
                    current = nullptr;
                    continue;
                }
                if (!current) {
                    ++protocol;
                    const std::string name = protocols::protocolLetter(protocol) + std::string(":") + macro.ProtocolDrugName[protocol];
                    entries.push_back({"Protocol", protocol, name, false, {}});
                    current = &entries.back();
                }
                current->fields.push_back(fieldOf(line));
            }
        }
        return entries;
    }

    // The editor's own "Print Macro Data", with a printer that keeps the pages.
    Printout printout(std::string_view bytes, const PrintRequest& request) const override {
        Printout printed;
        PrintServices keep;
        keep.printerProblem = [] { return std::optional<std::string>(); };
        keep.printFile = [&printed](const std::filesystem::path& file, const std::string&) -> std::optional<std::string> {
            const ReadResult page = readFile(file);
            PrintedPage lines;
            for (const std::string_view line : splitLines(page.bytes)) lines.emplace_back(line);
            printed.pages.push_back(std::move(lines));
            return std::nullopt;
        };
        keep.currentDate = [&request] { return request.date; };
        keep.currentTime = [&request] { return request.time; };
        ProtocolPages pages(bytes, variant_, mode_, keep);
        pages.editor().click("Command12");
        if (printed.pages.empty()) printed.problem = pages.editor().form()["OpenMessage"].text;
        return printed;
    }

private:
    // A ".tb2" is taken by the pump in either mode: each setting that neither
    // PCA nor EPIDURAL takes, unless the page's "OK" without a mode refuses it already.
    FieldMessages valuesNoModeTakes(const Form& page) const {
        const protocols::SettingPage settings(protocols::describe(variant_));
        const NumberFormat format;
        const auto withoutMode = settings.fieldFailures(page, PumpMode::None, format);
        const auto pca = settings.fieldFailures(page, PumpMode::Pca, format);
        const auto epidural = settings.fieldFailures(page, PumpMode::Epidural, format);
        auto messageFor = [](const auto& failures, const std::string& control) -> const std::string* {
            for (const auto& failure : failures)
                if (failure.control == control) return &failure.message;
            return nullptr;
        };
        FieldMessages messages;
        for (const protocols::SettingRow& row : protocols::settingRows(variant_)) {
            const std::string* inPca = messageFor(pca, row.control);
            const std::string* inEpidural = messageFor(epidural, row.control);
            if (!inPca || !inEpidural || messageFor(withoutMode, row.control)) continue;
            std::string value = page[row.control].text;
            if (!row.unit.empty()) value += " " + row.unit;
            messages.push_back({row.control, row.caption + " " + value + ": no pump mode takes it (PCA: " + *inPca +
                                                 "; EPIDURAL: " + *inEpidural + ")"});
        }
        return messages;
    }

    static bool holdsAnything(const protocols::ProtocolMacro& macro, int k) {
        for (const auto* array : {&macro.ProtocolDrugName, &macro.ProtocolDosavia, &macro.ProtocolMinWeight,
                                  &macro.ProtocolMaxWeight, &macro.ProtocolBagVolume, &macro.ProtocolConcUnit,
                                  &macro.ProtocolConcentration, &macro.ProtocolInitialRate,
                                  &macro.ProtocolTitrationLimit, &macro.ProtocolBolusType, &macro.ProtocolBolusDose,
                                  &macro.ProtocolMaxBolus, &macro.ProtocolLockoutTime, &macro.ProtocolLimit})
            if (!(*array)[k].empty()) return true;
        return false;
    }

    Variant variant_;
    PumpMode mode_;
};

}  // namespace

std::unique_ptr<Dialect> protocolDialect(Variant variant, PumpMode mode) {
    return std::make_unique<ProtocolDialect>(variant, mode);
}

}  // namespace mc::cli
