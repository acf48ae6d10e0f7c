#include "eval/tree_walk.h"

#include <array>

#include "eval/node_line.h"
#include "text/fixed_field.h"

namespace keldar {

namespace {

constexpr std::string_view kNoTarget = "0000000000";
constexpr std::string_view kNoSubNode = "None";
constexpr std::int64_t kGlobalLevelUnset = 999;
constexpr std::size_t kAliasSuffix = 4;  // ".P00"

// A channel's unit as written: "#" for none and for ".".
std::string channel_unit(std::string unit) {
  if (unit.empty() || unit == ".") return "#";
  return unit;
}

// A value channel's name: in trace mode behind the node's grade.
std::string value_channel_name(const WalkRequest& request, const TreeRow& row,
                               std::string name) {
  if (!request.trace_mode) return name;
  return std::to_string(row.grade()) + ": " + name;
}

// The keywords the walk looks at, looked up once: the parameters do not
// change during a walk, and a tree may have a hundred thousand rows.
struct WalkOptions {
  explicit WalkOptions(const ParameterText& p)
      : grades(p.has(",GRADES")),
        last(p.has(",LAST")),
        group(p.has(",GROUP=")),
        grade(p.has(",GRADE=")),
        range(p.has(",RANGE=")),
        value(p.has(",VALUE=")),
        info(p.has(",INFO")),
        alloc(p.has(",ALLOC")),
        // The value and last-state reports make the state-change sentence
        // themselves; the timed report standing in for them would end the
        // walk before their channel.
        timed(p.has(",TIMED") && !value && !(grade && last)) {}
  bool grades, last, group, grade, range, value, info, alloc, timed;
};

class Walk {
 public:
  Walk(const TreeRows& rows, const WalkRequest& request, WalkWorld& world)
      : rows_(rows), request_(request), p_(request.parameters), options_(p_), world_(world) {}

  WalkResult run() {
    if (request_.global_run) {
      global_search();
    } else if (options_.grades && p_.has("MONITOR=")) {
      grade_list();
    } else if (p_.has("MONITOR(S)") || p_.has("MSET=") || p_.has("MONITOR-SET=") ||
               p_.has("MONITOR=")) {
      full_walk();
    }
    return result_;
  }

 private:
  void global_search() {
    std::int64_t found_level = kGlobalLevelUnset;
    const bool no_sub_node = request_.global_sub_node_name == kNoSubNode;
    for (unsigned n = 1; n <= rows_.count(); ++n) {
      TreeRow row = rows_.row(n);
      std::string_view name = row.short_name();
      bool found = name == request_.global_sub_node_name && row.level() == found_level;
      if (!found && name == request_.global_node_name) {
        found_level = std::int64_t{row.level()} + 1;
        found = no_sub_node;
      }
      if (found) {
        global_channels(row);
        return;
      }
    }
  }

  void global_channels(const TreeRow& row) {
    const std::string key = global_channel_key(request_);
    // The statistics form keys the channels of a global value sensor by
    // the system, so that every system keeps its own key.
    const bool value = p_.has(",GBLVAL=");
    auto statistics_key = [&](const std::string& name) -> const std::string& {
      return value ? request_.system_name : name;
    };
    if (p_.has(",GBLGRD=")) {
      world_.channel(key, std::to_string(row.grade()), "State", statistics_key(key));
    }
    if (value && row.mtclass() == "100") {
      Reading reading = world_.performance_value(row);
      result_.code = reading.code;
      if (reading.ok) {
        std::string name = value_channel_name(request_, row, key);
        world_.channel(name, reading.value, channel_unit(reading.unit), statistics_key(name));
      }
    }
    result_.global_node_found = true;
  }

  void grade_list() {
    for (unsigned n = 1; n <= rows_.count(); ++n) {
      TreeRow row = rows_.row(n);
      if (row.level() == 2) {
        std::string name(row.short_name());
        world_.channel(name, std::to_string(row.grade()), "State", name);
      }
    }
  }

  // The full walk; the node line of the last row built is made once, at
  // the end, unless the listing made it anyway.
  void full_walk() {
    const TreeRow* last = nullptr;
    full_walk_rows(last);
    if (last != nullptr && result_.node_line.empty()) result_.node_line = node_line(*last);
  }

