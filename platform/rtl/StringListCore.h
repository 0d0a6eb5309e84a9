#pragma once
// The logic shared by the class library's string lists (UTF-8, TStrings and
// TStringList in Strings.h) and the toolkit's wide-string lists (UTF-16,
// TvgWideStrings and TvgWideStringList in ui/core): one abstract list built on
// a few primitives, and one concrete list in a growable array.
//
// Where the two families differ, a traits class decides:
//   using String;                          the text type
//   static int CompareStr(View, View);     ordinal comparison
//   static int CompareText(View, View);    comparison ignoring case
//   static void ListError(TListFault, int index);
//       reports misuse; it may throw. When it returns, the operation goes on
//       as far as it is safe: an index outside the list changes nothing.
//   static std::size_t LineBreakAt(View text, std::size_t pos);
//       the length of the line break starting at pos, 0 when there is none
//   static constexpr bool kTrailingDelimiterAddsItem;
//       whether delimited text ending in a delimiter gives a last empty item
//   static constexpr bool kLoadFromFileSwallowsErrors;
//   static String DecodeText(const TBytes&);  file bytes to text
//   static TBytes EncodeText(View);           text to file bytes
//   static constexpr const char* kStreamPropertyName;
//   static String ReadItem(TReader&); static void WriteItem(TWriter&, View);
//       the component-stream property of the items and one item's value
//
// Both lists are TPersistent: Assign copies any list of the same family
// (texts and objects); other sources go to TPersistent::Assign, so a list of
// the other family can copy itself over through its AssignTo. In component
// streams a non-empty list stores its texts as one defined property holding
// a list of string values (objects are not streamed).
//
// Objects paired with the texts are never owned by a list.
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/rtl/Event.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Filer.h"
#include "platform/rtl/Persistent.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Types.h"

namespace rtl {

enum TDuplicates { dupIgnore, dupAccept, dupError };

enum class TListFault { IndexOutOfBounds, CapacityOutOfBounds, SortedList, Duplicate };

template <class ListTraits>
class BasicStrings : public TPersistent {
 public:
  using Traits = ListTraits;
  using String = typename Traits::String;
  using Char = typename String::value_type;
  using View = std::basic_string_view<Char>;

  // --- Primitives a concrete list provides -------------------------------
  virtual String Get(int index) const = 0;
  virtual int GetCount() const = 0;
  virtual void Insert(int index, const String& text) = 0;
  // Keeps the object at index and replaces the text.
  virtual void Put(int index, const String& text) {
    if (!CheckIndex(index)) return;
    TObject* object = GetObject(index);
    Delete(index);
    InsertObject(index, text, object);
  }
  virtual TObject* GetObject(int) const { return nullptr; }
  virtual void PutObject(int, TObject*) {}
  virtual void Delete(int) {}
  virtual void Clear() {}
  virtual int GetCapacity() const { return GetCount(); }
  virtual void SetCapacity(int) {}
  virtual void Sort() {}
  // The order of Find, Sort and every name lookup.
  virtual int CompareStrings(View a, View b) const {
    return caseSensitive_ ? Traits::CompareStr(a, b) : Traits::CompareText(a, b);
  }

  // --- Built on the primitives -------------------------------------------
  int Count() const { return GetCount(); }
  String Strings(int index) const { return Get(index); }
  void SetStrings(int index, const String& text) { Put(index, text); }
  TObject* Objects(int index) const { return GetObject(index); }
  void SetObjects(int index, TObject* object) { PutObject(index, object); }
  int Capacity() const { return GetCapacity(); }

  // Appends (or, in a sorted list, inserts in order); returns the index.
  virtual int Add(const String& text) {
    const int index = GetCount();
    Insert(index, text);
    return index;
  }
  void Append(const String& text) { Add(text); }
  virtual int AddObject(const String& text, TObject* object) {
    const int index = Add(text);
    PutObject(index, object);
    return index;
  }
  virtual void InsertObject(int index, const String& text, TObject* object) {
    if (index < 0 || index > GetCount()) return Traits::ListError(TListFault::IndexOutOfBounds, index);
    Insert(index, text);
    PutObject(index, object);
  }

