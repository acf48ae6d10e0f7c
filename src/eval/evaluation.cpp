#include "eval/evaluation.h"

#include <cstring>

namespace keldar {

namespace {

// The rows of the fetched table, read line by line as the walk asks.
class TableRows : public TreeRows {
 public:
  TableRows(const RfcSession& session, ITAB_H table) : session_(session), table_(table) {
    count_ = table_lines(session, table);
  }
  unsigned count() const override { return count_; }
  TreeRow row(unsigned number) const override {
    BapitndextRecord record;
    std::memcpy(&record, table_line(session_, kTreeNodes, table_, number), sizeof record);
    return TreeRow(record);
  }

 private:
  const RfcSession& session_;
  ITAB_H table_;
  unsigned count_;
};

// The walk's world: channels through the writer, values and reports
// through the function modules.
class RfcWorld : public WalkWorld {
 public:
  RfcWorld(const RfcSession& session, EvaluationOutput& output)
      : session_(session), output_(output) {}

  void channel(std::string_view name, std::string_view value, std::string_view unit,
               std::string_view key) override {
    output_.writer.channel_write(name, value, unit, key);
    output_.emit(output_.writer.take());
  }
  void print(std::string_view text) override { output_.print(text); }

  // The value drivers come with the MTE values; until then a value reads as
  // nothing.
  Reading performance_value(const TreeRow&) override { return {}; }
  Reading text_property(const TreeRow&) override { return {}; }
  int report(Report, const TreeRow&) override { return RFC_OK; }

 private:
  [[maybe_unused]] const RfcSession& session_;
  EvaluationOutput& output_;
};

}  // namespace

Evaluation evaluate_monitor_tree(const RfcSession& session, const TreeFetch& fetch,
                                 const WalkRequest& request, EvaluationOutput& output) {
  Evaluation evaluation;
  ITAB_H table = create_table(session, kTreeNodes);
  CallResult result = fetch_monitor_tree(session, fetch, table);
  evaluation.walk.code = result.code;
  output.error_texts += result.error_text;
  if (result.ok()) {
    evaluation.fetched = true;
    TableRows rows(session, table);
    RfcWorld world(session, output);
    evaluation.walk = walk_tree(rows, request, world);
    // A walk that made no call reports the fetch's code.
  }
  delete_table(session, kTreeNodes, table);
  return evaluation;
}

}  // namespace keldar
