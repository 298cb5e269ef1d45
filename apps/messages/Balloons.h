// The stock transcript's message balloons: rounded, in the sender's colour,
// the text wrapped over as many lines as it needs inside a width limit.
//
//   transcript->addSubview(balloonView("See you at eight.", /*mine=*/false, 12, 80, 208));
#pragma once

#include <string>
#include <vector>

#include "platform/uikit/UIView.h"

// Words laid greedily into lines of at most `maxCharacters` characters; a
// word longer than a line gets a line of its own.
std::vector<std::string> wrapWords(const std::string& text, size_t maxCharacters);

// A balloon with its top-left corner at (x, y), at most `maxWidth` wide:
// its own colour and text colour for the user's messages, grey and black
// for the other person's.
Ref<UIView> balloonView(const std::string& text, bool mine, CGFloat x, CGFloat y, CGFloat maxWidth);
