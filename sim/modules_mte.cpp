// The modules that read one monitoring tree element (MTE) and its alerts.
#include "function_module.h"
#include "monitor_tree.h"
#include "structure_catalogue.h"

namespace rfcsim {
namespace {

// The MTE named by TID, checked against the classes the module serves;
// null (and the call ended) when there is none.
const Node* mte(ModuleCall& call, std::initializer_list<const char*> classes) {
  Record tid = call.structure("TID");
  call.log("MTUID", tid.trimmed("MTUID"));
  if (!check_monitoring_access(call)) return nullptr;
  const Node* node = find_mte(call.system(), tid);
  if (node == nullptr) {
    call.raise("MTE_NOT_FOUND");
    return nullptr;
  }
  bool served = classes.size() == 0;
  for (const char* c : classes) served = served || node->mtclass == c;
  if (!served) {
    call.raise("WRONG_MTE_CLASS");
    return nullptr;
  }
  return node;
}

void set_date_time(Record& r, const char* date_field, const char* time_field, const TimeSpec& spec,
                   std::time_t now) {
  DateTime when = resolve(spec, now);
  r.set_text(date_field, when.date);
  r.set_text(time_field, when.time);
}

Record tid_of(const Node& n) {
  Record tid(*find_structure("BAPITID"));
  set_mte_identifier(tid, n);
  return tid;
}

}  // namespace

void bapi_system_mte_getperfcurval(ModuleCall& call) {
  const Node* n = mte(call, {"100"});
  if (n == nullptr) return;
  Performance p = n->performance.value_or(Performance{});
  Record v(*find_structure("BAPIPACVAL"));
  v.set_int("ALRELEVVAL", p.last);
  set_date_time(v, "ALRELVALDT", "ALRELVALTI", p.time, call.now());
  v.set_int("LASTALSTAT", n->grade);
  v.set_int("LASTPERVAL", p.last);
  v.set_int("AVG01PVAL", p.avg01);
  v.set_int("AVG05PVAL", p.avg05);
  v.set_int("AVG15PVAL", p.avg15);
  v.set_int("AVG01SVAL", p.avg01);
  v.set_int("AVG05SVAL", p.avg05);
  v.set_int("AVG15SVAL", p.avg15);
  v.set_int("AVG01CVAL", 1);
  v.set_int("AVG05CVAL", 5);
  v.set_int("AVG15CVAL", 15);
  v.set_int("MAXPFVALUE", p.max);
  set_date_time(v, "MAXPFDATE", "MAXPFTIME", p.max_time, call.now());
  v.set_int("MINPFVALUE", p.min);
  set_date_time(v, "MINPFDATE", "MINPFTIME", p.min_time, call.now());
  call.set_structure("CURRENT_VALUE", v);
}

void bapi_system_mte_getperfprop(ModuleCall& call) {
  const Node* n = mte(call, {"100"});
  if (n == nullptr) return;
  Performance p = n->performance.value_or(Performance{});
  Record r(*find_structure("BAPIPAPROP"));
  r.set_int("RELVALTYPE", p.relvaltype);
  r.set_int("THRESHDIR", p.threshold_direction);
  r.set_int("THRESHSTAT", p.threshold_status);
  r.set_int("TRESHG2Y", p.green_to_yellow);
  r.set_int("TRESHY2R", p.yellow_to_red);
  r.set_int("TRESHY2G", p.yellow_to_green);
  r.set_int("TRESHR2Y", p.red_to_yellow);
  r.set_text("MSGCLASS", p.msgclass);
  r.set_text("MSGID", p.msgid);
  r.set_text("ATTRGROUP", p.attribute_group);
  r.set_text("VALUNIT", p.unit);
  r.set_int("DECIMALS", p.decimals);
  call.set_structure("PROPERTIES", r);
}

void bapi_system_mte_getsmvalue(ModuleCall& call) {
  const Node* n = mte(call, {"102"});
  if (n == nullptr) return;
  StatusMessage s = n->status.value_or(StatusMessage{n->grade, {}, ""});
  Record v(*find_structure("BAPISMCVAL"));
  v.set_int("SMSGVALUE", s.value);
  set_date_time(v, "SMSGDATE", "SMSGTIME", s.time, call.now());
  v.set_text("MSG", s.text);
  call.set_structure("VALUE", v);
}

void bapi_system_mte_getmlcurval(ModuleCall& call) {
  const Node* n = mte(call, {"101"});
  if (n == nullptr) return;
  // Without message data the container reports the node's own grade, as a
  // status attribute without a status message does.
  ContainerMessage m;
  m.value = n->grade;
  if (n->message) m = *n->message;
  Record v(*find_structure("BAPIMLCVAL"));
  v.set_text("MSCGLLID", m.id);
  set_date_time(v, "MSCDATE", "MSCTIME", m.time, call.now());
  v.set_int("VALUEORIG", m.value);
  v.set_int("SEVERORIG", m.severity);
  v.set_int("VALUEFLTRD", m.value);
  v.set_int("SEVERFLTRD", m.severity);
  v.set_text("MANDT", m.client);
  v.set_text("USERID", m.user);
  call.set_structure("CURRENT_VALUE", v);
  Record ext(*find_structure("BAPIXMIEXT"));
  ext.set_text("MSG", m.text);
  call.set_structure("XMI_MSG_EXT", ext);
  Record raw(*find_structure("BAPIXMIRAW"));
  raw.set_text("MSGCLASS", m.msgclass);
  raw.set_text("MSGID", m.msgid);
  raw.set_text("MSGTEXT", m.text);
  call.set_structure("XMI_MSG_RAW", raw);
}

void bapi_system_mte_gettxtprop(ModuleCall& call) {
  const Node* n = mte(call, {"110", "111"});
  if (n == nullptr) return;
  Record r(*find_structure("BAPITXTPRP"));
  r.set_text("TEXT", n->text.value_or(""));
  call.set_structure("PROPERTIES", r);
}

void bapi_system_mte_getalerts(ModuleCall& call) {
  const Node* n = mte(call, {});
  if (n == nullptr) return;
  for (const Alert& a : n->alerts) {
    Record line = call.new_line("ALERTS");
    line.set_text("ALSYSID", call.system().sid);
    line.set_text("MSEGNAME", call.system().segment);
    line.set_text("ALUNIQNUM", a.uniqnum);
    line.set_text("ALINDEX", a.index);
    set_date_time(line, "ALERTDATE", "ALERTTIME", a.time, call.now());
    call.add_line("ALERTS", line);
  }
}

void bapi_system_alert_getdetails(ModuleCall& call) {
  Record aid = call.structure("AID");
  call.log("ALUNIQNUM", aid.trimmed("ALUNIQNUM"));
  if (!check_monitoring_access(call)) return;
  AlertRef ref = find_alert(call.system(), aid);
  if (ref.alert == nullptr) return call.raise("ALERT_NOT_FOUND");
  const Alert& a = *ref.alert;
  Record p(*find_structure("BAPIALERT"));
  p.set_text("SHORTNAME", ref.node->name);
  p.set_text("OBJECTNAME", ref.node->object);
  p.set_text("MANDT", a.client);
  p.set_text("USERID", a.user);
  p.set_int("ALSTATUS", a.status);
  set_date_time(p, "STATCHGDAT", "STATCHGTIM", a.time, call.now());
  p.set_text("REPORTEDBY", a.reported_by);
  p.set_text("MSCGLID", a.msgid);
  call.set_structure("PROPERTIES", p);
  call.set_structure("TID", tid_of(*ref.node));
  Record time(*find_structure("BAPIALDATE"));
  set_date_time(time, "ALDATE", "ALTIME", a.time, call.now());
  call.set_structure("TIME", time);
  Record value(*find_structure("BAPIALDATA"));
  value.set_int("VALUE", a.value);
  value.set_int("SEVERITY", a.severity);
  call.set_structure("VALUE", value);
  Record ext(*find_structure("BAPIXMIEXT"));
  ext.set_text("MSG", a.message);
  call.set_structure("XMI_EXT_MSG", ext);
  Record raw(*find_structure("BAPIXMIRAW"));
  raw.set_text("MSGTEXT", a.message);
  call.set_structure("XMI_RAW_MSG", raw);
}

}  // namespace rfcsim
