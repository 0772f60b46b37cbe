// CJsonDocument: a JSON document read from bytes that nobody vouches for (a
// hand-edited or hostile settings file) into nlohmann::ordered_json, so that
// reading it is linear in its size, bounded in depth, and survives running
// out of memory:
//
// - nlohmann's SAX parser drives the building of the tree, and nesting deeper
//   than kMaxDepth containers is refused (the library's own dump and
//   destructor recurse or grow a stack with the depth), and so is a document
//   of more than kMaxValues values or with a text longer than kMaxTextBytes,
//   which would take seconds to build (texts are measured before parsing);
// - members are appended to their object in file order, duplicates found
//   through an index of each open object (ordered_map's own insert searches
//   linearly); a repeated key keeps its first place and its last value, as
//   the library's parser does;
// - std::bad_alloc while reading ends the read as a refusal;
// - the tree is taken apart leaves first whenever the document goes away, so
//   that nothing is allocated while it is destroyed (the library's destructor
//   reserves a stack as large as each container it destroys, which fails,
//   inside a noexcept destructor, when memory has just run out).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include <nlohmann/json.hpp>

enum class eJSON_READ {
  Ok,
  Syntax,    // not JSON; GetOffset says where
  TooDeep,   // containers nested deeper than kMaxDepth
  TooLarge,  // more than kMaxValues values
  TooLong,   // a text (string or key) longer than kMaxTextBytes as written
  NoMemory,  // not enough memory to hold the document
};

class CJsonDocument {
public:
  static constexpr size_t kMaxDepth = 64;
  // Far beyond any setup or builds file (a build of 50,000 motions is 50,000
  // values).
  static constexpr size_t kMaxValues = size_t{1} << 20;
  // Far beyond any name.
  static constexpr size_t kMaxTextBytes = size_t{1} << 20;

  CJsonDocument();
  explicit CJsonDocument(nlohmann::ordered_json root) : m_root(std::move(root)) {}
  ~CJsonDocument();

  CJsonDocument(const CJsonDocument&) = delete;
  CJsonDocument& operator=(const CJsonDocument&) = delete;
  CJsonDocument(CJsonDocument&& other) noexcept;
  CJsonDocument& operator=(CJsonDocument&& other) noexcept;

  // Replaces the document with the one the bytes hold; on failure the
  // document is null.
  eJSON_READ Read(std::span<const uint8_t> bytes);
  // Syntax: the offset of the byte at which the reader gave up (the size of
  // the text when it ended too early).
  size_t GetOffset() const { return m_nOffset; }

  nlohmann::ordered_json& Root() { return m_root; }
  const nlohmann::ordered_json& Root() const { return m_root; }

  // Empties a value's containers leaves first, leaving null; allocates
  // nothing. Also for a value about to be replaced inside a document.
  static void Dismantle(nlohmann::ordered_json& value) noexcept;

private:
  nlohmann::ordered_json m_root;
  size_t m_nOffset = 0;
};
