#include "platform/net/XmlDocument.h"

namespace net {

TXmlNode TXmlNode::FindNode(std::string_view name) const {
  for (pugi::xml_node child : node_.children())
    if (child.type() == pugi::node_element && name == child.name()) return TXmlNode(child);
  return {};
}

std::string TXmlNode::Text() const {
  if (!node_) throw EXmlError("No such XML element");
  return node_.text().get();
}

namespace {

// pugixml takes a sequence of top-level elements; a document has one.
bool HasOneDocumentElement(const pugi::xml_document& document) {
  int elements = 0;
  for (pugi::xml_node child : document.children())
    if (child.type() == pugi::node_element) ++elements;
  return elements == 1;
}

}  // namespace

void TXmlDocument::LoadFromFile(const std::string& fileName) {
  const pugi::xml_parse_result result = document_.load_file(fileName.c_str());
  if (!result) {
    document_.reset();
    throw EXmlError(rtl::Format("%s: %s at offset %lld", fileName.c_str(), result.description(),
                                static_cast<long long>(result.offset)));
  }
  if (!HasOneDocumentElement(document_)) {
    document_.reset();
    throw EXmlError(rtl::Format("%s: not one document element", fileName.c_str()));
  }
}

TXmlNode TXmlDocument::DocumentElement() const { return TXmlNode(document_.document_element()); }

}  // namespace net
