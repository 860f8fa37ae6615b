// Every editor model takes any event on any of its controls, in any order,
// without a fault of its own: thousands of random clicks, typings, picks and
// ticks, with every question answered at random.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>

#include "druglib_dual/core/quelda036_editor.hpp"
#include "druglib_dual/core/quelda041_editor.hpp"
#include "druglib_dual/core/tm2_file.hpp"
#include "druglib_us/core/orrx_usa_editor.hpp"
#include "druglib_us/core/tv1_file.hpp"
#include "protocols/core/macro_file.hpp"
#include "protocols/core/protocol_editor.hpp"
#include "support/random_protocol_macro.hpp"
#include "support/random_tm2_library.hpp"
#include "support/random_us_library.hpp"
#include "support/temp_folder.hpp"

namespace mc {
namespace {

using Factory = std::function<std::unique_ptr<EditorFrame>(const std::filesystem::path&)>;
using EditorCase = std::pair<const char*, Factory>;  // name, and how to make one

const EditorCase Editors[] = {
    {"Quelda041", [](const auto& f) { return std::make_unique<druglib::Quelda041Editor>(f, NumberFormat{}); }},
    {"Quelda036", [](const auto& f) { return std::make_unique<druglib::Quelda036Editor>(f, NumberFormat{}); }},
    {"OrrxUsa", [](const auto& f) { return std::make_unique<druglib_us::OrrxUsaEditor>(f, NumberFormat{}); }},
    {"Rx", [](const auto& f) { return std::make_unique<protocols::ProtocolEditor>(protocols::Variant::Rx, f, NumberFormat{}); }},
    {"Kt", [](const auto& f) { return std::make_unique<protocols::ProtocolEditor>(protocols::Variant::Kt, f, NumberFormat{}); }},
};

const char* const Typed[] = {"", "0", "1", "0.01", "2500", "1.5", "-3", "1,5", "1e3", "999999999999", "Heparin",
                             "A", "7", "  ", "\xE9t\xE9", "12345678901234567890123456789"};

class Events : public ::testing::TestWithParam<EditorCase> {};

TEST_P(Events, AnyEventOnAnyControlLeavesNoInternalError) {
    testing::TempFolder folder;
    std::mt19937 random(20261206);
    // Files to open and print: one that is sound and one of any bytes for each dialect.
    testing::RandomTm2Library tm2(7);
    folder.write("SOUND.tm2", druglib::writeTm2Release041(tm2(druglib::Release::R041, testing::Tm2Drugs::Stored), "SOUND"));
    folder.write("ANY.tm2", druglib::writeTm2Release036(tm2(druglib::Release::R036, testing::Tm2Drugs::AnyField)));
    folder.write("SOUND.tv1", druglib_us::writeTv1(testing::RandomUsLibrary(7).library(5), "SOUND"));
    testing::RandomProtocolMacro protocol(7, protocols::Variant::Rx, NumberFormat{});
    folder.write("SOUND.tb2", protocols::writeProtocolMacro(protocol.macro(), protocols::Variant::Rx, "SOUND"));
    folder.write("ANY.tv1", tm2.text(3000, testing::Tm2Drugs::AnyField));
    auto editor = GetParam().second(folder.path());
    editor->askWith([&random](const Question&) { return random() % 2 == 0; });
    std::vector<std::string> names;
    for (const auto& [name, control] : editor->form().controls()) names.push_back(name);
    for (int event = 0; event < 4000; ++event) {
        const std::string& name = names[random() % names.size()];
        const Control& control = editor->form()[name];
        switch (random() % 4) {
        case 0: editor->click(name); break;
        case 1: editor->textEdited(name, Typed[random() % std::size(Typed)]); break;
        case 2: editor->pick(name, static_cast<int>(random() % (control.items.size() + 2)) - 1); break;
        default: editor->toggle(name, random() % 2 == 0);
        }
        for (const auto& [shownName, shown] : editor->form().controls())
            ASSERT_EQ(shown.text.find("internal error"), std::string::npos)
                << GetParam().first << " event " << event << " on " << name << " page " << editor->visiblePage() << ": " << shown.text;
    }
}

INSTANTIATE_TEST_SUITE_P(AllEditors, Events, ::testing::ValuesIn(Editors),
                         [](const auto& param) { return std::string(param.param.first); });

}  // namespace
}  // namespace mc
