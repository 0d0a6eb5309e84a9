#pragma once
// What the program writes back to lang.ini at exit: the language ("lang",
// "1" Chinese, "0" English) and the calculator inputs "cacl1".."cacl19".
#include <array>
#include <optional>
#include <string>

#include "platform/rtl/MemIniFile.h"

namespace app {

/// The texts of calcTextBox1..19; a box the window does not have is empty
/// (std::nullopt) and keeps its stored value.
using CalculatorTexts = std::array<std::optional<std::string>, 19>;

/// Writes the settings into [common] of `ini` and the ini to its file
/// through the atomic writer (no byte-order mark; the old file stays on a
/// failure, which raises).
void WriteBackLangSettings(rtl::TMemIniFile& ini, bool chinese, const CalculatorTexts& calculator);

}  // namespace app