  virtual void Exchange(int index1, int index2) {
    if (!CheckIndex(index1) || !CheckIndex(index2)) return;
    Batch([&] {
      const String text1 = Get(index1);
      TObject* object1 = GetObject(index1);
      Put(index1, Get(index2));
      PutObject(index1, GetObject(index2));
      Put(index2, text1);
      PutObject(index2, object1);
    });
  }

  // newIndex counts in the list after the item's removal. A sorted list
  // reports the misuse before anything changes.
  void Move(int curIndex, int newIndex) {
    if (curIndex == newIndex) return;
    if (!CheckIndex(curIndex) || !CheckIndex(newIndex)) return;
    if (Sorted()) Traits::ListError(TListFault::SortedList, newIndex);
    Batch([&] {
      const String text = Get(curIndex);
      TObject* object = GetObject(curIndex);
      Delete(curIndex);
      InsertObject(newIndex, text, object);
    });
  }

  void BeginUpdate() {
    if (updateCount_ == 0) SetUpdateState(true);
    ++updateCount_;
  }
  void EndUpdate() {
    --updateCount_;
    if (updateCount_ == 0) SetUpdateState(false);
  }

  void AddStrings(const BasicStrings& source) {
    const int count = source.Count();
    Batch([&] {
      for (int i = 0; i < count; ++i) AddObject(source.Get(i), source.GetObject(i));
    });
  }
  // A list of the same family: its texts and objects replace this list's.
  void Assign(const TPersistent* source) override {
    const auto* list = dynamic_cast<const BasicStrings*>(source);
    if (!list) return TPersistent::Assign(source);
    if (list == this) return;
    Batch([&] {
      Clear();
      AddStrings(*list);
    });
  }
  // Same count and the same texts code unit by code unit; objects ignored.
  bool Equals(const BasicStrings& other) const {
    const int count = GetCount();
    if (count != other.GetCount()) return false;
    for (int i = 0; i < count; ++i)
      if (Get(i) != other.Get(i)) return false;
    return true;
  }

  virtual int IndexOf(View text) const {
    const int count = GetCount();
    for (int i = 0; i < count; ++i)
      if (CompareStrings(Get(i), text) == 0) return i;
    return -1;
  }
  int IndexOfObject(const TObject* object) const {
    const int count = GetCount();
    for (int i = 0; i < count; ++i)
      if (GetObject(i) == object) return i;
    return -1;
  }

  // --- Name=Value items --------------------------------------------------
  // The text before the first "=", empty when the item has none.
  String Names(int index) const {
    const String text = Get(index);
    const auto separator = text.find(kNameValueSeparator);
    return separator == String::npos ? String() : text.substr(0, separator);
  }
  int IndexOfName(View name) const { return IndexOfPart(name, true); }
  int IndexOfValue(View value) const { return IndexOfPart(value, false); }
  String Values(View name) const {
    const int index = IndexOfName(name);
    return index < 0 ? String() : ValueFromIndex(index);
  }
  // A non-empty value replaces the item of that name or appends one; an empty
  // value deletes the item.
  void SetValues(View name, const String& value) {
    const int index = IndexOfName(name);
    if (!value.empty()) {
      const String item = String(name) + kNameValueSeparator + value;
      if (index < 0) Add(item);
      else Put(index, item);
    } else if (index >= 0) {
      Delete(index);
    }
  }
  // The text after the first "=", empty for a negative index or an item without one.
  String ValueFromIndex(int index) const {
    if (index < 0) return String();
    const String text = Get(index);
    const auto separator = text.find(kNameValueSeparator);
    return separator == String::npos ? String() : text.substr(separator + 1);
  }
  void SetValueFromIndex(int index, const String& value) {
    if (!value.empty()) {
      if (index < 0) index = Add(String());
      Put(index, Names(index) + kNameValueSeparator + value);
    } else if (index >= 0) {
      Delete(index);
    }
  }

