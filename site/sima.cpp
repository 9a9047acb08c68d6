// The SIMA records of the coordinate table's corners.
#include "site/sima.h"

#include <algorithm>
#include <vector>

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
  const bool survey = r.Settings.Axes == TAreaAxes::Survey;
  for (const TCornerRow& c : r.Coordinates.Rows) {
    const std::string n = std::to_string(c.Point);
    record("A01," + n + "," + n + "," + FormatUnits(survey ? c.X : c.Y, 3) + "," +
           FormatUnits(survey ? c.Y : c.X, 3) + ",,");
  }
  record("A99,");
  record(Sjis("Z00,区画データ,"));
  record(Sjis("D00,1,敷地,"));
  // Round the site the way that makes Σ X(Yn+1 - Yn-1) positive in the
  // survey's axes, as a table in those axes lists it: against the drawn one.
  std::vector<TCornerRow> round = r.Coordinates.Rows;
  if (!survey) std::reverse(round.begin() + 1, round.end());
  for (const TCornerRow& c : round) {
    const std::string n = std::to_string(c.Point);
    record("B01," + n + "," + n + ",");
  }
  record("D99,");
  return out;
}
