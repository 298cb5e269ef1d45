// mirel-image: writes images of the image toolkit as PNG files and prints
// their size in points, their scale and their cap insets.
//
//   mirel-image color '#3366cc' --size 40x20 --corners 8,8,0,0 -o button.png
#include <CLI/CLI.hpp>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <string>

#include "imagekit/imagekit.h"
#include "platform/foundation/foundation.h"
#include "platform/uikit/UIImageFiles.h"
#include "platform/uikit/UIImageOrientation.h"
#include "platform/uikit/uikit.h"
#include "tools/image/arguments.h"
#include "tools/exit_status.h"

namespace {

using namespace mirel_image;

constexpr const char* kOutputHelp = "PNG file to write; the image's scale goes into its name (NAME@2x.png)";

// The largest side, in pixels, of an image the tool makes.
constexpr double kMaxPixels = 8192;

// Argument texts that do not say a valid image are usage errors; files that
// cannot be read or written are failed inputs.
struct Failure {
  std::string message;
  int status = kExitUsage;
};

std::string number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", v);
  return text;
}

UIColor* colourArgument(const std::string& text) {
  double c[4];
  std::string error;
  if (!parseHexColour(text, c, &error)) throw Failure{error};
  return UIColor::withRGBA(c[0], c[1], c[2], c[3]);
}

CGSize checkedSize(const std::string& text, double w, double h, double scale) {
  if (w <= 0 || h <= 0) throw Failure{"size \"" + text + "\" must be positive"};
  if (w * scale > kMaxPixels || h * scale > kMaxPixels)
    throw Failure{"size \"" + text + "\" is over 8192 pixels a side at scale " + number(scale)};
  if (w * scale < 1 || h * scale < 1) throw Failure{"size \"" + text + "\" is under one pixel"};
  return CGSizeMake(w, h);
}

CGSize sizeArgument(const std::string& text, double scale) {
  double w, h;
  std::string error;
  if (!parseSize(text, &w, &h, &error)) throw Failure{error};
  return checkedSize(text, w, h, scale);
}

ADDCornerInset cornersArgument(const std::string& text) {
  double v[4];
  std::string error;
  if (!parseNumberList(text, 4, v, &error)) throw Failure{"corners " + error};
  for (double r : v)
    if (r < 0) throw Failure{"corner radii must not be negative"};
  return {v[0], v[1], v[2], v[3]};
}

// Corner radii fit a size when opposite corners along each side fit it.
void checkCornersFit(ADDCornerInset i, CGSize size) {
  if (i.topLeft + i.topRight > size.width || i.bottomLeft + i.bottomRight > size.width ||
      i.topLeft + i.bottomLeft > size.height || i.topRight + i.bottomRight > size.height) {
    char text[160];
    std::snprintf(text, sizeof text, "corner inset %g,%g,%g,%g does not fit %g x %g points", i.topLeft, i.topRight,
                  i.bottomLeft, i.bottomRight, size.width, size.height);
    throw Failure{text};
  }
}

// A JPEG or PNG file at the scale its name says, upright: the toolkit
// draws an image's stored pixels, so a photo taken sideways is turned first.
UIImage* imageArgument(const std::string& path) {
  std::string error;
  UIImage* image = UIImageReadFile(path.c_str(), scaleFromFileName(path), 0, &error);
  if (!image) throw Failure{path + ": " + error, kExitInputFailed};
  if (image->imageOrientation() == UIImageOrientationUp) return image;
  Ref<CGImageObj> upright = UIImageUprightCGImage(image->CGImage(), image->imageOrientation());
  return UIImage::imageWithCGImage(upright, image->scale(), UIImageOrientationUp);
}

// Whether the file name says PNG, as the bytes written will be.
bool writesPNG(const std::string& path) {
  std::string extension = path.size() >= 4 ? path.substr(path.size() - 4) : "";
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".png";
}

// Writes under the name that says the image's scale (OutputName).
void write(UIImage* image, const std::string& requested) {
  if (!image) throw Failure{"the toolkit made no image", kExitInputFailed};
  OutputName name = outputNameForScale(requested, image->scale());
  if (!name.error.empty()) throw Failure{name.error};
  if (!name.warning.empty()) std::fprintf(stderr, "mirel-image: warning: %s\n", name.warning.c_str());
  const std::string& path = name.path;
  std::string error;
  if (!UIImageWritePNG(image, path.c_str(), &error)) throw Failure{"cannot write " + path + ": " + error, kExitInputFailed};
  CGSize size = image->size();
  UIEdgeInsets caps = image->capInsets();
  std::printf("%s: %g x %g pt, scale %g, cap insets {%g, %g, %g, %g}\n", path.c_str(), size.width, size.height,
              image->scale(), caps.top, caps.left, caps.bottom, caps.right);
}

}  // namespace

