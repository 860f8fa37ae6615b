#include "cli/core/protocol_dialect.hpp"

#include "protocols/core/macro_file.hpp"

namespace mc::cli {
namespace {

using protocols::ProtocolMacro;
using protocols::Variant;

class ProtocolDialect : public Dialect {
public:
    explicit ProtocolDialect(Variant variant) : variant_(variant) {}

    std::string name() const override { return variant_ == Variant::Rx ? "RX_Macro_Creator" : "Macro_Creator"; }

    // The reader takes every line it knows and counts the rest; it cannot
    // tell which lines they were.
    Reading read(std::string_view bytes) const override {
        const int notUnderstood = readMacro(bytes).linesNotUnderstood;
        Reading reading;
        if (notUnderstood > 0)
            reading.problems.push_back(
                {0, std::to_string(notUnderstood) + (notUnderstood == 1 ? " line" : " lines") + " not understood"});
        return reading;
    }

    // TODO(after the protocol editors land): load the file into the editor
    // model in a ScratchFolder, and for each protocol and the pump setting
    // page press "OK" through its events, collecting the page's messages as
    // tm2_dialect.cpp does for drugs.
    std::vector<EntryCheck> checkEntries(std::string_view) const override { return {}; }

    // TODO(after the protocol editors land): take the fields off the
    // "Pump Setting" and "Protocol Data" pages so that values carry the units
    // the pages show; until then they are compared as the file holds them.
    std::vector<Entry> entries(std::string_view bytes) const override {
        const ProtocolMacro macro = readMacro(bytes).macro;
        std::vector<Entry> entries{{"Macro", 0, "", false, {{"Name", macro.MacroTitle}}}};
        for (int field = 1; field <= protocols::settingCount(variant_); ++field)
            entries.push_back({"Setting", field, "", false, {{"Value", macro.PumpSettings[field]}}});
        for (int k = 1; k <= protocols::ProtocolCount; ++k) {
            const std::vector<Field> fields{
                {"Drug Name", macro.ProtocolDrugName[k]},       {"Dosavia", macro.ProtocolDosavia[k]},
                {"Minimum Weight", macro.ProtocolMinWeight[k]}, {"Maximum Weight", macro.ProtocolMaxWeight[k]},
                {"Bag Volume", macro.ProtocolBagVolume[k]},     {"Concentration Unit", macro.ProtocolConcUnit[k]},
                {"Concentration", macro.ProtocolConcentration[k]}, {"Initial Rate", macro.ProtocolInitialRate[k]},
                {"Titration Limit", macro.ProtocolTitrationLimit[k]}, {"Bolus Type", macro.ProtocolBolusType[k]},
                {"Bolus Dose", macro.ProtocolBolusDose[k]},     {"Maximum Bolus", macro.ProtocolMaxBolus[k]},
                {"Lockout Time", macro.ProtocolLockoutTime[k]}, {"Limit", macro.ProtocolLimit[k]}};
            bool empty = true;
            for (const Field& f : fields) empty = empty && f.value.empty();
            if (!empty) entries.push_back({"Protocol", k, macro.ProtocolDrugName[k], true, fields});
        }
        return entries;
    }

    // TODO(after the protocol editors land): protocols::protocolPrintout with
    // the editor's "Pump Setting" and "Protocol Data" pages as the two Show
    // functions, as tm2_dialect.cpp does with the drug page.
    Printout printout(std::string_view, const PrintRequest&) const override {
        return {{}, "printing pump command macros is not available in this build yet"};
    }

private:
    protocols::ReadMacro readMacro(std::string_view bytes) const {
        return protocols::readProtocolMacro(bytes, variant_, NumberFormat{});
    }

    Variant variant_;
};

}  // namespace

std::unique_ptr<Dialect> protocolDialect(Variant variant) { return std::make_unique<ProtocolDialect>(variant); }

}  // namespace mc::cli
