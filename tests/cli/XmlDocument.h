#pragma once

#include <expat.h>

#include <map>
#include <string>
#include <vector>

namespace pcbprep::testing {

struct Element {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::string text;
  std::string group;  // id of the enclosing <g>

  double number(const std::string& attribute) const { return std::stod(attributes.at(attribute)); }
};

// The elements of an XML document in document order, read by expat; empty with
// `error` set when the document is not well-formed.
struct XmlDocument {
  std::vector<Element> elements;
  std::string error;

  explicit XmlDocument(const std::string& text) {
    XML_Parser parser = XML_ParserCreate("UTF-8");
    XML_SetUserData(parser, this);
    XML_SetElementHandler(parser, &XmlDocument::start, &XmlDocument::end);
    XML_SetCharacterDataHandler(parser, &XmlDocument::characters);
    if (XML_Parse(parser, text.data(), static_cast<int>(text.size()), 1) == XML_STATUS_ERROR) {
      error = XML_ErrorString(XML_GetErrorCode(parser));
      error += " at line " + std::to_string(XML_GetCurrentLineNumber(parser));
      elements.clear();
    }
    XML_ParserFree(parser);
  }

  std::vector<const Element*> all(const std::string& name, const std::string& group) const {
    std::vector<const Element*> found;
    for (const Element& e : elements) {
      if (e.name == name && e.group == group) found.push_back(&e);
    }
    return found;
  }

 private:
  std::vector<std::size_t> open_;
  std::vector<std::string> groups_{""};

  static void start(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto* self = static_cast<XmlDocument*>(data);
    Element e{name, {}, {}, self->groups_.back()};
    for (int i = 0; attributes[i]; i += 2) e.attributes[attributes[i]] = attributes[i + 1];
    if (e.name == "g") self->groups_.push_back(e.attributes["id"]);
    self->open_.push_back(self->elements.size());
    self->elements.push_back(std::move(e));
  }
  static void end(void* data, const XML_Char* name) {
    auto* self = static_cast<XmlDocument*>(data);
    if (std::string(name) == "g") self->groups_.pop_back();
    self->open_.pop_back();
  }
  static void characters(void* data, const XML_Char* s, int length) {
    auto* self = static_cast<XmlDocument*>(data);
    if (!self->open_.empty()) self->elements[self->open_.back()].text.append(s, length);
  }
};

}  // namespace pcbprep::testing
