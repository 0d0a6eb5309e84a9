#include "tools/mkfwdb/SettingsDatabaseMaker.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>

#include "device/FirmwareCrypto.h"
#include "platform/hid/SimFirmware.h"
#include "platform/rtl/HexText.h"
#include "platform/rtl/Exceptions.h"

namespace fwdb {
namespace {

constexpr std::size_t kLineChars = 32;

void AppendInt32(Bytes& bytes, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
}

void AppendText(Bytes& bytes, const std::string& text) { bytes.insert(bytes.end(), text.begin(), text.end()); }

std::string Md5Of(const std::string& text) {
  return device::Md5Hex(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

struct RecipeRun {
  std::filesystem::path outputDir;
  std::unique_ptr<SettingsDatabaseMaker> database;
  int splash = 0, controller = 0;

  void Line(const std::string& line) {
    std::istringstream words(line);
    std::string verb;
    words >> verb;
    if (verb.empty() || verb[0] == '#') return;
    if (verb == "database") {
      std::string file, version;
      words >> file >> version;
      database = std::make_unique<SettingsDatabaseMaker>((outputDir / file).string());
      database->SetDatabaseVersion(version);
    } else if (verb == "splash" || verb == "controller" || verb == "software") {
      if (!database) throw rtl::Exception("no database line before: " + line);
      AddRow(verb, words, line);
    } else {
      throw rtl::Exception("unknown recipe line: " + line);
    }
  }

  void AddRow(const std::string& verb, std::istringstream& words, const std::string& line) {
    std::string name;
    words >> name;
    if (verb == "splash") {
      splash = database->AddSplash(name);
    } else if (verb == "controller") {
      controller = database->AddController(name, splash);
    } else {
      std::size_t sizeA = 0, sizeB = 0;
      if (!(words >> sizeA >> sizeB)) throw rtl::Exception("software line needs two sizes: " + line);
      Bytes partA = SampleFirmware(sizeA, name + "A");
      hid::NameSimFirmwareVersion(partA, name);
      database->AddSoftware(name, controller, MakePackage(partA, SampleFirmware(sizeB, name + "B"), name));
    }
  }
};

}  // namespace

std::string FirmwareHexText(const Bytes& bytes) {
  std::string hex = rtl::BytesToHex(bytes);
  std::string text;
  for (std::size_t at = 0; at < hex.size(); at += kLineChars) {
    if (at > 0) text += "\r\n";
    text += hex.substr(at, kLineChars);
  }
  return text;
}

Bytes PackFirmware(const std::string& textA, const std::string& textB) {
  Bytes plain;
  AppendInt32(plain, static_cast<std::uint32_t>(textA.size() + 32));
  AppendInt32(plain, static_cast<std::uint32_t>(textB.size() + 32));
  AppendText(plain, textA);
  AppendText(plain, Md5Of(textA));
  AppendText(plain, textB);
  AppendText(plain, Md5Of(textB));
  return plain;
}

Bytes EncryptPackage(const Bytes& plain, const std::string& version) {
  Bytes blob(plain.size());
  device::EncryptEax("aes", device::FirmwareKey(std::to_string(plain.size()) + version), device::FirmwareNonce(),
                     plain.data(), blob.data(), plain.size());
  return blob;
}

Bytes MakePackage(const Bytes& partA, const Bytes& partB, const std::string& version) {
  return EncryptPackage(PackFirmware(FirmwareHexText(partA), FirmwareHexText(partB)), version);
}

Bytes SampleFirmware(std::size_t size, const std::string& seed) {
  std::seed_seq sequence(seed.begin(), seed.end());
  std::mt19937 generator(sequence);
  Bytes bytes(size);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(generator() >> 24);
  return bytes;
}

SettingsDatabaseMaker::SettingsDatabaseMaker(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
  if (!db_.Create(path) ||
      !db_.Execute("create table splash (key integer primary key, title text);"
                   "create table controller (key integer primary key, name text, splash_key integer);"
                   "create table software (key integer primary key, version text, bootloader blob, "
                   "controller_key integer);"
                   "create table dbversion (name text);"))
    throw rtl::Exception("cannot create the settings database " + path);
}

int SettingsDatabaseMaker::Insert(const std::string& sql, const std::vector<std::string>& texts, const Bytes* blob) {
  device::SqliteStatement insert;
  bool bound = insert.Prepare(db_, sql);
  int index = 1;
  for (const std::string& text : texts) bound = bound && insert.BindText(index++, text);
  if (blob) bound = bound && insert.BindBlob(index, *blob);
  if (!bound || insert.Step() != device::kSqliteDone) throw rtl::Exception("cannot write: " + sql);
  return static_cast<int>(sqlite3_last_insert_rowid(db_.Handle()));
}

void SettingsDatabaseMaker::SetDatabaseVersion(const std::string& name) {
  db_.Execute("delete from dbversion");
  Insert("insert into dbversion (name) values (?)", {name});
}

int SettingsDatabaseMaker::AddSplash(const std::string& title) {
  return Insert("insert into splash (title) values (?)", {title});
}

int SettingsDatabaseMaker::AddController(const std::string& name, int splashKey) {
  return Insert("insert into controller (name, splash_key) values (?, ?)", {name, std::to_string(splashKey)});
}

int SettingsDatabaseMaker::AddSoftware(const std::string& version, int controllerKey, const Bytes& package) {
  return Insert("insert into software (version, controller_key, bootloader) values (?, ?, ?)",
                {version, std::to_string(controllerKey)}, &package);
}

void MakeDatabasesFromRecipe(const std::string& recipePath, const std::string& outputDir) {
  std::ifstream recipe(recipePath);
  if (!recipe) throw rtl::Exception("cannot read " + recipePath);
  RecipeRun run{outputDir, nullptr};
  std::filesystem::create_directories(run.outputDir);
  for (std::string line; std::getline(recipe, line);) run.Line(line);
}

}  // namespace fwdb
