#include "protocols/core/protocol_review.hpp"

#include "protocols/core/macro_file.hpp"
#include "protocols/core/protocol_page.hpp"
#include "protocols/core/protocol_printout.hpp"

namespace mc::protocols {
namespace {

std::vector<Field> fields(const ShownFields& shown) {
    std::vector<Field> out;
    for (const auto& [caption, value] : shown) out.push_back({caption, value});
    return out;
}

std::string entryName(const ProtocolMacro& macro, int k) {
    return protocolLetter(k) + (":" + macro.ProtocolDrugName[k]);
}

bool holdsAnything(const ProtocolMacro& macro, int k) {
    for (const auto* array : {&macro.ProtocolDrugName, &macro.ProtocolDosavia, &macro.ProtocolMinWeight,
                              &macro.ProtocolMaxWeight, &macro.ProtocolBagVolume, &macro.ProtocolConcUnit,
                              &macro.ProtocolConcentration, &macro.ProtocolInitialRate, &macro.ProtocolTitrationLimit,
                              &macro.ProtocolBolusType, &macro.ProtocolBolusDose, &macro.ProtocolMaxBolus,
                              &macro.ProtocolLockoutTime, &macro.ProtocolLimit})
        if (!(*array)[k].empty()) return true;
    return false;
}

// The file is read, checked and printed as the editor's pages show it, with
// the number format the program runs in.
class ProtocolDialect : public Dialect {
public:
    ProtocolDialect(Variant variant, PumpMode mode, const NumberFormat& format)
        : variant_(variant), mode_(mode), format_(format) {}

    std::string name() const override { return variant_ == Variant::Rx ? "RX_Macro_Creator" : "Macro_Creator"; }
    std::string kind() const override { return "pump command macro"; }

    std::optional<std::string> saved(std::string_view bytes) const override {
        const ProtocolMacro macro = read_(bytes);
        return writeProtocolMacro(macro, variant_, macro.MacroTitle);
    }

    // The reader takes every line it knows and counts the rest; it cannot
    // tell which lines they were.
    Reading read(std::string_view bytes) const override {
        const int notUnderstood = readProtocolMacro(bytes, variant_, format_).linesNotUnderstood;
        Reading reading;
        if (notUnderstood > 0)
            reading.problems.push_back(
                {0, std::to_string(notUnderstood) + (notUnderstood == 1 ? " line" : " lines") + " not understood"});
        return reading;
    }

    // "OK" on the "Pump Setting" page and on every protocol that holds anything.
    std::vector<EntryCheck> checkEntries(std::string_view bytes) const override {
        const ProtocolMacro macro = read_(bytes);
        const SettingPage settings = shownSettings(macro, variant_);
        std::vector<EntryCheck> checks;
        FieldMessages messages = checkSettings(settings, variant_, mode_, format_);
        if (mode_ == PumpMode::None)
            for (FieldMessage& message : valuesNoModeTakes(settings)) messages.push_back(std::move(message));
        if (!messages.empty()) checks.push_back({"settings", 0, "", std::move(messages)});
        const auto limits = ProtocolLimits::of(macro);
        for (int k = 1; k <= ProtocolCount; ++k) {
            if (!holdsAnything(macro, k)) continue;
            const auto page = shownProtocol(macro, k, variant_, format_);
            if (auto failed = checkProtocol(page, limits, format_); !failed.empty())
                checks.push_back({"protocol", k, entryName(macro, k), std::move(failed)});
        }
        return checks;
    }

    // The entries as the printout shows them: values with the units of the pages.
    std::vector<Entry> entries(std::string_view bytes) const override {
        const ProtocolMacro macro = read_(bytes);
        const auto settings = shownFields(shownSettings(macro, variant_), variant_);
        std::vector<Entry> entries{{"Settings", 0, "", false, fields(settings)}};
        const auto printed = printedProtocols(macro, variant_, format_);
        for (int k = 1; k <= ProtocolCount; ++k) {
            const auto& shown = printed[static_cast<std::size_t>(k - 1)];
            entries.push_back({"Protocol", k, entryName(macro, k), false, fields(shown)});
        }
        return entries;
    }

    // The pump settings are the setting page's; a protocol is shown by its letter.
    Place placeOf(const EntryCheck& check) const override {
        if (check.kind == "settings") return {"Pump Setting", 2, 0};
        return {std::string("Protocol ") + protocolLetter(check.number), 3, check.number};
    }

    // The editor's "Print Macro Data" of a freshly opened window.
    Printout printout(std::string_view bytes, const PrintRequest& request) const override {
        return {protocolPrintout(read_(bytes), variant_, format_, request.date, request.time), {}};
    }

private:
    ProtocolMacro read_(std::string_view bytes) const {
        return readProtocolMacro(bytes, variant_, format_).macro;
    }

    // A ".tb2" is taken by the pump in either mode: each setting that neither
    // PCA nor EPIDURAL takes, unless the page's "OK" without a mode refuses it already.
    FieldMessages valuesNoModeTakes(const SettingPage& page) const {
        const auto withoutMode = checkEachSetting(page, variant_, PumpMode::None, format_);
        const auto pca = checkEachSetting(page, variant_, PumpMode::Pca, format_);
        const auto epidural = checkEachSetting(page, variant_, PumpMode::Epidural, format_);
        auto messageFor = [](const FieldMessages& messages, const std::string& field) -> const std::string* {
            for (const FieldMessage& message : messages)
                if (message.field == field) return &message.message;
            return nullptr;
        };
        FieldMessages messages;
        for (const SettingRow& row : settingRows(variant_)) {
            const std::string& control = row.field.control;
            const std::string* inPca = messageFor(pca, control);
            const std::string* inEpidural = messageFor(epidural, control);
            if (!inPca || !inEpidural || messageFor(withoutMode, control)) continue;
            std::string value = page[row.number];
            if (!row.unit.empty()) value += " " + row.unit;
            messages.push_back({control, row.field.caption + " " + value + ": no pump mode takes it (PCA: " + *inPca +
                                             "; EPIDURAL: " + *inEpidural + ")"});
        }
        return messages;
    }

    Variant variant_;
    PumpMode mode_;
    NumberFormat format_;
};

}  // namespace

std::unique_ptr<Dialect> protocolDialect(Variant variant, PumpMode mode, const NumberFormat& format) {
    return std::make_unique<ProtocolDialect>(variant, mode, format);
}

}  // namespace mc::protocols
