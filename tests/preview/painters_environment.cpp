// The preview tests render the whole store, texts, points and image
// references included, as the program does once it has installed the
// drawing of the text layer.
#include <gtest/gtest.h>

#include "text/painters.h"

namespace {

class PaintersEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { InstallTextPainters(); }
};

[[maybe_unused]] ::testing::Environment* const kPainters =
    ::testing::AddGlobalTestEnvironment(new PaintersEnvironment);

}  // namespace
