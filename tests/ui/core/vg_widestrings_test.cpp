#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "platform/rtl/Filer.h"
#include "platform/rtl/ObjectText.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/TextConvert.h"
#include "ui/core/vg_widestrings.h"

using namespace vg;
using rtl::TBytes;

namespace {

// The items joined by "|", as UTF-8.
std::string Items(const TvgWideStrings& list) {
  std::string joined;
  for (int i = 0; i < list.Count(); ++i) joined += (i ? "|" : "") + rtl::Utf16ToUtf8(list.Strings(i));
  return joined;
}

TvgWideStringList& Filled(TvgWideStringList& list, std::initializer_list<const char16_t*> items) {
  for (const char16_t* item : items) list.Add(item);
  return list;
}

std::string TempPath() { return (std::filesystem::temp_directory_path() / "esctool_vg_widestrings.txt").string(); }

std::string Loaded(TvgWideStringList& list, const TBytes& bytes) {
  rtl::WriteFileBytes(TempPath(), bytes.data(), bytes.size());
  list.LoadFromFile(TempPath());
  return Items(list);
}

std::string Utf8(const WideString& text) { return rtl::Utf16ToUtf8(text); }

struct Case {
  const char* name;
  std::function<std::string(TvgWideStringList&)> run;
  std::string expected;
};

}  // namespace

