#pragma once
// The device description: which parameter pages and parameters a device
// has, read from its section of lang.ini.
//
// A description is chosen by the device's controller C, hardware version H
// and firmware version F. Four section names are tried: the exact "C H F",
// the longest firmware prefix "C H Fn" (n >= 2 characters), the longest
// hardware prefix "C Hn", and "C" alone; every key is read from the first of
// them that names a section, and a key missing there takes its built-in
// default (never the value of a later section).
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "app/IniStore.h"

namespace params {

inline constexpr int MaxPages = 6;
inline constexpr int MaxItems = 40;

// The mode selector of a multi-mode controller.
struct SITE {
  bool enabled = false;
  std::string cvalue, evalue;  // the modes, an option list (Chinese, English)
  std::string link;            // held, unused
  std::string chelp, ehelp;
};

// One parameter page.
struct TAB {
  std::string cname, cdetail, ename, edetail;
  std::string icon;   // picture of the page's side-list entry, relative to the program folder
  std::string group;  // ","-separated parameter indices in display order; "-" opens a group box
};

// One parameter.
struct ITEM {
  std::string chelp, cname, cvalue;
  std::string ehelp, ename, evalue;
  std::string min, max;
  std::string link, locklink, minlink, maxlink;
  std::string cunit, eunit, cunit1, eunit1, cunit2, eunit2;
  std::string mincustom, maxcustom;
  std::string cdetail, edetail;
  int mode = 0;     // ItemMode
  int maxnode = 0;  // most nodes the curve editors allow
};

// A whole description. Only the first `tab` pages and `item` parameters are
// meaningful; a load leaves the records beyond the new counts as they were.
struct VERSION {
  int tab = 0;   // 0 to MaxPages
  int item = 0;  // 0 to MaxItems
  int max = 0;   // most parameters accepted from a device
  int addon = 0;
  SITE site;
  std::array<TAB, MaxPages> tabs;
  std::array<ITEM, MaxItems> items;
};

// The device texts a description is chosen by.
struct DescriptionKey {
  std::string controller, hardware, firmware;
};

// Pictures of the about, software-information, data-recorder and calculator
// entries of the side list; empty names leave the pictures as they are.
struct DescriptionIcons {
  std::string about, firmware, data, calc;
};

struct LoadedDescription {
  VERSION version;
  DescriptionIcons icons;
};

// The four candidate sections; an empty name is no candidate.
struct DescriptionSections {
  std::string exact, firmwarePrefix, hardwarePrefix, controller;
  // The first non-empty name, or empty when there is none.
  const std::string& Chosen() const;
};

// The sections for a section `name` (non-empty: that section alone, whether
// it exists or not) or, with an empty name, for the device.
DescriptionSections ResolveDescriptionSections(const app::IniStore& langIni, const std::string& name,
                                               const DescriptionKey& device);

// Typed reads of one key from the chosen section (integers decimal or "0x";
// a boolean is an integer, not 0 meaning true; anything else the default).
std::string ReadDescString(const app::IniStore& langIni, const DescriptionSections& sections,
                           const std::string& key, const std::string& defaultValue);
int ReadDescInteger(const app::IniStore& langIni, const DescriptionSections& sections,
                    const std::string& key, int defaultValue);
bool ReadDescBool(const app::IniStore& langIni, const DescriptionSections& sections,
                  const std::string& key, bool defaultValue);

// Reads the description named `name`, or the device's own with an empty
// name, into `loaded`. A non-empty name also becomes the device's
// controller. Counts above MaxPages and MaxItems are clamped (also those
// beyond 32 bits; such a "max" reads as the largest int), negative counts
// read as 0, and page groups keep only their valid entries (PageEntries).
// When no page read has a group, page 0 lists every parameter ("0,1,2").
void LoadDeviceDescription(const app::IniStore& langIni, const std::string& name,
                           DescriptionKey& device, LoadedDescription& loaded);

// One background load: created, it starts at once on its own thread and
// loads the device's description from `langIni` into a copy of `current`.
// The worker touches nothing but that copy and the store, which it keeps
// alive. The UI side polls Finished() and then takes the result.
class MyThread {
 public:
  MyThread(std::shared_ptr<const app::IniStore> langIni, DescriptionKey device,
           LoadedDescription current);
  ~MyThread();  // waits for the load
  MyThread(const MyThread&) = delete;
  MyThread& operator=(const MyThread&) = delete;

  // True once the load has ended (the result is then complete).
  bool Finished() const noexcept { return finished_.load(std::memory_order_acquire); }
  // Waits for the load and hands over its result; call once.
  LoadedDescription TakeResult();

 private:
  void Execute();

  std::shared_ptr<const app::IniStore> langIni_;
  DescriptionKey device_;
  LoadedDescription result_;
  std::atomic<bool> finished_{false};
  std::thread thread_;
};

// The description part of the main form: the one VERSION record, loads on
// the UI thread and in the background, and the DescriptionLoaded flag.
// Every member is for the UI thread.
class DeviceDescription {
 public:
  using StoreSource = std::function<std::shared_ptr<const app::IniStore>()>;
  using IconSink = std::function<void(const DescriptionIcons&)>;

  // `langIni` gives the current store at each load; `applyIcons` receives
  // the icon names of every load, on the UI thread.
  DeviceDescription(StoreSource langIni, IconSink applyIcons);
  ~DeviceDescription();

  const VERSION& Version() const { return current_.version; }
  // For the editors that fill in link defaults on the record.
  VERSION& Version() { return current_.version; }

  // Loads at once (after ending a background load that still runs).
  void LoadDeviceDescription(const std::string& name, DescriptionKey& device);
  // Starts a background load of the device's own description (after
  // ending an earlier one); DescriptionLoaded() reads false from this call
  // until the load has been taken in.
  void StartBackgroundLoad(const DescriptionKey& device);
  // Polls the background load: once it has ended, its result replaces the
  // description (and its icons are applied) and this returns true.
  bool DescriptionLoaded();

 private:
  void TakeBackgroundResult();

  StoreSource langIni_;
  IconSink applyIcons_;
  LoadedDescription current_;
  std::unique_ptr<MyThread> thread_;
};

}  // namespace params
