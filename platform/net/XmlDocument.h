#pragma once
// The class library's XML document, over pugixml: load a file, take its
// document element, find a direct child by name, read an element's text.
//
// A node may be empty (a child that was not found). Finding under an empty
// node gives an empty node, so a path of lookups needs one check at its
// end; Text of an empty node raises EXmlError, as reading a missing element
// fails in the class library.
#include <memory>
#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "platform/rtl/Exceptions.h"

namespace net {

class EXmlError : public rtl::Exception {
 public:
  using rtl::Exception::Exception;
};

class TXmlNode {
 public:
  TXmlNode() = default;
  explicit TXmlNode(pugi::xml_node node) : node_(node) {}

  explicit operator bool() const { return static_cast<bool>(node_); }
  std::string Name() const { return node_.name(); }
  // The first direct child element called `name` (case-sensitive).
  TXmlNode FindNode(std::string_view name) const;
  // The element's text content (its character data, CDATA included).
  std::string Text() const;

 private:
  pugi::xml_node node_;
};

// Owns the parsed tree; nodes handed out are valid while it lives and until
// the next load.
class TXmlDocument {
 public:
  // Raises EXmlError naming the file when it cannot be read or is not well
  // formed; the document is then empty.
  void LoadFromFile(const std::string& fileName);
  // Empty when nothing is loaded.
  TXmlNode DocumentElement() const;

 private:
  pugi::xml_document document_;
};

}  // namespace net
