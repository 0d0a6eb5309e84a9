#include "params/DeviceDescription.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "params/PageEntries.h"

namespace params {
namespace {

std::string Joined(const std::string& a, const std::string& b) { return a + " " + b; }

// The first candidate, from the whole text down to its first two
// characters, that names a section; empty when none does.
std::string LongestPrefixSection(const app::IniStore& langIni, const std::string& head,
                                 const std::string& text) {
  for (std::size_t n = text.size(); n >= 2; --n) {
    std::string candidate = Joined(head, text.substr(0, n));
    if (langIni.SectionExists(candidate)) return candidate;
  }
  return {};
}

std::string ExistingOrEmpty(const app::IniStore& langIni, std::string name) {
  return langIni.SectionExists(name) ? name : std::string();
}

bool AllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

class DescriptionReader {
 public:
  DescriptionReader(const app::IniStore& langIni, DescriptionSections sections)
      : langIni_(langIni), sections_(std::move(sections)) {}

  std::string Text(const std::string& key, const std::string& defaultValue = {}) const {
    return ReadDescString(langIni_, sections_, key, defaultValue);
  }
  int Integer(const std::string& key, int defaultValue) const {
    return ReadDescInteger(langIni_, sections_, key, defaultValue);
  }
  bool Bool(const std::string& key, bool defaultValue) const {
    return ReadDescBool(langIni_, sections_, key, defaultValue);
  }
  // A count: as Integer, except that decimal digits beyond 32 bits read as
  // the largest count rather than the default, like any other large count.
  int Count(const std::string& key, int defaultValue) const {
    if (AllDigits(Text(key)) && Integer(key, -1) < 0) return std::numeric_limits<int>::max();
    return Integer(key, defaultValue);
  }

  void ReadPage(int number, int itemCount, TAB& page) const {
    const std::string n = std::to_string(number);
    const std::string prefix = "tab" + n;
    page.cname = Text(prefix + "_cname", "标签 " + n);
    page.cdetail = Text(prefix + "_cdetail", "说明 " + n);
    page.ename = Text(prefix + "_ename", "Tab " + n);
    page.edetail = Text(prefix + "_edetail", "Detail " + n);
    page.icon = Text(prefix + "_icon");
    page.group = PageGroupText(PageEntries(Text(prefix + "_group"), itemCount));
  }

  void ReadItem(int number, ITEM& item) const {
    const std::string n = std::to_string(number);
    const std::string prefix = "item" + n;
    item.chelp = Text(prefix + "_chelp", "帮助 " + n);
    item.cname = Text(prefix + "_cname", "项目 " + n);
    item.cvalue = Text(prefix + "_cvalue");
    item.ehelp = Text(prefix + "_ehelp", "Help " + n);
    item.ename = Text(prefix + "_ename", "Item " + n);
    item.evalue = Text(prefix + "_evalue");
    item.min = Text(prefix + "_min", "0");
    item.max = Text(prefix + "_max", "0");
    item.link = Text(prefix + "_link");
    item.locklink = Text(prefix + "_locklink");
    item.minlink = Text(prefix + "_minlink");
    item.maxlink = Text(prefix + "_maxlink");
    item.cunit = Text(prefix + "_cunit");
    item.eunit = Text(prefix + "_eunit");
    item.cunit1 = Text(prefix + "_cunit1");
    item.eunit1 = Text(prefix + "_eunit1");
    item.cunit2 = Text(prefix + "_cunit2");
    item.eunit2 = Text(prefix + "_eunit2");
    item.mincustom = Text(prefix + "_mincustom", "0");
    item.maxcustom = Text(prefix + "_maxcustom", "0");
    item.mode = Integer(prefix + "_mode", 7);
    item.maxnode = Integer(prefix + "_maxnode", DefaultMaxNode(item.mode));
    item.cdetail = Text(prefix + "_cdetail");
    item.edetail = Text(prefix + "_edetail");
  }

 private:
  static int DefaultMaxNode(int mode) {
    if (mode == 8 || mode == 12) return 16;
    if (mode == 9) return 64;
    return 0;
  }

