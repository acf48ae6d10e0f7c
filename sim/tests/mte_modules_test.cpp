// The modules that read one MTE: values, properties, alerts.
#include "ccms_fixture.h"
#include "time_spec.h"

namespace rfcsim_test {
namespace {

using Mte = Ccms;

TEST_F(Mte, PerformanceValueAndProperties) {
  Buffer value("BAPIPACVAL"), ret("BAPIRET2");
  ASSERT_EQ(mte_call("BAPI_SYSTEM_MTE_GETPERFCURVAL", node("ResponseTime"), {{"CURRENT_VALUE", &value}, {"RETURN", &ret}}).rc,
            RFC_OK);
  const std::string b(value.bytes.begin(), value.bytes.end());
  EXPECT_EQ(value.integer("LASTPERVAL"), 1234);  // offset 24
  EXPECT_EQ(value.integer("AVG01PVAL"), 900);
  EXPECT_EQ(value.integer("LASTALSTAT"), 2);
  EXPECT_EQ(value.integer("MAXPFVALUE"), 2500);  // offset 64
  EXPECT_EQ(b.substr(68, 14), "20120822140500"); // MAXPFDATE, MAXPFTIME
  EXPECT_EQ(value.integer("MINPFVALUE"), -5);    // offset 84, after 2 padding bytes
  EXPECT_EQ(b.substr(82, 2), std::string(2, '\0'));
  EXPECT_EQ(b.substr(88, 14), "20120821101500"); // MINPFDATE, MINPFTIME
  EXPECT_EQ(b.substr(102, 2), std::string(2, '\0'));  // record padded to 104
  EXPECT_EQ(ret.text("TYPE"), " ");

  Buffer prop("BAPIPAPROP");
  ASSERT_EQ(mte_call("BAPI_SYSTEM_MTE_GETPERFPROP", node("ResponseTime"), {{"PROPERTIES", &prop}, {"RETURN", &ret}}).rc,
            RFC_OK);
  EXPECT_EQ(prop.text("VALUNIT"), "msec");  // offset 114
  EXPECT_EQ(prop.bytes[118], 0);             // padding before DECIMALS
  EXPECT_EQ(prop.integer("DECIMALS"), 0);
  EXPECT_EQ(prop.integer("TRESHG2Y"), 1000);
  EXPECT_EQ(prop.integer("TRESHY2R"), 3000);
  EXPECT_EQ(prop.trimmed("ATTRGROUP"), "R3DialogResponseTime");

  Buffer users("BAPIPAPROP");
  ASSERT_EQ(mte_call("BAPI_SYSTEM_MTE_GETPERFPROP", tree(0, 3)[4], {{"PROPERTIES", &users}}).rc, RFC_OK);
  EXPECT_EQ(users.text("VALUNIT"), "    ");
}

TEST_F(Mte, StatusMessageTextAndContainerMessage) {
  Buffer sm("BAPISMCVAL"), ret("BAPIRET2");
  ASSERT_EQ(mte_call("BAPI_SYSTEM_MTE_GETSMVALUE", node("Status"), {{"RETURN", &ret}, {"VALUE", &sm}}).rc, RFC_OK);
  const std::string s(sm.bytes.begin(), sm.bytes.end());
  EXPECT_EQ(sm.integer("SMSGVALUE"), 1);
  EXPECT_EQ(s.substr(4, 14), "20120801060000");
  EXPECT_EQ(s.substr(18, 255), pad_to("Instance started", 255));
  EXPECT_EQ(s.substr(273, 3), std::string(3, '\0'));  // record padded to 276

  Buffer ml("BAPIMLCVAL"), ext("BAPIXMIEXT"), raw("BAPIXMIRAW");
  ASSERT_EQ(mte_call("BAPI_SYSTEM_MTE_GETMLCURVAL", node("Syslog"),
                     {{"CURRENT_VALUE", &ml}, {"RETURN", &ret}, {"XMI_MSG_EXT", &ext}, {"XMI_MSG_RAW", &raw}}).rc,
            RFC_OK);
  EXPECT_EQ(ext.text("MSG"), pad_to("Database error 1555 at SELECT", 255));
  EXPECT_EQ(raw.trimmed("MSGTEXT"), "Database error 1555 at SELECT");
  EXPECT_EQ(ml.text("MSCDATE") + ml.text("MSCTIME"), "20120822093000");
  EXPECT_EQ(ml.integer("VALUEORIG"), 3);  // offset 64
  EXPECT_EQ(ml.text("MANDT"), "100");
  EXPECT_EQ(ml.text("USERID"), pad_to("BATCH", 12));  // offset 83
  EXPECT_EQ(ml.bytes[95], 0);                         // record padded to 96

  for (const char* name : {"Kernel", "Release"}) {
    Buffer text("BAPITXTPRP");
    ASSERT_EQ(mte_call("BAPI_SYSTEM_MTE_GETTXTPROP", node(name), {{"PROPERTIES", &text}, {"RETURN", &ret}}).rc, RFC_OK);
    EXPECT_EQ(text.text("TEXT"), pad_to(std::string(name) == "Kernel" ? "721 patch 400" : "", 256));
  }
}

TEST_F(Mte, AlertsAndTheirDetails) {
  Buffer row = node("ResponseTime");
  Buffer tid = tid_of(row);
  std::string user = "MONITOR         ";
  Buffer ret("BAPIRET2");
  Parameters exporting, importing;
  exporting.text("EXTERNAL_USER_NAME", user).record("TID", tid);
  importing.record("RETURN", ret);
  Tables tables;
  ITAB_H alerts = tables.add("ALERTS", "BAPIAID");
  ASSERT_EQ(call(handle_, "BAPI_SYSTEM_MTE_GETALERTS", exporting, importing, tables).rc, RFC_OK);
  ASSERT_EQ(rfc().ItFill(alerts), 2u);
  Buffer first = line(alerts, 1, "BAPIAID");
  const std::string a(first.bytes.begin(), first.bytes.end());
  EXPECT_EQ(a.substr(0, 8), "PRD     ");
  EXPECT_EQ(a.substr(8, 40), pad_to("SAP_CCMS_prdci01_PRD_00", 40));
  EXPECT_EQ(a.substr(48, 10), "0000000001");
  EXPECT_EQ(a.substr(58, 10), "0000000001");
  EXPECT_EQ(a.substr(68, 14), "20120822101500");
  EXPECT_EQ(a.substr(82, 2), "  ");

  Buffer aid = line(alerts, 2, "BAPIAID");
  std::string active = "X", history = " ";
  Buffer props("BAPIALERT"), rtid("BAPITID"), time("BAPIALDATE"), value("BAPIALDATA"), ext("BAPIXMIEXT"),
      raw("BAPIXMIRAW");
  Parameters exp2, imp2;
  exp2.record("AID", aid).text("EXTERNAL_USER_NAME", user).text("GET_ACTIVE", active).text("GET_HISTORY", history);
  imp2.record("PROPERTIES", props).record("RETURN", ret).record("TID", rtid).record("TIME", time)
      .record("VALUE", value).record("XMI_EXT_MSG", ext).record("XMI_RAW_MSG", raw);
  Tables none;
  ASSERT_EQ(call(handle_, "BAPI_SYSTEM_ALERT_GETDETAILS", exp2, imp2, none).rc, RFC_OK);
  EXPECT_EQ(ext.trimmed("MSG"), "Dialog response time 2500 msec");
  EXPECT_EQ(props.trimmed("SHORTNAME"), "ResponseTime");
  EXPECT_EQ(props.integer("ALSTATUS"), 10);  // offset 96
  EXPECT_EQ(props.text("STATCHGDAT") + props.text("STATCHGTIM"), "20120822120000");
  EXPECT_EQ(props.bytes[210], 0);            // record padded to 212
  EXPECT_EQ(time.text("ALDATE") + time.text("ALTIME"), "20120822120000");
  EXPECT_EQ(value.integer("VALUE"), 3);
  EXPECT_EQ(value.integer("SEVERITY"), 50);
  EXPECT_EQ(rtid.bytes, tid.bytes);

  aid.set("ALUNIQNUM", "0000000099");
  FullCall unknown("BAPI_SYSTEM_ALERT_GETDETAILS");
  unknown.record("AID") = aid;
  unknown.text("EXTERNAL_USER_NAME") = user;
  Outcome missing = unknown.run(handle_);
  EXPECT_EQ(missing.rc, RFC_EXCEPTION);
  EXPECT_EQ(missing.exception, "ALERT_NOT_FOUND");
}

TEST_F(Mte, TheTidMustNameAnMteOfTheRightClass) {
  Buffer value("BAPIPACVAL");
  Buffer stranger = node("ResponseTime");
  stranger.set("MTUID", "0000000077");
  Outcome outcome = mte_call("BAPI_SYSTEM_MTE_GETPERFCURVAL", stranger, {{"CURRENT_VALUE", &value}});
  EXPECT_EQ(outcome.rc, RFC_EXCEPTION);
  EXPECT_EQ(outcome.exception, "MTE_NOT_FOUND");
  EXPECT_EQ(last_error().key, std::string("RFC_ERROR_APPLICATION_EXCEPTION"));
  EXPECT_EQ(trace_reason(), "BAPI_SYSTEM_MTE_GETPERFCURVAL: exception MTE_NOT_FOUND");

  Buffer wrong_context = node("ResponseTime");
  wrong_context.set("MTMCNAME", "PRD");
  EXPECT_EQ(mte_call("BAPI_SYSTEM_MTE_GETPERFCURVAL", wrong_context, {{"CURRENT_VALUE", &value}}).exception,
            "MTE_NOT_FOUND");

  struct Case {
    const char* function;
    const char* node;
    const char* parameter;
    const char* structure;
  };
  const Case wrong_class[] = {
      {"BAPI_SYSTEM_MTE_GETPERFCURVAL", "Status", "CURRENT_VALUE", "BAPIPACVAL"},
      {"BAPI_SYSTEM_MTE_GETSMVALUE", "ResponseTime", "VALUE", "BAPISMCVAL"},
      {"BAPI_SYSTEM_MTE_GETMLCURVAL", "Dialog", "CURRENT_VALUE", "BAPIMLCVAL"},
      {"BAPI_SYSTEM_MTE_GETTXTPROP", "Syslog", "PROPERTIES", "BAPITXTPRP"},
  };
  for (const Case& c : wrong_class) {
    Buffer out(c.structure);
    Outcome o = mte_call(c.function, node(c.node), {{c.parameter, &out}});
    EXPECT_EQ(o.rc, RFC_EXCEPTION) << c.function;
    EXPECT_EQ(o.exception, "WRONG_MTE_CLASS") << c.function;
  }
}

TEST_F(Mte, AgesCountBackFromTheMomentOfTheCall) {
  landscape(small_landscape(R"({"name": "Status", "class": "102", "status": {"text": "up", "time": 300},
                                 "alerts": [{"time": 86400}]})"));
  rfc().RfcClose(0);
  handle_ = open("prdci01", 0, "100", "MONITOR", "Secret01");
  ASSERT_EQ(xmi_logon(handle_).rc, RFC_OK);
  std::time_t before = std::time(nullptr);
  Buffer row = tree()[0];
  Buffer sm("BAPISMCVAL");
  ASSERT_EQ(mte_call("BAPI_SYSTEM_MTE_GETSMVALUE", row, {{"VALUE", &sm}}).rc, RFC_OK);
  std::time_t after = std::time(nullptr);
  // The stamp lies between the two readings of the clock, shifted by the age.
  std::string stamp = sm.text("SMSGDATE") + sm.text("SMSGTIME");
  EXPECT_GE(stamp, rfcsim::local_stamp(before - 300));
  EXPECT_LE(stamp, rfcsim::local_stamp(after - 300));
  std::string alert = row.text("ALERTDATE") + row.text("ALERTTIME");
  EXPECT_GE(alert, rfcsim::local_stamp(before - 86400));
  EXPECT_LE(alert, rfcsim::local_stamp(after - 86400));
}

}  // namespace
}  // namespace rfcsim_test
