// The installed Esc-key query, kept for the whole run.
#include "common/escape.h"

#include <utility>

namespace {

struct TEscapeState {
  EscapeQuery Query;
};

TEscapeState EscapeState;

}  // namespace

void SetEscapeQuery(EscapeQuery query) {
  EscapeState.Query = std::move(query);
}

bool EscapePressed() {
  return EscapeState.Query ? EscapeState.Query() : false;
}