  // Rows are read into two slots in turn: a row that ends the walk before
  // it is built leaves the row before it as the last one built.
  void full_walk_rows(const TreeRow*& last) {
    const bool no_target = request_.target_node_id == kNoTarget;
    const bool group = options_.group;
    const bool grade = options_.grade;
    const bool range = options_.range;
    std::int32_t level_limit = 0;
    std::int32_t child_level = 0;
    bool grade_channel_written = false;
    std::string listed;

    for (unsigned n = 1; n <= rows_.count(); ++n) {
      TreeRow& row = slots_[n % 2];
      row = rows_.row(n);
      if (level_limit > 0 && (group || grade) && row.level() < level_limit) return;
      last = &row;
      result_.node_grade = row.grade();
      if (options_.grades) return;
      if (row.mtclass() == "050" || row.mtclass() == "070") {
        result_.group_name.assign(row.short_name());
      }
      if (no_target) {
        listed.clear();
        append_node_line(listed, row);
        result_.node_line = listed;
        // The line without its trailing blanks, and a line end.
        listed.resize(listed.find_last_not_of(' ') + 1);
        if (!listed.empty()) {
          listed += '\n';
          world_.print(listed);
        }
      }
      const bool target = row.mtuid() == request_.target_node_id;
      if (options_.timed && target) {
        report(Report::timed, row);
        return;
      }
      if (no_target) continue;

      if (group && target) level_limit = row.level();
      if (grade && target && row.short_name() == request_.target_node_name) {
        level_limit = row.level();
        if (options_.last) {
          report(Report::last_state, row);
          return;
        }
      }
      if (range && target) {
        level_limit = row.level();
        result_.range_name = std::string(row.short_name_field());
        std::string trimmed = text::trim_right(row.short_name_field());
        std::size_t colon = trimmed.find(": ");
        if (colon != std::string::npos) result_.range_name = trimmed.substr(colon + 2);
      }
      if (grade) {
        if (level_limit > 0) {
          if (child_level == 0) child_level = row.level() + 1;
          if (row.level() == child_level) {
            std::string name(row.short_name());
            world_.channel(name, std::to_string(row.grade()), "State", name);
            grade_channel_written = true;
          } else if (row.level() < child_level && grade_channel_written) {
            return;
          }
        }
        continue;
      }

      if (!target && level_limit == 0) continue;
      if (range && (result_.range_name.empty() ||
                    row.short_name_field().find(result_.range_name) == std::string_view::npos)) {
        continue;
      }
      evaluate(row, range);
      if (range && level_limit > 0 && row.level() < level_limit - 1) return;
      if (options_.value) {
        report(Report::value, row);
        return;
      }
    }
  }

  void report(Report kind, const TreeRow& row) {
    if (std::optional<int> code = world_.report(kind, row)) result_.code = *code;
  }

  // The channel of a selected node (classes "100" and, with ",INFO", "111").
  void evaluate(const TreeRow& row, bool range) {
    const bool performance = row.mtclass() == "100";
    const bool text = row.mtclass() == "111" && options_.info;
    if (!performance && !text) return;
    if (!range) result_.range_name = std::string(row.object_name());
    std::string name;
    Reading reading;
    if (performance) {
      reading = world_.performance_value(row);
      if (range) {
        name = row.object_name();
      } else {
        name = row.short_name();
        if (options_.alloc) name = alloc_prefix(row.context()) + name;
      }
    } else {
      reading = world_.text_property(row);
      name = "* " + std::string(range ? row.object_name() : row.short_name());
    }
    result_.code = reading.code;
    if (!reading.ok) return;
    name = value_channel_name(request_, row, text::trim_right(name));
    world_.channel(name, reading.value, channel_unit(reading.unit), name);
  }

  const TreeRows& rows_;
  const WalkRequest& request_;
  const ParameterText& p_;
  const WalkOptions options_;
  WalkWorld& world_;
  std::array<TreeRow, 2> slots_;
  WalkResult result_;
};

}  // namespace

std::string global_channel_key(const WalkRequest& request) {
  const ParameterText& p = request.parameters;
  std::string key = request.system_name;
  if (p.has(",HOST")) key = request.host_name;
  if (p.has(",SID")) key = request.destination;
  if (p.has(",PROFILE")) key = request.system_name;
  if (p.has(",ALIAS")) {
    key = request.system_name.substr(
        0, request.system_name.size() - std::min(kAliasSuffix, request.system_name.size()));
  }
  return key + " - " + request.description;
}

std::string alloc_prefix(std::string_view context) {
  std::size_t underscore = context.find('_');
  if (underscore == std::string_view::npos) return {};
  std::string_view rest = context.substr(underscore + 1);
  std::string prefix(rest.substr(0, 3));
  prefix += '/';
  if (rest.size() > 4) prefix += rest.substr(4, 2);
  prefix += ": ";
  return prefix;
}

WalkResult walk_tree(const TreeRows& rows, const WalkRequest& request, WalkWorld& world) {
  return Walk(rows, request, world).run();
}

}  // namespace keldar