TEST(TvgWideStringList, Cases) {
  const Case cases[] = {
      // name=value
      {"values by name",
       [](auto& l) {
         Filled(l, {u"k=v", u"k2=", u"x"});
         return Utf8(l.Values(u"K")) + "," + Utf8(l.Values(u"k2")) + "," + Utf8(l.Names(2)) + "," +
                std::to_string(l.IndexOfValue(u"V")) + "," + Utf8(l.ValueFromIndex(-1));
       },
       "v,,,0,"},
      {"set value: empty deletes, new name appends",
       [](auto& l) {
         Filled(l, {u"k=v", u"k2="});
         l.SetValues(u"k", u"");
         l.SetValues(u"n", u"1");
         l.SetValueFromIndex(0, u"2");
         return Items(l);
       },
       "k2=2|n=1"},
      // comma text
      {"empty list, one empty item",
       [](auto& l) {
         const std::string empty = Utf8(l.CommaText());
         return empty + "/" + Utf8(Filled(l, {u""}).CommaText());
       },
       "/\"\""},
      {"quoted items round trip",
       [](auto& l) {
         const WideString text = Filled(l, {u"a b", u"x", u"say \"hi\""}).CommaText();
         l.SetCommaText(text);
         return Utf8(text) + "/" + Items(l);
       },
       "\"a b\",x,\"say \"\"hi\"\"\"/a b|x|say \"hi\""},
      {"blanks skipped, empty item kept, no trailing item",
       [](auto& l) { l.SetCommaText(u"  a ,, b,"); return Items(l); }, "a||b"},
      {"two quotes give one empty item", [](auto& l) { l.SetCommaText(u"\"\""); return std::to_string(l.Count()); },
       "1"},
      {"blank inside unquoted item splits", [](auto& l) { l.SetCommaText(u"a b"); return Items(l); }, "a|b"},
      // line text
      {"line breaks", [](auto& l) { l.SetText(u"a\r\r\nb\u2028c\vd\r"); return Items(l); }, "a||b|c|d"},
      {"text ends every line with CR LF", [](auto& l) { return Utf8(Filled(l, {u"a", u"b"}).Text()); }, "a\r\nb\r\n"},
      // sorting and duplicates
      {"turning sorting on sorts",
       [](auto& l) {
         Filled(l, {u"b", u"C", u"a"});
         l.SetSorted(true);
         const std::string insensitive = Items(l);
         l.SetCaseSensitive(true);
         return insensitive + "/" + Items(l) + "/" + std::to_string(l.IndexOf(u"b"));
       },
       "a|b|C/C|a|b/2"},
      {"accept inserts at the first equal item",
       [](auto& l) {
         l.SetSorted(true);
         l.SetDuplicates(rtl::dupAccept);
         Filled(l, {u"b", u"B"});
         return Items(l);
       },
       "B|b"},
      {"ignore adds nothing and returns the equal item",
       [](auto& l) {
         l.SetSorted(true);
         Filled(l, {u"a", u"b"});
         return std::to_string(l.Add(u"B")) + ":" + Items(l);
       },
       "1:a|b"},
      {"error mode reports without raising and inserts",
       [](auto& l) {
         l.SetSorted(true);
         l.SetDuplicates(rtl::dupError);
         Filled(l, {u"b", u"B"});
         return Items(l);
       },
       "B|b"},
      {"insert into a sorted list goes where asked",
       [](auto& l) {
         l.SetSorted(true);
         Filled(l, {u"c", u"a"});
         l.Insert(0, u"z");
         return Items(l);
       },
       "z|a|c"},
      // misuse never raises and changes nothing
      {"indexes outside the list",
       [](auto& l) {
         Filled(l, {u"a", u"b"});
         l.Insert(3, u"x");
         l.Insert(-1, u"x");
         l.Delete(2);
         l.Exchange(0, 2);
         l.Move(0, 5);
         l.SetStrings(-1, u"x");
         l.SetObjects(2, nullptr);
         return Items(l) + "/" + Utf8(l.Strings(2)) + Utf8(l.Strings(-1)) + "/" + (l.Objects(9) ? "obj" : "none");
       },
       "a|b//none"},
      {"update bracket fires each event once",
       [](auto& l) {
         int changing = 0, changed = 0;
         l.OnChanging = [&](TObject* sender) { changing += sender == &l; };
         l.OnChange = [&](TObject* sender) { changed += sender == &l; };
         l.BeginUpdate();
         Filled(l, {u"a", u"b", u"c"});
         l.EndUpdate();
         l.OnChanging = nullptr;
         l.OnChange = nullptr;
         return std::to_string(changing) + std::to_string(changed);
       },
       "11"},
      // files
      {"FF FE with an odd last byte",
       [](auto& l) { return Loaded(l, {0xFF, 0xFE, 'a', 0, '\r', 0, '\n', 0, 0xAC, 0x20, 'x'}); }, "a|€"},
      {"FE FF is big-endian", [](auto& l) { return Loaded(l, {0xFE, 0xFF, 0, 'a', 0x20, 0xAC}); }, "a€"},
      {"UTF-8 with and without a mark",
       [](auto& l) {
         const std::string marked = Loaded(l, {0xEF, 0xBB, 0xBF, 'a', '\n', 0xC3, 0xA9});
         return marked + "/" + Loaded(l, {0xC3, 0xA9, '\r', '\n', 'b'});
       },
       "a|é/é|b"},
      {"other bytes as GBK", [](auto& l) { return Loaded(l, {'a', 0xD6, 0xD0, 0xCE, 0xC4}); }, "a中文"},
      {"empty file gives an empty list", [](auto& l) { Filled(l, {u"old"}); return Loaded(l, {}) + "."; }, "."},
      {"missing file keeps the list",
       [](auto& l) {
         Filled(l, {u"old"});
         l.LoadFromFile(TempPath() + ".missing");
         return Items(l);
       },
       "old"},
      {"saved as FF FE UTF-16LE",
       [](auto& l) {
         Filled(l, {u"é"}).SaveToFile(TempPath());
         const TBytes bytes = rtl::ReadFileBytes(TempPath());
         return std::string(bytes.begin(), bytes.end());
       },
       std::string("\xFF\xFE\xE9\0\r\0\n\0", 8)},
      {"saved through the class library's list as UTF-8",
       [](auto& l) {
         Filled(l, {u"é", u"b"}).SaveToAnsiFile(TempPath());
         const TBytes bytes = rtl::ReadFileBytes(TempPath());
         return std::string(bytes.begin(), bytes.end());
       },
       "\xC3\xA9\r\nb\r\n"},
  };
  for (const Case& c : cases) {
    TvgWideStringList list;
    EXPECT_EQ(c.run(list), c.expected) << c.name;
  }
  std::filesystem::remove(TempPath());
}

