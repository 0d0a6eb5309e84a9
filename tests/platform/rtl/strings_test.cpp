#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>

#include "platform/rtl/Strings.h"
#include "platform/rtl/TextCompare.h"
#include "platform/rtl/TextConvert.h"

using namespace rtl;

namespace {

std::string Items(const TStrings& list) {
  std::string joined;
  for (int i = 0; i < list.Count(); ++i) joined += (i ? "|" : "") + list.Strings(i);
  return joined;
}

TStringList& Filled(TStringList& list, std::initializer_list<const char*> items) {
  for (const char* item : items) list.Add(item);
  return list;
}

bool SameTextLists(const TStrings& a, const TStrings& b) {
  if (a.Count() != b.Count()) return false;
  for (int i = 0; i < a.Count(); ++i)
    if (AnsiCompareText(a.Strings(i), b.Strings(i)) != 0) return false;
  return true;
}

struct ListCase {
  const char* name;
  std::function<std::string(TStringList&)> run;
  std::string expected;
};

}  // namespace

TEST(StringList, Cases) {
  const ListCase cases[] = {
      {"text joins with CR LF", [](TStringList& l) { return Filled(l, {"a", "", "b"}).Text(); }, "a\r\n\r\nb\r\n"},
      {"text splits at CR, LF and CR LF", [](TStringList& l) { l.SetText("a\r\nb\rc\n\nd\r\n"); return Items(l); },
       "a|b|c||d"},
      {"comma text quotes blanks, quotes and commas",
       [](TStringList& l) { return Filled(l, {"a b", "x", "q\"t", "c,d", "é"}).CommaText(); },
       "\"a b\",x,\"q\"\"t\",\"c,d\",é"},
      {"one empty item is two quotes", [](TStringList& l) { return Filled(l, {""}).CommaText(); }, "\"\""},
      {"comma text read back", [](TStringList& l) { l.SetCommaText("\"a b\",x,\"q\"\"t\",\"\"\"\""); return Items(l); },
       "a b|x|q\"t|\""},
      {"blanks around items skipped, inner blank splits",
       [](TStringList& l) { l.SetCommaText("  a ,, b c"); return Items(l); }, "a||b|c"},
      {"trailing comma gives an empty item", [](TStringList& l) { l.SetCommaText("a,"); return Items(l); }, "a|"},
      {"two quotes give one empty item",
       [](TStringList& l) { l.SetCommaText("\"\""); return std::to_string(l.Count()) + Items(l); }, "1"},
      {"strict delimiter keeps blanks",
       [](TStringList& l) {
         l.SetDelimiter(';');
         l.SetStrictDelimiter(true);
         l.SetDelimitedText("a; b;;\"c;d\";");
         return Items(l) + "/" + l.DelimitedText();
       },
       "a| b||c;d|/a; b;;\"c;d\";"},
      {"values by name ignore case",
       [](TStringList& l) {
         Filled(l, {"k=v=w", "k2=", "plain"});
         return l.Values("K") + "," + l.Values("k2") + "," + l.Names(0) + "," + l.Names(2) + "," +
                std::to_string(l.IndexOfName("K2")) + "," + l.ValueFromIndex(0) + "," + l.ValueFromIndex(2);
       },
       "v=w,,k,,1,v=w,"},
      {"set value replaces, appends, empty deletes",
       [](TStringList& l) {
         Filled(l, {"k=v", "m=1"});
         l.SetValues("k", "");
         l.SetValues("m", "2");
         l.SetValues("n", "3");
         return Items(l);
       },
       "m=2|n=3"},
      {"sorted, ignore duplicates (case-insensitive)",
       [](TStringList& l) {
         l.SetSorted(true);
         Filled(l, {"b", "a", "c"});
         return std::to_string(l.Add("B")) + ":" + Items(l);
       },
       "1:a|b|c"},
      {"sorted, accept duplicates before equal ones",
       [](TStringList& l) {
         l.SetSorted(true);
         l.SetDuplicates(dupAccept);
         Filled(l, {"b", "a", "B"});
         return std::to_string(l.IndexOf("b")) + ":" + Items(l);
       },
       "1:a|B|b"},
      {"turning sorting on sorts; case sensitivity re-sorts",
       [](TStringList& l) {
         Filled(l, {"b", "C", "a"});
         l.SetSorted(true);
         const std::string insensitive = Items(l);
         l.SetCaseSensitive(true);
         return insensitive + "/" + Items(l);
       },
       "a|b|C/C|a|b"},
      {"sorting and sorted adds agree on many texts",
       [](TStringList& l) {
         std::mt19937 random(7);
         TStringList added;
         added.SetSorted(true);
         added.SetDuplicates(dupAccept);
         for (int i = 0; i < 500; ++i) {
           const std::string text = std::to_string(random() % 300) + (random() % 2 ? "a" : "B");
           l.Add(text);
           added.Add(text);
         }
         l.SetSorted(true);
         for (int i = 1; i < l.Count(); ++i)
           if (AnsiCompareText(l.Strings(i - 1), l.Strings(i)) > 0) return "unsorted at " + std::to_string(i);
         return std::to_string(l.Count()) + (SameTextLists(l, added) ? " same" : " differ");
       },
       "500 same"},
      {"objects travel with their texts",
       [](TStringList& l) {
         int a = 0, b = 0;
         auto* objA = reinterpret_cast<TObject*>(&a);
         auto* objB = reinterpret_cast<TObject*>(&b);
         l.AddObject("a", objA);
         l.AddObject("b", objB);
         l.Add("c");
         l.Exchange(0, 1);
         l.Move(0, 2);
         return Items(l) + ":" + std::to_string(l.IndexOfObject(objA)) + std::to_string(l.IndexOfObject(objB)) +
                (l.Objects(0) == objA ? "" : "!");
       },
       "a|c|b:02"},
      {"assign copies another list",
       [](TStringList& l) {
         TStringList other;
         Filled(other, {"x", "y"});
         Filled(l, {"old"}).Assign(&other);
         return Items(l);
       },
       "x|y"},
      {"update bracket fires each event once",
       [](TStringList& l) {
         int changing = 0, changed = 0;
         l.OnChanging = [&](TObject* sender) { changing += sender == &l; };
         l.OnChange = [&](TObject* sender) { changed += sender == &l; };
         l.BeginUpdate();
         Filled(l, {"a", "b", "c"});
         l.EndUpdate();
         l.Delete(0);
         return std::to_string(changing) + std::to_string(changed);
       },
       "22"},
  };
  for (const ListCase& c : cases) {
    TStringList list;
    EXPECT_EQ(c.run(list), c.expected) << c.name;
  }
}

