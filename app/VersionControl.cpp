#include "app/VersionControl.h"

#include "platform/net/XmlDocument.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/NumberText.h"
#include "platform/rtl/TextTrim.h"

namespace app {
namespace {

const char* ElementName(UpdateTarget target) { return target == UpdateTarget::Software ? "Software" : "Database"; }

// A version code, with the blanks a pretty printer puts around it.
int CodeOf(const net::TXmlNode& code) { return rtl::StrToInt(rtl::Trim(code.Text())); }

}  // namespace

void GetXMLDBVersion(UpdateState& state, const std::string& programFolder) {
  try {
    net::TXmlDocument document;
    document.LoadFromFile(programFolder + "version_control.xml");
    const net::TXmlNode root = document.DocumentElement();
    const net::TXmlNode software = root.FindNode("Software");
    const net::TXmlNode database = root.FindNode("Database");
    if (!software || !database) return;
    const net::TXmlNode softwareCode = software.FindNode("VersionCode");
    const net::TXmlNode databaseCode = database.FindNode("VersionCode");
    if (softwareCode && databaseCode) {
      const int localSoftwareCode = CodeOf(softwareCode);
      const int localDatabaseCode = CodeOf(databaseCode);
      state.NumericVersionCodes = true;
      state.LocalSoftwareCode = localSoftwareCode;
      state.LocalDatabaseCode = localDatabaseCode;
    } else {
      state.NumericVersionCodes = false;
    }
    state.LocalSoftwareVersion = software.FindNode("Version").Text();
    state.LocalDatabaseVersion = database.FindNode("Version").Text();
  } catch (const rtl::Exception&) {
  }
}

void ReadOfferedVersion(UpdateState& state, const std::string& fileName, UpdateTarget target, bool chinese) {
  net::TXmlDocument document;
  document.LoadFromFile(fileName);
  const net::TXmlNode element = document.DocumentElement().FindNode(ElementName(target));
  const bool software = target == UpdateTarget::Software;
  if (const net::TXmlNode code = element.FindNode("VersionCode"); code && state.NumericVersionCodes)
    (software ? state.RemoteSoftwareCode : state.RemoteDatabaseCode) = CodeOf(code);
  (software ? state.RemoteSoftwareVersion : state.RemoteDatabaseVersion) = element.FindNode("Version").Text();
  state.ReadmeUrl = element.FindNode(chinese ? "ReadmeCn" : "ReadmeEn").Text();
  state.PackageUrls = element.FindNode("Url").Text();
}

bool IsNewerOffer(const UpdateState& state, UpdateTarget target) {
  const bool software = target == UpdateTarget::Software;
  if (state.NumericVersionCodes)
    return software ? state.LocalSoftwareCode < state.RemoteSoftwareCode
                    : state.LocalDatabaseCode < state.RemoteDatabaseCode;
  // std::string compares its bytes as unsigned characters.
  return software ? state.LocalSoftwareVersion < state.RemoteSoftwareVersion
                  : state.LocalDatabaseVersion < state.RemoteDatabaseVersion;
}

}  // namespace app
