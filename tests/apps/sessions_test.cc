// Each scripted session builds its screens, stock and themed, in a launch
// of its own, and renders them.
#include <gtest/gtest.h>

#include "apps/messages/MessagesApp.h"
#include "apps/music/MusicApp.h"
#include "platform/render/Renderer.h"
#include "platform/uikit/uikit.h"
#include "tests/support/launch.h"

namespace {

void expectScreensRender(const HostApp& app, bool themed) {
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
             });
  }
}

TEST(Sessions, MusicScreensBuildStockAndThemed) {
  expectScreensRender(musicApp(), false);
  expectScreensRender(musicApp(), true);
}

TEST(Sessions, MessagesScreensBuildStockAndThemed) {
  expectScreensRender(messagesApp(), false);
}

TEST(Sessions, SongsRowsDrawTheirTextsWithTheHostsAttributes) {
  inLaunch({.withExtension = false, .registerHostClasses = musicApp().host.registerClasses}, [] {
    AutoreleasePool pool;
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
