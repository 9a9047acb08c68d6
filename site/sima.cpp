// The SIMA records of the coordinate table's corners.
#include "site/sima.h"

#include "common/decimal.h"
#include "common/sjis.h"

std::string SimaFile(const TAreaResult& r) {
  if (r.Coordinates.Shape != TOutlineShape::Simple) return "";
  std::string out;
  auto record = [&out](const std::string& line) { out += line + "\r\n"; };
  record(Sjis("G00,01,敷地,"));
  record(Sjis("Z00,座標データ,"));
  record("A00,");
  // The table lists drawn axes (X right, Y up) or the survey's already.
  const bool survey = r.Axes == TAreaAxes::Survey;
  for (const TCornerRow& c : r.Coordinates.Rows) {
    const std::string n = std::to_string(c.Point);
    record("A01," + n + "," + n + "," + FormatUnits(survey ? c.X : c.Y, 3) + "," +
           FormatUnits(survey ? c.Y : c.X, 3) + ",,");
  }
  record("A99,");
  record(Sjis("Z00,区画データ,"));
  record(Sjis("D00,1,敷地,"));
  for (const TCornerRow& c : r.Coordinates.Rows) {
    const std::string n = std::to_string(c.Point);
    record("B01," + n + "," + n + ",");
  }
  record("D99,");
  return out;
}