  // --- Whole-list texts --------------------------------------------------
  // Every item followed by CR LF, the last one too.
  virtual String GetTextStr() const {
    const int count = GetCount();
    std::size_t length = 0;
    for (int i = 0; i < count; ++i) length += Get(i).size() + 2;
    String text;
    text.reserve(length);
    for (int i = 0; i < count; ++i) {
      text += Get(i);
      text += Char('\r');
      text += Char('\n');
    }
    return text;
  }
  // Replaces the list by the lines of text; CR LF is one break, and a break
  // at the very end adds no empty item.
  virtual void SetTextStr(View text) {
    Batch([&] {
      Clear();
      std::size_t start = 0;
      std::size_t pos = 0;
      while (pos < text.size()) {
        const std::size_t breakLength = Traits::LineBreakAt(text, pos);
        if (breakLength == 0) {
          ++pos;
          continue;
        }
        Add(String(text.substr(start, pos - start)));
        pos += breakLength;
        start = pos;
      }
      if (start < text.size()) Add(String(text.substr(start)));
    });
  }
  String Text() const { return GetTextStr(); }
  void SetText(View text) { SetTextStr(text); }

  String CommaText() const { return DelimitedTextWith(Char(','), Char('"'), false); }
  void SetCommaText(View text) { SetDelimitedTextWith(text, Char(','), Char('"'), false); }

  // --- Files and streams -------------------------------------------------
  void SaveToStream(TStream& stream) const {
    const TBytes bytes = Traits::EncodeText(GetTextStr());
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  }
  // Reads from the stream's position to its end.
  void LoadFromStream(TStream& stream) {
    Batch([&] { SetTextStr(Traits::DecodeText(stream.ReadRemaining())); });
  }
  void SaveToFile(const std::string& fileName) const {
    const TBytes bytes = Traits::EncodeText(GetTextStr());
    WriteFileBytes(fileName, bytes.data(), bytes.size());
  }
  void LoadFromFile(const std::string& fileName) {
    if constexpr (Traits::kLoadFromFileSwallowsErrors) {
      try {
        TFileStream file(fileName, fmOpenRead);
        LoadFromStream(file);
      } catch (const Exception&) {
      }
    } else {
      TFileStream file(fileName, fmOpenRead);
      LoadFromStream(file);
    }
  }

  // --- Flags -------------------------------------------------------------
  bool Sorted() const { return sorted_; }
  // Turning sorting on sorts the list first.
  void SetSorted(bool value) {
    if (value == sorted_) return;
    if (value) Sort();
    sorted_ = value;
  }
  bool CaseSensitive() const { return caseSensitive_; }
  // A sorted list is sorted again by the new comparison.
  void SetCaseSensitive(bool value) {
    if (value == caseSensitive_) return;
    caseSensitive_ = value;
    if (sorted_) {
      sorted_ = false;
      Sort();
      sorted_ = true;
    }
  }

 protected:
  static constexpr Char kNameValueSeparator = Char('=');

  void DefineProperties(TFiler& filer) override {
    TPersistent::DefineProperties(filer);
    filer.DefineProperty(
        Traits::kStreamPropertyName, [this](TReader& reader) { ReadItems(reader); },
        [this](TWriter& writer) { WriteItems(writer); }, GetCount() > 0);
  }

  // Called with true by the first BeginUpdate, with false by the last EndUpdate.
  virtual void SetUpdateState(bool) {}
  int UpdateCount() const { return updateCount_; }

  bool CheckIndex(int index) const {
    if (index >= 0 && index < GetCount()) return true;
    Traits::ListError(TListFault::IndexOutOfBounds, index);
    return false;
  }

