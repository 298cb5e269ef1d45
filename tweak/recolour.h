// The recolouring helpers the hook files share: a text-attributes
// dictionary with a new foreground colour, an image's shape filled with one
// colour, and a view made see-through. None keeps state or calls any saved
// implementation.
//
//   return attributesWithForegroundColor(orig_X_attrs(self, _cmd), ThemeColours.PrimaryTextColour);
#pragma once

#include "platform/foundation/NSDictionary.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIImage.h"

// An autoreleased mutable copy of `attributes` whose foreground colour is
// `colour`; every other entry as it was. The dictionary passed in is never
// changed (hosts keep theirs and hand it out again). Nil for nil.
NSMutableDictionary* attributesWithForegroundColor(NSDictionary* attributes, UIColor* colour);

// An autoreleased image of the same size and scale showing `colour` wherever
// `image` is opaque (its alpha as coverage) and transparent elsewhere; an
// ordinary image, not a template.
UIImage* imageFilledWithColor(UIColor* colour, UIImage* image);

// Recolours the label a host object keeps in its field `fieldName`: the
// field is looked up by name on the object's class at each call, as the
// host's layout differs from class to class; a class without the field is
// left alone, and a nil label ignores the message.
void recolourLabelField(id object, const char* fieldName, UIColor* colour);

// Sends `view` setBackgroundColor: with the clear colour, through ordinary
// dispatch, so that a class whose setter is replaced gets it through its own
// replacement as well.
void clearBackground(id view);
