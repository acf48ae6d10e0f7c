#include "rfc/connection.h"

#include <gtest/gtest.h>

#include "fake_rfc_library.h"
#include "temp_dir.h"

namespace keldar {
namespace {

using testing::FakeRfcLibrary;

ConnectionValues prd() {
  return {"PRD", "100", "MON", "Secret01", "E", "R/3", "prdci01", "00", "prdgw", "sapgw00"};
}

struct Opener {
  FakeRfcLibrary fake;
  testing::TempDir dir;
  platform::FileSystem files{{"/", dir.root()}};
  RfcTrace trace{files, true};
  std::vector<std::string> announced;

  RFC_HANDLE open(const ConnectionValues& values) {
    return rfc_open(fake.api(), files, values, trace,
                    [this](std::string_view d) { announced.emplace_back(d); });
  }
};

TEST(Connection, OpenOptionsByHostWithPaddedUserAndPassword) {
  Opener o;
  EXPECT_EQ(o.open(prd()), 1u);
  ASSERT_EQ(o.fake.opens.size(), 1u);
  const testing::FakeOpen& open = o.fake.opens[0];
  EXPECT_EQ(open.destination, "PRD");
  EXPECT_EQ(open.mode, RFC_MODE_R3ONLY);
  EXPECT_EQ(open.host, "prdci01");
  EXPECT_EQ(open.sysnr, 0);
  EXPECT_EQ(open.gateway_host, "prdgw");
  EXPECT_EQ(open.gateway_service, "sapgw00");
  EXPECT_EQ(open.client, "100");
  EXPECT_EQ(open.user, "MON" + std::string(9, ' '));
  EXPECT_EQ(open.password, "Secret01  ");
  EXPECT_EQ(open.language, "E");
  EXPECT_EQ(open.trace, 0);
  EXPECT_TRUE(o.announced.empty());
  EXPECT_EQ(o.dir.read(std::string(kRfcTraceFileName)), "1 RfcOpen called \n");
}

TEST(Connection, ModesNullReferencesAndSystemNumbers) {
  Opener o;
  ConnectionValues r2 = prd();
  r2.mode = "R/2";
  o.open(r2);
  EXPECT_EQ(o.fake.opens.back().mode, RFC_MODE_CPIC);
  EXPECT_EQ(o.fake.opens.back().gateway_host, "prdgw");
  for (const char* mode : {"r/2", "R/3", "", "R/2 "}) {
    ConnectionValues v = prd();
    v.mode = mode;
    o.open(v);
    EXPECT_EQ(o.fake.opens.back().mode, RFC_MODE_R3ONLY) << mode;
  }
  ConnectionValues empty = prd();
  empty.host_name.clear();
  empty.gateway_host.clear();
  empty.gateway_service.clear();
  o.open(empty);
  EXPECT_TRUE(o.fake.opens.back().host_is_null);
  EXPECT_TRUE(o.fake.opens.back().gateway_host_is_null);
  EXPECT_TRUE(o.fake.opens.back().gateway_service_is_null);
  // The next open does not inherit anything of the last one.
  o.open(prd());
  EXPECT_FALSE(o.fake.opens.back().host_is_null);
  EXPECT_EQ(o.fake.opens.back().host, "prdci01");

  ConnectionValues exact = prd();
  exact.user = "TWELVE_CHARS";
  exact.password = "TenChars!!LONGER";
  o.open(exact);
  EXPECT_EQ(o.fake.opens.back().user, "TWELVE_CHARS");
  EXPECT_EQ(o.fake.opens.back().password, "TenChars!!LONGER");

  const struct {
    const char* text;
    int value;
  } numbers[] = {{"00", 0}, {"10", 10}, {"7x", 7}, {"x7", 0}, {"", 0}, {"99999999999999", 999999999}};
  for (const auto& n : numbers) EXPECT_EQ(leading_number(n.text), n.value) << n.text;
}

TEST(Connection, DestinationFileIsCopiedAndOpenedWithTheConnectString) {
  Opener o;
  o.dir.write("SapRfc.PRD", "DEST=PRD\r\nTYPE=A\r\nASHOST=prdci01\r\nSYSNR=00\r\n");
  o.dir.write("SapRfc.ini", "old content that is replaced entirely");
  ConnectionValues v = prd();
  v.language = "E";
  EXPECT_EQ(o.open(v), 1u);
  EXPECT_EQ(o.announced, std::vector<std::string>{"PRD"});
  EXPECT_EQ(o.dir.read("SapRfc.ini"), "DEST=PRD\r\nTYPE=A\r\nASHOST=prdci01\r\nSYSNR=00\r\n");
  ASSERT_EQ(o.fake.opens.size(), 1u);
  EXPECT_EQ(o.fake.opens[0].connect_string, "CLIENT=100 USER=MON PASSWD=Secret01 LANG=D DEST=PRD");
  EXPECT_EQ(o.dir.read(std::string(kRfcTraceFileName)), "1 RfcOpenEx called \n");
}

TEST(Connection, AnUnwritableDestinationFileMeansNoConnection) {
  Opener o;
  o.dir.write("SapRfc.PRD", "DEST=PRD\n");
  std::filesystem::create_directories(o.dir.path() / "SapRfc.ini");
  EXPECT_EQ(o.open(prd()), 0u);
  EXPECT_TRUE(o.fake.opens.empty());
  EXPECT_EQ(o.dir.read(std::string(kRfcTraceFileName)), "");
}

TEST(Connection, ADestinationWithADirectoryIsNoFileName) {
  Opener o;
  o.dir.write("SapRfc.x/PRD", "DEST=PRD\n");
  ConnectionValues v = prd();
  v.destination = "x/PRD";
  o.open(v);
  ASSERT_EQ(o.fake.opens.size(), 1u);
  EXPECT_EQ(o.fake.opens[0].destination, "x/PRD");  // RfcOpen, not the file
}

}  // namespace
}  // namespace keldar
