#include "preview/reversedglyphs.h"

TReversedGlyphs::TReversedGlyphs(Canvas& layer)
    : layer_(layer), pen_(layer.GetPen()), brush_(layer.GetBrush()), fonts_(1) {}

void TReversedGlyphs::SetPen(const Pen& pen) {
  pen_ = pen;
  set_ = true;
  layer_.SetPen(pen);
}

void TReversedGlyphs::SetBrush(const Brush& brush) {
  brush_ = brush;
  set_ = true;
  layer_.SetBrush(brush);
}

void TReversedGlyphs::SetFont(const LogFont& font) {
  if (!(font == fonts_.back())) fonts_.push_back(font);
}

void TReversedGlyphs::TextOut(int32_t x, int32_t y, const std::string& glyph) {
  glyphs_.push_back({x, y, glyph, fonts_.size() - 1, textColor_, brush_});
}

void TReversedGlyphs::LayText() {
  if (set_ && !left_) left_.emplace(pen_, brush_);
  size_t font = fonts_.size();  // none laid yet
  for (auto g = glyphs_.rbegin(); g != glyphs_.rend(); ++g) {
    if (g->Font != font) {
      font = g->Font;
      layer_.SetFont(fonts_[font]);
    }
    layer_.SetTextColor(g->TextColor);
    layer_.SetBrush(g->Fill);
    layer_.TextOut(g->X, g->Y, g->Bytes);
  }
  glyphs_.clear();
  fonts_.erase(fonts_.begin(), fonts_.end() - 1);
}

void TReversedGlyphs::Finish() {
  if (!left_) return;
  layer_.SetPen(left_->first);
  layer_.SetBrush(left_->second);
}
