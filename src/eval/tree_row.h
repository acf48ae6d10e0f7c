// One node of a monitor tree, as BAPI_SYSTEM_MON_GETTREE returns it, and
// the rows of a tree as the walk reads them.
#pragma once

#include <cstdint>
#include <string_view>

#include "rfc/structures.h"

namespace keldar {

// A BAPITNDEXT row. Character fields are read as received, up to their
// width or a NUL byte; nothing is assumed about their content.
class TreeRow {
 public:
  TreeRow() : record_{} {}
  explicit TreeRow(const BapitndextRecord& record) : record_(record) {}

  const BapitndextRecord& record() const { return record_; }

  std::int32_t level() const { return record_.ALLEVINTRE; }
  std::int32_t grade() const { return record_.ACTUALVAL; }
  std::int32_t highest_grade() const { return record_.HIGHALVAL; }
  std::int32_t tree_number() const { return record_.ALTREENUM; }

  std::string_view mtuid() const { return field(record_.MTUID); }
  std::string_view mtclass() const { return field(record_.MTCLASS); }
  std::string_view context() const { return field(record_.MTMCNAME); }
  std::string_view object_name() const { return field(record_.OBJECTNAME); }
  // MTNAMESHRT as received (40 characters), and without trailing blanks.
  std::string_view short_name_field() const { return field(record_.MTNAMESHRT); }
  std::string_view short_name() const;
  std::string_view alert_date() const { return field(record_.ALERTDATE); }
  std::string_view alert_time() const { return field(record_.ALERTTIME); }
  std::string_view last_value_date() const { return field(record_.LASTVALDAT); }
  std::string_view last_value_time() const { return field(record_.LASTVALTIM); }
  std::string_view value_alert_date() const { return field(record_.VALERTDATE); }
  std::string_view value_alert_time() const { return field(record_.VALERTTIME); }

  // The seven fields that identify the node's MTE, as the TID record.
  BapitidRecord mte_identifier() const;

 private:
  template <std::size_t N>
  static std::string_view field(const char (&f)[N]) {
    std::string_view view(f, N);
    return view.substr(0, view.find('\0'));
  }

  BapitndextRecord record_;
};

// The rows of a tree, numbered from 1.
class TreeRows {
 public:
  virtual ~TreeRows() = default;
  virtual unsigned count() const = 0;
  virtual TreeRow row(unsigned number) const = 0;
};

}  // namespace keldar