TEST(TvgWideStringList, CopiesToAndFromClassLibraryLists) {
  int marker = 0;
  auto* object = reinterpret_cast<TObject*>(&marker);
  rtl::TStringList source;
  source.AddObject("ä=1", object);
  source.Add("b");
  TvgWideStringList wide;
  wide.Add(u"old");
  wide.Assign(&source);
  EXPECT_EQ(Items(wide), "ä=1|b");
  EXPECT_EQ(wide.Objects(0), object);

  rtl::TStringList back;
  back.Add("old");
  back.Assign(&wide);
  EXPECT_EQ(back.CommaText(), "ä=1,b");
  EXPECT_EQ(back.Objects(0), object);

  TvgWideStringList copy;
  copy.Assign(&wide);
  EXPECT_TRUE(copy.Equals(wide));
  copy.SetStrings(1, u"B");
  EXPECT_FALSE(copy.Equals(wide));

  rtl::TPersistent unrelated;
  try {
    copy.Assign(&unrelated);
    FAIL() << "no error";
  } catch (const rtl::EConvertError& error) {
    EXPECT_EQ(error.Message(), "Cannot assign a TPersistent to a TvgWideStringList");
  }
  EXPECT_EQ(Items(copy), "ä=1|B");
}

namespace {

class TListHolder : public rtl::TComponent {
  RTL_CLASS(TListHolder, rtl::TComponent)
  using TComponent::TComponent;
  TvgWideStringList items;
  rtl::TStringList lines;
  TvgWideStringList* GetItems() const { return const_cast<TvgWideStringList*>(&items); }
  rtl::TStringList* GetLines() const { return const_cast<rtl::TStringList*>(&lines); }
  static void Publish(rtl::TPublisher<TListHolder>& p) {
    p.Property("Items", &TListHolder::GetItems);
    p.Property("Lines", &TListHolder::GetLines);
  }
};

std::string Streamed(TListHolder* holder) {
  rtl::TStringStream binary;
  rtl::WriteComponentToStream(binary, holder);
  return binary.DataString();
}

std::string AsText(const std::string& binary) {
  rtl::TStringStream input(binary), output;
  rtl::ObjectBinaryToText(input, output);
  return output.DataString();
}

}  // namespace

TEST(TvgWideStringList, StreamsItsTextsAsComponentProperty) {
  std::unique_ptr<TListHolder, void (*)(TListHolder*)> source(new TListHolder(nullptr),
                                                              [](TListHolder* c) { c->Free(); });
  source->items.SetCommaText(u"one,\"t w o\",Ω");
  source->lines.Add("x=1");
  const std::string binary = Streamed(source.get());
  EXPECT_EQ(AsText(binary),
            "object TListHolder\n"
            "  Items.strings = (\n"
            "    'one'\n"
            "    't w o'\n"
            "    #937)\n"
            "  Lines.Strings = (\n"
            "    'x=1')\n"
            "end\n");

  std::unique_ptr<TListHolder, void (*)(TListHolder*)> target(new TListHolder(nullptr),
                                                              [](TListHolder* c) { c->Free(); });
  target->items.Add(u"old");
  rtl::TStringStream input(binary);
  rtl::ReadComponentFromStream(input, target.get(), false);
  EXPECT_EQ(Items(target->items), "one|t w o|Ω");
  EXPECT_EQ(target->lines.Text(), "x=1\r\n");

  source->items.Clear();
  source->lines.Clear();
  EXPECT_EQ(AsText(Streamed(source.get())), "object TListHolder\nend\n");  // empty lists are not stored
}
