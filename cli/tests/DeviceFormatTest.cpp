#include <gtest/gtest.h>

#include "DeviceFormat.h"

using namespace tervane;
using namespace tervane::cli;

namespace {

std::vector<DeviceRow> Rows() {
  CAPinfo a;
  a.type = 'A';
  a.mac = "02:00:00:00:00:01";
  a.ip = "10.0.0.11";
  a.mask = "255.255.255.0";
  a.gateway = "10.0.0.1";
  a.devName = "Lobby";
  a.channel = "0";
  a.dhcp = "1";
  CAPinfo s;
  s.type = 'S';
  s.mac = "m2";
  s.devName = "Store, \"east\"";
  s.ssid = "caf\xE9\n";
  s.channel = "11";
  return {RowOf(a), RowOf(s)};
}

}  // namespace

TEST(DeviceFormat, TableIsAligned) {
  EXPECT_EQ(
      "TYPE  MAC                IP         MASK           GATEWAY   NAME           SSID   CH    DHCP\n"
      "A     02:00:00:00:00:01  10.0.0.11  255.255.255.0  10.0.0.1  Lobby                 Auto  1\n"
      "S     m2                                                     Store, \"east\"  caf\xC3\xA9?  11    \n",
      FormatTable(Rows()));
}

TEST(DeviceFormat, JsonHasStableNamesAndEscapes) {
  EXPECT_EQ(
      "[\n"
      "  {\"type\": \"A\", \"mac\": \"02:00:00:00:00:01\", \"ip\": \"10.0.0.11\", \"mask\": \"255.255.255.0\", "
      "\"gateway\": \"10.0.0.1\", \"name\": \"Lobby\", \"ssid\": \"\", \"channel\": \"Auto\", \"dhcp\": \"1\"},\n"
      "  {\"type\": \"S\", \"mac\": \"m2\", \"ip\": \"\", \"mask\": \"\", \"gateway\": \"\", "
      "\"name\": \"Store, \\\"east\\\"\", \"ssid\": \"caf\xC3\xA9\\n\", \"channel\": \"11\", \"dhcp\": \"\"}\n"
      "]\n",
      FormatJson(Rows()));
  EXPECT_EQ("[]\n", FormatJson({}));
}

TEST(DeviceFormat, CsvQuotesByRfc4180) {
  EXPECT_EQ(
      "type,mac,ip,mask,gateway,name,ssid,channel,dhcp\r\n"
      "A,02:00:00:00:00:01,10.0.0.11,255.255.255.0,10.0.0.1,Lobby,,Auto,1\r\n"
      "S,m2,,,,\"Store, \"\"east\"\"\",\"caf\xC3\xA9\n\",11,\r\n",
      FormatCsv(Rows()));
}
