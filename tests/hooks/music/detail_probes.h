// Probes for the detail screens and glyphs, put into a launched Music host
// (on top of the common probes) before the extension loads: what colours a
// host's own drawRect: or layoutSubviews saw in its label fields when it
// began, what an initialiser or viewDidLoad left in them when it ended, how
// often the host's glyph methods ran, and, on request, other images in
// place of the host's glyphs or a default-style cell from the More list.
//
//   inLaunch(detailProbedHost(), [] { ... detailProbes().sightOf("MusicFlipsideAlbumDetailHeaderView layoutSubviews") ... });
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tests/hooks/music/probes.h"

// The label colours of the receiver's fields, by field name, at one moment
// of one host method: its start for drawing and layout, its end for
// initialisers and viewDidLoad. A field holding no label records nil.
struct LabelSight {
  std::string method;  // "Class selector"
  std::map<std::string, Ref<UIColor>> colours;
};

struct DetailProbes {
  std::vector<LabelSight> sights;
  std::map<std::string, int> glyphCalls;             // by selector of the host's glyph methods
  std::map<std::string, Ref<UIImage>> glyphAnswers;  // handed out instead of the host's image
  bool defaultStyleMoreCells = false;                // the More list answers cells without a detail label
};
DetailProbes& detailProbes();

// The host's own glyph image for `selector` (with the size category where
// the method takes one), past the probe and the extension.
UIImage* hostGlyphImage(const char* selector, NSString* sizeCategory);

// The latest sight of `method`, or null.
const LabelSight* latestSight(const std::string& method);

// The Music app with the common and the detail probes, in the probe colours.
TestLaunch detailProbedHost();
