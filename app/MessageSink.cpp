#include "app/MessageSink.h"

namespace app {

void MessageSink::ShowInfo(const std::string& text, int mode) {
  if (mode != kInfoBox) log_.InsertTopLine(text);
  if (mode > kStatusLine) box_.Show(text, texts_.LangText("InfoTitle", "Information"), texts_.LangText("btn_Ok", "Ok"));
}

}  // namespace app
