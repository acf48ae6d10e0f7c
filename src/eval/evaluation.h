// evaluate_monitor_tree: fetches one monitor's tree and walks it, with the
// function modules of the RFC library behind the walk's world.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "calls/call_result.h"
#include "calls/monitor_tree.h"
#include "eval/measurement.h"
#include "eval/tree_walk.h"
#include "output/result_writer.h"
#include "platform/clock.h"

namespace keldar {

// What the evaluation works with besides the connection.
struct EvaluationContext {
  ResultWriter& writer;                         // channels are written here...
  std::function<void(std::string_view)> emit;   // ...and emitted at once
  std::function<void(std::string_view)> print;  // tree listing and trace lines
  std::string& error_texts;                     // texts of failed calls
  Measurement& measurement;
  const platform::Clock& clock;
  std::string_view user;  // the profile's user (EXTERNAL_USER_NAME)
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
                                 const WalkRequest& request, EvaluationContext& context);

// The value and unit of a text attribute's channel: the first 20
// characters of the property text without trailing blanks, split at their
// first blank (no blank: the whole is the value and the unit "#"). Only a
// number makes a channel.
Reading text_reading(std::string_view property_text);

}  // namespace keldar
