// The text of an image reference: the host keeps a placed picture as a text
// entity whose text is "^@BM", the picture's file name, a comma and the
// picture's width and height. Both the extents and the preview read it.
#pragma once

#include <string_view>

// True for an image reference: the text starts with "^@BM" and holds a comma.
bool IsImageRef(std::string_view text);

// True for an image reference; w and h then hold its width and height. With
// one number the height is the width; a number that does not read gives 0.0,
// and numbers after the second are ignored.
bool ParseImageRef(std::string_view text, double& w, double& h);
