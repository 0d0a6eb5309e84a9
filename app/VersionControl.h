#pragma once
// The versions of the program and of its settings databases: those
// installed, read from "version_control.xml" in the program folder, and
// those the web server's copy of that file offers, with the rule that says
// whether an offer is newer.
//
// The file: a document element of any name whose first direct children
// named Software and Database each hold Version (a text), VersionCode (an
// optional integer), ReadmeCn, ReadmeEn (release-notes addresses) and Url
// (package addresses separated by "|").
#include <cstdint>
#include <string>

namespace app {

struct UpdateState {
  // Both local elements carry a VersionCode: versions compare as numbers.
  bool NumericVersionCodes = false;
  std::int32_t LocalSoftwareCode = 0;
  std::int32_t LocalDatabaseCode = 0;
  std::int32_t RemoteSoftwareCode = 0;
  std::int32_t RemoteDatabaseCode = 0;
  std::string LocalSoftwareVersion;
  std::string LocalDatabaseVersion;
  std::string RemoteSoftwareVersion;
  std::string RemoteDatabaseVersion;
  std::string ReadmeUrl;
  std::string PackageUrls;
  std::string VersionFileUrl;
  bool AutoUpdate = true;  ///< the automatic-update switch, from lang.ini
};

enum class UpdateTarget { Software, Database };

// Reads the installed versions from programFolder + "version_control.xml"
// (programFolder ends with "/"). The reading stops quietly at the first
// thing missing or wrong (no file, not well formed, no Software, Database
// or Version element, a VersionCode that is no integer); what was set
// before stays. The codes and NumericVersionCodes are set together, only
// when both codes are integers.
void GetXMLDBVersion(UpdateState& state, const std::string& programFolder);

// Reads what the fetched description `fileName` offers for `target` into
// the remote fields: the code (only with NumericVersionCodes, and only when
// the element has one), the version text, ReadmeUrl (ReadmeCn when
// `chinese`, else ReadmeEn) and PackageUrls, in that order. Raises
// net::EXmlError, or rtl::EConvertError for a code that is no integer, at
// the first failure; the fields after it keep their values.
void ReadOfferedVersion(UpdateState& state, const std::string& fileName, UpdateTarget target, bool chinese);

// Whether the offer is newer than what is installed: by code when
// NumericVersionCodes is set, else by version text, byte by byte as
// unsigned bytes, a proper prefix being the smaller ("V4.0.10" is not newer
// than "V4.0.9"; "V4.0.5" is newer than "V4.0").
bool IsNewerOffer(const UpdateState& state, UpdateTarget target);

}  // namespace app
