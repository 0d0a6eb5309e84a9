#include "platform/net/ZipFile.h"

#include <sys/stat.h>
#include <zip.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "platform/rtl/AtomicFile.h"

namespace net {
namespace {

namespace fs = std::filesystem;

struct ZipArchiveDeleter {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipEntryDeleter {
  void operator()(zip_file_t* entry) const { zip_fclose(entry); }
};
using ZipArchive = std::unique_ptr<zip_t, ZipArchiveDeleter>;
using ZipEntry = std::unique_ptr<zip_file_t, ZipEntryDeleter>;

[[noreturn]] void Fail(const std::string& zipFileName, const std::string& reason) {
  throw EZipError(rtl::Format("%s: %s", zipFileName.c_str(), reason.c_str()));
}

ZipArchive OpenArchive(const std::string& zipFileName) {
  int code = 0;
  zip_t* archive = zip_open(zipFileName.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
  if (!archive) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const std::string reason = zip_error_strerror(&error);
    zip_error_fini(&error);
    Fail(zipFileName, reason);
  }
  return ZipArchive(archive);
}

// The entry's path below the target folder, or nothing when it would leave it.
std::optional<fs::path> ContainedPath(std::string name) {
  for (char& c : name)
    if (c == '\\') c = '/';
  if (name.starts_with('/') || (name.size() >= 2 && name[1] == ':')) return std::nullopt;
  fs::path path;
  std::size_t start = 0;
  while (start <= name.size()) {
    const std::size_t end = std::min(name.find('/', start), name.size());
    const std::string part = name.substr(start, end - start);
    if (part == "..") return std::nullopt;
    if (!part.empty() && part != ".") path /= part;
    start = end + 1;
  }
  return path;
}

void MakeFolder(const fs::path& path, const std::string& zipFileName) {
  std::error_code error;
  fs::create_directories(path, error);
  if (error) Fail(zipFileName, rtl::Format("cannot make folder \"%s\": %s", path.c_str(), error.message().c_str()));
}

bool IsSymbolicLink(zip_t* archive, zip_uint64_t index) {
  zip_uint8_t system = 0;
  zip_uint32_t attributes = 0;
  if (zip_file_get_external_attributes(archive, index, 0, &system, &attributes) != 0) return false;
  return system == ZIP_OPSYS_UNIX && ((attributes >> 16) & S_IFMT) == S_IFLNK;
}

struct Entry {
  zip_uint64_t index;
  fs::path path;
  bool folder;
};

[[noreturn]] void FailTooLarge(const std::string& zipFileName, const TZipLimits& limits) {
  Fail(zipFileName, rtl::Format("unpacks to more than %lld bytes", static_cast<long long>(limits.maxUnpackedBytes)));
}

// The size the archive states for an entry.
std::int64_t StatedSize(zip_t* archive, zip_uint64_t index, const std::string& zipFileName) {
  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_stat_index(archive, index, 0, &stat) != 0) Fail(zipFileName, zip_strerror(archive));
  if (!(stat.valid & ZIP_STAT_SIZE) || stat.size > static_cast<zip_uint64_t>(INT64_MAX)) return INT64_MAX;
  return static_cast<std::int64_t>(stat.size);
}

std::vector<Entry> CheckedEntries(zip_t* archive, const std::string& zipFileName, const TZipLimits& limits) {
  const zip_int64_t count = zip_get_num_entries(archive, 0);
  if (count < 0 || static_cast<std::uint64_t>(count) > limits.maxEntries)
    Fail(zipFileName, rtl::Format("more than %zu entries", limits.maxEntries));
  std::vector<Entry> entries;
  std::int64_t total = 0;
  for (zip_int64_t index = 0; index < count; ++index) {
    const char* name = zip_get_name(archive, index, 0);
    if (!name) Fail(zipFileName, zip_strerror(archive));
    const auto path = ContainedPath(name);
    if (!path || IsSymbolicLink(archive, index)) Fail(zipFileName, rtl::Format("refused entry \"%s\"", name));
    const std::string_view text(name);
    const bool folder = text.ends_with('/') || text.ends_with('\\');
    if ((path->empty() && !folder) || (limits.accept && !limits.accept(path->generic_string(), folder)))
      Fail(zipFileName, rtl::Format("refused entry \"%s\"", name));
    const std::int64_t size = StatedSize(archive, static_cast<zip_uint64_t>(index), zipFileName);
    if (size > limits.maxUnpackedBytes - total) FailTooLarge(zipFileName, limits);
    total += size;
    entries.push_back({static_cast<zip_uint64_t>(index), *path, folder});
  }
  return entries;
}

// Reads one entry into a writer that holds it under a temporary name;
// `budget` is what the archive may still unpack to.
std::unique_ptr<rtl::TAtomicFileWriter> Stage(zip_t* archive, const Entry& entry, const fs::path& target,
                                              const std::string& zipFileName, const TZipLimits& limits,
                                              std::int64_t& budget) {
  ZipEntry file(zip_fopen_index(archive, entry.index, 0));
  if (!file) Fail(zipFileName, zip_strerror(archive));
  auto writer = std::make_unique<rtl::TAtomicFileWriter>(target.string());
  char buffer[65536];
  while (true) {
    const zip_int64_t read = zip_fread(file.get(), buffer, sizeof buffer);
    if (read < 0) Fail(zipFileName, rtl::Format("\"%s\": %s", entry.path.c_str(), zip_file_strerror(file.get())));
    if (read == 0) break;
    budget -= read;
    if (budget < 0) FailTooLarge(zipFileName, limits);
    writer->Write(buffer, static_cast<std::size_t>(read));
  }
  writer->Close();
  return writer;
}

}  // namespace

void ExtractZipFile(const std::string& zipFileName, const std::string& folder, const TZipLimits& limits) {
  const ZipArchive archive = OpenArchive(zipFileName);
  const std::vector<Entry> entries = CheckedEntries(archive.get(), zipFileName, limits);
  const fs::path base(folder);
  std::int64_t budget = limits.maxUnpackedBytes;
  std::vector<std::unique_ptr<rtl::TAtomicFileWriter>> staged;
  for (const Entry& entry : entries) {
    const fs::path target = base / entry.path;
    if (entry.folder) {
      MakeFolder(target, zipFileName);
      continue;
    }
    MakeFolder(target.parent_path(), zipFileName);
    staged.push_back(Stage(archive.get(), entry, target, zipFileName, limits, budget));
  }
  for (const auto& writer : staged) writer->Commit();
}

}  // namespace net
