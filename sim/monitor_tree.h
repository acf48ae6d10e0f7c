// A monitor's tree as the flat node table of BAPI_SYSTEM_MON_GETTREE, and
// the lookups of MTEs and alerts by their identifiers.
#pragma once

#include <ctime>
#include <vector>

#include "landscape.h"
#include "record.h"

namespace rfcsim {

struct TreePosition {
  const Node* node = nullptr;
  std::int32_t index = 0;   // ALIDXINTRE: depth-first position in the whole tree, from 1
  std::int32_t level = 0;   // ALLEVINTRE: root = 1
  std::int32_t parent = 0;  // ALPARINTRE: index of the parent, 0 for the root
};

// The rows to return for a tree, depth first. A node deeper than
// `max_depth` (when > 0) or whose visibility level exceeds `user_level` is
// left out together with its whole subtree, so that every row returned
// keeps its parent in the table. Indices and levels are those of the full
// tree either way.
std::vector<TreePosition> tree_rows(const Node& root, std::int32_t max_depth, std::int32_t user_level);

// Fills the seven MTE identifier fields (MTSYSID ... EXTINDEX) of a BAPITID
// or BAPITNDEXT record from a node.
void set_mte_identifier(Record& r, const Node& n);

// The alerts of a node and everything below it: the newest (a blank date
// sorts before every real one; of equal times the last in document order),
// its date and time as 14 characters, and how many there are.
struct SubtreeAlerts {
  const Alert* newest = nullptr;
  std::string stamp;
  std::int32_t count = 0;
};

// The subtree alerts of every node of the tree at the moment `now`, by
// ALIDXINTRE - 1.
std::vector<SubtreeAlerts> subtree_alerts(const Node& root, std::time_t now);

// The BAPITNDEXT record for a tree row at the moment `now`, with the
// subtree alerts of its node.
Record tree_node_record(const System& system, const TreePosition& position, const SubtreeAlerts& alerts,
                        std::time_t now);

// Indexes the MTEs of the system (System::mtes) for find_mte; once its
// monitor sets are complete, as nodes must not move afterwards.
void index_mtes(System& system);

// The MTE whose seven BAPITID fields equal those of `tid` (compared without
// trailing blanks), or null; of several, the first in document order.
const Node* find_mte(const System& system, const Record& tid);

struct AlertRef {
  const Node* node = nullptr;
  const Alert* alert = nullptr;
};

// The alert whose ALSYSID, MSEGNAME, ALUNIQNUM and ALINDEX equal those of
// the BAPIAID record `aid`; node and alert null when there is none.
AlertRef find_alert(const System& system, const Record& aid);

}  // namespace rfcsim
