#include "rfc/structures.h"

namespace keldar {

namespace {

namespace t = structure_tables;

template <std::size_t N>
constexpr StructureDescriptor describe(Structure id, std::string_view name,
                                       const FieldDescriptor (&fields)[N], unsigned size) {
  return {id, name, std::span<const FieldDescriptor>(fields, N), size};
}

}  // namespace

const std::array<StructureDescriptor, kStructureCount> kStructures = {{
    describe(Structure::BAPIRET2, "BAPIRET2", t::kBapiret2, 548),
    describe(Structure::BAPITID, "BAPITID", t::kBapitid, 84),
    describe(Structure::BAPIAID, "BAPIAID", t::kBapiaid, 84),
    describe(Structure::RFCSI, "RFCSI", t::kRfcsi, 200),
    describe(Structure::SXMIVERS, "SXMIVERS", t::kSxmivers, 13),
    describe(Structure::BAPIMSNAME, "BAPIMSNAME", t::kBapimsname, 60),
    describe(Structure::BAPIMNNAME, "BAPIMNNAME", t::kBapimnname, 120),
    describe(Structure::BAPITNDEXT, "BAPITNDEXT", t::kBapitndext, 440),
    describe(Structure::BAPIPACVAL, "BAPIPACVAL", t::kBapipacval, 104),
    describe(Structure::BAPISMCVAL, "BAPISMCVAL", t::kBapismcval, 276),
    describe(Structure::BAPIMLCVAL, "BAPIMLCVAL", t::kBapimlcval, 96),
    describe(Structure::BAPIXMIEXT, "BAPIXMIEXT", t::kBapixmiext, 255),
    describe(Structure::BAPIXMIRAW, "BAPIXMIRAW", t::kBapixmiraw, 690),
    describe(Structure::BAPITXTPRP, "BAPITXTPRP", t::kBapitxtprp, 256),
    describe(Structure::BAPIPAPROP, "BAPIPAPROP", t::kBapipaprop, 124),
    describe(Structure::BAPIALERT, "BAPIALERT", t::kBapialert, 212),
    describe(Structure::BAPIALDATE, "BAPIALDATE", t::kBapialdate, 14),
    describe(Structure::BAPIALDATA, "BAPIALDATA", t::kBapialdata, 8),
}};

const StructureDescriptor& structure_descriptor(Structure structure) {
  return kStructures[static_cast<std::size_t>(structure)];
}

}  // namespace keldar
