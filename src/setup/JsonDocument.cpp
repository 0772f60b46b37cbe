#include "setup/JsonDocument.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using ordered_json = nlohmann::ordered_json;
using Members = ordered_json::object_t::Container;

// Objects with up to this many members are searched for a repeated key one
// by one; larger ones get an index.
constexpr size_t kLinearKeys = 8;

// The positions of an object's members by key: open addressing over the
// members themselves, each slot with its key's hash, so that adding a member
// allocates nothing but the table's rare growth and a miss reads no key.
class CKeyIndex {
public:
  std::optional<size_t> Find(const Members& arrMember, std::string_view strKey) const {
    if (m_arrSlot.empty()) {
      for (size_t i = 0; i < arrMember.size(); ++i) {
        if (arrMember[i].first == strKey) return i;
      }
      return std::nullopt;
    }
    const uint32_t nHash = HashOf(strKey);
    for (size_t nSlot = nHash & Mask();; nSlot = (nSlot + 1) & Mask()) {
      const Slot_t& slot = m_arrSlot[nSlot];
      if (slot.nEntry == 0) return std::nullopt;
      if (slot.nHash == nHash && arrMember[slot.nEntry - 1].first == strKey) return slot.nEntry - 1;
    }
  }

  // After a member was appended.
  void Added(const Members& arrMember) {
    if (m_arrSlot.empty() && arrMember.size() <= kLinearKeys) return;
    if (arrMember.size() * 2 > m_arrSlot.size()) {
      m_arrSlot.assign(std::max<size_t>(64, m_arrSlot.size() * 2), Slot_t{});
      for (size_t i = 0; i + 1 < arrMember.size(); ++i) Insert(arrMember[i].first, i);
    }
    Insert(arrMember.back().first, arrMember.size() - 1);
  }

private:
  // Positions fit: a document holds at most kMaxValues values.
  struct Slot_t {
    uint32_t nEntry = 0;  // the member's position + 1; 0 for a free slot
    uint32_t nHash = 0;
  };

  static uint32_t HashOf(std::string_view strKey) {
    return static_cast<uint32_t>(std::hash<std::string_view>{}(strKey));
  }
  size_t Mask() const { return m_arrSlot.size() - 1; }

  void Insert(std::string_view strKey, size_t nPosition) {
    const uint32_t nHash = HashOf(strKey);
    size_t nSlot = nHash & Mask();
    while (m_arrSlot[nSlot].nEntry != 0) nSlot = (nSlot + 1) & Mask();
    m_arrSlot[nSlot] = {static_cast<uint32_t>(nPosition + 1), nHash};
  }

  std::vector<Slot_t> m_arrSlot;
};

// An object or array being filled, and for an object where the value of the
// last key goes.
struct Open_t {
  ordered_json* pContainer = nullptr;
  ordered_json* pSlot = nullptr;
  CKeyIndex index;
};

// The SAX handler that builds the tree (the interface nlohmann::json_sax
// describes, used without its virtual base).
class CTreeBuilder {
public:
  explicit CTreeBuilder(ordered_json& root) : m_root(root) {}

  bool null() { return Place(nullptr) != nullptr; }
  bool boolean(bool bValue) { return Place(bValue) != nullptr; }
  bool number_integer(ordered_json::number_integer_t nValue) { return Place(nValue) != nullptr; }
  bool number_unsigned(ordered_json::number_unsigned_t nValue) { return Place(nValue) != nullptr; }
  bool number_float(ordered_json::number_float_t dValue, const ordered_json::string_t& /*text*/) {
    return Place(dValue) != nullptr;
  }
  bool string(ordered_json::string_t& strValue) { return Place(std::move(strValue)) != nullptr; }
  bool binary(ordered_json::binary_t& value) { return Place(std::move(value)) != nullptr; }

  bool start_object(size_t /*count*/) { return Open(ordered_json::object()); }
  bool start_array(size_t /*count*/) { return Open(ordered_json::array()); }
  bool end_object() { return Close(); }
  bool end_array() { return Close(); }

  bool key(ordered_json::string_t& strKey) {
    Open_t& open = m_arrOpen.back();
    Members& arrMember = open.pContainer->get_ref<ordered_json::object_t&>();
    if (const std::optional<size_t> nAt = open.index.Find(arrMember, strKey)) {
      // The later value wins, in the first one's place.
      CJsonDocument::Dismantle(arrMember[*nAt].second);
      open.pSlot = &arrMember[*nAt].second;
    } else {
      arrMember.emplace_back(std::move(strKey), nullptr);
      open.index.Added(arrMember);
      open.pSlot = &arrMember.back().second;
    }
    return true;
  }

