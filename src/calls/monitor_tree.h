// BAPI_SYSTEM_MON_GETTREE: one monitor of a monitor set as a flat table of
// tree nodes.
#pragma once

#include <cstdint>
#include <string_view>

#include "calls/call_result.h"

namespace keldar {

// The TREE_NODES table, which the caller creates and deletes around the
// fetch and reads while it lives.
inline constexpr TableSpec kTreeNodes = {"TREE_NODES", Structure::BAPITNDEXT};

struct TreeFetch {
  std::string_view user;              // the profile's user (EXTERNAL_USER_NAME)
  std::int32_t max_depth = 0;         // MAX_TREE_DEPTH, 0 for all levels
  std::string_view monitor_name;      // cut or blank-padded to 60
  std::string_view monitor_set_name;  // cut or blank-padded to 60
  std::int32_t visibility_level = 3;  // VIS_ON_USR_LEVEL
};

// The wrapper: fetches the tree into `tree_nodes` (created by the caller
// with create_table and kTreeNodes). RETURN is received, not looked at.
CallResult fetch_monitor_tree(const RfcSession& session, const TreeFetch& fetch,
                              ITAB_H tree_nodes);

}  // namespace keldar