TEST(StringList, MisuseRaisesListErrorsAndChangesNothing) {
  TStringList list;
  Filled(list, {"a", "b"});
  auto message = [&](const std::function<void()>& misuse) {
    try {
      misuse();
    } catch (const EListError& error) {
      return error.Message();
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([&] { list.Strings(2); }), "List index out of bounds (2)");
  EXPECT_EQ(message([&] { list.Insert(-1, "x"); }), "List index out of bounds (-1)");
  EXPECT_EQ(message([&] { list.Delete(5); }), "List index out of bounds (5)");
  EXPECT_EQ(message([&] { list.SetCapacity(1); }), "List capacity out of bounds (1)");
  list.SetSorted(true);
  EXPECT_EQ(message([&] { list.Insert(0, "x"); }), "Operation not allowed on sorted list");
  EXPECT_EQ(message([&] { list.SetStrings(0, "x"); }), "Operation not allowed on sorted list");
  EXPECT_EQ(message([&] { list.Move(0, 1); }), "Operation not allowed on sorted list");
  EXPECT_EQ(Items(list), "a|b");  // nothing lost
  list.SetDuplicates(dupError);
  EXPECT_EQ(message([&] { list.Add("A"); }), "String list does not allow duplicates");
  EXPECT_EQ(Items(list), "a|b");
}

TEST(StringList, FilesAreUtf8AndReadBackWithAnyMark) {
  const auto path = (std::filesystem::temp_directory_path() / "esctool_strings_test.txt").string();
  const struct {
    TBytes bytes;
    const char* items;
  } files[] = {
      {{'a', '\r', '\n', 0xC3, 0xA9}, "a|é"},
      {{0xEF, 0xBB, 0xBF, 'a', '\n', 'b'}, "a|b"},
      {{0xFF, 0xFE, 'a', 0, '\n', 0, 0xE9, 0, 'x'}, "a|é"},  // UTF-16LE, odd byte dropped
      {{'a', 0xD6, 0xD0, 0xCE, 0xC4}, "a中文"},               // not UTF-8: GBK
      {{}, ""},
  };
  for (const auto& file : files) {
    WriteFileBytes(path, file.bytes.data(), file.bytes.size());
    TStringList list;
    list.Add("old");
    list.LoadFromFile(path);
    EXPECT_EQ(Items(list), file.items);
  }
  TStringList list;
  Filled(list, {"x=1", "ü"});
  list.SaveToFile(path);
  EXPECT_EQ(ReadFileBytes(path), (TBytes{'x', '=', '1', '\r', '\n', 0xC3, 0xBC, '\r', '\n'}));
  std::filesystem::remove(path);
  EXPECT_THROW(list.LoadFromFile(path), EFOpenError);
}

TEST(TextCompare, CaseFoldingAndAsciiOnly) {
  const struct {
    std::string_view a, b;
    int str, text, ansiText;
  } cases[] = {
      {"abc", "abd", -1, -1, -1},
      {"ABC", "abc", -1, 0, 0},
      {"Ärger", "ärger", -1, -1, 0},  // ASCII-only folding leaves Ä apart
      {"straße", "STRASSE", 1, 1, 0},
      {"a", "ab", -1, -1, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CompareStr(c.a, c.b), c.str) << c.a << " " << c.b;
    EXPECT_EQ(CompareText(c.a, c.b), c.text) << c.a << " " << c.b;
    EXPECT_EQ(AnsiCompareText(c.a, c.b), c.ansiText) << c.a << " " << c.b;
    EXPECT_EQ(WideCompareText(Utf8ToUtf16(c.a), Utf8ToUtf16(c.b)), c.ansiText) << c.a << " " << c.b;
  }
  EXPECT_TRUE(SameText("Name", "NAME"));
  EXPECT_FALSE(SameText("Name", "Names"));
}
