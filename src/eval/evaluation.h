// evaluate_monitor_tree: fetches one monitor's tree and walks it, with the
// RFC library behind the walk's world.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "calls/call_result.h"
#include "calls/monitor_tree.h"
#include "eval/measurement.h"
#include "eval/tree_walk.h"
#include "output/result_writer.h"

namespace keldar {

// Where the evaluation's pieces go.
struct EvaluationOutput {
  ResultWriter& writer;                             // channels are written here...
  std::function<void(std::string_view)> emit;       // ...and emitted at once
  std::function<void(std::string_view)> print;      // tree listing and trace lines
  std::string& error_texts;                         // texts of failed calls
  Measurement& measurement;
};

struct Evaluation {
  bool fetched = false;  // the tree came: the call status is "OK"
  WalkResult walk;       // walk.code: the code of the last call made
};

// Creates the table "TREE_NODES", fetches the tree, walks it (tree_walk.h)
// and deletes the table. A failed fetch adds its error text and walks
// nothing. Failures of the table itself end the program through the RFC
// error report.
Evaluation evaluate_monitor_tree(const RfcSession& session, const TreeFetch& fetch,
                                 const WalkRequest& request, EvaluationOutput& output);

}  // namespace keldar
