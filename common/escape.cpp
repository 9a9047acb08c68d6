// The installed Esc-key query, kept for the whole run.
#include "common/escape.h"

#include <utility>

namespace {
EscapeQuery& Query() {
  static EscapeQuery query;
  return query;
}
}  // namespace

void SetEscapeQuery(EscapeQuery query) {
  Query() = std::move(query);
}

bool EscapePressed() {
  return Query() ? Query()() : false;
}