  // Runs body inside BeginUpdate/EndUpdate, also when it throws.
  template <class Body>
  void Batch(Body&& body) {
    BeginUpdate();
    try {
      body();
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  }

  String DelimitedTextWith(Char delimiter, Char quote, bool strict) const {
    const int count = GetCount();
    if (count == 1 && Get(0).empty()) return String(2, quote);
    String result;
    for (int i = 0; i < count; ++i) {
      if (i > 0) result += delimiter;
      const String item = Get(i);
      if (NeedsQuotes(item, delimiter, quote, strict)) AppendQuoted(result, item, quote);
      else result += item;
    }
    return result;
  }

  // Replaces the list by the items of text. Without strict, blanks and
  // control characters around items are skipped and end an unquoted item.
  void SetDelimitedTextWith(View text, Char delimiter, Char quote, bool strict) {
    text = text.substr(0, text.find(Char(0)));
    Batch([&] {
      Clear();
      std::size_t pos = 0;
      auto skipBlanks = [&] {
        if (!strict)
          while (pos < text.size() && IsBlank(text[pos])) ++pos;
      };
      skipBlanks();
      while (pos < text.size()) {
        Add(text[pos] == quote ? ExtractQuoted(text, pos, quote) : ExtractPlain(text, pos, delimiter, strict));
        skipBlanks();
        if (pos < text.size() && text[pos] == delimiter) {
          ++pos;
          if (Traits::kTrailingDelimiterAddsItem && pos == text.size()) Add(String());
          skipBlanks();
        }
      }
    });
  }

 private:
  static bool IsBlank(Char c) { return Unit(c) >= 1 && Unit(c) <= 32; }
  static auto Unit(Char c) { return static_cast<std::make_unsigned_t<Char>>(c); }

  static bool NeedsQuotes(View item, Char delimiter, Char quote, bool strict) {
    for (Char c : item)
      if (c == quote || c == delimiter || (!strict && Unit(c) <= 32)) return true;
    return false;
  }
  static void AppendQuoted(String& out, View item, Char quote) {
    out += quote;
    for (Char c : item) {
      if (c == quote) out += quote;
      out += c;
    }
    out += quote;
  }
  // From an opening quote to the next single quote; a doubled quote stands
  // for one. An unclosed quote runs to the end.
  static String ExtractQuoted(View text, std::size_t& pos, Char quote) {
    String item;
    ++pos;
    while (pos < text.size()) {
      if (text[pos] == quote) {
        if (pos + 1 < text.size() && text[pos + 1] == quote) {
          item += quote;
          pos += 2;
          continue;
        }
        ++pos;
        break;
      }
      item += text[pos++];
    }
    return item;
  }
  static String ExtractPlain(View text, std::size_t& pos, Char delimiter, bool strict) {
    const std::size_t start = pos;
    while (pos < text.size() && text[pos] != delimiter && (strict || Unit(text[pos]) > 32)) ++pos;
    return String(text.substr(start, pos - start));
  }

  void ReadItems(TReader& reader) {
    reader.ReadListBegin();
    Batch([&] {
      Clear();
      while (!reader.EndOfList()) Add(Traits::ReadItem(reader));
    });
    reader.ReadListEnd();
  }
  void WriteItems(TWriter& writer) const {
    writer.WriteListBegin();
    const int count = GetCount();
    for (int i = 0; i < count; ++i) Traits::WriteItem(writer, Get(i));
    writer.WriteListEnd();
  }

  int IndexOfPart(View wanted, bool name) const {
    const int count = GetCount();
    for (int i = 0; i < count; ++i) {
      const String text = Get(i);
      const auto separator = text.find(kNameValueSeparator);
      if (separator == String::npos) continue;
      const View part = name ? View(text).substr(0, separator) : View(text).substr(separator + 1);
      if (CompareStrings(part, wanted) == 0) return i;
    }
    return -1;
  }

  int updateCount_ = 0;
  bool caseSensitive_ = false;
  bool sorted_ = false;
};

// The concrete list over Base (a BasicStrings): texts with objects in a
// growable array, optionally sorted, with change events.
template <class Base>
class BasicStringList : public Base {
 public:
  using typename Base::Char;
  using typename Base::String;
  using typename Base::Traits;
  using typename Base::View;
  // Fired before and after each change with the list as sender; a
  // BeginUpdate/EndUpdate bracket fires OnChanging once at its start and
  // OnChange once at its end.
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  ~BasicStringList() override {
    OnChange = nullptr;
    OnChanging = nullptr;
  }

  String Get(int index) const override {
    if (!this->CheckIndex(index)) return String();
    return items_[index].text;
  }
  int GetCount() const override { return static_cast<int>(items_.size()); }
  TObject* GetObject(int index) const override {
    if (!this->CheckIndex(index)) return nullptr;
    return items_[index].object;
  }
  void PutObject(int index, TObject* object) override {
    if (!this->CheckIndex(index)) return;
    Changing();
    items_[index].object = object;
    Changed();
  }
  int GetCapacity() const override { return capacity_; }
  void SetCapacity(int capacity) override {
    if (capacity < GetCount()) return Traits::ListError(TListFault::CapacityOutOfBounds, capacity);
    capacity_ = capacity;
    items_.reserve(static_cast<std::size_t>(capacity_));
  }

