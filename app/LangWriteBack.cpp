#include "app/LangWriteBack.h"

namespace app {

void WriteBackLangSettings(rtl::TMemIniFile& ini, bool chinese, const CalculatorTexts& calculator) {
  ini.WriteString("common", "lang", chinese ? "1" : "0");
  for (std::size_t n = 0; n < calculator.size(); ++n)
    if (calculator[n]) ini.WriteString("common", "cacl" + std::to_string(n + 1), *calculator[n]);
  ini.UpdateFile();
}

}  // namespace app
