#pragma once
// Seeds for the fuzz targets: text-form samples, written (as text or as
// their binary form) into an empty corpus folder named on the command line.
#include <filesystem>
#include <string>
#include <vector>

#include "platform/rtl/ObjectText.h"
#include "platform/rtl/Streams.h"

namespace fuzzseeds {

inline const std::vector<std::string>& Texts() {
  static const std::vector<std::string> texts = {
      "object Form1: TTestForm\n"
      "  Width = 320\n"
      "  Anchors = [taTop, taClient]\n"
      "  object Button1: TTestNode\n"
      "    Text = 'OK'#13#10'\xE7\xA1\xAE'\n"
      "    Buddy = Label1\n"
      "    OnClick = ButtonClick\n"
      "    Position.Point = '(2,0.5)'\n"
      "  end\n"
      "  object Label1: TTestNode\n"
      "    Opacity = 0.5\n"
      "    Points = <\n      item [1]\n        Offset = 0.25\n      end>\n"
      "    Strings = (\n      'a'\n      'b')\n"
      "    Data = {\n      00FF10}\n"
      "  end\n"
      "end\n",
      "object Root\n  a = 5\n  b = True\nend\n",
      // references and events inside collection items, the collection read twice
      "object Form1: TTestForm\n"
      "  Points = <\n    item\n      Ref = Button1\n      OnClick = ButtonClick\n    end>\n"
      "  Points = <\n    item\n      Ref = Form1\n    end>\n"
      "  object Button1: TTestNode\n  end\n"
      "end\n",
      "inherited : TTestNode [3]\n  Big = 5000000000\n  Angle = 1.5e-7\n  Hint = ''\n"
      "  Align = taBottom\n  Visible = False\n  Buddy = nil\n  S = 1.5s\n  C = 2.5c\n  D = 3.0d\n  F = 4.0f\nend\n",
  };
  return texts;
}

// The first argument that is not an option: the corpus folder.
inline std::filesystem::path CorpusFolder(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (argv[i][0] != '-') return argv[i];
  return {};
}

inline void WriteSeeds(int argc, char** argv, bool binary) {
  const std::filesystem::path folder = CorpusFolder(argc, argv);
  std::error_code error;
  if (folder.empty() || !std::filesystem::is_directory(folder, error) ||
      !std::filesystem::is_empty(folder, error))
    return;
  int index = 0;
  for (const std::string& text : Texts()) {
    std::string content = text;
    if (binary) {
      rtl::TStringStream input(text), output;
      rtl::ObjectTextToBinary(input, output);
      content = output.DataString();
    }
    const std::string name = (folder / ("seed" + std::to_string(index++))).string();
    rtl::WriteFileBytes(name, content.data(), content.size());
  }
}

}  // namespace fuzzseeds
