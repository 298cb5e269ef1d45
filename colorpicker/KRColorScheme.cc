// KRColorScheme's accessors.
#include "colorpicker/KRColorScheme.h"

#include "platform/objc/class_builder.h"

namespace {

template <Ref<UIColor> KRColorScheme::*Member>
UIColor* get(KRColorScheme* self, SEL) {
  return (self->*Member).get();
}
template <Ref<UIColor> KRColorScheme::*Member>
void set(KRColorScheme* self, SEL, UIColor* color) {
  self->*Member = color;
}

}  // namespace

void registerKRColorScheme() {
  objc::ClassBuilder<KRColorScheme>("KRColorScheme", objc::classOf<NSObject>())
      .ivar("_backgroundColor", &KRColorScheme::_backgroundColor)
      .ivar("_primaryTextColor", &KRColorScheme::_primaryTextColor)
      .ivar("_secondaryTextColor", &KRColorScheme::_secondaryTextColor)
      .method<&get<&KRColorScheme::_backgroundColor>>("backgroundColor")
      .method<&set<&KRColorScheme::_backgroundColor>>("setBackgroundColor:")
      .method<&get<&KRColorScheme::_primaryTextColor>>("primaryTextColor")
      .method<&set<&KRColorScheme::_primaryTextColor>>("setPrimaryTextColor:")
      .method<&get<&KRColorScheme::_secondaryTextColor>>("secondaryTextColor")
      .method<&set<&KRColorScheme::_secondaryTextColor>>("setSecondaryTextColor:");
}
