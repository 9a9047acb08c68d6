// The frame of TForm1's tests: a temporary program folder, the form over a
// fake front end, shown and painted once as a window would be.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/tform1.h"
#include "fakefrontend.h"
#include "hostfolder.h"

class FormTest : public ::testing::Test {
 protected:
  // Creates the form, shows it and gives it its first paint; the host file
  // and the settings file must be in place before.
  TForm1& Start() {
    // One form at a time, as in the program: the one before stops its
    // redraw before the new one reads the store anew.
    form.reset();
    form = std::make_unique<TForm1>(ui, folder.ProgramPath());
    form->FormShow();
    form->Preview.PaintBox1Paint();
    return *form;
  }

  HostFolder folder;
  FakeFrontEnd ui;
  std::unique_ptr<TForm1> form;
};
