// Dumping view trees as JSON.
#include "platform/render/ViewDump.h"

#include <cmath>
#include <cstdio>

#include "platform/objc/class.h"
#include "platform/uikit/uikit.h"

using nlohmann::json;

namespace {

class RecordingSink : public TextSink {
 public:
  json runs = json::array();
  void drawText(const TextRun& run) override {
    runs.push_back({{"text", run.text}, {"color", colourJson(run.color ? run.color.get() : nullptr)}});
  }
};

bool isKind(UIView* view, const char* className) {
  Class cls = objc_getClass(className);
  return cls && view->isKindOfClass(cls);
}

id send(id object, const char* selector) {
  SEL sel = sel_registerName(selector);
  if (!object || !objc::send<BOOL(SEL)>(object, "respondsToSelector:"_sel, sel)) return nil;
  return objc::send<id()>(object, sel);
}

json ivarView(UIView* view, const char* name) {
  Ivar ivar = class_getInstanceVariable(object_getClass(view), name);
  id value = ivar ? object_getIvar(view, ivar) : nil;
  return value ? dumpView(objc::as<UIView>(value)) : json(nullptr);
}

std::string hexOf(double r, double g, double b, double a) {
  auto byte = [](double v) { return static_cast<unsigned>(std::lround(std::fmin(1, std::fmax(0, v)) * 255.0)); };
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X%02X", byte(r), byte(g), byte(b), byte(a));
  return text;
}

// The colour of the image's most opaque pixel, alpha taken out: what its
// glyphs are painted in, whatever they were drawn in.
json inkColour(CGImageRef image) {
  const uint8_t* rgba = CGImageGetPremultipliedRGBA(image);
  size_t pixels = CGImageGetWidth(image) * CGImageGetHeight(image);
  const uint8_t* best = nullptr;
  for (size_t i = 0; rgba && i < pixels; ++i)
    if (!best || rgba[i * 4 + 3] > best[3]) best = rgba + i * 4;
  if (!best || best[3] == 0) return nullptr;
  double a = best[3] / 255.0;
  return hexOf(best[0] / 255.0 / a, best[1] / 255.0 / a, best[2] / 255.0 / a, 1);
}

// An image of drawn text: what was drawn, in which colour, and the colour
// its pixels now show (they differ once the image has been repainted).
void addDrawnTexts(CGImageRef image, json& out) {
  if (!image || image->_drawnTexts.empty()) return;
  json texts = json::array();
  for (const CGDrawnText& t : image->_drawnTexts) texts.push_back({{"text", t.text}, {"color", hexOf(t.r, t.g, t.b, t.a)}});
  out["drawnTexts"] = texts;
  out["inkColor"] = inkColour(image);
}

json settingsJson(UIBackdropViewSettings* s) {
  if (!s) return nullptr;
  return {{"style", s->style()},
          {"blurRadius", s->blurRadius()},
          {"saturationDeltaFactor", s->saturationDeltaFactor()},
          {"usesColorTintView", s->usesColorTintView()},
          {"colorTint", colourJson(s->colorTint())},
          {"colorTintAlpha", s->colorTintAlpha()},
          {"blurQuality", s->blurQuality() ? json(s->blurQuality()->str()) : json(nullptr)}};
}

// The text colour, the colour a plain placeholder is drawn in and the
// colour of each run of an attributed placeholder.
void addTextFieldState(UITextField* field, json& out) {
  out["fieldText"] = field->text() ? json(field->text()->str()) : json(nullptr);
  out["fieldTextColor"] = colourJson(field->textColor());
  out["placeholderColor"] = colourJson(field->placeholderColor());
  NSAttributedString* placeholder = field->attributedPlaceholder();
  if (!placeholder) return;
  json runs = json::array();
  for (NSUInteger at = 0; at < placeholder->length();) {
    NSRange range{};
    id colour = placeholder->attribute(NSForegroundColorAttributeName(), at, &range);
    runs.push_back({{"text", placeholder->string()->substringWithRange(range)->str()},
                    {"color", colourJson(objc::isKind<UIColor>(colour) ? objc::as<UIColor>(colour) : nullptr)}});
    at = range.location + range.length;
  }
  out["attributedPlaceholder"] = runs;
}

void addClassState(UIView* view, json& out) {
  if (isKind(view, "UILabel")) {
    auto* label = objc::as<UILabel>(view);
    out["text"] = label->text() ? json(label->text()->str()) : json(nullptr);
    out["textColor"] = colourJson(label->textColor());
  } else if (class_getMethodImplementation(object_getClass(view), "drawRect:"_sel) !=
             class_getMethodImplementation(objc::classOf<UIView>(), "drawRect:"_sel)) {
    RecordingSink sink;
    TextSinkScope scope(&sink);
    view->drawRect(view->bounds());
    out["texts"] = sink.runs;
  }
  if (isKind(view, "UIButton")) {
    id title = objc::send<id(NSUInteger)>(view, "titleForState:"_sel, 0);
    out["title"] = title ? json(objc::as<NSString>(title)->str()) : json(nullptr);
    out["titleColorNormal"] = colourJson(objc::send<UIColor*(NSUInteger)>(view, "titleColorForState:"_sel, 0));
  }
  if (isKind(view, "UIImageView")) {
    id image = send(view, "image");
    if (image) {
      CGSize size = objc::send<CGSize()>(image, "size"_sel);
      out["image"] = {{"width", size.width},
                      {"height", size.height},
                      {"scale", objc::send<CGFloat()>(image, "scale"_sel)},
                      {"renderingMode", objc::send<NSInteger()>(image, "renderingMode"_sel)}};
      addDrawnTexts(objc::send<CGImageRef()>(image, "CGImage"_sel), out["image"]);
    } else {
      out["image"] = nullptr;
    }
  }
  if (isKind(view, "_UIBackdropView")) out["settings"] = settingsJson(objc::as<UIBackdropView>(view)->settings());
  if (isKind(view, "UINavigationBar")) {
    id attributes = send(view, "titleTextAttributes");
    id colour = attributes ? objc::send<id(id)>(attributes, "objectForKey:"_sel, NSForegroundColorAttributeName()) : nil;
    out["titleTextAttributes"] =
        attributes ? json{{"foregroundColor", colourJson(objc::as<UIColor>(colour))}} : json(nullptr);
  }
  if (isKind(view, "UITabBar")) out["adaptiveBackdrop"] = ivarView(view, "_adaptiveBackdrop");
  if (isKind(view, "UITabBarButton"))
    out["unselectedTintColor"] = colourJson(objc::as<UIColor>(send(view, "unselectedTintColor")));
  if (isKind(view, "UITableViewCell")) {
    UIView* selected = objc::as<UITableViewCell>(view)->selectedBackgroundView();
    out["selectedBackgroundView"] = selected ? dumpView(selected) : json(nullptr);
  }
  if (isKind(view, "MPUNowPlayingTitlesView")) {
    out["titleLabel"] = ivarView(view, "_titleLabel");
    out["detailLabel"] = ivarView(view, "_detailLabel");
  }
  if (isKind(view, "UIStatusBar")) out["foregroundColor"] = colourJson(objc::as<UIColor>(send(view, "foregroundColor")));
  if (isKind(view, "UITextField")) addTextFieldState(objc::as<UITextField>(view), out);
  if (isKind(view, "_UIModalItemAlertBackgroundView")) {
    auto* background = objc::as<UIModalItemAlertBackgroundView>(view);
    json stops = json::array();
    for (size_t i = 0; i < background->_gradientColours.size(); ++i)
      stops.push_back({{"color", colourJson(background->_gradientColours[i])},
                       {"location", background->_gradientLocations[i]}});
    out["gradient"] = stops;
  }
  if (isKind(view, "_UIDimmingKnockoutBackdropView"))
    out["knockoutColor"] = colourJson(objc::as<UIDimmingKnockoutBackdropView>(view)->knockoutColor(
        objc::as<UIDimmingKnockoutBackdropView>(view)->_backdropStyle));
}

}  // namespace

json colourJson(UIColor* color) {
  if (!color) return nullptr;
  return UIColorHexText(color);
}

json dumpView(UIView* view) {
  if (!view) return nullptr;
  AutoreleasePool pool;
  CGRect f = view->frame();
  json out = {{"class", object_getClassName(view)},
              {"frame", {f.origin.x, f.origin.y, f.size.width, f.size.height}},
              {"backgroundColor", colourJson(view->backgroundColor())},
              {"tintColor", colourJson(view->tintColor())},
              {"alpha", view->alpha()},
              {"hidden", static_cast<bool>(view->isHidden())},
              {"tag", view->tag()}};
  addClassState(view, out);
  json subviews = json::array();
  for (UIView* sub : view->subviewList()) subviews.push_back(dumpView(sub));
  out["subviews"] = subviews;
  return out;
}
