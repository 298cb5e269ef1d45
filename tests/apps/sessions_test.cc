// Each scripted session builds its screens, stock and themed, in a launch
// of its own, and renders them.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "apps/messages/MessagesApp.h"
#include "apps/music/MusicApp.h"
#include "platform/render/Renderer.h"
#include "platform/uikit/uikit.h"
#include "tests/support/launch.h"

namespace {

// `check`, where given, looks further at each screen's window and picture.
using ScreenCheck = std::function<void(const std::string& screen, UIWindow* window, const Bitmap& picture)>;

void expectScreensRender(const HostApp& app, bool themed, const ScreenCheck& check = {}) {
  for (const std::string& screen : app.screens) {
    SCOPED_TRACE(app.name + "-" + screen + (themed ? " themed" : " stock"));
    inLaunch({.bundleIdentifier = std::string(app.host.bundleIdentifier),
              .withExtension = themed,
              .principalClass = app.host.principalClass,
              .registerHostClasses = app.host.registerClasses},
             [&] {
               AutoreleasePool pool;
               Ref<UIWindow> window = app.buildScreen(screen);
               ASSERT_TRUE(window);
               EXPECT_EQ(UIApplication::shared()->backgroundStyle() == 3, themed);
               Bitmap picture = renderWindow(window, {.scale = 1, .backgroundStyle = UIApplication::shared()->backgroundStyle()});
               EXPECT_EQ(picture.width(), 320);
               EXPECT_EQ(picture.height(), 568);
               if (check) check(screen, window, picture);
             });
  }
}

TEST(Sessions, MusicScreensBuildStockAndThemed) {
  expectScreensRender(musicApp(), false);
  expectScreensRender(musicApp(), true);
}

// The stock conversation looks like the stock app, so that the comparison
// with the themed one shows what the theme changes: a white page, rounded
// balloons, and a message too long for one line wrapped onto the next.
TEST(Sessions, MessagesScreensBuildStockAndTheConversationIsWhiteWithRoundedWrappedBalloons) {
  const std::vector<std::string>& screens = messagesApp().screens;
  ASSERT_NE(std::find(screens.begin(), screens.end(), "conversation"), screens.end());
  expectScreensRender(messagesApp(), false, [&](const std::string& screen, UIWindow* window, const Bitmap& picture) {
    if (screen != "conversation") return;
    auto grey = [&](int x, int y) {
      uint8_t p[4];
      picture.rgbaAt(x, y, p);
      return int(p[0]) + p[1] + p[2];
    };
    EXPECT_EQ(grey(160, 450), 3 * 255) << "the page under the balloons is white";
    EXPECT_EQ(grey(12, 76), 3 * 255) << "the first balloon's corner is rounded off";
    EXPECT_NEAR(grey(15, 100), 3 * 230, 6) << "inside it, the other person's grey";

    std::vector<std::string> firstBalloon;
    std::function<void(UIView*)> find = [&](UIView* view) {
      std::vector<UIView*> subs = view->subviewList();
      bool isBalloon = view->isKindOfClass(objc::classOf<UIImageView>()) && !subs.empty() &&
                       objc::isKind<UILabel>(subs[0]) && firstBalloon.empty();
      for (UIView* sub : subs) {
        if (isBalloon) firstBalloon.push_back(objc::as<UILabel>(sub)->text()->str());
        find(sub);
      }
    };
    find(window);
    EXPECT_EQ(firstBalloon, (std::vector<std::string>{"The engine is ready for a", "first run tonight."}));
  });
}

TEST(Sessions, SongsRowsDrawTheirTextsWithTheHostsAttributes) {
  inLaunch({.withExtension = false, .registerHostClasses = musicApp().host.registerClasses}, [] {
    Ref<UIWindow> window = musicApp().buildScreen("songs");
    Class content = objc_getClass("MusicSongListTableViewCellContentView");
    NSDictionary* regular = objc::send<NSDictionary*()>(reinterpret_cast<id>(content), "titleRegularTextAttributes"_sel);
    ASSERT_NE(regular, nullptr);
    EXPECT_EQ(regular, objc::send<NSDictionary*()>(reinterpret_cast<id>(content), "titleRegularTextAttributes"_sel))
        << "the host hands out the dictionary it keeps";
    EXPECT_TRUE(objc::as<UIColor>(regular->objectForKey(NSForegroundColorAttributeName()))->isEqual(UIColor::withWhite(0, 1)));
  });
}

}  // namespace