  const app::IniStore& langIni_;
  DescriptionSections sections_;
};

// The store to read, or an empty one when the program has none yet.
const app::IniStore& StoreOrEmpty(const std::shared_ptr<const app::IniStore>& store) {
  static const app::IniStore empty;
  return store ? *store : empty;
}

std::string AllItemsGroup(int itemCount) {
  std::string group;
  for (int i = 0; i < itemCount; ++i) {
    if (!group.empty()) group += ',';
    group += std::to_string(i);
  }
  return group;
}

}  // namespace

const std::string& DescriptionSections::Chosen() const {
  for (const std::string* name : {&exact, &firmwarePrefix, &hardwarePrefix, &controller}) {
    if (!name->empty()) return *name;
  }
  return controller;
}

DescriptionSections ResolveDescriptionSections(const app::IniStore& langIni, const std::string& name,
                                               const DescriptionKey& device) {
  DescriptionSections sections;
  if (!name.empty()) {
    sections.exact = name;
    return sections;
  }
  const std::string& c = device.controller;
  if (c.empty()) return sections;
  sections.exact = ExistingOrEmpty(langIni, Joined(Joined(c, device.hardware), device.firmware));
  sections.firmwarePrefix = LongestPrefixSection(langIni, Joined(c, device.hardware), device.firmware);
  sections.hardwarePrefix = LongestPrefixSection(langIni, c, device.hardware);
  sections.controller = ExistingOrEmpty(langIni, c);
  return sections;
}

std::string ReadDescString(const app::IniStore& langIni, const DescriptionSections& sections,
                           const std::string& key, const std::string& defaultValue) {
  const std::string& section = sections.Chosen();
  return section.empty() ? defaultValue : langIni.ReadString(section, key, defaultValue);
}

int ReadDescInteger(const app::IniStore& langIni, const DescriptionSections& sections,
                    const std::string& key, int defaultValue) {
  const std::string& section = sections.Chosen();
  return section.empty() ? defaultValue : langIni.ReadInteger(section, key, defaultValue);
}

bool ReadDescBool(const app::IniStore& langIni, const DescriptionSections& sections,
                  const std::string& key, bool defaultValue) {
  const std::string& section = sections.Chosen();
  return section.empty() ? defaultValue : langIni.ReadBool(section, key, defaultValue);
}

void LoadDeviceDescription(const app::IniStore& langIni, const std::string& name,
                           DescriptionKey& device, LoadedDescription& loaded) {
  if (!name.empty()) device.controller = name;
  const DescriptionReader read(langIni, ResolveDescriptionSections(langIni, name, device));

  loaded.icons = {read.Text("abouticon"), read.Text("firmwareicon"), read.Text("dataicon"),
                  read.Text("calcicon")};

  VERSION& version = loaded.version;
  version.tab = std::clamp(read.Count("tab", 0), 0, MaxPages);
  version.item = std::clamp(read.Count("item", 0), 0, MaxItems);
  version.max = read.Count("max", version.item);
  version.addon = read.Integer("addon", 0);
  version.site.enabled = read.Bool("site_enabled", false);
  version.site.cvalue = read.Text("site_cvalue");
  version.site.evalue = read.Text("site_evalue");
  version.site.link = read.Text("site_link");
  version.site.chelp = read.Text("site_chelp");
  version.site.ehelp = read.Text("site_ehelp");

  bool anyGroup = false;
  for (int j = 0; j < version.tab; ++j) {
    read.ReadPage(j + 1, version.item, version.tabs[j]);
    anyGroup = anyGroup || !version.tabs[j].group.empty();
  }
  for (int i = 0; i < version.item; ++i) read.ReadItem(i + 1, version.items[i]);
  if (!anyGroup) version.tabs[0].group = AllItemsGroup(version.item);
}

MyThread::MyThread(std::shared_ptr<const app::IniStore> langIni, DescriptionKey device,
                   LoadedDescription current)
    : langIni_(std::move(langIni)), device_(std::move(device)), result_(std::move(current)) {
  thread_ = std::thread([this] { Execute(); });
}

MyThread::~MyThread() {
  if (thread_.joinable()) thread_.join();
}

void MyThread::Execute() {
  // The UI thread waits for the flag, so a load that fails must set it too;
  // it then keeps the description it started from.
  try {
    LoadedDescription loaded = result_;
    LoadDeviceDescription(StoreOrEmpty(langIni_), {}, device_, loaded);
    result_ = std::move(loaded);
  } catch (...) {
  }
  finished_.store(true, std::memory_order_release);
}

LoadedDescription MyThread::TakeResult() {
  if (thread_.joinable()) thread_.join();
  return std::move(result_);
}

DeviceDescription::DeviceDescription(StoreSource langIni, IconSink applyIcons)
    : langIni_(std::move(langIni)), applyIcons_(std::move(applyIcons)) {}

DeviceDescription::~DeviceDescription() = default;

void DeviceDescription::LoadDeviceDescription(const std::string& name, DescriptionKey& device) {
  if (thread_) TakeBackgroundResult();
  params::LoadDeviceDescription(StoreOrEmpty(langIni_()), name, device, current_);
  if (applyIcons_) applyIcons_(current_.icons);
}

void DeviceDescription::StartBackgroundLoad(const DescriptionKey& device) {
  if (thread_) TakeBackgroundResult();
  thread_ = std::make_unique<MyThread>(langIni_(), device, current_);
}

bool DeviceDescription::DescriptionLoaded() {
  if (!thread_) return true;
  if (!thread_->Finished()) return false;
  TakeBackgroundResult();
  return true;
}

void DeviceDescription::TakeBackgroundResult() {
  current_ = thread_->TakeResult();
  thread_.reset();
  if (applyIcons_) applyIcons_(current_.icons);
}

}  // namespace params
