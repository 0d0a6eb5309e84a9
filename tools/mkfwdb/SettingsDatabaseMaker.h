#pragma once
// Makes settings databases and the firmware packages inside them, exactly as
// the program reads them: tables splash, controller, software and dbversion;
// packages of two hex-text parts with their MD5 texts, enciphered with the
// program's key material. Used by the tests at test time and by the build
// for the sample databases of the program folder.
#include <cstdint>
#include <string>
#include <vector>

#include "device/SqliteDb.h"

namespace fwdb {

using Bytes = std::vector<std::uint8_t>;

/// Hex text as packages carry it: upper-case digits, CR LF after every 32
/// characters (none after the last line).
std::string FirmwareHexText(const Bytes& bytes);

/// The plaintext package: the two length words (text length + 32, little
/// endian), part A's text, its MD5 text, part B's text, its MD5 text.
Bytes PackFirmware(const std::string& textA, const std::string& textB);

/// Enciphers a plaintext package for the database row of `version` (the key
/// text is the package length in decimal followed by the version).
Bytes EncryptPackage(const Bytes& plain, const std::string& version);

/// PackFirmware of both parts' hex texts, enciphered for `version`.
Bytes MakePackage(const Bytes& partA, const Bytes& partB, const std::string& version);

/// Firmware bytes of `size` for samples, the same for the same seed text.
Bytes SampleFirmware(std::size_t size, const std::string& seed);

/// Writes the settings databases a recipe describes into `outputDir`.
/// Recipe lines (blank lines and lines starting with "#" are skipped):
///   database <file name> <dbversion name>   starts a new database
///   splash <controller model key>           a splash row of that database
///   controller <hardware version>           a hardware version of the last splash
///   software <version> <bytes A> <bytes B>  a firmware version of the last
///                                           hardware, sample parts of those sizes
///                                           (part A names the version, as the
///                                           simulated loader reads it back)
/// Raises rtl::Exception on an unreadable recipe or a line it cannot follow.
void MakeDatabasesFromRecipe(const std::string& recipePath, const std::string& outputDir);

/// A new settings database (an existing file is replaced). Raises
/// rtl::Exception when the file cannot be written.
class SettingsDatabaseMaker {
 public:
  explicit SettingsDatabaseMaker(const std::string& path);

  void SetDatabaseVersion(const std::string& name);
  /// Adds a splash row for a controller model key; returns its key.
  int AddSplash(const std::string& title);
  /// Adds a hardware version of a splash row; returns its key.
  int AddController(const std::string& name, int splashKey);
  /// Adds a firmware version with its enciphered package; returns its key.
  int AddSoftware(const std::string& version, int controllerKey, const Bytes& package);

 private:
  int Insert(const std::string& sql, const std::vector<std::string>& texts, const Bytes* blob = nullptr);
  device::SqliteDb db_;
};

}  // namespace fwdb
