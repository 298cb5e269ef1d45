// The Songs list's search bar and the search screen.
#include "apps/music/Search.h"

#include <algorithm>
#include <cctype>

#include "apps/music/Library.h"
#include "apps/music/SongList.h"
#include "platform/objc/class_builder.h"

namespace {

bool containsFolded(const std::string& text, const std::string& query) {
  auto fold = [](std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
  };
  return fold(text).find(fold(query)) != std::string::npos;
}

// The view of class `cls` first met walking the tree front to back, or null.
UIView* findView(UIView* root, Class cls) {
  if (root->isKindOfClass(cls)) return root;
  std::vector<UIView*> subviews = root->subviewList();
  for (auto it = subviews.rbegin(); it != subviews.rend(); ++it)
    if (UIView* found = findView(*it, cls)) return found;
  return nullptr;
}

// --- The results ----------------------------------------------------------------------

struct MusicSearchResultsController : UIViewController {
  static constexpr const char* kClassName = "MusicSearchResultsController";
  std::vector<const Song*> _matches;
};

NSInteger Results_numberOfRows(MusicSearchResultsController* self, SEL, UITableView*, NSInteger) {
  return static_cast<NSInteger>(self->_matches.size());
}

UITableViewCell* Results_cellForRow(MusicSearchResultsController* self, SEL, UITableView*, NSIndexPath* path) {
  const Song* song = self->_matches[path->row()];
  Ref<UITableViewCell> cell = adopt(objc::send<UITableViewCell*(NSInteger, NSString*)>(
      reinterpret_cast<id>(objc::alloc<UITableViewCell>()), "initWithStyle:reuseIdentifier:"_sel, 0, "Result"_ns));
  cell->textLabel()->setHidden(YES);
  UIView* content = cell->contentView();
  Class cls = objc_getClass("MusicSearchTableViewCellContentView");
  auto* fresh = static_cast<UIView*>(objc::send<id()>(reinterpret_cast<id>(cls), "alloc"_sel));
  Ref<MusicCellContentView> row = adopt(static_cast<MusicCellContentView*>(fresh->initWithFrame(content->bounds())));
  row->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  row->_title = NSString::withUTF8(song->title);
  row->_subtitle = NSString::withFormat("Song \u2014 %s", song->artist);
  content->addSubview(row);
  return cell.autorelease();
}

}  // namespace

void addSongsSearchBar(UITableView* songsTable) {
  CGFloat top = songsTable->_contentInsetTop;
  Ref<UISearchBar> bar =
      UIView::make<UISearchBar>(CGRectMake(0, top, songsTable->bounds().size.width, kSongsSearchBarHeight));
  bar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
  bar->setPlaceholder("Search"_ns);
  songsTable->addSubview(bar);
  songsTable->_contentInsetTop = top + kSongsSearchBarHeight;
}

// The search display takes the Songs list's place: the list and the
// navigation bar are hidden, the results lie where the list was (under the
// tab bar, as the list did) and the search bar moves up under the status
// bar.
void showSongSearch(UIWindow* window, const char* query) {
  auto* songs = objc::as<UITableView>(findView(window, objc::classOf<UITableView>()));
  UIView* navigationBar = findView(window, objc::classOf<UINavigationBar>());
  if (!songs || !songs->superview()) return;
  songs->setHidden(YES);
  if (navigationBar) navigationBar->setHidden(YES);

  Ref<MusicSearchResultsController> results = objc::make<MusicSearchResultsController>();
  for (const Song& song : librarySongs())
    if (containsFolded(song.title, query) || containsFolded(song.artist, query)) results->_matches.push_back(&song);

  UIView* place = songs->superview();
  CGFloat width = place->bounds().size.width;
  Ref<UIView> display = UIView::create(place->bounds());
  display->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  Ref<UITableView> table = UITableView::create(display->bounds(), UITableViewStylePlain);
  table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  table->_rowHeight = 56;
  table->_contentInsetTop = 20 + kSongsSearchBarHeight;
  table->_contentInsetBottom = kTabBarHeight;
  table->setDataSource(results);
  table->reloadData();
  display->addSubview(table);

  Ref<UISearchBar> bar = UIView::make<UISearchBar>(CGRectMake(0, 20, width, kSongsSearchBarHeight));
  Ref<UIView> underStatusBar = UIView::create(CGRectMake(0, 0, width, 20));
  underStatusBar->setBackgroundColor(bar->backgroundColor());
  display->addSubview(underStatusBar);
  bar->setPlaceholder("Search"_ns);
  bar->setText(NSString::withUTF8(query));
  bar->searchField()->becomeFirstResponder();
  display->addSubview(bar);

  static const char kResultsKey = 0;
  objc_setAssociatedObject(display, &kResultsKey, results, OBJC_ASSOCIATION_RETAIN_NONATOMIC);
  std::vector<UIView*> siblings = place->subviewList();
  auto at = std::find(siblings.begin(), siblings.end(), static_cast<UIView*>(songs));
  place->insertSubviewAtIndex(display, at - siblings.begin() + 1);
  // The search screen is a screen of its own: the app sets the status bar's
  // colour for it, at once.
  objc::send<void(UIColor*, UIStatusBarAnimationParameters*)>(
      findView(window, objc::classOf<UIStatusBar>()), "setForegroundColor:animationParameters:"_sel,
      UIColor::blackColor(), nil);
}

void registerSearchClasses() {
  objc::ClassBuilder<MusicSearchResultsController>("MusicSearchResultsController", objc::classOf<UIViewController>())
      .method<&Results_numberOfRows>("tableView:numberOfRowsInSection:")
      .method<&Results_cellForRow>("tableView:cellForRowAtIndexPath:");
}
