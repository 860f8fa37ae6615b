#pragma once
// The drug library editor of the older release 036 of the 510 pump: one
// concentration unit (mg/ml), four dose units, limits in hundredths up to
// 655.35, names of 10 characters and "D36:" lines without checksum.

#include "druglib_dual/core/drug_library_editor.hpp"

namespace mc::druglib {

FrameLayout quelda036FrameLayout();

class Quelda036Editor : public DrugLibraryEditor {
public:
    Quelda036Editor(std::filesystem::path workingDirectory, NumberFormat numberFormat);
};

}  // namespace mc::druglib
