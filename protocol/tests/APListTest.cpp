#include <gtest/gtest.h>

#include "APList.h"

using namespace tervane;

TEST(CAPinfo, DefaultsAndMacTrimming) {
  CAPinfo r;
  EXPECT_EQ(0, r.modified);
  EXPECT_EQ(0, r.seen);
  EXPECT_EQ(0, r.shown);
  EXPECT_EQ(0, r.updated);
  EXPECT_EQ(-1, r.row);
  EXPECT_EQ(1, r.reboot);
  EXPECT_EQ(0, r.type);
  EXPECT_TRUE(r.ip.empty() && r.mac.empty() && r.channel.empty() && r.dhcp.empty());

  r.SetMac("00:11:22:33:44:55 \t\r\n\v\f");
  EXPECT_EQ("00:11:22:33:44:55", r.mac);
  r.SetMac("   ");
  EXPECT_EQ("", r.mac);
  EXPECT_EQ(" lead", CAPinfo(" lead").mac);
  EXPECT_EQ("key ", CAPinfo("key ").mac) << "key-only records keep their text";

  r.SetType('S');
  EXPECT_EQ('S', r.type);
  r.SetType(static_cast<char>(0xC1));
  EXPECT_EQ(-63, r.type) << "sign-extended";
}

TEST(CAPinfo, AssignCopiesDeviceValuesButNotGridPlace) {
  CAPinfo from;
  from.ip = "10.0.0.2";
  from.mac = "m";
  from.mask = "255.0.0.0";
  from.gateway = "10.0.0.1";
  from.devName = "Bridge1";
  from.channel = "6";
  from.dhcp = "1";
  from.ssid = "net";
  from.type = 'A';
  from.reboot = 0;
  from.modified = 1;
  from.seen = 1;
  from.shown = 1;
  from.updated = 1;
  from.row = 4;

  CAPinfo to;
  to.shown = 0;
  to.updated = 0;
  to.row = 9;
  to.Assign(from);
  EXPECT_EQ("10.0.0.2", to.ip);
  EXPECT_EQ("255.0.0.0", to.mask);
  EXPECT_EQ("10.0.0.1", to.gateway);
  EXPECT_EQ("Bridge1", to.devName);
  EXPECT_EQ("6", to.channel);
  EXPECT_EQ("1", to.dhcp);
  EXPECT_EQ("net", to.ssid);
  EXPECT_EQ('A', to.type);
  EXPECT_EQ(0, to.reboot);
  EXPECT_EQ(1, to.modified);
  EXPECT_EQ(1, to.seen);
  EXPECT_EQ(0, to.shown);
  EXPECT_EQ(0, to.updated);
  EXPECT_EQ(9, to.row);

  to = to;  // self-assignment changes nothing
  EXPECT_EQ("10.0.0.2", to.ip);
}

TEST(APList, AddTailStartsFreshAndPointersStayValid) {
  APList list;
  CAPinfo r;
  r.mac = "first";
  r.shown = 1;
  r.row = 3;
  r.seen = 1;
  CAPinfo* first = list.AddTail(r);
  EXPECT_EQ(0, first->shown);
  EXPECT_EQ(-1, first->row);
  EXPECT_EQ(1, first->seen);

  for (int i = 0; i < 5000; ++i) {
    CAPinfo more;
    more.mac = "mac" + std::to_string(i);
    list.AddTail(more);
  }
  EXPECT_EQ(first, list.FindByMac("first"));
  EXPECT_EQ("first", first->mac);
  EXPECT_EQ(5001u, list.GetCount());
  EXPECT_EQ(&list.GetAt(1), list.FindByMac(CAPinfo("mac0")));
}

TEST(APList, FindByMacIsExactAndReturnsTheFirst) {
  APList list;
  CAPinfo a;
  a.mac = "aa:bb";
  a.ip = "first";
  list.AddTail(a);
  CAPinfo upper;
  upper.mac = "AA:BB";
  list.AddTail(upper);
  a.ip = "second";
  list.AddTail(a);  // a duplicate added by hand: the first still wins

  EXPECT_EQ(3u, list.GetCount());
  ASSERT_NE(nullptr, list.FindByMac("aa:bb"));
  EXPECT_EQ("first", list.FindByMac("aa:bb")->ip);
  EXPECT_EQ(&list.GetAt(1), list.FindByMac("AA:BB"));
  EXPECT_EQ(nullptr, list.FindByMac("aa:bb "));
  EXPECT_EQ(nullptr, list.FindByMac("aa:b"));
  EXPECT_EQ(nullptr, list.FindByMac(""));

  // A key changed in place is no longer found by its old text.
  list.GetAt(1).mac = "cc";
  EXPECT_EQ(nullptr, list.FindByMac("AA:BB"));
}
