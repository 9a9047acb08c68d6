// What the text-layer tests share: an empty store, fresh attributes and the
// square view (a world point (x, y) is the pixel (x, 100 - y)), a recording
// canvas, and a text record built from the fields the tests vary.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exchange/store.h"
#include "preview/gval.h"
#include "tests/preview/recording_canvas.h"
#include "tests/preview/square_view.h"

class TextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitStore();
    CreateGraAttribute();
    ShowSquareView();
  }

  // The font and glyph calls in order.
  std::vector<std::string> Glyphs() const {
    std::vector<std::string> out;
    for (const std::string& l : canvas.Lines()) {
      if (l.starts_with("SetFont") || l.starts_with("TextOut")) out.push_back(l);
    }
    return out;
  }

  RecordingCanvas canvas{100, 100};
};

// A horizontal text of colour 2 (black) at (x, y) with the cell and spacing.
inline TJwwEntText TextRecord(const std::string& text, double x, double y, double width = 4,
                              double height = 3, double spacing = 0) {
  TJwwEntText t{};
  t.Head = {0, 0, 2, 1, 0, 0};
  t.Width = width;
  t.Height = height;
  t.Spacing = spacing;
  t.X = x;
  t.Y = y;
  t.DX = 1;
  t.FontName = "F";
  t.Text = text;
  return t;
}