  bool parse_error(size_t nPosition, const std::string& /*token*/,
                   const nlohmann::detail::exception& /*error*/) {
    // The parser counts the characters read, the one it stopped at included
    // (the end of the text counting as one more).
    m_eResult = eJSON_READ::Syntax;
    m_nOffset = nPosition > 0 ? nPosition - 1 : 0;
    return false;
  }

  eJSON_READ Result() const { return m_eResult; }
  size_t Offset() const { return m_nOffset; }

private:
  // Puts a value where the next one belongs; where it now lies, or null when
  // the document holds too many values.
  ordered_json* Place(ordered_json value) {
    if (++m_nValues > CJsonDocument::kMaxValues) {
      m_eResult = eJSON_READ::TooLarge;
      return nullptr;
    }
    if (m_arrOpen.empty()) {
      m_root = std::move(value);
      return &m_root;
    }
    Open_t& open = m_arrOpen.back();
    if (open.pContainer->is_array()) {
      ordered_json::array_t& arrValue = open.pContainer->get_ref<ordered_json::array_t&>();
      arrValue.push_back(std::move(value));
      return &arrValue.back();
    }
    *open.pSlot = std::move(value);
    return open.pSlot;
  }

  bool Open(ordered_json container) {
    if (m_arrOpen.size() >= CJsonDocument::kMaxDepth) {
      m_eResult = eJSON_READ::TooDeep;
      return false;
    }
    ordered_json* pContainer = Place(std::move(container));
    if (pContainer == nullptr) return false;
    m_arrOpen.push_back({pContainer, nullptr, {}});
    return true;
  }

  bool Close() {
    m_arrOpen.pop_back();
    return true;
  }

  ordered_json& m_root;
  std::vector<Open_t> m_arrOpen;
  size_t m_nValues = 0;
  eJSON_READ m_eResult = eJSON_READ::Ok;
  size_t m_nOffset = 0;
};

// The longest text of a JSON document as written between its quotes, found
// far faster than the parser scans: outside a text a quote opens one, inside
// a backslash escapes the byte after it.
size_t LongestText(std::span<const uint8_t> bytes) {
  size_t nLongest = 0;
  const uint8_t* pAt = bytes.data();
  const uint8_t* const pEnd = pAt + bytes.size();
  while (pAt < pEnd) {
    pAt = static_cast<const uint8_t*>(std::memchr(pAt, '"', static_cast<size_t>(pEnd - pAt)));
    if (pAt == nullptr) break;
    const uint8_t* const pStart = ++pAt;
    while (pAt < pEnd && *pAt != '"') pAt += *pAt == '\\' ? 2 : 1;
    pAt = std::min(pAt, pEnd);
    nLongest = std::max(nLongest, static_cast<size_t>(pAt - pStart));
    ++pAt;
  }
  return nLongest;
}

}  // namespace

CJsonDocument::CJsonDocument() : m_root(nullptr) {}

CJsonDocument::~CJsonDocument() {
  Dismantle(m_root);
}

CJsonDocument::CJsonDocument(CJsonDocument&& other) noexcept
    : m_root(std::move(other.m_root)), m_nOffset(other.m_nOffset) {}

CJsonDocument& CJsonDocument::operator=(CJsonDocument&& other) noexcept {
  if (this != &other) {
    Dismantle(m_root);
    m_root = std::move(other.m_root);
    m_nOffset = other.m_nOffset;
  }
  return *this;
}

eJSON_READ CJsonDocument::Read(std::span<const uint8_t> bytes) {
  Dismantle(m_root);
  m_nOffset = 0;
  if (LongestText(bytes) > kMaxTextBytes) return eJSON_READ::TooLong;
  CTreeBuilder builder(m_root);
  eJSON_READ eResult = eJSON_READ::Ok;
  try {
    const bool bParsed = ordered_json::sax_parse(bytes.begin(), bytes.end(), &builder);
    eResult = builder.Result();
    if (!bParsed && eResult == eJSON_READ::Ok) eResult = eJSON_READ::Syntax;
  } catch (const std::bad_alloc&) {
    eResult = eJSON_READ::NoMemory;
  }
  m_nOffset = builder.Offset();
  if (eResult != eJSON_READ::Ok) Dismantle(m_root);
  return eResult;
}

void CJsonDocument::Dismantle(ordered_json& value) noexcept {
  // Each container is emptied after its children were, so that the library's
  // destructor only ever sees empty containers. The recursion is as deep as
  // the document, which reading bounds.
  if (auto* pArray = value.get_ptr<ordered_json::array_t*>()) {
    for (ordered_json& element : *pArray) Dismantle(element);
    pArray->clear();
  } else if (auto* pObject = value.get_ptr<ordered_json::object_t*>()) {
    for (auto& member : *pObject) Dismantle(member.second);
    pObject->clear();
  }
  value = nullptr;
}