int main(int argc, char** argv) {
  registerFoundation();
  registerUIKit();
  registerImagekit();
  AutoreleasePool pool;

  CLI::App app{"Writes images of the image toolkit as PNG files."};
  app.require_subcommand(1);
  std::string output;

  // color COLOUR [--size WxH] [--corners TL,TR,BL,BR] [--resizable] [--scale S]
  CLI::App* color = app.add_subcommand("color", "a solid colour, optionally with rounded corners or stretchable");
  std::string colourText, sizeText, cornersText;
  bool resizable = false;
  double scale = 2;
  color->add_option("COLOUR", colourText, "RGB, RGBA, RRGGBB or RRGGBBAA in hex")->required();
  CLI::Option* colorSize = color->add_option("--size", sizeText, "size in points (default 1x1)");
  color->add_option("--corners", cornersText, "corner radii in points: top-left, top-right, bottom-left, bottom-right");
  color->add_flag("--resizable", resizable, "the smallest stretchable image with these corners")->excludes(colorSize);
  color->add_option("--scale", scale, "pixels per point (default 2)");
  color->add_option("-o", output, kOutputHelp)->required();

  // gradient COLOUR... --size WxH --direction D [--resizable] [--scale S]
  // Each direction is named from where the first colour goes to where the
  // last one does.
  CLI::App* gradient = app.add_subcommand("gradient", "a linear gradient");
  std::vector<std::string> colourTexts;
  std::string direction;
  gradient->add_option("COLOUR", colourTexts, "colours from start to end")->required();
  gradient->add_option("--size", sizeText, "size in points (with --resizable, 0 for the side the strip ignores)")
      ->required();
  gradient->add_option("--direction", direction,
                       "top-to-bottom, left-to-right, top-left-to-bottom-right or top-right-to-bottom-left")
      ->required()
      ->check(CLI::IsMember(
          {"top-to-bottom", "left-to-right", "top-left-to-bottom-right", "top-right-to-bottom-left"}));
  gradient->add_flag("--resizable", resizable, "a stretchable strip (1 point across the direction)");
  gradient->add_option("--scale", scale, "pixels per point (default 2)");
  gradient->add_option("-o", output, kOutputHelp)->required();

  // tint IMAGE COLOUR --style S
  CLI::App* tint = app.add_subcommand("tint", "an image tinted with a colour");
  std::string imagePath, style;
  tint->add_option("IMAGE", imagePath, "JPEG or PNG file (@2x in the name: scale 2)")->required();
  tint->add_option("COLOUR", colourText, "tint colour in hex")->required();
  tint->add_option("--style", style, "keeping-alpha, over-background or cut-out")
      ->required()
      ->check(CLI::IsMember({"keeping-alpha", "over-background", "cut-out"}));
  tint->add_option("-o", output, kOutputHelp)->required();

  // round IMAGE (--radius R | --corners TL,TR,BL,BR | --circle)
  CLI::App* round = app.add_subcommand("round", "an image with rounded corners");
  double radius = 0;
  bool circle = false;
  round->add_option("IMAGE", imagePath, "JPEG or PNG file (@2x in the name: scale 2)")->required();
  CLI::Option* radiusOption = round->add_option("--radius", radius, "one radius for every corner, in points");
  CLI::Option* cornersOption = round->add_option("--corners", cornersText, "top-left, top-right, bottom-left, bottom-right");
  CLI::Option* circleOption = round->add_flag("--circle", circle, "half the shorter side");
  radiusOption->excludes(cornersOption)->excludes(circleOption);
  cornersOption->excludes(circleOption);
  round->add_option("-o", output, kOutputHelp)->required();

  // compose BASE TOP [--offset X,Y]
  CLI::App* compose = app.add_subcommand("compose", "one image laid over another");
  std::string basePath, topPath, offsetText;
  compose->add_option("BASE", basePath, "JPEG or PNG file underneath")->required();
  compose->add_option("TOP", topPath, "JPEG or PNG file on top")->required();
  compose->add_option("--offset", offsetText, "offset of TOP in points (default: centred)");
  compose->add_option("-o", output, kOutputHelp)->required();

  if (std::optional<int> status = parseArguments(app, argc, argv)) return *status;
  if (!writesPNG(output)) {
    std::fprintf(stderr, "mirel-image: -o %s: mirel-image writes PNG files only; name the file *.png\n",
                 output.c_str());
    return kExitUsage;
  }

  try {
    if (color->parsed()) {
      if (!(scale > 0) || scale > 16) throw Failure{"scale must be above 0 and at most 16"};
      UIScreenSetMainScreenScale(scale);
      UIColor* c = colourArgument(colourText);
      ADDCornerInset corners = cornersText.empty() ? ADDCornerInsetZero : cornersArgument(cornersText);
      if (resizable) {
        double w = std::fmax(corners.topLeft, corners.bottomLeft) + std::fmax(corners.topRight, corners.bottomRight) + 1;
        double h = std::fmax(corners.topLeft, corners.topRight) + std::fmax(corners.bottomLeft, corners.bottomRight) + 1;
        if (w * scale > kMaxPixels || h * scale > kMaxPixels) throw Failure{"corners make an image over 8192 pixels a side"};
        write(add::resizableImageWithColor(c, corners), output);
      } else {
        CGSize size = sizeArgument(sizeText.empty() ? "1x1" : sizeText, scale);
        checkCornersFit(corners, size);
        write(add::imageWithColor(c, size, corners), output);
      }
    } else if (gradient->parsed()) {
      if (!(scale > 0) || scale > 16) throw Failure{"scale must be above 0 and at most 16"};
      UIScreenSetMainScreenScale(scale);
      Ref<NSMutableArray> colours = objc::make<NSMutableArray>();
      for (const std::string& text : colourTexts) colours->addObject(colourArgument(text));
      ADDImageGradientDirection d = direction == "top-to-bottom"   ? ADDImageGradientDirectionVertical
                                    : direction == "left-to-right" ? ADDImageGradientDirectionHorizontal
                                    : direction == "top-left-to-bottom-right"
                                        ? ADDImageGradientDirectionTopLeftToBottomRight
                                        : ADDImageGradientDirectionTopRightToBottomLeft;
      // A stretchable strip is 1 point across its direction whatever the
      // size says there, so that side may be 0, as the toolkit allows.
      double w = 0, h = 0;
      std::string error;
      if (!parseSize(sizeText, &w, &h, &error)) throw Failure{error};
      if (resizable && d == ADDImageGradientDirectionVertical && w == 0) w = 1;
      if (resizable && d == ADDImageGradientDirectionHorizontal && h == 0) h = 1;
      CGSize size = checkedSize(sizeText, w, h, scale);
      write(resizable ? add::resizableImageWithGradient(colours, size, d) : add::imageWithGradient(colours, size, d),
            output);
    } else if (tint->parsed()) {
      UIImage* image = imageArgument(imagePath);
      ADDImageTintStyle s = style == "keeping-alpha"     ? ADDImageTintStyleKeepingAlpha
                            : style == "over-background" ? ADDImageTintStyleOverBackground
                                                         : ADDImageTintStyleCutOut;
      write(add::tintedImageWithColor(image, colourArgument(colourText), s), output);
    } else if (round->parsed()) {
      UIImage* image = imageArgument(imagePath);
      ADDCornerInset inset;
      if (*radiusOption) {
        if (!std::isfinite(radius) || radius < 0) throw Failure{"radius must be a number of at least 0"};
        inset = {radius, radius, radius, radius};
      } else if (*cornersOption) {
        inset = cornersArgument(cornersText);
      } else if (circle) {
        CGFloat r = std::fmin(image->size().width, image->size().height) / 2;
        inset = {r, r, r, r};
      } else {
        throw Failure{"round needs one of --radius, --corners or --circle"};
      }
      checkCornersFit(inset, image->size());
      write(add::imageWithCornerInset(image, inset), output);
    } else if (compose->parsed()) {
      UIImage* base = imageArgument(basePath);
      UIImage* top = imageArgument(topPath);
      if (offsetText.empty()) {
        write(add::imageAddingImage(base, top), output);
      } else {
        double xy[2];
        std::string error;
        if (!parseNumberList(offsetText, 2, xy, &error)) throw Failure{"offset " + error};
        write(add::imageAddingImage(base, top, CGPointMake(xy[0], xy[1])), output);
      }
    }
  } catch (const Failure& failure) {
    std::fprintf(stderr, "mirel-image: %s\n", failure.message.c_str());
    return failure.status;
  }
  return kExitDone;
}
