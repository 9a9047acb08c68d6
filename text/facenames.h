// The face a font record of the host names, and the installed face that
// stands in for it. The host writes its default face in angle brackets
// ("<ＭＳ ゴシック>"), a name no system has; and a system without the host's
// Japanese faces (Linux, a bare Wine) must draw with another Japanese face,
// never fall back to one without Japanese glyphs. Both front ends map names
// here, so a text draws in the same face on both.
#pragma once

#include <string>

// The face name the record means (Shift-JIS): the name inside the angle
// brackets, or the name as it stands; a leading "@" (vertical writing)
// stays in front.
std::string FaceNameOf(const std::string& sjis);

// The installed face (UTF-8) that stands in for the face (Shift-JIS, as
// FaceNameOf gives it, without "@") where the face itself is not installed: a Gothic or
// Mincho face of the IPA family, by kind.
std::string SubstituteFace(const std::string& sjisFace);
