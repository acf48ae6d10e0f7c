// A logged-on connection to a small system with a monitor tree covering
// every node class, and helpers to fetch its tree and address its MTEs.
#pragma once

#include <ctime>

#include "rfc_client.h"

namespace rfcsim_test {

// Root "Entire System" (050) > "R3Services" (070) > "Dialog" (050) >
// "ResponseTime" (100, with two alerts) and "UsersLoggedOn" (100,
// visibility 2); beside Dialog: "Syslog" (101), "Status" (102),
// "Kernel" (111) and "Release" (110).
extern const char* kTree;

class Ccms : public SimTest {
 protected:
  // `top_keys`: extra top-level keys of the landscape, e.g. a call log.
  explicit Ccms(std::string top_keys = "") : top_keys_(std::move(top_keys)) {}
  void SetUp() override;
  // The tree rows of `monitor` in `monitor_set`.
  std::vector<Buffer> tree(std::int32_t depth = 0, std::int32_t level = 3, const std::string& monitor = "Entire System",
                           Outcome* outcome = nullptr,
                           const std::string& monitor_set = "SAP CCMS Monitor Templates");
  // The row whose short name is `name`.
  Buffer node(const std::string& name);
  // A function module taking EXTERNAL_USER_NAME and TID, receiving the
  // importing records named in `into` there (the rest into scratch
  // buffers).
  Outcome mte_call(const std::string& function, const Buffer& row, std::vector<std::pair<std::string, Buffer*>> into);

  std::string top_keys_;
  RFC_HANDLE handle_ = 0;
};

// The BAPITID of a tree row.
Buffer tid_of(const Buffer& row);

}  // namespace rfcsim_test
