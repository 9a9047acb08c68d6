// The SIMA file of the published coordinate example, read back by a reader
// of the records it writes.
#include "site/sima.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "common/sjis.h"
#include "tests/exchange/store_setup.h"
#include "tests/site/table_stub.h"

namespace {

struct TSimaRead {
  std::vector<std::string> kinds;                  // each record's kind, in order
  std::map<int, std::vector<std::string>> points;  // A01: name, X, Y, Z
  std::vector<std::vector<int>> parcels;           // D00 .. D99: B01's numbers
  bool crlf = true;
};

TSimaRead ReadSima(const std::string& bytes) {
  TSimaRead r;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) {
    r.crlf = r.crlf && !line.empty() && line.back() == '\r';
    std::vector<std::string> f;
    std::istringstream fields(line.substr(0, line.size() - 1));
    for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
    r.kinds.push_back(f.at(0));
    if (f[0] == "A01")
      r.points[std::stoi(f.at(1))] = {f.at(2), f.at(3), f.at(4), f.size() > 5 ? f[5] : ""};
    if (f[0] == "D00") r.parcels.emplace_back();
    if (f[0] == "B01") r.parcels.back().push_back(std::stoi(f.at(1)));
  }
  return r;
}

class Sima : public FreshStoreTest {};

TEST_F(Sima, TheCornersReadBackNorthAndEastWithTheOutlineAsOneParcel) {
  // K1 (3.02, -12.11), K2 (13.18, -12.73), K3 (23.81, 10.11), K4 (0.86, 16.53).
  const TOutlineSolution published = Solve("10178.899744", "-3.492065609414",
                                           {{"1", "30429.467626", "2", "25192.508807", "0"},
                                            {"1", "28721.337016", "3", "23831.049075", "0"}});
  for (const TAreaAxes axes : {TAreaAxes::Drawing, TAreaAxes::Survey}) {
    TAreaSettings s;
    s.Axes = axes;
    s.OriginX = axes == TAreaAxes::Drawing ? 3020 : -12110;
    s.OriginY = axes == TAreaAxes::Drawing ? -12110 : 3020;
    const TSimaRead r = ReadSima(SimaFile(ComputeArea(published, s)));
    EXPECT_TRUE(r.crlf);
    EXPECT_EQ(r.kinds,
              (std::vector<std::string>{"G00", "Z00", "A00", "A01", "A01", "A01", "A01", "A99",
                                        "Z00", "D00", "B01", "B01", "B01", "B01", "D99"}));
    EXPECT_EQ(r.points,
              (std::map<int, std::vector<std::string>>{{1, {"1", "-12.110", "3.020", ""}},
                                                       {2, {"2", "-12.730", "13.180", ""}},
                                                       {3, {"3", "10.110", "23.810", ""}},
                                                       {4, {"4", "16.530", "0.860", ""}}}));
    EXPECT_EQ(r.parcels, (std::vector<std::vector<int>>{{1, 4, 3, 2}}));
  }
  EXPECT_EQ(SimaFile(TAreaResult{}), "");
}

}  // namespace