  // A sorted list reports the misuse; an index outside 0..Count changes nothing.
  void Insert(int index, const String& text) override { InsertObject(index, text, nullptr); }
  void InsertObject(int index, const String& text, TObject* object) override {
    if (this->Sorted()) Traits::ListError(TListFault::SortedList, index);
    if (index < 0 || index > GetCount()) return Traits::ListError(TListFault::IndexOutOfBounds, index);
    InsertItem(index, text, object);
  }
  void Put(int index, const String& text) override {
    if (this->Sorted()) Traits::ListError(TListFault::SortedList, index);
    if (!this->CheckIndex(index)) return;
    Changing();
    items_[index].text = text;
    Changed();
  }
  void Delete(int index) override {
    if (!this->CheckIndex(index)) return;
    Changing();
    items_.erase(items_.begin() + index);
    Changed();
  }
  void Clear() override {
    if (items_.empty()) return;
    Changing();
    items_.clear();
    items_.shrink_to_fit();
    capacity_ = 0;
    Changed();
  }
  void Exchange(int index1, int index2) override {
    if (!this->CheckIndex(index1) || !this->CheckIndex(index2)) return;
    Changing();
    std::swap(items_[index1], items_[index2]);
    Changed();
  }

  int Add(const String& text) override { return AddObject(text, nullptr); }
  // In a sorted list an equal text is ignored (its index returned, its object
  // kept), accepted before the equal ones, or reported (dupError) and then
  // accepted.
  int AddObject(const String& text, TObject* object) override {
    int index = GetCount();
    if (this->Sorted() && Find(text, index)) {
      if (duplicates_ == dupIgnore) return index;
      if (duplicates_ == dupError) Traits::ListError(TListFault::Duplicate, index);
    }
    InsertItem(index, text, object);
    return index;
  }

  int IndexOf(View text) const override {
    if (!this->Sorted()) return Base::IndexOf(text);
    int index = -1;
    return Find(text, index) ? index : -1;
  }

  // Binary search of a sorted list. Found: index is the first equal item in
  // dupAccept mode, else the equal item met first. Not found: the insertion
  // point.
  bool Find(View text, int& index) const {
    int lo = 0;
    int hi = GetCount() - 1;
    bool found = false;
    while (lo <= hi) {
      const int mid = static_cast<int>(static_cast<unsigned>(lo + hi) >> 1);
      const int c = this->CompareStrings(items_[mid].text, text);
      if (c < 0) {
        lo = mid + 1;
      } else {
        hi = mid - 1;
        if (c == 0) {
          found = true;
          if (duplicates_ != dupAccept) lo = mid;
        }
      }
    }
    index = lo;
    return found;
  }

  void Sort() override {
    if (this->Sorted() || GetCount() < 2) return;
    Changing();
    QuickSort(0, GetCount() - 1);
    Changed();
  }

  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }

 protected:
  void SetUpdateState(bool updating) override {
    if (updating) Changing();
    else Changed();
  }
  void Changing() {
    if (this->UpdateCount() == 0) OnChanging(this);
  }
  void Changed() {
    if (this->UpdateCount() == 0) OnChange(this);
  }

 private:
  struct Item {
    String text;
    TObject* object = nullptr;
  };

  void InsertItem(int index, const String& text, TObject* object) {
    Changing();
    if (GetCount() == capacity_) Grow();
    items_.insert(items_.begin() + index, Item{text, object});
    Changed();
  }
  void Grow() {
    const int delta = capacity_ > 64 ? capacity_ / 4 : capacity_ > 8 ? 16 : 4;
    SetCapacity(capacity_ + delta);
  }

  // Hoare partition around the middle text; recursion goes to the smaller
  // part so the stack stays shallow.
  void QuickSort(int lo, int hi) {
    while (lo < hi) {
      const String pivot = items_[static_cast<unsigned>(lo + hi) >> 1].text;
      int i = lo;
      int j = hi;
      do {
        while (this->CompareStrings(items_[i].text, pivot) < 0) ++i;
        while (this->CompareStrings(items_[j].text, pivot) > 0) --j;
        if (i <= j) {
          if (i != j) std::swap(items_[i], items_[j]);
          ++i;
          --j;
        }
      } while (i <= j);
      if (j - lo < hi - i) {
        QuickSort(lo, j);
        lo = i;
      } else {
        QuickSort(i, hi);
        hi = j;
      }
    }
  }

  std::vector<Item> items_;
  int capacity_ = 0;
  TDuplicates duplicates_ = dupIgnore;
};

}  // namespace rtl
